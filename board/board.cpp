// board.cpp
// The board's storage, generator, filling, shuffle, flood fill, rebuild and shortest chain.
// Single-threaded: all of it works on the one program-wide board.
#include "board/board.h"

#include <utility>

BoardCell boardCells[kBoardCapacity] = {};
std::int32_t boardWidth = 0;
std::int32_t boardHeight = 0;
std::int32_t metalPercent = 0;
bool boardConducts = false;

namespace {
std::uint32_t randomState = 1;

// The chain search's working storage, fixed like the cells so that a search allocates nothing.
constexpr int kNotVisited = -2;
constexpr int kChainStart = -1;
int chainParent[kBoardCapacity]; // the cell each visited cell was reached from
int chainQueue[kBoardCapacity];
} // namespace

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

bool RetestBoard() {
    ClearReached();
    FloodFromRight();
    boardConducts = LeftColumnReached();
    return boardConducts;
}

// The shuffle swaps whole cells, flags included, so clearing them after it is the same as before.
bool RegenerateBoard(bool refill) {
    if (refill) {
        ClearBoard();
        FillMetal(metalPercent);
    }
    ShuffleBoard();
    return RetestBoard();
}

int MetalCellCount() {
    const int n = CellsInUse();
    int count = 0;
    for (int i = 0; i < n; ++i) count += boardCells[i].metal;
    return count;
}

bool FlipCell(int x, int y) {
    if (x < 0 || x >= boardWidth || y < 0 || y >= boardHeight) return false;
    BoardCell& cell = boardCells[x + y * boardWidth];
    cell.metal = cell.metal != 0 ? 0 : 1;
    RetestBoard();
    return true;
}

// Breadth first from the reached cells of the right-hand column, top row first, visiting
// neighbours left, up, down, right as the flood does; the first left-hand cell taken from the
// queue ends the search. Queue order alone settles ties, so the chain never depends on anything
// but the board.
int ShortestConductingChain(int* cells, int capacity) {
    const int width = boardWidth;
    const int n = CellsInUse();
    for (int i = 0; i < n; ++i) chainParent[i] = kNotVisited;
    int head = 0;
    int tail = 0;
    for (int y = 0; y < boardHeight; ++y) {
        const int start = width - 1 + y * width;
        if (boardCells[start].reached == 1) {
            chainParent[start] = kChainStart;
            chainQueue[tail++] = start;
        }
    }
    int end = -1;
    while (head < tail) {
        const int cell = chainQueue[head++];
        const int x = cell % width;
        const int y = cell / width;
        if (x == 0) {
            end = cell;
            break;
        }
        const int neighbours[4][2] = {{x - 1, y}, {x, y - 1}, {x, y + 1}, {x + 1, y}};
        for (const auto& [nx, ny] : neighbours) {
            if (nx < 0 || nx >= width || ny < 0 || ny >= boardHeight) continue;
            const int next = nx + ny * width;
            if (boardCells[next].reached != 1 || chainParent[next] != kNotVisited) continue;
            chainParent[next] = cell;
            chainQueue[tail++] = next;
        }
    }
    if (end < 0) return 0;
    // Parents lead from the left end back to the right-hand start: count, then fill from the back.
    int length = 0;
    for (int cell = end; cell != kChainStart; cell = chainParent[cell]) ++length;
    int position = length - 1;
    for (int cell = end; cell != kChainStart; cell = chainParent[cell], --position) {
        if (position < capacity) cells[position] = cell;
    }
    return length;
}
