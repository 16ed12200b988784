// snapshot_writer.cpp
// Frame read-back and the PNG / JPEG writers.
#include "engine2d/snapshot_writer.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kMaxPickAttempts = 100000; // beyond this many existing snapshots, give up
constexpr int kJpegQuality = 90;

bool EndsWithJpegExtension(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    const auto endsWith = [&](const char* suffix) {
        const std::size_t length = std::strlen(suffix);
        return name.size() >= length && name.compare(name.size() - length, length, suffix) == 0;
    };
    return endsWith(".jpg") || endsWith(".jpeg");
}

SDL_Surface* ReadFrame(SDL_Renderer* renderer, std::string* error) {
    int width = 0, height = 0;
    if (SDL_GetRendererOutputSize(renderer, &width, &height) != 0) {
        *error = SDL_GetError();
        return nullptr;
    }
    SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (frame == nullptr) {
        *error = SDL_GetError();
        return nullptr;
    }
    if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, frame->pixels, frame->pitch) != 0) {
        *error = SDL_GetError();
        SDL_FreeSurface(frame);
        return nullptr;
    }
    // The window has no alpha of its own: what is on screen is opaque.
    SDL_SetSurfaceBlendMode(frame, SDL_BLENDMODE_NONE);
    auto* pixels = static_cast<Uint32*>(frame->pixels);
    for (int y = 0; y < height; ++y) {
        Uint32* row = pixels + static_cast<std::size_t>(y) * (frame->pitch / 4);
        for (int x = 0; x < width; ++x) row[x] |= 0xFF000000u;
    }
    return frame;
}

// Opens a fresh snapshot file that did not exist before; null when none could be claimed.
std::FILE* ClaimFreshName(std::string* name, std::string* error) {
    static int nextNumber = 1; // continues where the last picked name left off
    for (int attempt = 0; attempt < kMaxPickAttempts; ++attempt, ++nextNumber) {
        const std::string candidate = SnapshotName(nextNumber);
        std::FILE* file = std::fopen(candidate.c_str(), "wbx");
        if (file != nullptr) {
            ++nextNumber;
            *name = candidate;
            return file;
        }
        if (errno != EEXIST) {
            *error = candidate + ": " + std::strerror(errno);
            return nullptr;
        }
    }
    *error = "no free snapshot name";
    return nullptr;
}

} // namespace

std::string SnapshotName(int number) {
    char name[32];
    std::snprintf(name, sizeof name, "snapshot-%04d.png", number);
    return name;
}

bool WriteSnapshot(SDL_Renderer* renderer, const char* fileName, std::string* written, std::string* error) {
    SDL_Surface* frame = ReadFrame(renderer, error);
    if (frame == nullptr) return false;
    bool saved = false;
    if (fileName == nullptr) {
        std::string name;
        std::FILE* file = ClaimFreshName(&name, error);
        if (file != nullptr) {
            SDL_RWops* stream = SDL_RWFromFP(file, SDL_TRUE);
            saved = stream != nullptr && IMG_SavePNG_RW(frame, stream, 1) == 0;
            if (stream == nullptr) std::fclose(file);
            if (!saved) {
                *error = name + ": " + SDL_GetError();
                std::remove(name.c_str()); // no empty or half-written picture left behind
            }
            *written = name;
        }
    } else {
        const bool jpeg = EndsWithJpegExtension(fileName);
        saved = (jpeg ? IMG_SaveJPG(frame, fileName, kJpegQuality) : IMG_SavePNG(frame, fileName)) == 0;
        if (!saved) *error = SDL_GetError();
        *written = fileName;
    }
    SDL_FreeSurface(frame);
    return saved;
}
