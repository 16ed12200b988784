// web_renderer.h
// Quads drawn with WebGL (OpenGL ES 2) into a texture of the scene's own size, which is then shown
// scaled into the canvas with linear filtering, its shape kept and black bars beside it, as the
// desktop window shows its scene. Limits: one context, made current by the caller; textures are
// RGBA copies of the ARGB pixels; quads of one texture and blend mode in a row go out in one draw.
#pragma once

#include "app/engine_interface.h"
#include "engine2d/mip_chain.h"

#include <cstdint>
#include <string>
#include <vector>

class WebRenderer {
public:
    // On the current WebGL context; false with `error` set when a shader or the scene target fails.
    bool Create(int sceneWidth, int sceneHeight, std::string* error);
    void Destroy();

    // A texture sampled with linear filtering, or at the nearest texel; 0 when WebGL refuses.
    unsigned MakeTexture(const PixelImage& image, bool nearest);
    void ReplaceTexture(unsigned texture, const PixelImage& image);
    void FreeTexture(unsigned texture);

    void Clear(std::uint32_t argb);
    // texture 0: the corners' colours alone. blend: alpha blending, else adding. The size is that of
    // the sampled texture, 0 for a quad drawn as it is.
    void DrawQuad(const Quad& quad, unsigned texture, bool blend, int textureWidth, int textureHeight);
    // The scene as drawn so far, top row first.
    PixelImage ReadScene();
    // The scene into a canvas of this size, in the rectangle FitScene gives.
    void Present(int canvasWidth, int canvasHeight);

private:
    struct GpuVertex {
        float x, y;              // pixels of the target drawn into, y down
        std::uint8_t rgba[4];
        float u, v;
    };
    void Flush();
    void UseTarget(unsigned framebuffer, int width, int height);

    int sceneWidth_ = 0;
    int sceneHeight_ = 0;
    unsigned program_ = 0;
    unsigned buffer_ = 0;
    unsigned white_ = 0;          // the 1 x 1 texture untextured quads are drawn with
    unsigned sceneTexture_ = 0;
    unsigned sceneTarget_ = 0;    // framebuffer with sceneTexture_
    int scaleLocation_ = -1;
    std::vector<GpuVertex> batch_;
    unsigned batchTexture_ = 0;
    bool batchBlend_ = true;
};
