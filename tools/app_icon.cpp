// app_icon.cpp
// The cells are box-filtered from the full textures, so the icon shows the same materials as the
// window; the plate's rounded corners are anti-aliased by supersampling.
#include "tools/app_icon.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kCells = 4;
constexpr int kCellSize = 13;
constexpr int kCellGap = 2;
constexpr int kMargin = (kIconSize - kCells * kCellSize - (kCells - 1) * kCellGap) / 2;
constexpr double kPlateRadius = 9.0;

// 'M' metal on the lit path, 'm' metal off it, 'w' wood. The path runs from the right column to the
// left one through edge-adjacent cells.
constexpr const char* kLayout[kCells] = {
    "mwww",
    "wwMM",
    "MMMw",
    "wwwm",
};

double PlateCoverage(int x, int y) {
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            double px = x + (sx + 0.5) / 4.0, py = y + (sy + 0.5) / 4.0;
            double cx = std::clamp(px, kPlateRadius, kIconSize - kPlateRadius);
            double cy = std::clamp(py, kPlateRadius, kIconSize - kPlateRadius);
            if (std::hypot(px - cx, py - cy) <= kPlateRadius) ++inside;
        }
    return inside / 16.0;
}

// Mean colour of the texture block that maps onto one icon pixel of a cell.
void SampleCell(const RasterImage& texture, int cellX, int cellY, double out[3]) {
    int x0 = cellX * texture.width / kCellSize, x1 = (cellX + 1) * texture.width / kCellSize;
    int y0 = cellY * texture.height / kCellSize, y1 = (cellY + 1) * texture.height / kCellSize;
    double sum[3] = {0, 0, 0};
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            for (int c = 0; c < 3; ++c) sum[c] += texture.At(x, y)[c];
    double count = static_cast<double>((x1 - x0) * (y1 - y0));
    for (int c = 0; c < 3; ++c) out[c] = sum[c] / count;
}

} // namespace

RasterImage MakeAppIcon(const RasterImage& wood, const RasterImage& metal) {
    RasterImage icon(kIconSize, kIconSize, 4);
    const double plate[3] = {34, 40, 52};
    const double glow[3] = {255, 205, 70};
    for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x) {
            std::uint8_t* out = icon.At(x, y);
            for (int c = 0; c < 3; ++c) out[c] = ToByte(plate[c]);
            out[3] = ToByte(255.0 * PlateCoverage(x, y));
        }
    for (int row = 0; row < kCells; ++row)
        for (int column = 0; column < kCells; ++column) {
            char kind = kLayout[row][column];
            const RasterImage& texture = kind == 'w' ? wood : metal;
            bool lit = kind == 'M';
            int left = kMargin + column * (kCellSize + kCellGap);
            int top = kMargin + row * (kCellSize + kCellGap);
            for (int cy = 0; cy < kCellSize; ++cy)
                for (int cx = 0; cx < kCellSize; ++cx) {
                    double colour[3];
                    SampleCell(texture, cx, cy, colour);
                    bool rim = cx == 0 || cy == 0 || cx == kCellSize - 1 || cy == kCellSize - 1;
                    double towardGlow = lit ? (rim ? 0.85 : 0.30) : 0.0;
                    std::uint8_t* out = icon.At(left + cx, top + cy);
                    for (int c = 0; c < 3; ++c) out[c] = ToByte(colour[c] + (glow[c] - colour[c]) * towardGlow);
                }
        }
    // Light the gaps between neighbouring path cells too, so the path reads as one conductor.
    for (int row = 0; row < kCells; ++row)
        for (int column = 0; column < kCells; ++column) {
            if (kLayout[row][column] != 'M') continue;
            int left = kMargin + column * (kCellSize + kCellGap);
            int top = kMargin + row * (kCellSize + kCellGap);
            if (column + 1 < kCells && kLayout[row][column + 1] == 'M')
                for (int g = 0; g < kCellGap; ++g)
                    for (int k = 3; k < kCellSize - 3; ++k) {
                        std::uint8_t* out = icon.At(left + kCellSize + g, top + k);
                        for (int c = 0; c < 3; ++c) out[c] = ToByte(glow[c]);
                    }
            if (row + 1 < kCells && kLayout[row + 1][column] == 'M')
                for (int g = 0; g < kCellGap; ++g)
                    for (int k = 3; k < kCellSize - 3; ++k) {
                        std::uint8_t* out = icon.At(left + k, top + kCellSize + g);
                        for (int c = 0; c < 3; ++c) out[c] = ToByte(glow[c]);
                    }
        }
    return icon;
}
