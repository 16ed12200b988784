// row_generation.h: drawing a configuration straight into the row masks, many columns side by
// side, with exactly the draws and comparisons of the column-by-column order.
// Limits: ColumnCount and RowCount within 1..kMaxSide; the kernels beyond the portable one
// exist only where kernel_choice.h says so.
#pragma once

#include <cstdint>

#include "console/row_masks.h"

namespace vrtinela {

// The draw k / 2^32 is below `threshold` exactly when k < DrawBound(threshold): the bound is
// threshold x 2^32 rounded up, 0 for thresholds of 0 or less (and NaN), 2^32 from 1 upwards.
std::uint64_t DrawBound(double threshold);

// Draws the configuration of ColumnCount x RowCount squares that follows RandomSeed (17 draws
// thrown away, then down each column in turn) into RowMasks, and leaves RandomSeed after the
// last draw, as drawing one square at a time would.
void DrawRowMasks();

// A kernel fills `masks[0..rows)` for the columns whose generator states, each just before the
// column's first square, are `starts[0..columns)`. `starts` has kRowBits entries; `bound` as
// DrawBound gives it.
using RowGenerator = void (*)(const std::uint32_t* starts, int columns, int rows, std::uint64_t bound,
                              RowMask* masks);

void GenerateRowsPortable(const std::uint32_t* starts, int columns, int rows, std::uint64_t bound,
                          RowMask* masks);

}  // namespace vrtinela
