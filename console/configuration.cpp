// configuration.cpp: generation (through the row masks) and text picture of the grid.
// Limits: rows are written one line per write, so a 200 x 200 picture is 203 writes; the lines are
// built in fixed buffers, so showing a picture allocates nothing.
#include "console/configuration.h"

#include <string_view>

#include "console/console_io.h"
#include "console/grid.h"
#include "console/random_generator.h"
#include "console/row_generation.h"
#include "console/row_masks.h"

namespace vrtinela {

namespace {

char ElectrodeLine[kMaxSide];
char SquaresLine[kMaxSide];

}  // namespace

void GenerateRowMasks() {
    ReseedFromClock();
    DrawRowMasks();
}

void GenerateConfiguration() {
    GenerateRowMasks();
    WriteGridFromRowMasks();
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
