// board_layout.h
// Where the scene puts the board's cells, in scene pixels (x right, y down), for the drawing and for
// the mouse alike, so that a click lands on the cell drawn under it. Limits: the current board only.
#pragma once

#include "app/frame_handler.h"
#include "board/board.h"

constexpr int kCellPitch = 55;      // pixels from one cell's origin to the next
constexpr int kBoardMargin = 10;    // top-left cell of the largest board
constexpr int kCentringStep = 25;   // a board one cell smaller moves this much right and down
constexpr float kCellScale = 0.1f;  // 512-pixel textures drawn 51.2 pixels wide
constexpr float kCellSize = 51.2f;  // what a cell covers; the rest of the pitch is a gap

// Top-left corner of the cell in `column` (or `row`: the board is square and centred alike).
inline int CellOrigin(int column) {
    return column * kCellPitch + (kMaxBoardSide - boardWidth) * kCentringStep + kBoardMargin;
}

// Index of the cell drawn under the point (x, y), or -1 off the board and in the gaps between
// cells, where no cell is drawn.
inline int CellUnder(float x, float y) {
    const float fromLeft = x - static_cast<float>(CellOrigin(0));
    const float fromTop = y - static_cast<float>(CellOrigin(0));
    const float span = static_cast<float>(boardWidth * kCellPitch);
    // Written so that a position that is not a number fails too, before any conversion to int.
    if (!(fromLeft >= 0.0f && fromLeft < span) || !(fromTop >= 0.0f && fromTop < span)) return -1;
    const int column = static_cast<int>(fromLeft / static_cast<float>(kCellPitch));
    const int row = static_cast<int>(fromTop / static_cast<float>(kCellPitch));
    if (column >= boardWidth || row >= boardHeight) return -1; // a quotient rounded up to W
    if (fromLeft - static_cast<float>(column * kCellPitch) >= kCellSize) return -1;
    if (fromTop - static_cast<float>(row * kCellPitch) >= kCellSize) return -1;
    return column + row * boardWidth;
}
