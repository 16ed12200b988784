// resource_file.cpp
// Reading a whole file into one malloc'd, NUL-terminated buffer.
#include "engine2d/resource_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>

void* ReadWholeFile(const std::string& path, std::uint32_t* size, std::string* error) {
    std::error_code status;
    if (!std::filesystem::is_regular_file(path, status)) {
        *error = status ? status.message() : std::string("not a regular file");
        if (!std::filesystem::exists(path, status)) *error = "no such file";
        return nullptr;
    }
    const std::uintmax_t length = std::filesystem::file_size(path, status);
    if (status) {
        *error = status.message();
        return nullptr;
    }
    if (length >= std::numeric_limits<std::uint32_t>::max()) {
        *error = "file too large";
        return nullptr;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        *error = std::strerror(errno);
        return nullptr;
    }
    auto* data = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(length) + 1));
    if (data == nullptr) {
        std::fclose(file);
        *error = "out of memory";
        return nullptr;
    }
    const std::size_t got = std::fread(data, 1, static_cast<std::size_t>(length), file);
    const bool failed = std::ferror(file) != 0 || got != length;
    std::fclose(file);
    if (failed) {
        std::free(data);
        *error = "read failed";
        return nullptr;
    }
    data[length] = 0;
    if (size != nullptr) *size = static_cast<std::uint32_t>(length);
    return data;
}
