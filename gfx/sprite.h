// sprite.h
// A rectangle cut from a texture and drawn as one textured quad through the engine's RenderQuad.
// Limits: one thread; the engine must outlive every sprite; a sprite never owns its texture.
#pragma once

#include "app/engine_interface.h"
#include "gfx/bounds_rect.h"

#include <cstdint>

class Sprite {
public:
    // Shows the source rectangle (x, y, w, h), in texture pixels, of `texture` (0 = none).
    Sprite(std::uint32_t texture, float x, float y, float w, float h);
    Sprite(const Sprite& other);            // takes its own engine reference
    Sprite& operator=(const Sprite& other); // keeps the engine reference it has
    ~Sprite();

    void Draw(float x, float y);
    // Rotation in radians, clockwise on screen; a vScale of 0 means "same as hScale".
    void DrawTransformed(float x, float y, float rotation, float hScale, float vScale);
    void DrawStretched(float x1, float y1, float x2, float y2);
    void DrawCorners(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3);
    // The box the transformed draw would cover; here a vScale of 0 really is 0 (a flat box).
    BoundsRect& TransformedBounds(float x, float y, float rotation, float hScale, float vScale,
                                  BoundsRect& rect) const;

    void ChangeTexture(std::uint32_t texture);
    void SetSourceRect(float x, float y, float w, float h);
    void SetFlipped(bool flipX, bool flipY);
    void SetCornerColor(std::uint32_t color, int corner); // corner -1 = all four
    void SetCornerZ(float z, int corner);                 // corner -1 = all four
    void SetBlending(std::int32_t mode);
    void PlaceHotSpot(float x, float y);

    const Quad& GetQuad() const { return quad; }
    float Width() const { return width; }
    float Height() const { return height; }
    float TexWidth() const { return texWidth; }
    float TexHeight() const { return texHeight; }
    bool FlippedX() const { return flipX; }
    bool FlippedY() const { return flipY; }

private:
    struct Offsets {
        float left, top, right, bottom; // from the hot spot, scaled
    };
    Offsets EdgeOffsets(float hScale, float vScale) const;
    // Writes the four corners of the transformed quad into `out` (x, y pairs in corner order).
    void TransformedCorners(float x, float y, float rotation, float hScale, float vScale,
                            float out[8]) const;
    void SetCornerPositions(const float xy[8]);
    void SetUnflippedTexCoords();
    void Render();

    Quad quad;  // the record handed to the engine; corner positions are rewritten by every draw
    float srcX, srcY;          // source rectangle's top-left, texture pixels
    float width, height;       // source rectangle's size; the drawn size at scale 1
    float texWidth, texHeight; // texture size; 1 x 1 for texture 0
    float hotSpotX = 0.0f, hotSpotY = 0.0f; // from the source rectangle's top-left
    bool flipX = false, flipY = false;

    // One slot for all sprites: every constructor stores CreateEngine's answer here.
    static inline EngineInterface* engine = nullptr;
};
