// image_files.cpp
// PNG through libpng's simplified API (no longjmp; chunks IHDR, sRGB, IDAT, IEND only), JPEG through
// libjpeg with a longjmp error handler; the functions that set the jump hold no C++ objects.
#include "tools/image_files.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace {

struct JpegErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpOnJpegError(j_common_ptr info) {
    auto* trap = reinterpret_cast<JpegErrorTrap*>(info->err);
    (*info->err->format_message)(info, trap->message);
    std::longjmp(trap->jump, 1);
}

// Compresses into a malloc'd buffer owned by the caller; 0 on failure.
unsigned long CompressJpeg(const RasterImage& image, int quality, unsigned char** out, char* message) {
    jpeg_compress_struct info;
    JpegErrorTrap trap;
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = JumpOnJpegError;
    unsigned long size = 0;
    if (setjmp(trap.jump) != 0) {
        std::memcpy(message, trap.message, JMSG_LENGTH_MAX);
        jpeg_destroy_compress(&info);
        return 0;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, &size);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.At(0, static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return size;
}

// Decompresses into pixels (already sized by the caller after the header is read); false on failure.
bool DecompressJpeg(const unsigned char* data, unsigned long size, RasterImage* image) {
    jpeg_decompress_struct info;
    JpegErrorTrap trap;
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = JumpOnJpegError;
    if (setjmp(trap.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image->width = static_cast<int>(info.output_width);
    image->height = static_cast<int>(info.output_height);
    image->channels = 3;
    image->pixels.resize(static_cast<std::size_t>(image->width) * image->height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->At(0, static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

std::optional<std::vector<unsigned char>> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

} // namespace

bool WritePng(const std::string& path, const RasterImage& image, std::string& error) {
    if (image.channels != 3 && image.channels != 4) {
        error = "PNG needs 3 or 4 channels";
        return false;
    }
    png_image info;
    std::memset(&info, 0, sizeof info);
    info.version = PNG_IMAGE_VERSION;
    info.width = static_cast<png_uint_32>(image.width);
    info.height = static_cast<png_uint_32>(image.height);
    info.format = image.channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    if (png_image_write_to_file(&info, path.c_str(), 0, image.pixels.data(), 0, nullptr) == 0) {
        error = info.message;
        png_image_free(&info);
        return false;
    }
    return true;
}

bool WriteJpeg(const std::string& path, const RasterImage& image, int quality, std::string& error) {
    if (image.channels != 3) {
        error = "JPEG needs 3 channels";
        return false;
    }
    unsigned char* buffer = nullptr;
    char message[JMSG_LENGTH_MAX] = "";
    unsigned long size = CompressJpeg(image, quality, &buffer, message);
    if (size == 0) {
        std::free(buffer);
        error = message;
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(buffer), static_cast<std::streamsize>(size));
    std::free(buffer);
    out.close();
    if (!out) {
        error = "cannot write the file";
        return false;
    }
    return true;
}

std::optional<RasterImage> ReadPng(const std::string& path) {
    png_image info;
    std::memset(&info, 0, sizeof info);
    info.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&info, path.c_str()) == 0) return std::nullopt;
    info.format = PNG_FORMAT_RGBA;
    RasterImage image(static_cast<int>(info.width), static_cast<int>(info.height), 4);
    if (png_image_finish_read(&info, nullptr, image.pixels.data(), 0, nullptr) == 0) {
        png_image_free(&info);
        return std::nullopt;
    }
    return image;
}

std::optional<RasterImage> ReadJpeg(const std::string& path) {
    auto bytes = ReadWholeFile(path);
    if (!bytes || bytes->empty()) return std::nullopt;
    RasterImage image;
    if (!DecompressJpeg(bytes->data(), bytes->size(), &image)) return std::nullopt;
    return image;
}
