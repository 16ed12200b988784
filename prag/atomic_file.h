// atomic_file.h
// Output files appear whole or not at all: the content goes to a temporary name in the same folder
// (so the rename stays on one file system) and is renamed over the target.
#pragma once

#include <string>
#include <string_view>

namespace prag {

// Whether a file can be created beside `path` and `path` is not a folder: an empty string, or the reason.
// Nothing is left behind.
std::string CheckWritable(const std::string& path);

// Writes `content` to `path` through a temporary file; an empty string, or the reason it failed.
std::string WriteFileAtomically(const std::string& path, std::string_view content);

// A fresh temporary name beside `path`, keeping its extension (gnuplot picks nothing by it, but viewers
// of a half-made file might); the file exists, empty. Empty on failure, with the reason in `error`.
std::string ReserveTemporaryBeside(const std::string& path, std::string& error);

}  // namespace prag
