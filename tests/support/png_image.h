// png_image.h
// Reads a PNG file into 8-bit RGBA pixels for tests that look at what krondel drew.
// Limits: whole image in memory; no colour management; returns false on any decoding problem.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbaPixel {
    std::uint8_t r, g, b, a;
};

struct PngImage {
    int width = 0;
    int height = 0;
    std::vector<RgbaPixel> pixels; // row-major, y down

    RgbaPixel At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Loads `path`; on failure returns false and leaves `image` empty.
bool ReadPng(const std::string& path, PngImage& image);
