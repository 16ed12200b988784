// sample_stream.cpp
// Derives each sample's PCG state and stream selector from the run's seed, the size and the index.
#include "prag/sample_stream.h"

namespace prag {

std::uint64_t MixBits(std::uint64_t value) {
    value += 0x9E3779B97F4A7C15ull;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

namespace {

// PCG streams that differ only in their increment are related, so the state is hashed from all three
// inputs as well; the stream selector keeps two samples apart even if their hashed states collide.
pcg32 EngineFor(std::uint64_t seed, int side, std::uint64_t sample) {
    const std::uint64_t key = MixBits(MixBits(seed) ^ static_cast<std::uint64_t>(side));
    return pcg32(MixBits(key ^ sample), MixBits(key + sample));
}

}  // namespace

SampleStream::SampleStream(std::uint64_t seed, int side, std::uint64_t sample)
    : engine_(EngineFor(seed, side, sample)) {}

}  // namespace prag
