// board_flood.cpp
// Depth-first flood in the neighbour order left, up, down, right. Assumes the reached flags of the
// cells in use were cleared before the first FloodFill of a test.
#include "board/board_flood.h"

#include "board/board_state.h"

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
