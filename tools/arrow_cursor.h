// arrow_cursor.h
// The mouse cursor image: an arrow whose tip is the top-left pixel, so the program can place the
// image's corner on the mouse position. White fill, black outline, soft shadow, transparent elsewhere.
#pragma once

#include "tools/raster_image.h"

constexpr int kArrowWidth = 29;
constexpr int kArrowHeight = 31;

// RGBA, straight alpha, kArrowWidth x kArrowHeight.
RasterImage MakeArrowCursor();
