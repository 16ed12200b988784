// texture_store.cpp
// Turning a decoded image into an alpha-blended texture and its box-filtered smaller copies.
#include "engine2d/texture_store.h"

#include "engine2d/mip_chain.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace {

PixelImage ToPixelImage(SDL_Surface* argb) {
    PixelImage image;
    image.width = argb->w;
    image.height = argb->h;
    image.pixels.resize(static_cast<std::size_t>(argb->w) * static_cast<std::size_t>(argb->h));
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        std::memcpy(&image.pixels[static_cast<std::size_t>(y) * argb->w],
                    static_cast<const unsigned char*>(argb->pixels) + static_cast<std::size_t>(y) * argb->pitch,
                    static_cast<std::size_t>(argb->w) * 4);
    }
    SDL_UnlockSurface(argb);
    return image;
}

SDL_Texture* MakeTexture(SDL_Renderer* renderer, const PixelImage& image, std::string* error) {
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                             image.width, image.height);
    if (texture == nullptr || SDL_UpdateTexture(texture, nullptr, image.pixels.data(), image.width * 4) != 0) {
        *error = SDL_GetError();
        if (texture != nullptr) SDL_DestroyTexture(texture);
        return nullptr;
    }
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    // Renderers that filter blend neighbouring texels; the software one samples the nearest.
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    return texture;
}

bool AllOpaque(const std::uint32_t* pixels, std::size_t count) {
    return std::all_of(pixels, pixels + count, [](std::uint32_t argb) { return argb >> 24 == 0xFF; });
}

void DestroyLevels(LoadedTexture& texture) {
    for (SDL_Texture* level : texture.levels) SDL_DestroyTexture(level);
    texture.levels.clear();
}

} // namespace

std::uint32_t TextureStore::Add(SDL_Renderer* renderer, SDL_Surface* image, std::string* error) {
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(image, SDL_PIXELFORMAT_ARGB8888, 0);
    if (argb == nullptr) {
        *error = SDL_GetError();
        return 0;
    }
    const PixelImage base = ToPixelImage(argb);
    SDL_FreeSurface(argb);

    LoadedTexture loaded;
    loaded.width = base.width;
    loaded.height = base.height;
    SDL_Texture* full = MakeTexture(renderer, base, error);
    if (full == nullptr) return 0;
    loaded.levels.push_back(full);
    for (const PixelImage& level : BuildMipChain(base)) {
        SDL_Texture* smaller = MakeTexture(renderer, level, error);
        if (smaller == nullptr) {
            DestroyLevels(loaded);
            return 0;
        }
        loaded.levels.push_back(smaller);
    }
    const std::uint32_t handle = nextHandle_++;
    textures_.emplace(handle, std::move(loaded));
    return handle;
}

std::uint32_t TextureStore::AddPixels(SDL_Renderer* renderer, int width, int height, const std::uint32_t* pixels,
                                      std::string* error) {
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width,
                                             height);
    if (texture == nullptr || SDL_UpdateTexture(texture, nullptr, pixels, width * 4) != 0) {
        *error = SDL_GetError();
        if (texture != nullptr) SDL_DestroyTexture(texture);
        return 0;
    }
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
    LoadedTexture loaded;
    loaded.width = width;
    loaded.height = height;
    loaded.levels.push_back(texture);
    loaded.opaque = AllOpaque(pixels, static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const std::uint32_t handle = nextHandle_++;
    textures_.emplace(handle, std::move(loaded));
    return handle;
}

bool TextureStore::Replace(std::uint32_t handle, const std::uint32_t* pixels, std::string* error) {
    const auto found = textures_.find(handle);
    if (found == textures_.end()) {
        *error = "no such texture";
        return false;
    }
    LoadedTexture& texture = found->second;
    if (SDL_UpdateTexture(texture.levels[0], nullptr, pixels, texture.width * 4) != 0) {
        *error = SDL_GetError();
        return false;
    }
    const std::size_t count = static_cast<std::size_t>(texture.width) * static_cast<std::size_t>(texture.height);
    if (texture.levels.size() == 1) {
        texture.opaque = AllOpaque(pixels, count);
        return true;
    }
    PixelImage base;
    base.width = texture.width;
    base.height = texture.height;
    base.pixels.assign(pixels, pixels + count);
    const std::vector<PixelImage> smaller = BuildMipChain(base);
    for (std::size_t level = 0; level < smaller.size() && level + 1 < texture.levels.size(); ++level) {
        if (SDL_UpdateTexture(texture.levels[level + 1], nullptr, smaller[level].pixels.data(),
                              smaller[level].width * 4) != 0) {
            *error = SDL_GetError();
            return false;
        }
    }
    return true;
}

const LoadedTexture* TextureStore::Find(std::uint32_t handle) const {
    const auto found = textures_.find(handle);
    return found == textures_.end() ? nullptr : &found->second;
}

bool TextureStore::Free(std::uint32_t handle) {
    const auto found = textures_.find(handle);
    if (found == textures_.end()) return false;
    DestroyLevels(found->second);
    textures_.erase(found);
    return true;
}

void TextureStore::FreeAll() {
    for (auto& [handle, texture] : textures_) DestroyLevels(texture);
    textures_.clear();
}
