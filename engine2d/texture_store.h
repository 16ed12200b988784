// texture_store.h
// The loaded textures behind the program's 32-bit handles. Each texture keeps its full-size copy
// and a chain of halved copies, because SDL2 has no mipmaps of its own. Limits: handles count up
// from 1 and are never reused within a run; a freed or unknown handle finds nothing.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct SDL_Renderer;
struct SDL_Surface;
struct SDL_Texture;

struct LoadedTexture {
    int width = 0;  // of the image as loaded, in pixels
    int height = 0;
    std::vector<SDL_Texture*> levels; // level 0 full size, each next level half the one before
    // Every texel has alpha 255: blending it unfaded gives its own colour, so it may be copied.
    // Only kept for textures made from pixels, which are drawn large and changed often.
    bool opaque = false;
};

class TextureStore {
public:
    TextureStore() = default;
    TextureStore(const TextureStore&) = delete;
    TextureStore& operator=(const TextureStore&) = delete;
    ~TextureStore() { FreeAll(); }

    // Makes a texture (with its smaller copies) from any surface; 0 with `error` set on failure.
    std::uint32_t Add(SDL_Renderer* renderer, SDL_Surface* image, std::string* error);
    // A texture of ARGB pixels from memory, without smaller copies and sampled at the nearest texel:
    // it is meant to be shown at whole pixels per texel and changed often. 0 with `error` set on failure.
    std::uint32_t AddPixels(SDL_Renderer* renderer, int width, int height, const std::uint32_t* pixels,
                            std::string* error);
    // New pixels for every texel of level 0; the smaller copies, if any, are made again from them.
    bool Replace(std::uint32_t handle, const std::uint32_t* pixels, std::string* error);
    const LoadedTexture* Find(std::uint32_t handle) const;
    bool Free(std::uint32_t handle);
    void FreeAll();

private:
    std::unordered_map<std::uint32_t, LoadedTexture> textures_;
    std::uint32_t nextHandle_ = 1;
};
