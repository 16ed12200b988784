// literal_generation.h: the configuration drawn one square at a time into the grid of doubles,
// down each column in turn: the oracle for the row generators and the yardstick of their speed.
// Limits: the grid must be allocated; uses the program's generator state and seed clock.
#pragma once

namespace vrtinela_testing {

// Reseeds from the clock, throws 17 draws away, then sets square (c, r) to 100.0 when its draw
// is below Threshold and to -999.0 otherwise, column after column.
void GenerateSquareBySquare();

}  // namespace vrtinela_testing
