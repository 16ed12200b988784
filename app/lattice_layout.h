// lattice_layout.h
// Where the scene puts the lattice view's cells, in scene pixels (x right, y down), for the drawing
// and for the mouse alike: in the board's square, a whole number of pixels per cell (so no cell is
// blurred into its neighbours), centred. Limits: sides up to kLatticeArea; the lattice is square.
#pragma once

#include "app/board_layout.h"

#include <algorithm>

// The board's square: from the largest board's top-left cell to its bottom-right cell's far edge.
constexpr int kLatticeArea = 436;

// Pixels per cell, at least 1.
inline int LatticeCellPixels(int side) { return std::max(1, kLatticeArea / std::max(1, side)); }

// Top-left corner of the lattice on both axes.
inline int LatticeOrigin(int side) { return kBoardMargin + (kLatticeArea - side * LatticeCellPixels(side)) / 2; }

// Index of the cell drawn under (x, y), row after row, or -1 beside the lattice.
inline int LatticeCellUnder(float x, float y, int side) {
    const float fromLeft = x - static_cast<float>(LatticeOrigin(side));
    const float fromTop = y - static_cast<float>(LatticeOrigin(side));
    const float span = static_cast<float>(side * LatticeCellPixels(side));
    // Written so that a position that is not a number fails too, before any conversion to int.
    if (!(fromLeft >= 0.0f && fromLeft < span) || !(fromTop >= 0.0f && fromTop < span)) return -1;
    const int pixels = LatticeCellPixels(side);
    const int column = std::min(static_cast<int>(fromLeft) / pixels, side - 1);
    const int row = std::min(static_cast<int>(fromTop) / pixels, side - 1);
    return column + row * side;
}
