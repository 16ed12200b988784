// board_fill.cpp
// The metal count goes through a single-precision N / 100, which rounds below the exact value for
// N = 4, 16 and 64; there a whole-number product P x N / 100 comes out one lower (8 x 8 at 100 %
// has 63 metal cells). The board's behaviour on screen depends on this, so it is kept.
#include "board/board_fill.h"

#include "board/board_state.h"

namespace {

int MetalCount(int percent) {
    if (percent > 100) percent = 100;
    if (percent < 0) percent = 0;
    const float scale = static_cast<float>(static_cast<double>(static_cast<float>(CellsInUse())) / 100.0);
    // The product is exact in double precision; truncation toward zero drops the fraction.
    return static_cast<int>(static_cast<double>(percent) * static_cast<double>(scale));
}

} // namespace

void ClearBoard() {
    for (BoardCell& cell : boardCells) cell = BoardCell{0, 0};
}

void ClearReached() {
    const int n = CellsInUse();
    for (int i = 0; i < n; ++i) boardCells[i].reached = 0;
}

void FillMetal(int percent) {
    const int count = MetalCount(percent);
    for (int i = 0; i < count; ++i) boardCells[i].metal = 1;
}
