// board_random.cpp
// state = state x 214013 + 2531011 modulo 2^32; the value is bits 16 to 30 of the new state.
// Unsigned arithmetic, so the wrap is defined behaviour.
#include "board/board_random.h"

namespace {
std::uint32_t randomState = 1;
}

void SeedRandom(std::uint32_t seed) { randomState = seed; }

int RandomValue() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & static_cast<std::uint32_t>(kRandomMax));
}
