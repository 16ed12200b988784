// sample_stream.h
// The random numbers of one sample: a PCG stream chosen by (seed, L, sample index) alone, so a sample
// draws the same numbers whichever thread or process runs it. Draws are bounded by 2^32.
#pragma once

#include <cstdint>

#include <pcg_random.hpp>

namespace prag {

// SplitMix64's finaliser: neighbouring inputs (seed 1 and 2, sample 7 and 8) give unrelated outputs.
std::uint64_t MixBits(std::uint64_t value);

// Uniform in [0, bound) for bound >= 1, from 32-bit draws of `next`. Lemire's multiply-and-reject:
// the division only runs on the rare draws that land in the biased strip, so the usual draw costs
// one multiplication.
template <class Next>
std::uint32_t UniformBelow(std::uint32_t bound, Next next) {
    std::uint64_t product = std::uint64_t{next()} * bound;
    auto low = static_cast<std::uint32_t>(product);
    if (low < bound) {
        const std::uint32_t threshold = (0u - bound) % bound;
        while (low < threshold) {
            product = std::uint64_t{next()} * bound;
            low = static_cast<std::uint32_t>(product);
        }
    }
    return static_cast<std::uint32_t>(product >> 32);
}

class SampleStream {
public:
    SampleStream(std::uint64_t seed, int side, std::uint64_t sample);

    // Uniform in [0, bound) for bound >= 1.
    std::uint32_t Below(std::uint32_t bound) {
        return UniformBelow(bound, [this] { return engine_(); });
    }

    // The generator's state and increment, for sweeps that draw its outputs several at a time: the
    // next output is that of this state, and each draw moves it to state * multiplier + increment.
    std::uint64_t State() const { return engine_.State(); }
    std::uint64_t Increment() const { return engine_.Increment(); }

private:
    struct Engine : pcg32 {
        explicit Engine(const pcg32& engine) : pcg32(engine) {}
        std::uint64_t State() const { return state_; }
        std::uint64_t Increment() const { return increment(); }
    };
    Engine engine_;
};

}  // namespace prag
