// percolation_walk_test.cpp: the run fill of each fill kernel against a square-by-square
// reference, the walk on winding hand-made grids, and every kernel combination against the
// labelling oracles on a few thousand random grids.
// Limits: the BMI2 fill is covered only where the processor has BMI2; the long comparison of
// 100000 grids runs in `make bench` (kernel_agreement_check).
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "console/grid.h"
#include "console/kernel_choice.h"
#include "console/percolation.h"
#include "console/row_masks.h"
#include "tests/console/kernel_agreement.h"
#include "tests/console/union_find_labelling.h"

namespace vrtinela {
namespace {

bool Bit(const RowMask& mask, int square) { return ((mask.words[square / 64] >> (square % 64)) & 1u) != 0; }
void SetBit(RowMask& mask, int square) { mask.words[square / 64] |= std::uint64_t{1} << (square % 64); }

// Square by square: every run of open squares that holds a seed.
RowMask ReferenceFill(const RowMask& open, const RowMask& seeds) {
    RowMask filled{};
    int start = 0;
    while (start < kRowBits) {
        if (!Bit(open, start)) {
            ++start;
            continue;
        }
        int end = start;
        bool seeded = false;
        for (; end < kRowBits && Bit(open, end); ++end) seeded = seeded || Bit(seeds, end);
        if (seeded)
            for (int square = start; square < end; ++square) SetBit(filled, square);
        start = end;
    }
    return filled;
}

std::string Describe(const RowMask& mask) {
    std::string text;
    for (int square = 0; square < kMaxSide; ++square) text += Bit(mask, square) ? 'P' : '.';
    return text;
}

std::vector<FillKernel> RunnableFills() {
    std::vector<FillKernel> fills{FillKernel::Portable};
    if (DetectProcessorFeatures().bmi2) fills.push_back(FillKernel::Bmi2);
    return fills;
}

TEST(RunFill, EveryKernelFillsExactlyTheSeededRuns) {
    std::mt19937_64 random(3);
    for (int trial = 0; trial < 20000; ++trial) {
        RowMask open{};
        RowMask seeds{};
        // From sparse rows to rows of whole open words, so runs end on every side of a word edge.
        const int density = trial % 5;
        for (int word = 0; word < kRowWords; ++word) {
            std::uint64_t bits = random();
            for (int more = 0; more < density; ++more) bits |= random();
            if (trial % 7 == 0) bits = ~std::uint64_t{0};
            if (trial % 11 == 0) bits &= ~(std::uint64_t{1} << (random() % 64));
            open.words[word] = word == kRowWords - 1 ? bits & ((std::uint64_t{1} << (kMaxSide - 192)) - 1) : bits;
            seeds.words[word] = open.words[word] & random() & random() & random();
        }
        if (trial % 3 == 0) {  // one seed alone, often next to a word edge
            const int edges[] = {0, 63, 64, 127, 128, 191, 192, 199};
            const int square = trial % 2 == 0 ? edges[(trial / 3) % 8] : static_cast<int>(random() % kMaxSide);
            seeds = RowMask{};
            if (Bit(open, square)) SetBit(seeds, square);
        }
        const RowMask expected = ReferenceFill(open, seeds);
        for (const FillKernel fill : RunnableFills()) {
            const RowMask got = FillTouchedRuns(fill, open, seeds);
            for (int word = 0; word < kRowWords; ++word) {
                ASSERT_EQ(got.words[word], expected.words[word])
                    << KernelName(fill) << " fill, word " << word << "\nopen   " << Describe(open) << "\nseeds  "
                    << Describe(seeds) << "\nwanted " << Describe(expected) << "\ngot    " << Describe(got);
            }
        }
    }
}

// Hand-made grids, drawn as rows of "P" (conducting) and "." (insulating).
class WalkFixture : public ::testing::Test {
protected:
    void SetUp() override { before_ = ActiveKernels(); }
    void TearDown() override {
        UseKernels(before_);
        ColumnCount = allocated_;
        FreeGrid();
    }
    void Draw(const std::vector<std::string>& rows) {
        ColumnCount = allocated_;
        FreeGrid();
        allocated_ = static_cast<int>(rows[0].size());
        ColumnCount = allocated_;
        RowCount = static_cast<int>(rows.size());
        ASSERT_TRUE(AllocateGrid());
        for (int r = 1; r <= RowCount; ++r)
            for (int c = 1; c <= ColumnCount; ++c) Square(c, r) = rows[r - 1][c - 1] == 'P' ? kConducting : kInsulating;
        LoadRowMasksFromGrid();
    }
    // The verdict of every runnable combination, checked against the union-find labelling.
    void ExpectVerdict(bool percolates, const std::string& name) {
        EXPECT_EQ(vrtinela_testing::UnionFindPercolates(), percolates) << name << " (union-find)";
        for (const KernelChoice choice : RunnableKernels(DetectProcessorFeatures())) {
            UseKernels(choice);
            EXPECT_EQ(Percolates(), percolates) << name << " with the " << KernelName(choice.fill) << " fill";
        }
    }

private:
    KernelChoice before_{};
    int allocated_ = 0;
};

// Rows full but for one gap, at the right end and the left end in turn: the only path runs the
// whole width in every second row, across every word edge, to and fro.
std::vector<std::string> RowSerpentine(int side, bool open) {
    std::vector<std::string> rows;
    for (int r = 0; r < side; ++r) {
        std::string row(side, 'P');
        if (r % 2 == 1) {
            row = std::string(side, '.');
            row[(r / 2) % 2 == 0 ? side - 1 : 0] = 'P';
        }
        rows.push_back(row);
    }
    if (!open) rows[side / 2 | 1][side - 1] = rows[side / 2 | 1][0] = '.';
    return rows;
}

// Shafts in every second column, joined alternately near the bottom and near the top: the path
// enters at the top of the first shaft and goes down, up and down again; only the last shaft
// reaches the bottom row, and only when `open`.
std::vector<std::string> ColumnSerpentine(int side, bool open) {
    std::vector<std::string> rows(side, std::string(side, '.'));
    const int lastShaft = (side - 1) / 2 * 2;
    for (int c = 0; c <= lastShaft; c += 2) {
        for (int r = 1; r <= side - 2; ++r) rows[r][c] = 'P';
        if (c < lastShaft) rows[(c / 2) % 2 == 0 ? side - 2 : 1][c + 1] = 'P';
    }
    rows[0][0] = 'P';
    if (open) rows[side - 1][lastShaft] = 'P';
    return rows;
}

using Walk = WalkFixture;

TEST_F(Walk, RowSerpentinesAcrossEveryWordEdge) {
    for (const int side : {3, 5, 63, 64, 65, 128, 129, 200}) {
        Draw(RowSerpentine(side, true));
        ExpectVerdict(true, "row serpentine " + std::to_string(side));
        Draw(RowSerpentine(side, false));
        ExpectVerdict(false, "cut row serpentine " + std::to_string(side));
    }
}

TEST_F(Walk, ColumnSerpentinesThatClimbBackUp) {
    for (const int side : {5, 9, 64, 65, 199, 200}) {
        Draw(ColumnSerpentine(side, true));
        ExpectVerdict(true, "column serpentine " + std::to_string(side));
        Draw(ColumnSerpentine(side, false));
        ExpectVerdict(false, "cut column serpentine " + std::to_string(side));
    }
}

TEST(KernelAgreement, EveryCombinationMatchesTheOraclesOnRandomGrids) {
    const vrtinela_testing::AgreementReport report =
        vrtinela_testing::CompareKernelsWithOracles(1500, 1234567u, 24);
    EXPECT_EQ(report.firstMismatch, "");
    EXPECT_EQ(report.grids, 1500);
    EXPECT_EQ(report.combinations, static_cast<int>(RunnableKernels(DetectProcessorFeatures()).size()));
    EXPECT_EQ(report.kernelRuns, report.grids * report.combinations);
    EXPECT_GT(report.literalChecks, 100);
    // Both verdicts must be common, or the agreement proves little.
    EXPECT_GT(report.percolating, report.grids / 4);
    EXPECT_LT(report.percolating, report.grids * 3 / 4);
}

}  // namespace
}  // namespace vrtinela
