// bit_spanning_test.cpp
// Every kernel of the bit-mask sweep against the union-find: the same spanning number for the same
// seeded samples, over sizes on both sides of the word edges, every open rule, and starts that already
// span; and its flood against a literal breadth-first fill on random masks.
#include <gtest/gtest.h>

#include <numeric>
#include <queue>
#include <stdexcept>
#include <random>

#include "prag/bit_spanning.h"
#include "prag/lattice.h"
#include "prag/sample_stream.h"

namespace {

using prag::Spanning;

TEST(BitSpanning, EveryKernelGivesTheUnionFindsSpanningNumberOnEverySample) {
    // 2 and 3: the first test spans at once and must step back; 63 to 65 and 127 to 129 sit on the
    // edges of a word; 200 has a part-filled last word; 1500's order fills large pages, and its draws
    // below bounds of millions are rejected and drawn again hundreds of times a sample.
    for (const prag::BitKernel kernel : prag::RunnableBitKernels()) {
        for (const int side : {2, 3, 5, 17, 63, 64, 65, 127, 128, 129, 200, 1500}) {
            prag::Lattice lattice(prag::Model::kSite, side);
            prag::BitSpanning bits(side, kernel);
            const int samples = side <= 65 ? 300 : side <= 200 ? 40 : 1;
            for (const Spanning rule : {Spanning::kTopBottom, Spanning::kLeftRight, Spanning::kEither, Spanning::kBoth}) {
                for (int sample = 0; sample < samples; ++sample) {
                    prag::SampleStream a(11, side, static_cast<std::uint64_t>(sample)), b(11, side, static_cast<std::uint64_t>(sample));
                    ASSERT_EQ(bits.SpanningNumber(a, rule), lattice.SpanningNumber(b, rule))
                        << prag::BitKernelName(kernel) << " L=" << side << " " << prag::SpanningName(rule) << " sample " << sample;
                }
            }
        }
    }
}

TEST(BitSpanning, KernelsNeedTheirInstructionsAndSkipAMicrocodedBitDeposit) {
    if (!VRTINELA_X86_KERNELS) GTEST_SKIP() << "built with the portable kernel alone";
    using prag::BitKernel;
    struct Case {
        bool avx2, avx512, bmi2, slow_bit_deposit;
        std::vector<BitKernel> runnable;
        BitKernel best;
    };
    const Case cases[] = {
        {false, false, false, false, {BitKernel::kPortable}, BitKernel::kPortable},
        {true, true, false, false, {BitKernel::kPortable}, BitKernel::kPortable},  // no BMI2, no vector kernel
        {true, false, true, false, {BitKernel::kPortable, BitKernel::kAvx2}, BitKernel::kAvx2},
        {true, true, true, false, {BitKernel::kPortable, BitKernel::kAvx2, BitKernel::kAvx512}, BitKernel::kAvx512},
        {true, false, true, true, {BitKernel::kPortable, BitKernel::kAvx2}, BitKernel::kPortable},  // Zen 2
    };
    for (const Case& c : cases) {
        const vrtinela::ProcessorFeatures features{c.avx2, c.avx512, c.bmi2, c.slow_bit_deposit};
        EXPECT_EQ(prag::RunnableBitKernels(features), c.runnable) << c.avx2 << c.avx512 << c.bmi2 << c.slow_bit_deposit;
        EXPECT_EQ(prag::BestBitKernel(features), c.best) << c.avx2 << c.avx512 << c.bmi2 << c.slow_bit_deposit;
    }
}

// What the sweep cannot take is refused before anything is written, so that no entry of an order or
// a mask reaches past the masks.
TEST(BitSpanning, RefusesSidesOrdersMasksAndRulesItCannotSweep) {
    EXPECT_THROW(prag::BitSpanning(1), std::invalid_argument);
    EXPECT_THROW(prag::BitSpanning(8193), std::invalid_argument);
    prag::BitSpanning bits(65);
    std::vector<std::uint32_t> order(65 * 65);
    std::iota(order.begin(), order.end(), 0u);
    const std::vector<std::uint32_t> short_order(order.begin(), order.end() - 1);
    EXPECT_THROW(bits.SpanningNumber(short_order, Spanning::kTopBottom), std::invalid_argument);
    order[7] = 65 * 65;
    EXPECT_THROW(bits.SpanningNumber(order, Spanning::kTopBottom), std::invalid_argument);
    order[7] = 7;
    EXPECT_THROW(bits.SpanningNumber(order, Spanning::kHorizontal), std::invalid_argument);
    EXPECT_EQ(bits.SpanningNumber(order, Spanning::kTopBottom), 64u * 65 + 1);  // row order: the last row's first site
    std::vector<std::uint64_t> masks(65 * 2);
    masks[3] = std::uint64_t{1} << 1;  // row 1, column 65: past the last column
    EXPECT_THROW(bits.ReachFromTop(masks), std::invalid_argument);
    EXPECT_THROW(bits.ReachFromTop(std::vector<std::uint64_t>(65)), std::invalid_argument);
}

// The occupied sites joined to the top row, one site at a time.
std::vector<std::uint64_t> BreadthFirstFromTop(const std::vector<std::uint64_t>& occupied, int side) {
    const int words = (side + 63) / 64;
    const auto at = [&](const std::vector<std::uint64_t>& masks, int x, int y) { return (masks[y * words + x / 64] >> (x % 64)) & 1u; };
    std::vector<std::uint64_t> reached(occupied.size());
    std::queue<std::pair<int, int>> queue;
    const auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= side || y >= side || !at(occupied, x, y) || at(reached, x, y)) return;
        reached[y * words + x / 64] |= std::uint64_t{1} << (x % 64);
        queue.push({x, y});
    };
    for (int x = 0; x < side; ++x) visit(x, 0);
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop();
        visit(x - 1, y), visit(x + 1, y), visit(x, y - 1), visit(x, y + 1);
    }
    return reached;
}

TEST(BitSpanning, EveryKernelsFloodReachesWhatABreadthFirstFillReaches) {
    std::mt19937_64 random(5);
    for (const prag::BitKernel kernel : prag::RunnableBitKernels()) {
        for (const int side : {2, 7, 63, 64, 65, 130, 256}) {
            prag::BitSpanning bits(side, kernel);
            const int words = (side + 63) / 64;
            for (const double share : {0.3, 0.55, 0.6, 0.65, 0.8, 1.0}) {
                for (int trial = 0; trial < 5; ++trial) {
                    std::vector<std::uint64_t> occupied(static_cast<std::size_t>(side * words));
                    std::bernoulli_distribution occupy(share);
                    for (int y = 0; y < side; ++y) {
                        for (int x = 0; x < side; ++x) {
                            if (occupy(random)) occupied[y * words + x / 64] |= std::uint64_t{1} << (x % 64);
                        }
                    }
                    ASSERT_EQ(bits.ReachFromTop(occupied), BreadthFirstFromTop(occupied, side))
                        << prag::BitKernelName(kernel) << " L=" << side << " share " << share << " trial " << trial;
                }
            }
        }
    }
}

}  // namespace
