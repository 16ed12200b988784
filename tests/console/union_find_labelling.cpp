// union_find_labelling.cpp: the labelling walk with union-find merges.
// Limits: allocates nothing; one walk costs about one pass over the cells.
#include "tests/console/union_find_labelling.h"

#include <cstdint>

#include "console/cell_list.h"
#include "console/grid.h"

namespace vrtinela_testing {

namespace {

using vrtinela::CellList;
using vrtinela::CellRecord;
using vrtinela::Labels;

// The latest cell seen in each column while the walk goes down: once the walk reaches row r,
// the entry for a column is that column's cell in row r - 1 when there is one.
std::int32_t LatestCellInColumn[vrtinela::kGridSlots + 1];
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

bool UnionFindPercolates() {
    using vrtinela::kBottomElectrode;
    using vrtinela::kTopElectrode;
    vrtinela::CollectConductingCells();
    if (vrtinela::CellCount < vrtinela::ColumnCount) return false;  // a crossing needs a square in every row
    if (vrtinela::LastRowEmpty) return false;

    Labels(kTopElectrode) = kTopElectrode;
    Labels(kBottomElectrode) = kBottomElectrode;
    CellList[0] = CellRecord{kNoSquare, kNoSquare};  // never above or left of a cell
    for (std::int32_t column = 1; column <= vrtinela::ColumnCount; ++column) LatestCellInColumn[column] = 0;

    // RowCount is at least 2, so no cell touches both electrodes. Only three partners can come
    // before a cell: an electrode, the square above and the square to its left. A missing
    // partner is stood in for by the cell itself.
    std::int32_t previousRoot = 0;  // the root the previous cell joined
    std::int32_t previousColumn = kNoSquare;
    std::int32_t previousRow = kNoSquare;
    for (std::int32_t i = 1; i <= vrtinela::CellCount; ++i) {
        const CellRecord cell = CellList[i];
        const std::int32_t lastAbove = LatestCellInColumn[cell.Column];
        LatestCellInColumn[cell.Column] = i;
        const std::int32_t above = CellList[lastAbove].Row == cell.Row - 1 ? lastAbove : i;
        // The previous cell's root is still a root: nothing merged since it was taken.
        const bool hasLeft = previousRow == cell.Row && previousColumn == cell.Column - 1;
        const std::int32_t leftRoot = hasLeft ? previousRoot : i;
        const std::int32_t electrode =
            cell.Row == 1 ? kTopElectrode : (cell.Row == vrtinela::RowCount ? kBottomElectrode : i);
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

}  // namespace vrtinela_testing
