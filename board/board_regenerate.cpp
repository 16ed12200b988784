// board_regenerate.cpp
// Rebuild and test the board: refill (optional), forget the previous test, shuffle, flood, verdict.
#include "board/board_regenerate.h"

#include "board/board_fill.h"
#include "board/board_flood.h"
#include "board/board_shuffle.h"
#include "board/board_state.h"

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
