// grid.cpp: storage of the configuration and its one-time allocation.
// Limits: the blocks are not cleared; every repetition overwrites the squares in use.
#include "console/grid.h"

#include <new>

namespace vrtinela {

double* Grid[kGridSlots] = {};
std::int32_t ColumnCount = 0;
std::int32_t RowCount = 0;
double Threshold = 0.0;

bool AllocateGrid() {
    for (int column = 1; column <= ColumnCount; ++column) {
        Grid[column - 1] = new (std::nothrow) double[kGridSlots];
        if (Grid[column - 1] == nullptr) {
            FreeGrid();
            return false;
        }
    }
    return true;
}

void FreeGrid() {
    for (int column = 1; column <= ColumnCount && column <= kGridSlots; ++column) {
        delete[] Grid[column - 1];
        Grid[column - 1] = nullptr;
    }
}

}  // namespace vrtinela
