// quad_drawing.cpp
// Quad records turned into SDL geometry, with the halved copy of the texture that fits the size.
#include "engine2d/quad_drawing.h"

#include "engine2d/mip_chain.h"
#include "engine2d/texture_store.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTriangleIndices[6] = {0, 1, 2, 0, 2, 3};
constexpr std::int32_t kBlendAlphaBit = 2;

// ARGB in a 32-bit value; SDL wants its bytes as red, green, blue, alpha.
SDL_Color ToSdlColor(std::uint32_t argb) {
    return SDL_Color{static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8), static_cast<Uint8>(argb),
                     static_cast<Uint8>(argb >> 24)};
}

float EdgeRatio(const Vertex& from, const Vertex& to, int textureWidth, int textureHeight) {
    const float screen = std::hypot(to.x - from.x, to.y - from.y);
    const float texels = std::hypot((to.tx - from.tx) * static_cast<float>(textureWidth),
                                    (to.ty - from.ty) * static_cast<float>(textureHeight));
    return screen > 0.0f ? texels / screen : 0.0f;
}

} // namespace

float TexelsPerPixel(const Quad& quad, int textureWidth, int textureHeight) {
    return std::max(EdgeRatio(quad.corners[0], quad.corners[1], textureWidth, textureHeight),
                    EdgeRatio(quad.corners[0], quad.corners[3], textureWidth, textureHeight));
}

bool DrawQuad(SDL_Renderer* renderer, const Quad& quad, const LoadedTexture* texture) {
    SDL_Vertex vertices[4];
    for (int i = 0; i < 4; ++i) {
        const Vertex& corner = quad.corners[i];
        vertices[i].position = SDL_FPoint{corner.x, corner.y};
        vertices[i].color = ToSdlColor(corner.color);
        vertices[i].tex_coord = SDL_FPoint{corner.tx, corner.ty}; // 0..1 across every level alike
    }
    const SDL_BlendMode blend = (quad.blend & kBlendAlphaBit) != 0 ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_ADD;
    SDL_Texture* sampled = nullptr;
    if (texture != nullptr && !texture->levels.empty()) {
        const int level = ChooseMipLevel(TexelsPerPixel(quad, texture->width, texture->height),
                                         static_cast<int>(texture->levels.size()));
        sampled = texture->levels[static_cast<std::size_t>(level)];
        SDL_SetTextureBlendMode(sampled, blend);
    } else {
        SDL_SetRenderDrawBlendMode(renderer, blend);
    }
    return SDL_RenderGeometry(renderer, sampled, vertices, 4, kTriangleIndices, 6) == 0;
}
