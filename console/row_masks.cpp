// row_masks.cpp: the row masks and their copies to and from the grid of doubles.
// Limits: plain loops; they run only where a picture is shown or a test sets squares by hand.
#include "console/row_masks.h"

namespace vrtinela {

RowMask RowMasks[kMaxSide];

void LoadRowMasksFromGrid() {
    for (int row = 1; row <= RowCount; ++row) {
        RowMask mask{};
        for (int column = 1; column <= ColumnCount; ++column) {
            const std::uint64_t conducts = Square(column, row) > -100.0 ? 1u : 0u;
            mask.words[(column - 1) / 64] |= conducts << ((column - 1) % 64);
        }
        RowMasks[row - 1] = mask;
    }
}

void WriteGridFromRowMasks() {
    static constexpr double kSquareValues[2] = {kInsulating, kConducting};
    for (int column = 1; column <= ColumnCount; ++column) {
        double* squares = Grid[column - 1];
        const int word = (column - 1) / 64;
        const int bit = (column - 1) % 64;
        for (int row = 1; row <= RowCount; ++row) {
            squares[row - 1] = kSquareValues[(RowMasks[row - 1].words[word] >> bit) & 1u];
        }
    }
}

}  // namespace vrtinela
