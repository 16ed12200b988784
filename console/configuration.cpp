// configuration.cpp: generation and text picture of the grid.
// Limits: rows are written one line per write, so a 200 x 200 picture is 203 writes; the lines are
// built in fixed buffers, so showing a picture allocates nothing.
#include "console/configuration.h"

#include <string_view>

#include "console/console_io.h"
#include "console/grid.h"
#include "console/random_generator.h"

namespace vrtinela {

namespace {

constexpr int kDiscardedDraws = 17;  // the first draws after seeding follow the clock too closely

char ElectrodeLine[kMaxSide];
char SquaresLine[kMaxSide];

}  // namespace

void GenerateConfiguration() {
    ReseedFromClock();
    for (int draw = 0; draw < kDiscardedDraws; ++draw) NextRandom();
    const double threshold = Threshold;
    // The square's value is looked up by the comparison's result instead of chosen by a branch: a
    // branch on a random draw mispredicts half the time near the threshold, which costs twice the run.
    static constexpr double kSquareValues[2] = {kInsulating, kConducting};
    for (int column = 1; column <= ColumnCount; ++column) {
        double* squares = Grid[column - 1];
        for (int row = 1; row <= RowCount; ++row) {
            squares[row - 1] = kSquareValues[static_cast<int>(NextRandom() < threshold)];
        }
    }
}

void ShowConfiguration() {
    const auto width = static_cast<std::size_t>(ColumnCount);
    for (std::size_t i = 0; i < width; ++i) ElectrodeLine[i] = '*';
    const std::string_view electrode(ElectrodeLine, width);
    Write(kLineEnd);
    WriteLine(electrode);
    for (int row = 1; row <= RowCount; ++row) {
        for (int column = 1; column <= ColumnCount; ++column) {
            SquaresLine[column - 1] = Square(column, row) > 0.0 ? 'P' : ' ';
        }
        WriteLine(std::string_view(SquaresLine, width));
    }
    WriteLine(electrode);
}

}  // namespace vrtinela
