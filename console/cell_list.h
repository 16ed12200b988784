// cell_list.h: the list of conducting squares and the partner relations of cluster labelling,
// kept for the labelling algorithms that check the percolation walk.
// Limits: reads the grid of doubles; tables are static and sized for 200 x 200 conducting squares.
#pragma once

#include <cstdint>

namespace vrtinela {

inline constexpr int kMaxCells = 200 * 200;

// Partner numbers: the two electrodes, then cell n for n >= 1.
inline constexpr std::int32_t kTopElectrode = -1;
inline constexpr std::int32_t kBottomElectrode = 0;

struct CellRecord {
    std::int32_t Column;  // 1..ColumnCount
    std::int32_t Row;     // 1..RowCount
};

extern CellRecord CellList[kMaxCells + 1];  // entry n is cell n; entry 0 is unused
extern std::int32_t CellCount;
extern bool LastRowEmpty;                   // row RowCount holds no conducting square

// Partner -1 lives at index 0, so LabelTable[p + 1] belongs to partner p.
extern std::int32_t LabelTable[kMaxCells + 2];
inline std::int32_t& Labels(std::int32_t partner) { return LabelTable[partner + 1]; }

// Lists the conducting squares row by row, left to right within a row.
void CollectConductingCells();

// True when cells i and j share a side.
bool AreNeighbours(std::int32_t i, std::int32_t j);

// With top true: cell i lies in row 1; otherwise: cell i lies in row RowCount.
bool TouchesElectrode(bool top, std::int32_t i);

// Partner p is -1 (top electrode), 0 (bottom electrode) or a cell number.
bool IsConnected(std::int32_t i, std::int32_t p);

}  // namespace vrtinela
