// sprite.cpp
// Sprite geometry: texture coordinates, flips, the four draw forms and the transformed bounds.
// Rounding: a product, quotient, cosine or sine is rounded to float as it is formed; a chain of
// additions and subtractions is carried in double and rounded to float once, where it is stored.
#include "gfx/sprite.h"

#include <cmath>
#include <utility>

namespace {

constexpr float kDefaultZ = 0.5f;
constexpr std::uint32_t kDefaultColor = 0xFFFFFFFF;
constexpr int kAllCorners = -1;

float ToFloat(double chain) { return static_cast<float>(chain); }

}  // namespace

Sprite::Sprite(std::uint32_t texture, float x, float y, float w, float h)
    : srcX(x), srcY(y), width(w), height(h) {
    engine = CreateEngine(kEngineVersion);
    if (texture != 0) {
        texWidth = static_cast<float>(engine->TextureWidth(texture, false));
        texHeight = static_cast<float>(engine->TextureHeight(texture, false));
    } else {
        texWidth = texHeight = 1.0f; // texture coordinates then equal the pixel values
    }
    quad = Quad{};
    quad.texture = texture;
    quad.blend = kBlendAlpha;
    for (Vertex& corner : quad.corners) {
        corner.z = kDefaultZ;
        corner.color = kDefaultColor;
    }
    SetUnflippedTexCoords();
}

Sprite::Sprite(const Sprite& other)
    : quad(other.quad), srcX(other.srcX), srcY(other.srcY), width(other.width), height(other.height),
      texWidth(other.texWidth), texHeight(other.texHeight), hotSpotX(other.hotSpotX),
      hotSpotY(other.hotSpotY), flipX(other.flipX), flipY(other.flipY) {
    engine = CreateEngine(kEngineVersion);
}

Sprite& Sprite::operator=(const Sprite& other) {
    quad = other.quad;
    srcX = other.srcX;
    srcY = other.srcY;
    width = other.width;
    height = other.height;
    texWidth = other.texWidth;
    texHeight = other.texHeight;
    hotSpotX = other.hotSpotX;
    hotSpotY = other.hotSpotY;
    flipX = other.flipX;
    flipY = other.flipY;
    return *this;
}

Sprite::~Sprite() { engine->Release(); }

void Sprite::SetUnflippedTexCoords() {
    // Each quotient is formed once and stored into both corners that share it.
    const float left = srcX / texWidth;
    const float top = srcY / texHeight;
    const float right = ToFloat((double{srcX} + width) / texWidth);
    const float bottom = ToFloat((double{srcY} + height) / texHeight);
    Vertex* c = quad.corners;
    c[0].tx = c[3].tx = left;
    c[1].tx = c[2].tx = right;
    c[0].ty = c[1].ty = top;
    c[2].ty = c[3].ty = bottom;
}

void Sprite::SetCornerPositions(const float xy[8]) {
    for (int i = 0; i < 4; ++i) {
        quad.corners[i].x = xy[2 * i];
        quad.corners[i].y = xy[2 * i + 1];
    }
}

void Sprite::Render() { engine->RenderQuad(&quad); }

void Sprite::Draw(float x, float y) {
    const float left = ToFloat(double{x} - hotSpotX);
    const float top = ToFloat(double{y} - hotSpotY);
    const float right = ToFloat(double{x} + width - hotSpotX);
    const float bottom = ToFloat(double{y} + height - hotSpotY);
    const float xy[8] = {left, top, right, top, right, bottom, left, bottom};
    SetCornerPositions(xy);
    Render();
}

Sprite::Offsets Sprite::EdgeOffsets(float hScale, float vScale) const {
    Offsets o;
    o.left = -(hScale * hotSpotX);
    o.top = -(vScale * hotSpotY);
    o.right = ToFloat((double{width} - hotSpotX) * hScale);
    o.bottom = ToFloat((double{height} - hotSpotY) * vScale);
    return o;
}

void Sprite::TransformedCorners(float x, float y, float rotation, float hScale, float vScale,
                                float out[8]) const {
    const Offsets o = EdgeOffsets(hScale, vScale);
    const float a[4] = {o.left, o.right, o.right, o.left};
    const float b[4] = {o.top, o.top, o.bottom, o.bottom};
    if (rotation != 0.0f) {
        const float c = static_cast<float>(std::cos(double{rotation}));
        const float s = static_cast<float>(std::sin(double{rotation}));
        for (int i = 0; i < 4; ++i) {
            const float ac = a[i] * c, bs = b[i] * s, as = a[i] * s, bc = b[i] * c;
            out[2 * i] = ToFloat(double{ac} - bs + x);
            out[2 * i + 1] = ToFloat(double{as} + bc + y);
        }
    } else {
        // No trigonometry at all: an unrotated draw places its corners exactly.
        for (int i = 0; i < 4; ++i) {
            out[2 * i] = ToFloat(double{a[i]} + x);
            out[2 * i + 1] = ToFloat(double{b[i]} + y);
        }
    }
}

void Sprite::DrawTransformed(float x, float y, float rotation, float hScale, float vScale) {
    if (vScale == 0.0f) vScale = hScale;
    float xy[8];
    TransformedCorners(x, y, rotation, hScale, vScale, xy);
    SetCornerPositions(xy);
    Render();
}

void Sprite::DrawStretched(float x1, float y1, float x2, float y2) {
    const float xy[8] = {x1, y1, x2, y1, x2, y2, x1, y2};
    SetCornerPositions(xy);
    Render();
}

void Sprite::DrawCorners(float x0, float y0, float x1, float y1, float x2, float y2, float x3,
                         float y3) {
    const float xy[8] = {x0, y0, x1, y1, x2, y2, x3, y3};
    SetCornerPositions(xy);
    Render();
}

BoundsRect& Sprite::TransformedBounds(float x, float y, float rotation, float hScale, float vScale,
                                      BoundsRect& rect) const {
    rect.empty = true;
    float xy[8];
    TransformedCorners(x, y, rotation, hScale, vScale, xy);
    for (int i = 0; i < 4; ++i) rect.AddPoint(xy[2 * i], xy[2 * i + 1]);
    return rect;
}

void Sprite::ChangeTexture(std::uint32_t texture) {
    quad.texture = texture;
    float newWidth = 1.0f, newHeight = 1.0f;
    if (texture != 0) {
        newWidth = static_cast<float>(engine->TextureWidth(texture, false));
        newHeight = static_cast<float>(engine->TextureHeight(texture, false));
    }
    if (newWidth == texWidth && newHeight == texHeight) return;
    // Back to pixels through corners 0 and 2: a flip exchanges whole corner pairs, so whatever
    // mirroring is in force survives the rescale.
    Vertex* c = quad.corners;
    const float p = texWidth * c[0].tx;
    const float q = texHeight * c[0].ty;
    const float r = texWidth * c[2].tx;
    const float t = texHeight * c[2].ty;
    texWidth = newWidth;
    texHeight = newHeight;
    c[0].tx = c[3].tx = p / newWidth;
    c[0].ty = c[1].ty = q / newHeight;
    c[1].tx = c[2].tx = r / newWidth;
    c[2].ty = c[3].ty = t / newHeight;
}

void Sprite::SetSourceRect(float x, float y, float w, float h) {
    srcX = x;
    srcY = y;
    width = w;
    height = h;
    SetUnflippedTexCoords();
    const bool wasFlippedX = flipX, wasFlippedY = flipY;
    flipX = flipY = false;
    SetFlipped(wasFlippedX, wasFlippedY);
}

void Sprite::SetFlipped(bool fx, bool fy) {
    Vertex* c = quad.corners;
    if (fx != flipX) {
        std::swap(c[0].tx, c[1].tx);
        std::swap(c[0].ty, c[1].ty);
        std::swap(c[3].tx, c[2].tx);
        std::swap(c[3].ty, c[2].ty);
        flipX = !flipX;
    }
    if (fy != flipY) {
        std::swap(c[0].tx, c[3].tx);
        std::swap(c[0].ty, c[3].ty);
        std::swap(c[1].tx, c[2].tx);
        std::swap(c[1].ty, c[2].ty);
        flipY = !flipY;
    }
}

// A corner index outside -1..3 is ignored rather than written past the quad.
void Sprite::SetCornerColor(std::uint32_t color, int corner) {
    if (corner == kAllCorners) {
        for (Vertex& v : quad.corners) v.color = color;
    } else if (corner >= 0 && corner < 4) {
        quad.corners[corner].color = color;
    }
}

void Sprite::SetCornerZ(float z, int corner) {
    if (corner == kAllCorners) {
        for (Vertex& v : quad.corners) v.z = z;
    } else if (corner >= 0 && corner < 4) {
        quad.corners[corner].z = z;
    }
}

void Sprite::SetBlending(std::int32_t mode) { quad.blend = mode; }

void Sprite::PlaceHotSpot(float x, float y) {
    hotSpotX = x;
    hotSpotY = y;
}
