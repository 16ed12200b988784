// board_textures.cpp
// Both textures share the bevel so that cells read as tiles; the colours differ strongly (brown
// against blue-grey) because on screen each cell is only 51 px wide.
#include "tools/board_textures.h"

#include <algorithm>
#include <cmath>

#include "tools/procedural_noise.h"

namespace {

constexpr double kBevelWidth = 14.0;     // texture pixels, about 1.5 screen pixels
constexpr double kGrainPeriod = 56.0;    // texture pixels between the dark grain bands
constexpr double kKnotRingPeriod = 9.0;  // texture pixels between rings around a knot
constexpr std::uint32_t kWoodSeed = 284;
constexpr std::uint32_t kMetalSeed = 7151;

double SmoothStep(double edge0, double edge1, double x) {
    double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

double Mix(double a, double b, double t) { return a + (b - a) * t; }

// Light comes from the top left: those edges brighten, the bottom and right edges darken.
double BevelFactor(int x, int y, int size) {
    double fx = x + 0.5;
    double fy = y + 0.5;
    double far = size;
    double left = 1.0 - SmoothStep(0.0, kBevelWidth, fx);
    double top = 1.0 - SmoothStep(0.0, kBevelWidth, fy);
    double right = 1.0 - SmoothStep(0.0, kBevelWidth, far - fx);
    double bottom = 1.0 - SmoothStep(0.0, kBevelWidth, far - fy);
    return 1.0 + 0.22 * std::max(left, top) - 0.30 * std::max(right, bottom);
}

struct Knot {
    double x, y, radius;
};

} // namespace

RasterImage MakeWoodTexture() {
    const int size = kBoardTextureSize;
    RasterImage image(size, size, 3);
    SeededSequence sequence(kWoodSeed);
    Knot knots[2];
    for (Knot& knot : knots) {
        knot.x = sequence.Uniform(90.0, 420.0);
        knot.y = sequence.Uniform(80.0, 430.0);
        knot.radius = sequence.Uniform(16.0, 24.0);
    }
    // Keep the two knots apart so they read as two features, not one smudge.
    if (std::hypot(knots[0].x - knots[1].x, knots[0].y - knots[1].y) < 200.0) {
        knots[1].x = size - knots[0].x;
        knots[1].y = std::fmod(knots[0].y + 256.0, static_cast<double>(size));
    }

    const double light[3] = {206, 150, 94};
    const double dark[3] = {150, 96, 52};
    const double band[3] = {104, 60, 28};
    const double core[3] = {78, 42, 18};

    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double px = x + 0.5;
            double py = y + 0.5;
            double phase = px / kGrainPeriod + 1.6 * FractalNoise(px / 170.0, py / 460.0, 3, kWoodSeed) +
                           0.25 * FractalNoise(px / 40.0, py / 150.0, 2, kWoodSeed + 1);
            double coreAmount = 0.0;
            for (const Knot& knot : knots) {
                double dx = px - knot.x;
                double dy = (py - knot.y) / 1.5;
                double d = std::sqrt(dx * dx + dy * dy) *
                           (0.95 + 0.1 * ValueNoise(px / 28.0, py / 28.0, kWoodSeed + 5));
                double reach = std::exp(-std::pow(d / (2.6 * knot.radius), 2.0));
                phase = Mix(phase, d / kKnotRingPeriod + 0.3, reach);
                coreAmount = std::max(coreAmount, 1.0 - SmoothStep(0.55 * knot.radius, knot.radius, d));
            }
            double p = phase - std::floor(phase);
            // Earlywood fades slowly into the latewood band, which ends sharply: real growth rings.
            double bandAmount = SmoothStep(0.55, 0.82, p) * (1.0 - SmoothStep(0.90, 0.99, p));
            // Bands darken and fade along their length, and a faint inner ring splits the light part.
            bandAmount *= 0.55 + 0.6 * ValueNoise(px / 60.0, py / 90.0, kWoodSeed + 6);
            bandAmount = std::max(bandAmount, 0.25 * SmoothStep(0.18, 0.26, p) * (1.0 - SmoothStep(0.28, 0.36, p)));
            double tone = FractalNoise(px / 90.0, py / 300.0, 2, kWoodSeed + 2);
            double fibre = 1.0 + 0.10 * (ValueNoise(px / 1.7, py / 45.0, kWoodSeed + 3) - 0.5) +
                           0.06 * (ValueNoise(px / 6.0, py / 120.0, kWoodSeed + 4) - 0.5);
            double shade = BevelFactor(x, y, size) * fibre;
            std::uint8_t* out = image.At(x, y);
            for (int c = 0; c < 3; ++c) {
                double base = Mix(light[c], dark[c], 0.15 + 0.45 * tone);
                double value = Mix(base, band[c], 0.8 * bandAmount);
                value = Mix(value, core[c], coreAmount);
                out[c] = ToByte(value * shade);
            }
        }
    }
    return image;
}

RasterImage MakeMetalTexture() {
    const int size = kBoardTextureSize;
    RasterImage image(size, size, 3);
    const double tint[3] = {0.93, 0.98, 1.06}; // cool: blue above red

    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double px = x + 0.5;
            double py = y + 0.5;
            // Streaks: long in x, one or two pixels tall in y.
            double streak = 0.50 * ValueNoise(px / 160.0, py / 1.3, kMetalSeed) +
                            0.30 * ValueNoise(px / 45.0, py / 0.8, kMetalSeed + 1) +
                            0.20 * LatticeValue(static_cast<std::int64_t>(x / 3), y, kMetalSeed + 2);
            double cloud = FractalNoise(px / 140.0, py / 140.0, 3, kMetalSeed + 3);
            // Sheen: a broad soft highlight crossing the tile from the lower left to the upper right.
            double across = (px + py - 1.1 * size) / (0.42 * size);
            double sheen = std::exp(-across * across);
            double value = 138.0 + 44.0 * sheen + 30.0 * (streak - 0.5) + 18.0 * (cloud - 0.5);
            double shade = BevelFactor(x, y, size);
            std::uint8_t* out = image.At(x, y);
            for (int c = 0; c < 3; ++c) out[c] = ToByte(value * tint[c] * shade);
        }
    }
    return image;
}
