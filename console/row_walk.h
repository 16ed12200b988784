// row_walk.h: the percolation walk over row masks, written once and compiled by each file that
// includes it with that file's way of filling a word's pieces and its own instruction set.
// Limits: everything here has internal linkage on purpose: a copy compiled for BMI2 must never
// be linked in place of the portable one. Rows of at most kMaxSide, words as in row_masks.h.
#pragma once

#include <cstdint>

#include "console/row_masks.h"
#include "console/run_fill.h"

namespace vrtinela {
namespace {

// The runs of `open` that hold a seed (seeds lie within `open`).
//
// Adding the seeds to the row carries each one through its run and leaves a marker in the
// square just right of the run's end. Inside a word, a piece [a, b] with a marker is then
// filled from its marker leftwards by the `Pieces` policy of run_fill.h. The piece that ends in
// bit 63 is filled when the carry leaves the word, or when its run goes on into the word above
// and has a seed there.
// Both ways across the word edges are worked out from the seeds alone, side by side: only a
// full word passes a carry on, so neither chain waits for the words' sums.
template <typename Pieces>
VRTINELA_ALWAYS_INLINE RowMask FillTouchedRuns(const RowMask& open, const RowMask& seeds) {
    constexpr std::uint64_t kFull = ~std::uint64_t{0};
    std::uint64_t partial[kRowWords];
    std::uint64_t carryIn[kRowWords + 1];    // a seeded run enters word w from below
    std::uint64_t fromAbove[kRowWords + 1];  // a seeded run enters word w from above
    carryIn[0] = 0;
    fromAbove[kRowWords] = 0;
    for (int word = 0; word < kRowWords; ++word) {
        const std::uint64_t o = open.words[word];
        partial[word] = o + seeds.words[word];
        // Seeds overflow the word exactly when one lies in the piece that ends in bit 63.
        const std::uint64_t seededTop = partial[word] < o ? 1u : 0u;
        carryIn[word + 1] = seededTop | (o == kFull ? carryIn[word] : 0u);
    }
    for (int word = kRowWords - 1; word >= 0; --word) {
        const std::uint64_t o = open.words[word];
        const std::uint64_t seededBottom = (seeds.words[word] & o & ~(o + 1)) != 0 ? 1u : 0u;
        fromAbove[word] = seededBottom | (o == kFull ? fromAbove[word + 1] : 0u);
    }
    RowMask filled;
    for (int word = 0; word < kRowWords; ++word) {
        const std::uint64_t o = open.words[word];
        const std::uint64_t sum = partial[word] + (carryIn[word] & o);  // a carry goes on through an open bit 0
        const std::uint64_t topFilled = (carryIn[word + 1] | fromAbove[word + 1]) & (o >> 63);
        filled.words[word] = Pieces::Fill(o, sum & ~o, topFilled);
    }
    return filled;
}

VRTINELA_ALWAYS_INLINE bool IsEmpty(const RowMask& mask) {
    std::uint64_t any = 0;
    for (const std::uint64_t word : mask.words) any |= word;
    return any == 0;
}

// Depth first over rows. The top row is reached whole (every square touches the top electrode).
// From a row the walk goes straight down for as long as the row below gains squares, keeping the
// current row in registers; on the way it fills the row above wherever the new squares touch
// conducting squares there not reached yet, and leaves that row on the stack to go on from
// later. It stops at the first square reached in the last row. Every fill has seeds, so it adds
// at least one square: a winding path costs at most one fill per conducting square. A row goes
// on the stack only when it grew and is never there twice, so the stack holds at most one entry
// per row.
template <typename Pieces>
bool WalkRows(const RowMask* open, int rows) {
    static const RowMask kNoSquares{};
    // Entry r + 1 holds row r; entry 0 stands above the top row, empty and never stacked.
    static RowMask reached[kMaxSide + 2];
    static std::int32_t pending[kMaxSide];
    static bool waiting[kMaxSide + 2];
    if (rows <= 0 || IsEmpty(open[0])) return false;
    if (rows == 1) return true;
    for (int entry = 0; entry < rows + 2; ++entry) {
        reached[entry] = RowMask{};
        waiting[entry] = false;
    }
    waiting[0] = true;
    reached[1] = open[0];
    int pendingCount = 0;
    pending[pendingCount++] = 1;
    waiting[1] = true;
    while (pendingCount > 0) {
        int entry = pending[--pendingCount];
        waiting[entry] = false;
        RowMask here = reached[entry];
        // Here entry < rows: the last row is never stacked, the walk ends when it gains.
        for (;;) {
            const RowMask& openAbove = entry > 1 ? open[entry - 2] : kNoSquares;
            const RowMask& openBelow = open[entry];
            RowMask seedsAbove;
            RowMask seedsBelow;
            std::uint64_t anyAbove = 0;
            std::uint64_t anyBelow = 0;
            for (int word = 0; word < kRowWords; ++word) {
                seedsAbove.words[word] = here.words[word] & openAbove.words[word] & ~reached[entry - 1].words[word];
                seedsBelow.words[word] = here.words[word] & openBelow.words[word] & ~reached[entry + 1].words[word];
                anyAbove |= seedsAbove.words[word];
                anyBelow |= seedsBelow.words[word];
            }
            if (anyAbove != 0) {
                const RowMask gained = FillTouchedRuns<Pieces>(openAbove, seedsAbove);
                // Only a row that grew goes on the stack (the seeds alone make it grow), which is
                // what bounds the walk.
                std::uint64_t grew = 0;
                for (int word = 0; word < kRowWords; ++word) {
                    grew |= gained.words[word] & ~reached[entry - 1].words[word];
                    reached[entry - 1].words[word] |= gained.words[word];
                }
                if (grew != 0 && !waiting[entry - 1]) {
                    waiting[entry - 1] = true;
                    pending[pendingCount++] = entry - 1;
                }
            }
            if (anyBelow == 0) break;
            const RowMask gained = FillTouchedRuns<Pieces>(openBelow, seedsBelow);
            ++entry;
            for (int word = 0; word < kRowWords; ++word) {
                here.words[word] = reached[entry].words[word] | gained.words[word];
                reached[entry].words[word] = here.words[word];
            }
            if (entry == rows) return true;
        }
    }
    return false;
}

}  // namespace
}  // namespace vrtinela
