// raster_image.h
// Plain 8-bit pixel buffers for the asset generator: RGB for the JPEG textures, RGBA for the PNGs.
// Rows run top to bottom, no padding between rows; sizes are small enough for int indexing.
#pragma once

#include <cstdint>
#include <vector>

struct RasterImage {
    int width = 0;
    int height = 0;
    int channels = 0;                // 3 = RGB, 4 = RGBA (straight, not premultiplied, alpha)
    std::vector<std::uint8_t> pixels; // width * height * channels bytes

    RasterImage() = default;
    RasterImage(int w, int h, int c)
        : width(w), height(h), channels(c), pixels(static_cast<std::size_t>(w) * h * c, 0) {}

    std::uint8_t* At(int x, int y) {
        return pixels.data() + (static_cast<std::size_t>(y) * width + x) * channels;
    }
    const std::uint8_t* At(int x, int y) const {
        return pixels.data() + (static_cast<std::size_t>(y) * width + x) * channels;
    }
};

// Rounds a colour channel in 0..255 units to a byte, clamping out-of-range values.
inline std::uint8_t ToByte(double value) {
    if (value <= 0.0) return 0;
    if (value >= 255.0) return 255;
    return static_cast<std::uint8_t>(value + 0.5);
}
