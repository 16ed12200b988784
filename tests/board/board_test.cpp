// board_test.cpp
// Unit tests of the percolation board: generator, metal count, shuffle, flood fill, rebuild, cells
// flipped by hand and the shortest conducting chain. The flood fill is checked against an
// independent breadth-first search, the chain's length against a slow relaxation of distances.
#include "board/board.h"

#include "tests/support/test_random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <queue>
#include <string>
#include <utility>
#include <vector>

namespace {

class BoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearBoard();
        boardWidth = boardHeight = 6;
        metalPercent = 50;
        boardConducts = false;
        SeedRandom(1);
    }

    static void SetSide(int side) { boardWidth = boardHeight = side; }

    static int MetalCellsInUse() {
        int count = 0;
        for (int i = 0; i < CellsInUse(); ++i) count += boardCells[i].metal;
        return count;
    }

    // Lays out a board from rows of '#' (metal) and '.' (wood); clears everything first.
    static void Draw(const std::vector<std::string>& rows) {
        ClearBoard();
        SetSide(static_cast<int>(rows.size()));
        for (int y = 0; y < boardHeight; ++y) {
            for (int x = 0; x < boardWidth; ++x) {
                boardCells[x + y * boardWidth].metal = rows[y][x] == '#' ? 1 : 0;
            }
        }
    }

    // Test the board as it stands: flood from the right and read the verdict.
    static bool Conducts() {
        ClearReached();
        FloodFromRight();
        return LeftColumnReached();
    }

    static std::string ReachedPicture() {
        std::string picture;
        for (int y = 0; y < boardHeight; ++y) {
            for (int x = 0; x < boardWidth; ++x) picture += boardCells[x + y * boardWidth].reached ? 'o' : '.';
            picture += '\n';
        }
        return picture;
    }
};

using Generator = BoardTest;
using MetalCount = BoardTest;
using Clearing = BoardTest;
using Shuffle = BoardTest;
using Flooding = BoardTest;
using Rebuild = BoardTest;
using Flipping = BoardTest;
using ShortestChain = BoardTest;

// Metal cells joined through sides to a metal cell of the right column, found breadth first.
std::vector<bool> ReachableFromRight(int side) {
    std::vector<bool> seen(side * side, false);
    std::queue<int> open;
    for (int y = 0; y < side; ++y) {
        const int i = side - 1 + y * side;
        if (boardCells[i].metal) {
            seen[i] = true;
            open.push(i);
        }
    }
    while (!open.empty()) {
        const int i = open.front();
        open.pop();
        const int x = i % side;
        const int y = i / side;
        const int dx[] = {1, -1, 0, 0};
        const int dy[] = {0, 0, 1, -1};
        for (int k = 0; k < 4; ++k) {
            const int nx = x + dx[k];
            const int ny = y + dy[k];
            if (nx < 0 || ny < 0 || nx >= side || ny >= side) continue;
            const int j = nx + ny * side;
            if (boardCells[j].metal && !seen[j]) {
                seen[j] = true;
                open.push(j);
            }
        }
    }
    return seen;
}

// ---- Generator ----------------------------------------------------------------------------------

TEST_F(Generator, GivesReferenceValuesFromSeedOne) {
    SeedRandom(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int k = 0; k < 10; ++k) ASSERT_EQ(RandomValue(), expected[k]) << "value " << k;
}

TEST_F(Generator, WrapsAt32Bits) {
    SeedRandom(0xFFFFFFFFu);
    // 0xFFFFFFFF x 214013 + 2531011 wraps to 2316998 = 35 x 65536 + 23238.
    EXPECT_EQ(RandomValue(), 35);
    // State 0x80000000 gives 2531011 again after the wrap: bit 31 of a state never shows.
    SeedRandom(0x80000000u);
    EXPECT_EQ(RandomValue(), 38);
}

// ---- Metal count ----------------------------------------------------------------------------------

TEST_F(MetalCount, IsTheExactShareRoundedDownForEverySideAndPercent) {
    for (int side = 2; side <= 8; ++side) {
        for (int percent = 0; percent <= 100; ++percent) {
            ClearBoard();
            SetSide(side);
            FillMetal(percent);
            EXPECT_EQ(MetalCellsInUse(), percent * side * side / 100) << "W = " << side << ", P = " << percent;
        }
    }
    // The sides where a single-precision N / 100 used to lose a cell, written out.
    const int expected[3][4] = {{1, 2, 3, 4}, {4, 8, 12, 16}, {16, 32, 48, 64}};
    const int sides[3] = {2, 4, 8};
    for (int k = 0; k < 3; ++k) {
        SetSide(sides[k]);
        for (int q = 0; q < 4; ++q) EXPECT_EQ(::MetalCount(25 * (q + 1)), expected[k][q]) << "W = " << sides[k];
    }
}

TEST_F(MetalCount, FillsTheFrontAndClampsThePercent) {
    SetSide(5);
    FillMetal(40);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(boardCells[i].metal, i < 10 ? 1 : 0) << "cell " << i;

    ClearBoard();
    FillMetal(250);
    EXPECT_EQ(MetalCellsInUse(), 25);
    ClearBoard();
    FillMetal(-7);
    EXPECT_EQ(MetalCellsInUse(), 0);
}

TEST_F(MetalCount, AboveHundredFillsAsHundredAndNothingPastTheBoard) {
    // Counting only the cells in use would miss a count that runs past N.
    for (int side = 2; side <= 8; ++side) {
        SetSide(side);
        ClearBoard();
        FillMetal(100);
        std::vector<std::uint8_t> atHundred;
        for (const BoardCell& cell : boardCells) atHundred.push_back(cell.metal);
        ClearBoard();
        FillMetal(150);
        for (int i = 0; i < kBoardCapacity; ++i) {
            ASSERT_EQ(boardCells[i].metal, atHundred[i]) << "W = " << side << ", cell " << i;
            if (i >= CellsInUse()) {
                ASSERT_EQ(boardCells[i].metal, 0) << "W = " << side << ", cell " << i;
            }
        }
    }
}

TEST_F(MetalCount, FillWritesNoOtherCellOrByte) {
    SetSide(4);
    for (int i = 0; i < 16; ++i) boardCells[i] = BoardCell{static_cast<std::uint8_t>(i >= 12), 1};
    FillMetal(25); // 4 cells
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(boardCells[i].metal, (i < 4 || i >= 12) ? 1 : 0) << "cell " << i;
        EXPECT_EQ(boardCells[i].reached, 1) << "cell " << i;
    }
}

TEST_F(Clearing, BoardClearsAllCellsButReachedOnlyThoseInUse) {
    SetSide(3);
    boardCells[kBoardCapacity - 1] = BoardCell{1, 1};
    boardCells[9] = BoardCell{1, 1};
    boardCells[8] = BoardCell{1, 1};
    ClearReached();
    EXPECT_EQ(boardCells[8].metal, 1);
    EXPECT_EQ(boardCells[8].reached, 0);
    EXPECT_EQ(boardCells[9].reached, 1) << "cell 9 is not in use on a 3 x 3 board";
    ClearBoard();
    EXPECT_EQ(boardCells[kBoardCapacity - 1].metal, 0);
    EXPECT_EQ(boardCells[kBoardCapacity - 1].reached, 0);
    EXPECT_EQ(boardCells[9].metal, 0);
}

// ---- Shuffle ----------------------------------------------------------------------------------------

TEST_F(Shuffle, MatchesALiteralReferenceAndDrawsWTimesNValues) {
    for (int side = 2; side <= 8; ++side) {
        const int n = side * side;
        for (std::uint32_t seed : {0u, 1u, 99u, 123456789u}) {
            ClearBoard();
            SetSide(side);
            std::vector<BoardCell> expected(n);
            for (int i = 0; i < n; ++i) {
                // Distinct cells, so any wrong swap shows.
                boardCells[i] = BoardCell{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(100 + i)};
                expected[i] = boardCells[i];
            }
            TestRandom reference(seed);
            for (int pass = 0; pass < side; ++pass) {
                for (int j = 0; j < n; ++j) {
                    const int r = reference.Next() % n;
                    const BoardCell held = expected[j];
                    expected[j] = expected[r];
                    expected[r] = held;
                }
            }
            SeedRandom(seed);
            ShuffleBoard();
            for (int i = 0; i < n; ++i) {
                ASSERT_EQ(boardCells[i].metal, expected[i].metal) << "W = " << side << ", seed " << seed << ", cell " << i;
                ASSERT_EQ(boardCells[i].reached, expected[i].reached) << "W = " << side << ", seed " << seed << ", cell " << i;
            }
            EXPECT_EQ(RandomValue(), reference.Next()) << "the shuffle drew the wrong number of values";
        }
    }
}

TEST_F(Shuffle, MovesTheLastCellLikeAnyOther) {
    for (int side = 2; side <= 8; ++side) {
        const int n = side * side;
        int lastCellMetal = 0;
        constexpr int kTrials = 400;
        for (int trial = 0; trial < kTrials; ++trial) {
            // Only the last cell is metal: it must leave its place in some shuffles and the count stays.
            ClearBoard();
            SetSide(side);
            boardCells[n - 1] = BoardCell{1, 0};
            ShuffleBoard();
            ASSERT_EQ(MetalCellsInUse(), 1) << "W = " << side << ", trial " << trial;
            lastCellMetal += boardCells[n - 1].metal;
        }
        EXPECT_LT(lastCellMetal, kTrials) << "W = " << side << ": the bottom-right cell never moved";
    }
}

TEST_F(Shuffle, TwoByTwoAtHalfPutsMetalInTheCornerHalfTheTimeAndConductsInAThird) {
    metalPercent = 50;
    SetSide(2);
    SeedRandom(7);
    constexpr int kTrials = 6000;
    int cornerMetal = 0;
    int conducting = 0;
    RegenerateBoard(true);
    for (int trial = 0; trial < kTrials; ++trial) {
        conducting += RegenerateBoard(false) ? 1 : 0;
        ASSERT_EQ(MetalCellsInUse(), 2);
        cornerMetal += boardCells[3].metal;
    }
    // Two of the six placements of two metal cells conduct (both in the top row or both in the
    // bottom row). The shuffle is not uniform, so the bounds are a few percent wide, not a few sigma.
    EXPECT_NEAR(cornerMetal / static_cast<double>(kTrials), 0.5, 0.05);
    EXPECT_NEAR(conducting / static_cast<double>(kTrials), 1.0 / 3.0, 0.05);
}

// ---- Flood fill ------------------------------------------------------------------------------------

TEST_F(Flooding, TopRowOfTwoByTwoConducts) {
    Draw({"##", ".."});
    EXPECT_TRUE(Conducts());
    EXPECT_EQ(ReachedPicture(), "oo\n..\n");
}

TEST_F(Flooding, CornerContactAloneDoesNotConduct) {
    Draw({".#", "#."});
    EXPECT_FALSE(Conducts());
    EXPECT_EQ(ReachedPicture(), ".o\n..\n");
    Draw({"#.", ".#"});
    EXPECT_FALSE(Conducts());
    EXPECT_EQ(ReachedPicture(), "..\n.o\n");
}

TEST_F(Flooding, UShapedChainThatTurnsBackUpConducts) {
    Draw({
        ".....",
        "##.##",
        ".#.#.",
        ".###.",
        ".....",
    });
    EXPECT_TRUE(Conducts());
    EXPECT_EQ(ReachedPicture(),
              ".....\n"
              "oo.oo\n"
              ".o.o.\n"
              ".ooo.\n"
              ".....\n");
}

TEST_F(Flooding, UShapedChainThatTurnsBackRightConducts) {
    // From the only metal cell of the right column the chain goes left, down, right, down, left.
    Draw({
        "...###",
        "...#..",
        "...#..",
        "...##.",
        "....#.",
        "#####.",
    });
    EXPECT_TRUE(Conducts());
    EXPECT_EQ(ReachedPicture(),
              "...ooo\n"
              "...o..\n"
              "...o..\n"
              "...oo.\n"
              "....o.\n"
              "ooooo.\n");
}

TEST_F(Flooding, DeadEndUShapeDoesNotConduct) {
    Draw({
        ".....",
        "#..##",
        "..#.#",
        "..###",
        ".....",
    });
    EXPECT_FALSE(Conducts());
    EXPECT_EQ(ReachedPicture(),
              ".....\n"
              "...oo\n"
              "..o.o\n"
              "..ooo\n"
              ".....\n");
}

TEST_F(Flooding, IgnoresCoordinatesOffTheBoard) {
    Draw({"###", "###", "###"});
    FloodFill(-1, 0);
    FloodFill(3, 0);
    FloodFill(0, -1);
    FloodFill(0, 3);
    EXPECT_EQ(ReachedPicture(), "...\n...\n...\n");
    FloodFill(1, 1);
    EXPECT_EQ(ReachedPicture(), "ooo\nooo\nooo\n");
}

TEST_F(Flooding, ReachedFlagsMatchBreadthFirstSearchOnRandomBoards) {
    TestRandom layout(2024);
    for (int side = 2; side <= 8; ++side) {
        for (int trial = 0; trial < 2000; ++trial) {
            ClearBoard();
            SetSide(side);
            const int share = layout.Next() % 101;
            for (int i = 0; i < side * side; ++i) boardCells[i].metal = (layout.Next() % 100) < share ? 1 : 0;
            const bool conducts = Conducts();
            const std::vector<bool> expected = ReachableFromRight(side);
            bool leftReached = false;
            for (int i = 0; i < side * side; ++i) {
                ASSERT_EQ(boardCells[i].reached == 1, expected[i])
                    << "W = " << side << ", trial " << trial << ", cell (" << i % side << ", " << i / side << ")";
                if (i % side == 0 && expected[i]) leftReached = true;
            }
            ASSERT_EQ(conducts, leftReached) << "W = " << side << ", trial " << trial;
        }
    }
}

// ---- Rebuild ---------------------------------------------------------------------------------------

TEST_F(Rebuild, WithoutRefillKeepsTheCountAndMovesCells) {
    SetSide(7);
    metalPercent = 30;
    RegenerateBoard(true);
    const int count = MetalCellsInUse();
    ASSERT_EQ(count, 14);
    std::vector<std::uint8_t> before;
    for (int i = 0; i < 49; ++i) before.push_back(boardCells[i].metal);
    metalPercent = 90; // not applied without refill
    bool moved = false;
    for (int k = 0; k < 20; ++k) {
        RegenerateBoard(false);
        ASSERT_EQ(MetalCellsInUse(), count);
        for (int i = 0; i < 49; ++i) moved = moved || boardCells[i].metal != before[i];
    }
    EXPECT_TRUE(moved);
}

TEST_F(Rebuild, WithRefillRecomputesTheCountForTheCurrentSize) {
    metalPercent = 50;
    SetSide(6);
    RegenerateBoard(true);
    EXPECT_EQ(MetalCellsInUse(), 18);
    SetSide(8);
    RegenerateBoard(true);
    EXPECT_EQ(MetalCellsInUse(), 32);
    SetSide(3);
    metalPercent = 100;
    RegenerateBoard(true);
    EXPECT_EQ(MetalCellsInUse(), 9);
    // Cells left over from the larger board were cleared, not only the ones in use.
    for (int i = 9; i < 64; ++i) ASSERT_EQ(boardCells[i].metal, 0) << "cell " << i;
}

TEST_F(Rebuild, ReturnsAndStoresTheVerdictOfFreshReachedFlags) {
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        SeedRandom(seed);
        SetSide(5);
        metalPercent = 60;
        // Stale flags from an earlier test must not leak into the new verdict.
        for (int i = 0; i < 25; ++i) boardCells[i].reached = 1;
        const bool result = RegenerateBoard(seed % 2 == 0);
        ASSERT_EQ(result, boardConducts);
        const std::vector<bool> expected = ReachableFromRight(5);
        bool leftReached = false;
        for (int i = 0; i < 25; ++i) {
            ASSERT_EQ(boardCells[i].reached == 1, expected[i]) << "seed " << seed << ", cell " << i;
            if (i % 5 == 0 && expected[i]) leftReached = true;
        }
        ASSERT_EQ(result, leftReached) << "seed " << seed;
    }
}

TEST_F(Rebuild, EmptyBoardNeverConducts) {
    metalPercent = 0;
    for (int side = 2; side <= 8; ++side) {
        SetSide(side);
        EXPECT_FALSE(RegenerateBoard(true)) << "W = " << side;
        EXPECT_EQ(MetalCellsInUse(), 0);
    }
}

TEST_F(Rebuild, FullBoardsAreAllMetalAndConductOnEverySide) {
    metalPercent = 100;
    for (int side = 2; side <= 8; ++side) {
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            SeedRandom(seed);
            SetSide(side);
            EXPECT_TRUE(RegenerateBoard(true)) << "W = " << side << ", seed " << seed;
            EXPECT_EQ(MetalCellsInUse(), side * side) << "W = " << side << ", seed " << seed;
        }
    }
}

// ---- Flipping by hand and the shortest chain --------------------------------------------------------

TEST_F(Flipping, TurnsExactlyTheOneCellAndTestsTheBoardAgainWithoutDrawing) {
    Draw({"#..",
          "...",
          "..#"});
    const int upcoming = TestRandom(1).Next(); // SetUp seeded 1: a flip must draw no value
    EXPECT_TRUE(FlipCell(2, 1));
    EXPECT_TRUE(FlipCell(1, 1));
    EXPECT_FALSE(boardConducts) << "two cells of the row do not reach the left";
    EXPECT_TRUE(FlipCell(0, 1));
    EXPECT_TRUE(boardConducts);
    EXPECT_EQ(ReachedPicture(), "o..\nooo\n..o\n") << "the flags are those of a fresh flood";
    EXPECT_TRUE(FlipCell(1, 1)); // metal back to wood: the chain and its flags go
    EXPECT_FALSE(boardConducts);
    EXPECT_EQ(ReachedPicture(), "...\n..o\n..o\n");
    EXPECT_EQ(MetalCellCount(), 4);
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{-1, 0}, {0, -1}, {3, 0}, {0, 3}}) {
        EXPECT_FALSE(FlipCell(x, y)) << x << ", " << y;
    }
    std::string metal;
    for (int i = 0; i < 10; ++i) metal += boardCells[i].metal ? '#' : '.';
    EXPECT_EQ(metal, "#..#.#..#.") << "only the flipped cells changed, none beyond the board";
    EXPECT_EQ(RandomValue(), upcoming);
}

using Cells = std::vector<std::pair<int, int>>; // (x, y), right to left

// The cells written with room for `capacity` of them; the slot just past that room must stay as it
// was. `length` gets what the search returned.
Cells Chain(int capacity = kBoardCapacity, int* length = nullptr) {
    std::vector<int> cells(capacity + 1, -1);
    const int found = ShortestConductingChain(cells.data(), capacity);
    EXPECT_EQ(cells[capacity], -1) << "a cell written past the room for " << capacity;
    if (length != nullptr) *length = found;
    Cells chain;
    for (int k = 0; k < std::min(found, capacity); ++k) chain.emplace_back(cells[k] % boardWidth, cells[k] / boardWidth);
    return chain;
}

TEST_F(ShortestChain, HandMadeBoardsGiveTheirOneShortestChainOrNone) {
    const struct {
        std::vector<std::string> rows;
        Cells chain;
        const char* why;
        int capacity = kBoardCapacity;
    } boards[] = {
        {{"...", "###", "..."}, {{2, 1}, {1, 1}, {0, 1}}, "a straight row"},
        {{"...", "###", "..."}, {{2, 1}, {1, 1}, {0, 1}}, "room for exactly the chain", 3},
        {{"...", "###", "..."}, {{2, 1}, {1, 1}, {0, 1}}, "room for one cell less: the two from the right", 2},
        {{"##.#", "#..#", "#.##", "#..#"}, {}, "no chain: the board does not conduct"},
        {{"....#", "###.#", "#.#.#", "#.###", "#...."}, {{4, 3}, {3, 3}, {2, 3}, {2, 2}, {2, 1}, {1, 1}, {0, 1}},
         "four starts; only the lowest leads on"},
        {{"..###", "#.#..", "###..", "#.#..", "###.."}, {{4, 0}, {3, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}},
         "turning left at row 2 is shorter than going on to row 4"},
        {{"###", "#.#", "###"}, {{2, 0}, {1, 0}, {0, 0}}, "two rows as short: the upper start"},
        {{"###.", "..##", "###.", "...."}, {{3, 1}, {2, 1}, {2, 0}, {1, 0}, {0, 0}},
         "two ways as short from one start: up before down"},
    };
    for (const auto& board : boards) {
        Draw(board.rows);
        EXPECT_EQ(RetestBoard(), !board.chain.empty()) << board.why;
        int length = 0;
        const Cells written = Chain(board.capacity, &length);
        EXPECT_EQ(length, static_cast<int>(board.chain.size())) << board.why << ": the whole length, fitting or not";
        const auto room = std::min(board.chain.size(), static_cast<std::size_t>(board.capacity));
        EXPECT_EQ(written, Cells(board.chain.begin(), board.chain.begin() + room)) << board.why;
    }
}

// Fewest cells on a side-joined metal path from the right column to the left one, by relaxing
// distances until nothing changes; 0 when there is none.
int FewestChainCells(int side) {
    constexpr int kFar = 1 << 20;
    std::vector<int> distance(side * side, kFar);
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < side * side; ++i) {
            if (!boardCells[i].metal) continue;
            const int x = i % side;
            int best = x == side - 1 ? 1 : kFar;
            for (const auto& [nx, ny] : Cells{{x - 1, i / side}, {x + 1, i / side}, {x, i / side - 1}, {x, i / side + 1}}) {
                if (nx >= 0 && ny >= 0 && nx < side && ny < side) best = std::min(best, distance[nx + ny * side] + 1);
            }
            if (best < distance[i]) {
                distance[i] = best;
                changed = true;
            }
        }
    }
    int fewest = kFar;
    for (int y = 0; y < side; ++y) fewest = std::min(fewest, distance[y * side]);
    return fewest == kFar ? 0 : fewest;
}

TEST_F(ShortestChain, IsAValidChainOfTheFewestCellsOnRandomBoards) {
    TestRandom layout(77);
    for (int side = 2; side <= 8; ++side) {
        for (int trial = 0; trial < 400; ++trial) {
            SetSide(side);
            const int share = 40 + layout.Next() % 41;
            for (int i = 0; i < side * side; ++i) boardCells[i].metal = (layout.Next() % 100) < share ? 1 : 0;
            RetestBoard();
            const Cells chain = Chain();
            const std::string where = "W = " + std::to_string(side) + ", trial " + std::to_string(trial);
            ASSERT_EQ(static_cast<int>(chain.size()), FewestChainCells(side)) << where;
            for (std::size_t k = 0; k < chain.size(); ++k) {
                const auto [x, y] = chain[k];
                ASSERT_EQ(boardCells[x + y * side].reached, 1) << where << ", cell " << k;
                const bool joined = k == 0 ? x == side - 1
                                           : std::abs(x - chain[k - 1].first) + std::abs(y - chain[k - 1].second) == 1;
                ASSERT_TRUE(joined) << where << ": cell " << k << " is not where the chain goes on";
            }
            if (!chain.empty()) {
                ASSERT_EQ(chain.back().first, 0) << where;
            }
        }
    }
}

} // namespace
