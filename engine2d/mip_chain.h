// mip_chain.h
// Smaller copies of an image for drawing it much smaller than its size: each level halves the one
// before with a 2 x 2 box filter, averaged with premultiplied alpha so transparent texels add no
// dark fringe. Limits: an odd width or height drops its last column or row (under one texel of
// shift); the chain stops at 1 x 1.
#pragma once

#include "app/engine_interface.h"

#include <cstdint>
#include <vector>

// ARGB pixels, row after row, no padding.
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

PixelImage HalveImage(const PixelImage& image);

// The levels after the base image: half, quarter, ... down to 1 x 1.
std::vector<PixelImage> BuildMipChain(const PixelImage& base);

// Texels of level 0 per screen pixel along the quad's top and left edges, the larger of the two
// (the more squeezed edge decides, so neither direction aliases); 0 for a degenerate quad.
float TexelsPerPixel(const Quad& quad, int textureWidth, int textureHeight);

// The level to sample when one screen pixel spans `texelsPerPixel` texels of level 0: the smallest
// copy that is still at least as large as the drawn size, so none is magnified by sampling.
int ChooseMipLevel(float texelsPerPixel, int levelCount);
