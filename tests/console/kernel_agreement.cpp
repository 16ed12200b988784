// kernel_agreement.cpp: the random grids and the comparison of each kernel combination.
// Limits: stops at the first mismatch and describes it; draws its parameters from mt19937.
#include "tests/console/kernel_agreement.h"

#include <random>
#include <sstream>

#include "console/configuration.h"
#include "console/grid.h"
#include "console/kernel_choice.h"
#include "console/percolation.h"
#include "console/random_generator.h"
#include "console/row_masks.h"
#include "tests/console/literal_generation.h"
#include "tests/console/literal_labelling.h"
#include "tests/console/union_find_labelling.h"

namespace vrtinela_testing {

namespace {

std::uint32_t gridSeed = 0;
std::uint32_t GridSeed() { return gridSeed; }

double ThresholdFor(int grid, std::mt19937& random) {
    switch (grid % 5) {
        case 0: return 0.0;
        case 1: return 1.0;
        case 2: return 0.592746;
        case 3: return std::uniform_real_distribution<double>(0.0, 1.0)(random);
        default: return std::uniform_real_distribution<double>(0.5, 0.7)(random);  // both verdicts likely
    }
}

}  // namespace

std::string FirstSquareDifference() {
    using vrtinela::RowMasks;
    for (int row = 1; row <= vrtinela::RowCount; ++row) {
        for (int column = 1; column <= vrtinela::kRowBits; ++column) {
            const bool bit = ((RowMasks[row - 1].words[(column - 1) / 64] >> ((column - 1) % 64)) & 1u) != 0;
            const bool conducts = column <= vrtinela::ColumnCount && vrtinela::Square(column, row) > 0.0;
            if (bit != conducts) {
                std::ostringstream text;
                text << "square " << column << "x" << row << " is " << (bit ? "set" : "clear");
                return text.str();
            }
        }
    }
    return "";
}

AgreementReport CompareKernelsWithOracles(int grids, std::uint32_t runSeed, int literalSideLimit) {
    AgreementReport report;
    const vrtinela::KernelChoice before = vrtinela::ActiveKernels();
    const auto combinations = vrtinela::RunnableKernels(vrtinela::DetectProcessorFeatures());
    report.combinations = static_cast<int>(combinations.size());
    vrtinela::ColumnCount = vrtinela::kMaxSide;
    if (!vrtinela::AllocateGrid()) {
        report.firstMismatch = "no memory for the grid";
        return report;
    }
    vrtinela::SetSeedClock(&GridSeed);
    std::mt19937 random(runSeed);
    for (int grid = 0; grid < grids && report.firstMismatch.empty(); ++grid) {
        const int side = std::uniform_int_distribution<int>(3, vrtinela::kMaxSide)(random);
        vrtinela::ColumnCount = side;
        vrtinela::RowCount = side;
        vrtinela::Threshold = ThresholdFor(grid, random);
        gridSeed = static_cast<std::uint32_t>(random());
        std::ostringstream where;
        where << "side " << side << ", threshold " << vrtinela::Threshold << ", seed " << gridSeed << ": ";

        GenerateSquareBySquare();
        const std::uint32_t seedAfter = vrtinela::RandomSeed;
        const bool verdict = UnionFindPercolates();
        if (side <= literalSideLimit) {
            ++report.literalChecks;
            if (LiteralPercolates() != verdict) report.firstMismatch = where.str() + "the two labellings disagree";
        }
        report.percolating += verdict ? 1 : 0;
        ++report.grids;
        for (const vrtinela::KernelChoice choice : combinations) {
            if (!report.firstMismatch.empty()) break;
            vrtinela::UseKernels(choice);
            const std::string kernels = std::string(vrtinela::KernelName(choice.generation)) + " generation, " +
                                        vrtinela::KernelName(choice.fill) + " fill: ";
            vrtinela::GenerateRowMasks();
            const std::string difference = FirstSquareDifference();
            if (!difference.empty()) {
                report.firstMismatch = where.str() + kernels + difference;
            } else if (vrtinela::RandomSeed != seedAfter) {
                report.firstMismatch = where.str() + kernels + "the generator ends in another state";
            } else if (vrtinela::Percolates() != verdict) {
                report.firstMismatch = where.str() + kernels + "the verdict differs from the labelling";
            }
            ++report.kernelRuns;
        }
    }
    vrtinela::UseKernels(before);
    vrtinela::SetSeedClock(nullptr);
    vrtinela::ColumnCount = vrtinela::kMaxSide;
    vrtinela::FreeGrid();
    return report;
}

}  // namespace vrtinela_testing
