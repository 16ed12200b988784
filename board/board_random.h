// board_random.h
// The board's pseudo-random generator: a 32-bit linear congruential generator with 15-bit values.
// Not for anything but scattering cells; seeded once at start-up and never again.
#pragma once

#include <cstdint>

constexpr int kRandomMax = 0x7FFF;

// Sets the generator's state; the same seed gives the same sequence of values.
void SeedRandom(std::uint32_t seed);

// The next value, 0 to kRandomMax.
int RandomValue();
