// configuration.h: drawing a fresh random configuration and printing it as text.
// Limits: the grid must be allocated for ColumnCount columns before GenerateConfiguration or
// ShowConfiguration.
#pragma once

namespace vrtinela {

// Reseeds from the clock, throws 17 draws away, then draws down each column in turn; a draw
// below Threshold makes the square conduct. Writes the row masks and the grid of doubles.
void GenerateConfiguration();

// The same draws into the row masks alone, leaving the grid of doubles as it was: all that
// Percolates needs when no picture is shown.
void GenerateRowMasks();

// A line end, a row of asterisks (top electrode), one line per row with "P" for a conducting
// square and a blank otherwise, and a closing row of asterisks (bottom electrode).
void ShowConfiguration();

}  // namespace vrtinela
