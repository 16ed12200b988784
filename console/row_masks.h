// row_masks.h: the configuration as one bit mask per row, the form the generators write and the
// percolation walk reads; the grid of doubles is written from it when a picture needs it.
// Limits: rows of at most kRowWords * 64 squares; bits past ColumnCount stay clear.
#pragma once

#include <cstdint>

#include "console/grid.h"

namespace vrtinela {

inline constexpr int kRowWords = 4;  // 256 bits: the widest row of 200 squares, with room above it
inline constexpr int kRowBits = kRowWords * 64;
static_assert(kMaxSide < kRowBits, "a run ending in the last column needs a bit above it");

// Column c sits in bit (c - 1) % 64 of word (c - 1) / 64; a set bit is a conducting square.
struct alignas(32) RowMask {
    std::uint64_t words[kRowWords];
};

extern RowMask RowMasks[kMaxSide];  // entry r - 1 holds row r

// Rebuilds the row masks from the squares of the grid (a square above -100.0 conducts, as the
// labelling reads it); for configurations set square by square.
void LoadRowMasksFromGrid();

// Writes 100.0 or -999.0 into every square in use, from the row masks.
void WriteGridFromRowMasks();

}  // namespace vrtinela
