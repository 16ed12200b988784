// board_flood.h
// The conduction test: flood the metal cells joined to the right-hand column, then look at the left.
// Cells are joined only through a shared side, never through a corner alone.
#pragma once

// Marks as reached every metal cell joined to (x, y); out-of-range coordinates do nothing.
// Recursive, at most N calls deep (64 on the largest board).
void FloodFill(int x, int y);

// FloodFill from every metal cell of the right-hand column not reached yet.
void FloodFromRight();

// True when any cell of the left-hand column is reached.
bool LeftColumnReached();
