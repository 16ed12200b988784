// random_generator.h: the linear congruential generator that draws every square.
// Limits: 32-bit state, period 2^32; not fit for anything beyond teaching statistics.
#pragma once

#include <cstdint>

namespace vrtinela {

inline constexpr std::uint32_t kGeneratorMultiplier = 134775813u;
inline constexpr std::uint32_t kGeneratorIncrement = 1u;

extern std::uint32_t RandomSeed;

// Returns k / 2^32 for the new state k, so every draw lies in [0, 1) and is exact in a double.
inline double NextRandom() {
    RandomSeed = RandomSeed * kGeneratorMultiplier + kGeneratorIncrement;
    return static_cast<double>(RandomSeed) * (1.0 / 4294967296.0);
}

// Sets RandomSeed from the low 32 bits of a nanosecond monotonic clock (or the test seam).
void ReseedFromClock();

// Seam for tests: while set, ReseedFromClock takes its seeds from this function instead of the
// clock. Pass nullptr to return to the clock.
using SeedClock = std::uint32_t (*)();
void SetSeedClock(SeedClock clock);

}  // namespace vrtinela
