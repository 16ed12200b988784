// random_generator.cpp: generator state and its seeding from the clock.
// Limits: two seeds taken within the same nanosecond tick are equal.
#include "console/random_generator.h"

#include <chrono>

namespace vrtinela {

std::uint32_t RandomSeed = 0;

namespace {

SeedClock testSeedClock = nullptr;

std::uint32_t MonotonicNanosecondsLow32() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(sinceStart).count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(nanoseconds));
}

}  // namespace

void ReseedFromClock() {
    RandomSeed = testSeedClock != nullptr ? testSeedClock() : MonotonicNanosecondsLow32();
}

void SetSeedClock(SeedClock clock) { testSeedClock = clock; }

}  // namespace vrtinela
