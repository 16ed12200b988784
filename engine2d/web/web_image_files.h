// web_image_files.h
// PNG and JPEG bytes to pixels and pixels to PNG bytes, for the browser, where SDL_image is not:
// stb_image and stb_image_write from Debian's libstb-dev. Limits: what stb_image decodes (baseline
// and progressive JPEG, every PNG); JPEG colours may differ from libjpeg's by a few levels.
#pragma once

#include "engine2d/mip_chain.h"

#include <cstddef>
#include <string>
#include <vector>

// ARGB pixels of the image in `bytes`; false, with stb_image's reason in `error`, when it is none.
bool DecodeImage(const unsigned char* bytes, std::size_t size, PixelImage* image, std::string* error);

// The image as a PNG file's bytes, every pixel opaque (a snapshot shows what the screen shows).
std::vector<unsigned char> EncodeOpaquePng(const PixelImage& image);
