// literal_generation.cpp: the serial generation, as plain as it can be written without a branch
// on the draw (a mispredicted branch would make the yardstick slower than it needs to be).
// Limits: one generator step after another; each waits on the one before.
#include "tests/console/literal_generation.h"

#include "console/grid.h"
#include "console/random_generator.h"

namespace vrtinela_testing {

void GenerateSquareBySquare() {
    vrtinela::ReseedFromClock();
    for (int draw = 0; draw < 17; ++draw) vrtinela::NextRandom();
    const double threshold = vrtinela::Threshold;
    static constexpr double kSquareValues[2] = {vrtinela::kInsulating, vrtinela::kConducting};
    for (int column = 1; column <= vrtinela::ColumnCount; ++column) {
        double* squares = vrtinela::Grid[column - 1];
        for (int row = 1; row <= vrtinela::RowCount; ++row) {
            squares[row - 1] = kSquareValues[static_cast<int>(vrtinela::NextRandom() < threshold)];
        }
    }
}

}  // namespace vrtinela_testing
