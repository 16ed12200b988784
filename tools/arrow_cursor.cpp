// arrow_cursor.cpp
// Anti-aliased by 8 x 8 supersampling of the outline polygon; the shadow is the same coverage,
// shifted and blurred, so it never reaches past the image's 29 x 31 pixels.
#include "tools/arrow_cursor.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

struct Point {
    double x, y;
};

// Pixel-corner coordinates; the tip sits on the image's top-left corner.
constexpr Point kOutline[] = {{0.0, 0.0},   {0.0, 24.5},  {5.8, 19.0}, {10.0, 27.6},
                              {14.2, 25.8}, {10.2, 17.6}, {18.0, 17.6}};
constexpr int kSubsamples = 8;
constexpr double kOutlineWidth = 1.35;   // pixels of black border inside the shape
constexpr double kShadowOffsetX = 1.5;
constexpr double kShadowOffsetY = 2.0;
constexpr double kShadowOpacity = 0.35;

bool Inside(double x, double y) {
    bool inside = false;
    const int n = static_cast<int>(std::size(kOutline));
    for (int i = 0, j = n - 1; i < n; j = i++) {
        const Point& a = kOutline[i];
        const Point& b = kOutline[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
}

double DistanceToOutline(double x, double y) {
    double best = 1e9;
    const int n = static_cast<int>(std::size(kOutline));
    for (int i = 0, j = n - 1; i < n; j = i++) {
        const Point& a = kOutline[j];
        const Point& b = kOutline[i];
        double ex = b.x - a.x, ey = b.y - a.y;
        double t = std::clamp(((x - a.x) * ex + (y - a.y) * ey) / (ex * ex + ey * ey), 0.0, 1.0);
        best = std::min(best, std::hypot(x - (a.x + t * ex), y - (a.y + t * ey)));
    }
    return best;
}

} // namespace

RasterImage MakeArrowCursor() {
    const int w = kArrowWidth, h = kArrowHeight;
    std::vector<double> coverage(static_cast<std::size_t>(w) * h, 0.0);
    std::vector<double> whiteness(coverage.size(), 0.0);
    std::vector<double> shadowCoverage(coverage.size(), 0.0);
    const double step = 1.0 / kSubsamples;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int inside = 0, white = 0, shadow = 0;
            for (int sy = 0; sy < kSubsamples; ++sy) {
                for (int sx = 0; sx < kSubsamples; ++sx) {
                    double px = x + (sx + 0.5) * step;
                    double py = y + (sy + 0.5) * step;
                    if (Inside(px, py)) {
                        ++inside;
                        if (DistanceToOutline(px, py) > kOutlineWidth) ++white;
                    }
                    if (Inside(px - kShadowOffsetX, py - kShadowOffsetY)) ++shadow;
                }
            }
            std::size_t i = static_cast<std::size_t>(y) * w + x;
            coverage[i] = inside / double(kSubsamples * kSubsamples);
            whiteness[i] = inside > 0 ? white / double(inside) : 0.0;
            shadowCoverage[i] = shadow / double(kSubsamples * kSubsamples);
        }
    }
    RasterImage image(w, h, 4);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double blurred = 0.0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    int qx = x + dx, qy = y + dy;
                    if (qx >= 0 && qy >= 0 && qx < w && qy < h)
                        blurred += shadowCoverage[static_cast<std::size_t>(qy) * w + qx];
                }
            std::size_t i = static_cast<std::size_t>(y) * w + x;
            double arrowAlpha = coverage[i];
            double shadowAlpha = kShadowOpacity * blurred / 9.0;
            double alpha = arrowAlpha + shadowAlpha * (1.0 - arrowAlpha);
            // The shadow is black, so only the arrow's white part brings colour.
            double grey = alpha > 0.0 ? 255.0 * whiteness[i] * arrowAlpha / alpha : 0.0;
            std::uint8_t* out = image.At(x, y);
            out[0] = out[1] = out[2] = ToByte(grey);
            out[3] = ToByte(255.0 * alpha);
        }
    }
    return image;
}
