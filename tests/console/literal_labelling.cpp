// literal_labelling.cpp: the oracle, written step by step without sharing code with the program.
// Limits: labels are 32-bit and the tables hold 200 x 200 cells; otherwise it is the plain
// algorithm, linear partner search and label rescans included.
#include "tests/console/literal_labelling.h"

#include <cstdint>
#include <vector>

#include "console/grid.h"

namespace vrtinela_testing {

namespace {

constexpr int kCapacity = 200 * 200;

struct Cell {
    std::int32_t column;
    std::int32_t row;
};

Cell cells[kCapacity + 1];
std::int32_t labelStore[kCapacity + 2];
std::int32_t& LabelOf(std::int32_t partner) { return labelStore[partner + 1]; }

bool Neighbours(std::int32_t i, std::int32_t j) {
    const Cell a = cells[i];
    const Cell b = cells[j];
    if (a.column == b.column && b.row == a.row + 1) return true;
    if (a.column == b.column && b.row == a.row - 1) return true;
    if (a.row == b.row && b.column == a.column + 1) return true;
    if (a.row == b.row && b.column == a.column - 1) return true;
    return false;
}

bool Connected(std::int32_t i, std::int32_t p, std::int32_t rows) {
    if (p == -1) return cells[i].row == 1;
    if (p == 0) return cells[i].row == rows;
    return Neighbours(i, p);
}

}  // namespace

bool LiteralPercolates() {
    const std::int32_t columns = vrtinela::ColumnCount;
    const std::int32_t rows = vrtinela::RowCount;
    std::int32_t count = 0;
    bool lastRowEmpty = true;
    for (std::int32_t r = 1; r <= rows; ++r) {
        lastRowEmpty = true;
        for (std::int32_t c = 1; c <= columns; ++c) {
            if (vrtinela::Square(c, r) > -100.0) {
                ++count;
                cells[count] = Cell{c, r};
                lastRowEmpty = false;
            }
        }
    }
    if (count < columns) return false;
    if (lastRowEmpty) return false;

    LabelOf(-1) = -1;
    LabelOf(0) = 0;
    std::vector<std::int32_t> neighbours;
    for (std::int32_t i = 1;; ++i) {
        neighbours.clear();
        for (std::int32_t p = -1; p <= i - 1; ++p) {
            if (Connected(i, p, rows)) neighbours.push_back(p);
        }
        if (neighbours.empty()) {
            LabelOf(i) = i;
        } else {
            const std::int32_t first = LabelOf(neighbours[0]);
            LabelOf(i) = first;
            std::int32_t minLabel = first;
            if (neighbours.size() > 1) {
                bool mergeNeeded = false;
                for (std::size_t k = 1; k < neighbours.size(); ++k) {
                    const std::int32_t d = LabelOf(neighbours[k]);
                    if (d != first) {
                        mergeNeeded = true;
                        if (d < minLabel) minLabel = d;
                    }
                }
                if (mergeNeeded) {
                    for (const std::int32_t p : neighbours) {
                        const std::int32_t d = LabelOf(p);
                        for (std::int32_t index = 0; index <= i; ++index) {
                            if (LabelOf(index) == d) LabelOf(index) = minLabel;
                        }
                    }
                }
            }
        }
        if (LabelOf(0) == -1) return true;
        if (i == count) return false;
    }
}

}  // namespace vrtinela_testing
