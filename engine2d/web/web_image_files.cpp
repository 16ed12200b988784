// web_image_files.cpp
// The one place that compiles stb_image and stb_image_write; both are kept to the formats used.
#include "engine2d/web/web_image_files.h"

#include <climits>

#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STB_IMAGE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image.h> // from a system folder of its own, so its warnings are not ours
#include <stb_image_write.h>

bool DecodeImage(const unsigned char* bytes, std::size_t size, PixelImage* image, std::string* error) {
    int width = 0, height = 0, channels = 0;
    unsigned char* rgba = size <= INT_MAX ? stbi_load_from_memory(bytes, static_cast<int>(size), &width, &height, &channels, 4)
                                          : nullptr;
    if (rgba == nullptr) {
        *error = size <= INT_MAX ? stbi_failure_reason() : "file too large";
        return false;
    }
    image->width = width;
    image->height = height;
    image->pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < image->pixels.size(); ++i) {
        const unsigned char* p = rgba + 4 * i;
        image->pixels[i] = std::uint32_t{p[3]} << 24 | std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
    }
    stbi_image_free(rgba);
    return true;
}

std::vector<unsigned char> EncodeOpaquePng(const PixelImage& image) {
    std::vector<unsigned char> rgb(image.pixels.size() * 3);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        rgb[3 * i] = static_cast<unsigned char>(image.pixels[i] >> 16);
        rgb[3 * i + 1] = static_cast<unsigned char>(image.pixels[i] >> 8);
        rgb[3 * i + 2] = static_cast<unsigned char>(image.pixels[i]);
    }
    std::vector<unsigned char> png;
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            auto* out = static_cast<std::vector<unsigned char>*>(context);
            out->insert(out->end(), static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
        },
        &png, image.width, image.height, 3, rgb.data(), image.width * 3);
    return png;
}
