// board.h
// Everything of the percolation board in one include: state, generator, fill, shuffle, flood, rebuild.
#pragma once

#include "board/board_fill.h"
#include "board/board_flood.h"
#include "board/board_random.h"
#include "board/board_regenerate.h"
#include "board/board_shuffle.h"
#include "board/board_state.h"
