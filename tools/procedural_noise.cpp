// procedural_noise.cpp
// Integer hashing instead of tables: no state to seed, so any pixel can be computed on its own.
#include "tools/procedural_noise.h"

#include <cmath>

namespace {

std::uint64_t Mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double Fade(double t) { return t * t * (3.0 - 2.0 * t); }

} // namespace

double LatticeValue(std::int64_t x, std::int64_t y, std::uint32_t seed) {
    std::uint64_t h = Mix(static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ULL ^
                          Mix(static_cast<std::uint64_t>(y) + (static_cast<std::uint64_t>(seed) << 32)));
    return static_cast<double>(h >> 11) / 9007199254740992.0; // 2^53
}

double ValueNoise(double x, double y, std::uint32_t seed) {
    double fx = std::floor(x);
    double fy = std::floor(y);
    auto ix = static_cast<std::int64_t>(fx);
    auto iy = static_cast<std::int64_t>(fy);
    double tx = Fade(x - fx);
    double ty = Fade(y - fy);
    double a = LatticeValue(ix, iy, seed);
    double b = LatticeValue(ix + 1, iy, seed);
    double c = LatticeValue(ix, iy + 1, seed);
    double d = LatticeValue(ix + 1, iy + 1, seed);
    double top = a + (b - a) * tx;
    double bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double FractalNoise(double x, double y, int octaves, std::uint32_t seed) {
    double sum = 0.0;
    double weight = 0.5;
    double total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * ValueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 101u);
        total += weight;
        x *= 2.0;
        y *= 2.0;
        weight *= 0.5;
    }
    return sum / total;
}

std::uint64_t SeededSequence::Next() {
    state_ += 0x9E3779B97F4A7C15ULL;
    return Mix(state_);
}

double SeededSequence::Uniform(double low, double high) {
    double unit = static_cast<double>(Next() >> 11) / 9007199254740992.0;
    return low + (high - low) * unit;
}
