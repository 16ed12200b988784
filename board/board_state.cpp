// board_state.cpp
// Storage of the board and its program-wide state; start-up gives W, H and P their first values.
#include "board/board_state.h"

BoardCell boardCells[kBoardCapacity] = {};
std::int32_t boardWidth = 0;
std::int32_t boardHeight = 0;
std::int32_t metalPercent = 0;
bool boardConducts = false;
