// panel_background.h
// The light panel texture behind the side and bottom texts; drawn stretched twice vertically,
// so it holds only soft changes (a gradient and a faint paper grain), no edges inside it.
#pragma once

#include "tools/raster_image.h"

constexpr int kPanelWidth = 640;
constexpr int kPanelHeight = 240;

// RGB, kPanelWidth x kPanelHeight.
RasterImage MakePanelBackground();
