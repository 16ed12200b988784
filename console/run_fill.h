// run_fill.h: the fill of the runs of set bits that hold a seed, the step that vrtinela2D's row walk
// and prag's bit-mask sweep are both built on, with its portable way of filling a word's pieces (the
// BMI2 way is in deposit_pieces.h).
// Limits: internal linkage on purpose, as in row_walk.h: a copy compiled for BMI2 must never be linked
// in place of the portable one.
#pragma once

#include <cstdint>

// A fill sits in a chain of fills, each waiting on the last: a call in the chain costs as much as the
// fill itself, so the fills are inlined wherever the compiler allows it.
#if defined(__GNUC__) || defined(__clang__)
#define VRTINELA_ALWAYS_INLINE [[gnu::always_inline]] inline
#else
#define VRTINELA_ALWAYS_INLINE inline
#endif

namespace vrtinela {
namespace {

// A `Pieces` policy fills a word's seeded pieces from their markers: Fill(open, markers, topFilled),
// where `markers` holds bit b + 1 of every seeded piece [a, b] that ends below bit 63 and
// `topFilled` tells whether the piece that ends in bit 63 (if any) is filled.
//
// The portable policy: the marked squares are smeared leftwards through the open squares in
// doubling steps; after the step of width w a square is filled when a marked square lies at most
// 2w - 1 places to its right with open squares all the way.
struct ShiftPieces {
    VRTINELA_ALWAYS_INLINE static std::uint64_t Fill(std::uint64_t open, std::uint64_t markers,
                                                     std::uint64_t topFilled) {
        std::uint64_t filled = ((markers >> 1) | (topFilled << 63)) & open;
        std::uint64_t path = open;
        for (int width = 1; width < 64; width *= 2) {
            filled |= (filled >> width) & path;
            path &= path >> width;
        }
        return filled;
    }
};

// The runs of one word's `open` bits that hold a seed (seeds lie within `open`), the word taken
// alone. Adding the seeds carries each one through its run and leaves a marker just past the run's
// end; a seeded run that ends in bit 63 carries out of the word instead.
template <typename Pieces>
VRTINELA_ALWAYS_INLINE std::uint64_t FillSeededRuns(std::uint64_t open, std::uint64_t seeds) {
    const std::uint64_t sum = open + seeds;
    return Pieces::Fill(open, sum & ~open, sum < open ? 1u : 0u);
}

}  // namespace
}  // namespace vrtinela
