// procedural_noise.h
// Seeded value noise for the generated textures: a pure function of (x, y, seed), so the same
// inputs give the same bytes on every run. Not gradient noise: soft enough for wood and metal.
#pragma once

#include <cstdint>

// Uniform value in [0, 1) for an integer lattice point.
double LatticeValue(std::int64_t x, std::int64_t y, std::uint32_t seed);

// Smoothly interpolated lattice noise in [0, 1); one lattice cell per unit of x and y.
double ValueNoise(double x, double y, std::uint32_t seed);

// Sum of `octaves` layers, each at twice the frequency and half the weight; in [0, 1).
double FractalNoise(double x, double y, int octaves, std::uint32_t seed);

// Small seeded generator for placing features (knots, path cells); splitmix64.
class SeededSequence {
public:
    explicit SeededSequence(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    double Uniform(double low, double high); // in [low, high)

private:
    std::uint64_t state_;
};
