// png_image.cpp
// libpng's simplified reader, asked for RGBA whatever the file holds.
#include "tests/support/png_image.h"

#include <png.h>

#include <cstring>

bool ReadPng(const std::string& path, PngImage& image) {
    image = PngImage{};
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0) return false;
    png.format = PNG_FORMAT_RGBA;
    std::vector<RgbaPixel> pixels(static_cast<std::size_t>(png.width) * png.height);
    if (png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr) == 0) {
        png_image_free(&png);
        return false;
    }
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels = std::move(pixels);
    return true;
}
