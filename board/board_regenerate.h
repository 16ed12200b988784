// board_regenerate.h
// The one entry the keyboard controls use to rebuild the board and test it again.
#pragma once

// refill true: a new board for the current W, H and P; false: the same metal cells scattered anew.
// Sets boardConducts and returns the same verdict.
bool RegenerateBoard(bool refill);
