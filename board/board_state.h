// board_state.h
// The one board of krondel: its cell storage and the program-wide W, H, P and verdict.
// Only the first W x H cells are in use; W and H stay between 2 and 8, far below the capacity.
#pragma once

#include <cstdint>

// One square of the board. Two bytes, metal first: the layout is part of the board's contract.
struct BoardCell {
    std::uint8_t metal;   // 1 = metal (conducts), 0 = wood
    std::uint8_t reached; // 1 = reached from the right-hand column during the latest test
};
static_assert(sizeof(BoardCell) == 2, "a cell is two bytes");

// Fixed storage, zeroed before start-up; cells beyond W x H keep whatever they last held.
constexpr int kBoardCapacity = 10000;
extern BoardCell boardCells[kBoardCapacity];

// Row-major: column x (0 = left) and row y (0 = top) is boardCells[x + y * boardWidth].
extern std::int32_t boardWidth;   // W; always equal to boardHeight
extern std::int32_t boardHeight;  // H
extern std::int32_t metalPercent; // P, 0 to 100: the share of metal cells asked for
extern bool boardConducts;        // result of the latest test: right column joined to left column

// N = W x H, the number of cells in use.
inline int CellsInUse() { return boardWidth * boardHeight; }
