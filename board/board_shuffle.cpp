// board_shuffle.cpp
// The modulus is N - 1 and j stops at N - 2, so the bottom-right cell never takes part: it stays
// wood unless every cell was filled with metal. Each call draws W x (N - 1) random values.
#include "board/board_shuffle.h"

#include "board/board_random.h"
#include "board/board_state.h"

#include <utility>

void ShuffleBoard() {
    const int n = CellsInUse();
    if (n < 2) return; // nothing to swap, and the modulus N - 1 would be 0
    for (int pass = 0; pass < boardWidth; ++pass) {
        for (int j = 0; j <= n - 2; ++j) {
            const int r = RandomValue() % (n - 1);
            std::swap(boardCells[j], boardCells[r]);
        }
    }
}
