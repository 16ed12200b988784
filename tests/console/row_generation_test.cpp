// row_generation_test.cpp: the jump-ahead maps, the integer threshold bound and every row
// generator this processor runs, against the square-by-square generation.
// Limits: AVX2 and AVX-512 generators are covered only where the processor has them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "console/configuration.h"
#include "console/grid.h"
#include "console/jump_ahead.h"
#include "console/kernel_choice.h"
#include "console/random_generator.h"
#include "console/row_generation.h"
#include "console/row_masks.h"
#include "tests/console/kernel_agreement.h"
#include "tests/console/literal_generation.h"

namespace vrtinela {
namespace {

constexpr double kTwoTo32 = 4294967296.0;

TEST(JumpAhead, FoldedDrawsEqualDrawsOneByOne) {
    std::mt19937 random(7);
    for (const std::uint64_t count : {0ull, 1ull, 2ull, 17ull, 18ull, 217ull, 40017ull, 99999ull}) {
        const std::uint32_t seed = static_cast<std::uint32_t>(random());
        std::uint32_t state = seed;
        for (std::uint64_t step = 0; step < count; ++step) state = state * 134775813u + 1u;
        EXPECT_EQ(Apply(DrawsAhead(count), seed), state) << count << " draws from " << seed;
    }
}

TEST(DrawBound, EdgesOfTheThresholdRange) {
    constexpr std::uint64_t kAll = std::uint64_t{1} << 32;
    EXPECT_EQ(DrawBound(0.0), 0u);
    EXPECT_EQ(DrawBound(-0.0), 0u);
    EXPECT_EQ(DrawBound(-0.5), 0u);
    EXPECT_EQ(DrawBound(-std::numeric_limits<double>::infinity()), 0u);
    EXPECT_EQ(DrawBound(std::numeric_limits<double>::quiet_NaN()), 0u);
    EXPECT_EQ(DrawBound(1.0), kAll);
    EXPECT_EQ(DrawBound(7.5), kAll);
    EXPECT_EQ(DrawBound(std::numeric_limits<double>::infinity()), kAll);
    EXPECT_EQ(DrawBound(std::nextafter(1.0, 0.0)), kAll);  // the draw (2^32 - 1) / 2^32 lies below it
    EXPECT_EQ(DrawBound(std::numeric_limits<double>::denorm_min()), 1u);  // only the draw 0 lies below
    // A draw equal to the threshold does not conduct; a hair above it does.
    EXPECT_EQ(DrawBound(3438479303.0 / kTwoTo32), 3438479303u);
    EXPECT_EQ(DrawBound(std::nextafter(3438479303.0 / kTwoTo32, 2.0)), 3438479304u);
    EXPECT_EQ(DrawBound(0.592746), static_cast<std::uint64_t>(std::ceil(0.592746 * kTwoTo32)));
}

TEST(DrawBound, IntegerComparisonMatchesTheComparisonOfDoubles) {
    std::mt19937_64 random(11);
    for (int trial = 0; trial < 200000; ++trial) {
        const double threshold = std::uniform_real_distribution<double>(-0.1, 1.1)(random);
        const std::uint64_t bound = DrawBound(threshold);
        // Draws right around the threshold, where a rounding slip would show.
        const double centre = std::floor(threshold * kTwoTo32);
        for (const double offset : {-1.0, 0.0, 1.0, 2.0}) {
            const double k = centre + offset;
            if (k < 0.0 || k >= kTwoTo32) continue;
            const bool integerSays = static_cast<std::uint64_t>(k) < bound;
            const bool doubleSays = k / kTwoTo32 < threshold;
            ASSERT_EQ(integerSays, doubleSays) << "threshold " << threshold << ", draw " << k;
        }
    }
}

// Every runnable generation kernel against the square-by-square generation, on grids whose
// widths straddle the vector lanes and the 64-bit words, and on grids that are not square (the
// columns are RowCount draws apart).
class RowGenerators : public ::testing::Test {
protected:
    void SetUp() override {
        before_ = ActiveKernels();
        ColumnCount = kMaxSide;
        ASSERT_TRUE(AllocateGrid());
        SetSeedClock(&FixedSeed);
    }
    void TearDown() override {
        UseKernels(before_);
        SetSeedClock(nullptr);
        ColumnCount = kMaxSide;
        FreeGrid();
    }
    static std::uint32_t FixedSeed() { return seed; }
    static inline std::uint32_t seed = 0;

    // Draws one grid square by square and once per kernel; names the first difference.
    static std::string Compare(int columns, int rows, double threshold, std::uint32_t gridSeed) {
        ColumnCount = columns;
        RowCount = rows;
        Threshold = threshold;
        seed = gridSeed;
        vrtinela_testing::GenerateSquareBySquare();
        const std::uint32_t after = RandomSeed;
        for (const KernelChoice choice : RunnableKernels(DetectProcessorFeatures())) {
            UseKernels(choice);
            for (RowMask& mask : RowMasks) mask = RowMask{{~std::uint64_t{0}, ~std::uint64_t{0}, 1u, 2u}};
            GenerateRowMasks();
            const std::string where = std::string(KernelName(choice.generation)) + " at " + std::to_string(columns) +
                                      " x " + std::to_string(rows) + ", threshold " + std::to_string(threshold) +
                                      ", seed " + std::to_string(gridSeed) + ": ";
            const std::string difference = vrtinela_testing::FirstSquareDifference();
            if (!difference.empty()) return where + difference;
            if (RandomSeed != after) return where + "the generator ends in another state";
        }
        return "";
    }

private:
    KernelChoice before_{};
};

TEST_F(RowGenerators, EveryKernelDrawsTheSquaresOfTheSerialOrder) {
    const int widths[] = {1, 3, 7, 8, 9, 15, 16, 17, 31, 33, 63, 64, 65, 127, 128, 129, 191, 192, 193, 199, 200};
    const double thresholds[] = {0.5, 0.592746, 0.05, 0.97};
    std::uint32_t gridSeed = 1;
    for (const int width : widths) {
        for (const double threshold : thresholds) {
            gridSeed = gridSeed * 2654435761u + 12345u;
            ASSERT_EQ(Compare(width, width, threshold, gridSeed), "");
        }
    }
    ASSERT_EQ(Compare(5, 200, 0.5, 99u), "");
    ASSERT_EQ(Compare(200, 3, 0.5, 98u), "");
    ASSERT_EQ(Compare(130, 17, 0.7, 97u), "");
}

TEST_F(RowGenerators, SaturatedThresholdsAndDrawsOnTheThreshold) {
    for (const double threshold : {0.0, -1.0, 1.0, 7.5}) {
        ASSERT_EQ(Compare(200, 200, threshold, 4242u), "");
        ASSERT_EQ(Compare(67, 67, threshold, 4243u), "");
    }
    // Column 1, row 1 of seed 12345 takes the draw 3438479303 / 2^32: exactly on the threshold it
    // stays insulating, one step of the double above it conducts.
    const double onTheDraw = 3438479303.0 / kTwoTo32;
    for (const double threshold : {onTheDraw, std::nextafter(onTheDraw, 2.0)}) {
        ASSERT_EQ(Compare(3, 3, threshold, 12345u), "");
        ASSERT_EQ(Compare(100, 100, threshold, 12345u), "");
    }
}

TEST_F(RowGenerators, TheLargestDrawConductsFromAThresholdOfOneUp) {
    // The draw (2^32 - 1) / 2^32 is the one a 32-bit comparison with the bound would get wrong.
    // The seed that gives it to square (c, r) lies that many draws back: the period is 2^32.
    ColumnCount = 200;
    RowCount = 200;
    const int squares[][2] = {{1, 1}, {70, 5}, {129, 77}, {200, 200}};
    for (const auto& square : squares) {
        const std::uint64_t draw = 18 + static_cast<std::uint64_t>(square[0] - 1) * 200 + (square[1] - 1);
        seed = Apply(DrawsAhead((std::uint64_t{1} << 32) - draw), 0xFFFFFFFFu);
        for (const double threshold : {1.0, std::nextafter(1.0, 0.0)}) {
            Threshold = threshold;
            for (const KernelChoice choice : RunnableKernels(DetectProcessorFeatures())) {
                UseKernels(choice);
                GenerateRowMasks();
                const int c = square[0] - 1;
                EXPECT_EQ((RowMasks[square[1] - 1].words[c / 64] >> (c % 64)) & 1u, 1u)
                    << KernelName(choice.generation) << " at " << square[0] << "x" << square[1];
            }
        }
        ASSERT_EQ(Compare(200, 200, 0.999, seed), "");
    }
}

TEST_F(RowGenerators, OnlyTheFullGenerationWritesTheGridOfDoubles) {
    ColumnCount = RowCount = 130;
    Threshold = 0.5;
    Square(1, 1) = Square(130, 130) = 1.5;
    GenerateRowMasks();
    EXPECT_EQ(Square(1, 1), 1.5);
    EXPECT_EQ(Square(130, 130), 1.5);
    GenerateConfiguration();
    EXPECT_EQ(vrtinela_testing::FirstSquareDifference(), "");
    EXPECT_NE(Square(130, 130), 1.5);
}

}  // namespace
}  // namespace vrtinela
