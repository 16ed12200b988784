// lattice_test.cpp
// The large lattice against the board's own flood fill on the same cells, at shares reached upward
// and downward; its own threshold; which cells a share step turns; whose colour a merge keeps.
#include "board/board.h"
#include "board/lattice.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// Every cluster, its colour tag, the count, the largest and the verdict as the board's flood fill
// finds them (the board holds up to 100 x 100 cells). A tag shared by two clusters skips the second
// and so makes the count too small.
void ExpectClustersAsFlooded(const Lattice& lattice, const std::string& when) {
    const int side = lattice.Side(), cells = lattice.CellCount();
    ClearBoard();
    boardWidth = boardHeight = side;
    for (int i = 0; i < cells; ++i) boardCells[i].metal = lattice.IsMetal(i) ? 1 : 0;
    EXPECT_EQ(lattice.Conducts(), RetestBoard()) << when;
    std::set<int> tags;
    int largest = 0;
    for (int start = 0; start < cells; ++start) {
        const Lattice::Cluster first = lattice.ClusterAt(start);
        if (first.size == 0 || !tags.insert(first.tag).second) continue;
        ClearReached();
        FloodFill(start % side, start / side);
        std::vector<int> flooded, columns(static_cast<std::size_t>(side));
        for (int i = 0; i < cells; ++i) {
            if (boardCells[i].reached == 0) continue;
            flooded.push_back(i);
            ++columns[static_cast<std::size_t>(i % side)];
        }
        for (const int c : flooded) {
            const Lattice::Cluster cluster = lattice.ClusterAt(c);
            ASSERT_TRUE(cluster.size == static_cast<int>(flooded.size()) && cluster.tag == first.tag &&
                        cluster.spans == (columns.front() > 0 && columns.back() > 0)) << when << ", cell " << c;
        }
        largest = std::max(largest, first.size);
    }
    EXPECT_EQ(std::pair(lattice.ClusterCount(), lattice.LargestCluster()), std::pair(static_cast<int>(tags.size()), largest))
        << when;
}

// Shares up and down across the threshold and the kept states (one every tenth of the cells),
// clamped at both ends: each must look as if the lattice had been swept straight to it, with exactly
// the cells whose labels are below the share metal, and the same colours when it comes back.
TEST(Lattice, ClustersMatchTheBoardsFloodFillAndItsOwnThresholdHoldsWhicheverWayAShareIsReached) {
    for (const int side : {1, 2, 13, 64, 100}) {
        Lattice lattice(static_cast<std::uint64_t>(side));
        ASSERT_TRUE(lattice.NewLabels(side));
        std::vector<int> tagsAtHalf;
        for (int i = 0; i < lattice.CellCount(); ++i) tagsAtHalf.push_back(lattice.ClusterAt(i).tag);
        const int threshold = lattice.OwnThreshold();
        for (const int asked : {threshold - 1, threshold, 594, 300, 620, 451, -1, 1001, 501, 500}) {
            lattice.SetShare(asked);
            const int share = std::clamp(asked, 0, 1000);
            const std::string when = "L = " + std::to_string(side) + ", share " + std::to_string(share);
            ASSERT_EQ(lattice.Share(), share);
            for (int i = 0; i < lattice.CellCount(); ++i) { // metal exactly while label / 2^32 < share / 1000
                ASSERT_EQ(lattice.IsMetal(i), std::uint64_t{lattice.Label(i)} * 1000 < std::uint64_t(share) << 32) << when << ", " << i;
            }
            ExpectClustersAsFlooded(lattice, when);
            EXPECT_TRUE((asked != threshold - 1 || !lattice.Conducts()) && (asked != threshold || lattice.Conducts()))
                << when << ", its own threshold " << threshold;
        }
        for (int i = 0; i < lattice.CellCount(); ++i) ASSERT_EQ(lattice.ClusterAt(i).tag, tagsAtHalf[i]) << i;
    }
}

// The top row of a 5 x 5 lattice turns metal in the order given (the rest never), its fourth cell
// joining a cluster on its left to one on its right; the row keeps the tag given last.
TEST(Lattice, MergedClusterKeepsTheLargerOnesTagAndOfTwoTheSameSizeTheOlderOnesAndBadSizesAreRefused) {
    for (const auto& order : {std::vector{4, 0, 1, 2, 3, 1}, {3, 4, 1, 2, 0, 0}, {1, 3, 4, 2, 0, 0}}) {
        std::vector<std::uint32_t> labels(25, 0xFFFFFFFFu);
        for (int k = 0; k < 5; ++k) labels[static_cast<std::size_t>(order[k])] = static_cast<std::uint32_t>(k + 1) << 20;
        Lattice lattice;
        lattice.SetShare(2); // 0.2 %: every label up to 5 << 20 of 2^32
        ASSERT_TRUE(lattice.SetLabels(5, labels));
        for (int cell = 0; cell < 5; ++cell) EXPECT_EQ(lattice.ClusterAt(cell).tag, order[5]) << order[0];
        EXPECT_FALSE(lattice.NewLabels(0) || lattice.NewLabels(Lattice::kMaxSide + 1) ||
                     lattice.SetLabels(3, std::vector<std::uint32_t>(8)));
        EXPECT_EQ(std::pair(lattice.Side(), lattice.Label(order[0])), std::pair(5, 1u << 20)) << "nothing changed";
    }
    EXPECT_TRUE(Lattice().NewLabels(Lattice::kMaxSide));
    Lattice exact; // a label of exactly 0.125 is metal above 12.5 %, not at it
    exact.SetShare(125);
    ASSERT_TRUE(exact.SetLabels(1, {1u << 29}));
    EXPECT_FALSE(exact.IsMetal(0));
    exact.SetShare(126);
    EXPECT_EQ(std::pair(exact.IsMetal(0), exact.OwnThreshold()), std::pair(true, 126));
}

} // namespace
