// mip_chain.cpp
// Box-filtered halving and the choice of level.
#include "engine2d/mip_chain.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint32_t Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFFu; }

float EdgeRatio(const Vertex& from, const Vertex& to, int textureWidth, int textureHeight) {
    const float screen = std::hypot(to.x - from.x, to.y - from.y);
    const float texels = std::hypot((to.tx - from.tx) * static_cast<float>(textureWidth),
                                    (to.ty - from.ty) * static_cast<float>(textureHeight));
    return screen > 0.0f ? texels / screen : 0.0f;
}

} // namespace

PixelImage HalveImage(const PixelImage& image) {
    PixelImage half;
    half.width = std::max(1, image.width / 2);
    half.height = std::max(1, image.height / 2);
    half.pixels.resize(static_cast<std::size_t>(half.width) * static_cast<std::size_t>(half.height));
    for (int y = 0; y < half.height; ++y) {
        const int y0 = std::min(2 * y, image.height - 1);
        const int y1 = std::min(2 * y + 1, image.height - 1);
        for (int x = 0; x < half.width; ++x) {
            const int x0 = std::min(2 * x, image.width - 1);
            const int x1 = std::min(2 * x + 1, image.width - 1);
            const std::uint32_t texels[4] = {
                image.pixels[static_cast<std::size_t>(y0) * image.width + x0],
                image.pixels[static_cast<std::size_t>(y0) * image.width + x1],
                image.pixels[static_cast<std::size_t>(y1) * image.width + x0],
                image.pixels[static_cast<std::size_t>(y1) * image.width + x1],
            };
            std::uint32_t alphaSum = 0, redSum = 0, greenSum = 0, blueSum = 0;
            for (const std::uint32_t texel : texels) {
                const std::uint32_t alpha = Channel(texel, 24);
                alphaSum += alpha;
                redSum += Channel(texel, 16) * alpha;
                greenSum += Channel(texel, 8) * alpha;
                blueSum += Channel(texel, 0) * alpha;
            }
            std::uint32_t red = 0, green = 0, blue = 0;
            if (alphaSum > 0) { // rounded division back to straight (non-premultiplied) colour
                red = (redSum + alphaSum / 2) / alphaSum;
                green = (greenSum + alphaSum / 2) / alphaSum;
                blue = (blueSum + alphaSum / 2) / alphaSum;
            }
            const std::uint32_t alpha = (alphaSum + 2) / 4;
            half.pixels[static_cast<std::size_t>(y) * half.width + x] = (alpha << 24) | (red << 16) | (green << 8) | blue;
        }
    }
    return half;
}

std::vector<PixelImage> BuildMipChain(const PixelImage& base) {
    std::vector<PixelImage> levels;
    if (base.width <= 1 && base.height <= 1) return levels;
    levels.push_back(HalveImage(base));
    while (levels.back().width > 1 || levels.back().height > 1) {
        PixelImage next = HalveImage(levels.back()); // made before push_back may move the vector
        levels.push_back(std::move(next));
    }
    return levels;
}

int ChooseMipLevel(float texelsPerPixel, int levelCount) {
    if (!(texelsPerPixel > 1.0f) || levelCount <= 1) return 0; // also catches NaN
    // A small allowance keeps an exact halving (2.0000001 from float arithmetic) on its level.
    const int level = static_cast<int>(std::floor(std::log2(texelsPerPixel) + 1e-4f));
    return std::clamp(level, 0, levelCount - 1);
}

float TexelsPerPixel(const Quad& quad, int textureWidth, int textureHeight) {
    return std::max(EdgeRatio(quad.corners[0], quad.corners[1], textureWidth, textureHeight),
                    EdgeRatio(quad.corners[0], quad.corners[3], textureWidth, textureHeight));
}
