// panel_background.cpp
// Light enough everywhere (luminance above about 200) that black text keeps a strong contrast.
#include "tools/panel_background.h"

#include <algorithm>
#include <cmath>

#include "tools/procedural_noise.h"

namespace {
constexpr std::uint32_t kPanelSeed = 1240;
constexpr double kEdgeShade = 8.0; // texture pixels of the soft shade along the top and left edges
} // namespace

RasterImage MakePanelBackground() {
    RasterImage image(kPanelWidth, kPanelHeight, 3);
    const double top[3] = {240, 238, 230};    // warm paper
    const double bottom[3] = {222, 228, 233}; // cooler towards the foot of the side panel
    for (int y = 0; y < kPanelHeight; ++y) {
        for (int x = 0; x < kPanelWidth; ++x) {
            double px = x + 0.5;
            double py = y + 0.5;
            double t = py / kPanelHeight;
            t = t * t * (3.0 - 2.0 * t);
            double cloud = FractalNoise(px / 120.0, py / 60.0, 3, kPanelSeed) - 0.5;
            double grain = ValueNoise(px / 2.0, py / 1.5, kPanelSeed + 1) - 0.5;
            double edge = std::min(std::min(px, py) / kEdgeShade, 1.0);
            double shade = 1.0 - 0.05 * (1.0 - edge) * (1.0 - edge);
            std::uint8_t* out = image.At(x, y);
            for (int c = 0; c < 3; ++c) {
                double value = top[c] + (bottom[c] - top[c]) * t + 6.0 * cloud + 4.0 * grain;
                out[c] = ToByte(value * shade);
            }
        }
    }
    return image;
}
