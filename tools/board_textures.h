// board_textures.h
// The two cell textures of the board: wood (insulating) and brushed metal (conducting), both square.
// Drawn at about a tenth of their size, so every feature that must be seen is coarse.
#pragma once

#include "tools/raster_image.h"

constexpr int kBoardTextureSize = 512;

// Warm brown wood with vertical grain bands about 55 px apart, two knots and a soft tile bevel. RGB.
RasterImage MakeWoodTexture();

// Cool grey metal with fine horizontal streaks, a diagonal sheen and the same tile bevel. RGB.
RasterImage MakeMetalTexture();
