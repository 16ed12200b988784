// board_shuffle.h
// Scattering the cells of the board at random. Not a uniform shuffle, and the last cell never moves.
#pragma once

// W passes; in each, every cell j from 0 to N - 2 swaps with a cell drawn at random from 0 to N - 2.
void ShuffleBoard();
