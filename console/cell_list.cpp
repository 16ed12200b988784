// cell_list.cpp: collecting the conducting squares and the partner tests of the labelling.
// Limits: the tables hold 200 x 200 cells; nothing is checked beyond that.
#include "console/cell_list.h"

#include "console/grid.h"

namespace vrtinela {

CellRecord CellList[kMaxCells + 1];
std::int32_t CellCount = 0;
bool LastRowEmpty = true;
std::int32_t LabelTable[kMaxCells + 2];

void CollectConductingCells() {
    // Every square is written into the next free entry and only a conducting one keeps it:
    // no branch on the random content of the grid.
    CellRecord* next = CellList + 1;
    for (std::int32_t row = 1; row <= RowCount; ++row) {
        const CellRecord* const rowStart = next;
        for (std::int32_t column = 1; column <= ColumnCount; ++column) {
            *next = CellRecord{column, row};
            next += Grid[column - 1][row - 1] > -100.0 ? 1 : 0;
        }
        LastRowEmpty = next == rowStart;
    }
    CellCount = static_cast<std::int32_t>(next - (CellList + 1));
}

bool AreNeighbours(std::int32_t i, std::int32_t j) {
    const CellRecord& a = CellList[i];
    const CellRecord& b = CellList[j];
    return (a.Column == b.Column && b.Row == a.Row + 1) || (a.Column == b.Column && b.Row == a.Row - 1) ||
           (a.Row == b.Row && b.Column == a.Column + 1) || (a.Row == b.Row && b.Column == a.Column - 1);
}

bool TouchesElectrode(bool top, std::int32_t i) {
    return top ? CellList[i].Row == 1 : CellList[i].Row == RowCount;
}

bool IsConnected(std::int32_t i, std::int32_t p) {
    if (p == kTopElectrode) return TouchesElectrode(true, i);
    if (p == kBottomElectrode) return TouchesElectrode(false, i);
    return AreNeighbours(i, p);
}

}  // namespace vrtinela
