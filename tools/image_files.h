// image_files.h
// PNG and JPEG reading and writing for the asset generator and its tests.
// Writers produce the same bytes for the same pixels: fixed settings, no time or text chunks.
#pragma once

#include <optional>
#include <string>

#include "tools/raster_image.h"

// Writes an RGB or RGBA image as an 8-bit PNG. Returns false (and fills error) on failure.
bool WritePng(const std::string& path, const RasterImage& image, std::string& error);

// Writes an RGB image as a baseline JPEG with the given quality (1..100).
bool WriteJpeg(const std::string& path, const RasterImage& image, int quality, std::string& error);

// Reads an 8-bit PNG as RGBA (any colour type is expanded). Empty on failure.
std::optional<RasterImage> ReadPng(const std::string& path);

// Reads a JPEG as RGB. Empty on failure.
std::optional<RasterImage> ReadJpeg(const std::string& path);
