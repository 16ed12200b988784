// resource_file.h
// Whole files in memory for the program's own parsers. Limits: regular files below 4 GiB only (the
// size travels as 32 bits); the buffer carries one extra NUL byte past the end so that text parsers
// can never read beyond it.
#pragma once

#include <cstdint>
#include <string>

// The file's bytes in a buffer from std::malloc (hand it to std::free), or null with `error` set.
void* ReadWholeFile(const std::string& path, std::uint32_t* size, std::string* error);
