// percolation.cpp: cluster labelling over the list of conducting squares, merged by union-find
// whose roots are the smallest partner numbers, so the top electrode's -1 wins every merge.
// Limits: allocates nothing; one walk costs about one pass over the cells.
#include "console/percolation.h"

#include "console/grid.h"

namespace vrtinela {

CellRecord CellList[kMaxCells + 1];
std::int32_t CellCount = 0;
bool LastRowEmpty = true;
std::int32_t LabelTable[kMaxCells + 2];

namespace {

// The latest cell seen in each column while the walk goes down: once the walk reaches row r,
// the entry for a column is that column's cell in row r - 1 when there is one.
std::int32_t LatestCellInColumn[kGridSlots + 1];
constexpr std::int32_t kNoSquare = -10;

std::int32_t FindRoot(std::int32_t partner) {
    // Two hops cover almost every lookup; the walk shortens the path it took.
    std::int32_t root = Labels(Labels(partner));
    while (Labels(root) != root) root = Labels(root);
    Labels(partner) = root;
    return root;
}

std::int32_t Smaller(std::int32_t a, std::int32_t b) { return a < b ? a : b; }

}  // namespace

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

bool Percolates() {
    CollectConductingCells();
    if (CellCount < ColumnCount) return false;  // a crossing needs a square in every row
    if (LastRowEmpty) return false;

    Labels(kTopElectrode) = kTopElectrode;
    Labels(kBottomElectrode) = kBottomElectrode;
    CellList[0] = CellRecord{kNoSquare, kNoSquare};  // never above or left of a cell
    for (std::int32_t column = 1; column <= ColumnCount; ++column) LatestCellInColumn[column] = 0;

    // RowCount is at least 2, so no cell touches both electrodes.
    // Only three partners can come before a cell: an electrode, the square above and the
    // square to its left. A missing partner is stood in for by the cell itself, so that every
    // cell takes the same steps without branching on the random content.
    std::int32_t previousRoot = 0;  // the root the previous cell joined
    std::int32_t previousColumn = kNoSquare;
    std::int32_t previousRow = kNoSquare;
    for (std::int32_t i = 1; i <= CellCount; ++i) {
        const CellRecord cell = CellList[i];
        const std::int32_t lastAbove = LatestCellInColumn[cell.Column];
        LatestCellInColumn[cell.Column] = i;
        const std::int32_t above = CellList[lastAbove].Row == cell.Row - 1 ? lastAbove : i;
        // The previous cell's root is still a root: nothing merged since it was taken.
        const bool hasLeft = previousRow == cell.Row && previousColumn == cell.Column - 1;
        const std::int32_t leftRoot = hasLeft ? previousRoot : i;
        const std::int32_t electrode =
            cell.Row == 1 ? kTopElectrode : (cell.Row == RowCount ? kBottomElectrode : i);
        previousColumn = cell.Column;
        previousRow = cell.Row;

        Labels(i) = i;
        // The electrode partners are roots: -1 always, 0 as long as the walk goes on.
        const std::int32_t aboveRoot = FindRoot(above);
        const std::int32_t smallest = Smaller(Smaller(aboveRoot, leftRoot), electrode);
        Labels(aboveRoot) = smallest;
        Labels(leftRoot) = smallest;
        Labels(electrode) = smallest;
        Labels(i) = smallest;
        previousRoot = smallest;
        // The bottom electrode's cluster takes -1 exactly when this cell joined the two.
        const bool bottomJoined = aboveRoot == kBottomElectrode || leftRoot == kBottomElectrode ||
                                  electrode == kBottomElectrode;
        if (smallest == kTopElectrode && bottomJoined) return true;
    }
    return false;
}

}  // namespace vrtinela

