// jump_ahead.h: the generator's step as an affine map modulo 2^32, so that any number of steps
// folds into one map and a column's draws can start without drawing everything before them.
// Limits: only maps of the form x -> a x + c (mod 2^32); no inverse steps.
#pragma once

#include <cstdint>

#include "console/random_generator.h"

namespace vrtinela {

// x -> multiplier x + increment, modulo 2^32.
struct AffineStep {
    std::uint32_t multiplier;
    std::uint32_t increment;
};

inline constexpr AffineStep kNoStep{1u, 0u};
inline constexpr AffineStep kOneDraw{kGeneratorMultiplier, kGeneratorIncrement};

constexpr std::uint32_t Apply(AffineStep step, std::uint32_t state) {
    return step.multiplier * state + step.increment;
}

// The map that applies `first`, then `second`.
constexpr AffineStep Then(AffineStep first, AffineStep second) {
    return {second.multiplier * first.multiplier, second.multiplier * first.increment + second.increment};
}

// The map of `count` draws, by squaring: about 2 log2(count) compositions.
constexpr AffineStep DrawsAhead(std::uint64_t count) {
    AffineStep result = kNoStep;
    AffineStep power = kOneDraw;
    while (count != 0) {
        if ((count & 1u) != 0) result = Then(result, power);
        power = Then(power, power);
        count >>= 1;
    }
    return result;
}

}  // namespace vrtinela
