// percolation.h: does a chain of side-touching conducting squares join the top electrode
// (above row 1) to the bottom electrode (below row RowCount)?
// Limits: reads the row masks (row_masks.h), not the grid of doubles; allocates nothing.
#pragma once

#include "console/kernel_choice.h"
#include "console/row_masks.h"

namespace vrtinela {

bool Percolates();

// The runs of conducting squares in `open` that hold at least one square of `seeds` (which
// lies within `open`), with the given kernel; the walk's step, open to tests.
RowMask FillTouchedRuns(FillKernel kernel, const RowMask& open, const RowMask& seeds);

}  // namespace vrtinela
