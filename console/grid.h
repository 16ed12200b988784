// grid.h: the M x M configuration of vrtinela2D and the size and threshold that shape it.
// Limits: M is 3 to 200; columns are allocated once per run and hold 100.0 or -999.0 only.
#pragma once

#include <cstdint>

namespace vrtinela {

inline constexpr int kMaxSide = 200;            // largest M the dialogue accepts
inline constexpr int kGridSlots = kMaxSide + 1; // one spare slot, as the column blocks have
inline constexpr double kConducting = 100.0;
inline constexpr double kInsulating = -999.0;

// A column block holds kGridSlots doubles; entry r - 1 holds row r.
extern double* Grid[kGridSlots];                 // slot c - 1 holds column c
extern std::int32_t ColumnCount;
extern std::int32_t RowCount;
extern double Threshold;                         // probability of a conducting square, 0..1 in use

// Square (c, r), both counted from 1; the caller keeps them inside the allocated columns.
inline double& Square(int column, int row) { return Grid[column - 1][row - 1]; }

// Allocates columns 1 to ColumnCount; false when memory ran out (the allocated ones are released).
bool AllocateGrid();

// Releases the columns 1 to ColumnCount; safe to call when none are allocated.
void FreeGrid();

}  // namespace vrtinela
