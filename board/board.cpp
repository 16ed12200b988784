// board.cpp
// The board's storage, generator, filling, shuffle, flood fill and rebuild. Single-threaded: all of
// it works on the one program-wide board.
#include "board/board.h"

#include <utility>

BoardCell boardCells[kBoardCapacity] = {};
std::int32_t boardWidth = 0;
std::int32_t boardHeight = 0;
std::int32_t metalPercent = 0;
bool boardConducts = false;

namespace {
std::uint32_t randomState = 1;
}

// state = state x 214013 + 2531011 modulo 2^32 (unsigned, so the wrap is defined); the value is
// bits 16 to 30 of the new state.
void SeedRandom(std::uint32_t seed) { randomState = seed; }

int RandomValue() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & static_cast<std::uint32_t>(kRandomMax));
}

void ClearBoard() {
    for (BoardCell& cell : boardCells) cell = BoardCell{0, 0};
}

void ClearReached() {
    const int n = CellsInUse();
    for (int i = 0; i < n; ++i) boardCells[i].reached = 0;
}

// In integers, so the count is exact: a single-precision N / 100 would round below its value for
// N = 4, 16 and 64 and leave a board one metal cell short of the share on screen.
int MetalCount(int percent) {
    if (percent > 100) percent = 100;
    if (percent < 0) percent = 0;
    return percent * CellsInUse() / 100;
}

void FillMetal(int percent) {
    const int count = MetalCount(percent);
    for (int i = 0; i < count; ++i) boardCells[i].metal = 1;
}

// The modulus is N and j runs to N - 1, so the bottom-right cell is scattered like every other.
// Each call draws W x N random values.
void ShuffleBoard() {
    const int n = CellsInUse();
    for (int pass = 0; pass < boardWidth; ++pass) {
        for (int j = 0; j < n; ++j) {
            const int r = RandomValue() % n;
            std::swap(boardCells[j], boardCells[r]);
        }
    }
}

// Depth first in the neighbour order left, up, down, right. Assumes the reached flags of the cells
// in use were cleared before the first FloodFill of a test.
void FloodFill(int x, int y) {
    if (x < 0 || x >= boardWidth || y < 0 || y >= boardHeight) return;
    BoardCell& cell = boardCells[x + y * boardWidth];
    if (cell.metal == 0 || cell.reached == 1) return;
    cell.reached = 1;
    FloodFill(x - 1, y);
    FloodFill(x, y - 1);
    FloodFill(x, y + 1);
    FloodFill(x + 1, y);
}

void FloodFromRight() {
    const int right = boardWidth - 1;
    for (int y = 0; y < boardHeight; ++y) {
        const BoardCell& cell = boardCells[right + y * boardWidth];
        if (cell.metal == 1 && cell.reached == 0) FloodFill(right, y);
    }
}

bool LeftColumnReached() {
    for (int y = 0; y < boardHeight; ++y) {
        if (boardCells[y * boardWidth].reached == 1) return true;
    }
    return false;
}

bool RegenerateBoard(bool refill) {
    if (refill) {
        ClearBoard();
        FillMetal(metalPercent);
    }
    ClearReached();
    ShuffleBoard();
    FloodFromRight();
    boardConducts = LeftColumnReached();
    return boardConducts;
}
