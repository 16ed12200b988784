// app_icon.h
// The desktop icon: a 4 x 4 board of metal and wood squares on a dark rounded plate, with the metal
// path that joins the right column to the left one lit up. Built from the two board textures.
#pragma once

#include "tools/raster_image.h"

constexpr int kIconSize = 64;

// RGBA, kIconSize x kIconSize; wood and metal are the RGB board textures.
RasterImage MakeAppIcon(const RasterImage& wood, const RasterImage& metal);
