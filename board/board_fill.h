// board_fill.h
// Clearing the board and filling it with a share of metal cells (packed at the front, unshuffled).
#pragma once

// Both bytes of all kBoardCapacity cells to 0, however few are in use.
void ClearBoard();

// The reached flags of the cells in use to 0; metal is left alone.
void ClearReached();

// Sets metal = 1 in the first count cells, count derived from percent (clamped to 0..100) and N.
// Writes nothing else, so the caller clears the board first.
void FillMetal(int percent);
