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

// The whole texture, upright and unflipped, into an axis-aligned rectangle, with white corners.
bool IsPlainCopy(const Quad& quad) {
    const Vertex* c = quad.corners;
    const bool upright = c[0].x == c[3].x && c[1].x == c[2].x && c[0].y == c[1].y && c[3].y == c[2].y &&
                         c[0].x < c[1].x && c[0].y < c[3].y;
    const bool whole = c[0].tx == 0.0f && c[0].ty == 0.0f && c[1].tx == 1.0f && c[1].ty == 0.0f && c[2].tx == 1.0f &&
                       c[2].ty == 1.0f && c[3].tx == 0.0f && c[3].ty == 1.0f;
    const bool white = std::all_of(c, c + 4, [](const Vertex& corner) { return corner.color == 0xFFFFFFFFu; });
    return upright && whole && white;
}

} // namespace

bool DrawQuad(SDL_Renderer* renderer, const Quad& quad, const LoadedTexture* texture) {
    SDL_Vertex vertices[4];
    for (int i = 0; i < 4; ++i) {
        const Vertex& corner = quad.corners[i];
        vertices[i].position = SDL_FPoint{corner.x, corner.y};
        vertices[i].color = ToSdlColor(corner.color);
        vertices[i].tex_coord = SDL_FPoint{corner.tx, corner.ty}; // 0..1 across every level alike
    }
    const SDL_BlendMode blend = (quad.blend & kBlendAlphaBit) != 0 ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_ADD;
    if (texture != nullptr && texture->opaque && blend == SDL_BLENDMODE_BLEND && IsPlainCopy(quad)) {
        // Blending opaque texels under white corners gives the texels themselves, and SDL copies a
        // rectangle far faster than it fills two textured triangles: this is how a picture the size
        // of the board stays cheap at 50 frames per second.
        SDL_Texture* whole = texture->levels[0];
        SDL_SetTextureBlendMode(whole, SDL_BLENDMODE_NONE);
        const SDL_FRect where{quad.corners[0].x, quad.corners[0].y, quad.corners[2].x - quad.corners[0].x,
                              quad.corners[2].y - quad.corners[0].y};
        return SDL_RenderCopyF(renderer, whole, nullptr, &where) == 0;
    }
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
