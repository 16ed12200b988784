// lattice_test.cpp
// The union-find sweep against literal breadth-first search: exhaustively on every configuration of
// L = 2 and 3, statistically for the randomly drawn order, and against direct Monte Carlo at fixed p.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

#include "prag/analysis.h"
#include "prag/curve.h"
#include "prag/lattice.h"
#include "prag/sample_stream.h"
#include "prag/sweep.h"
#include "tests/prag/reference_spanning.h"

namespace {

using prag::Model;
using prag::Spanning;

constexpr Spanning kRules[] = {Spanning::kTopBottom, Spanning::kLeftRight, Spanning::kEither, Spanning::kBoth};

double Choose(int n, int k) {
    double value = 1.0;
    for (int i = 1; i <= k; ++i) value = value * (n - k + i) / i;
    return value;
}

std::vector<bool> Configuration(unsigned mask, int items) {
    std::vector<bool> occupied(static_cast<std::size_t>(items));
    for (int i = 0; i < items; ++i) occupied[static_cast<std::size_t>(i)] = (mask >> i) & 1u;
    return occupied;
}

// R_n by exhaustive count: the share of the C(N, n) configurations with n items that span.
std::vector<double> ExhaustiveSpanning(Model model, int side, Spanning rule) {
    const int items = static_cast<int>(prag::ItemCount(model, side));
    std::vector<double> spanning(static_cast<std::size_t>(items) + 1, 0.0);
    for (unsigned mask = 0; mask < (1u << items); ++mask) {
        if (prag_test::ReferenceSpans(model, side, Configuration(mask, items), rule)) {
            spanning[static_cast<std::size_t>(std::popcount(mask))] += 1.0;
        }
    }
    for (int n = 0; n <= items; ++n) spanning[static_cast<std::size_t>(n)] /= Choose(items, n);
    return spanning;
}

TEST(SmallLattices, ReferenceSearchGivesTheHandCountedTwoByTwoValues) {
    // Site, top-bottom: a full column is needed; 2 of the 6 pairs are columns, every triple holds one.
    const std::vector<double> site = ExhaustiveSpanning(Model::kSite, 2, Spanning::kTopBottom);
    const std::vector<double> site_expected{0.0, 0.0, 1.0 / 3.0, 1.0, 1.0};
    // Bond, top-bottom: any of the 2 vertical bonds of 4 is enough; only the two horizontal ones fail.
    const std::vector<double> bond = ExhaustiveSpanning(Model::kBond, 2, Spanning::kTopBottom);
    const std::vector<double> bond_expected{0.0, 0.5, 5.0 / 6.0, 1.0, 1.0};
    for (std::size_t n = 0; n < site_expected.size(); ++n) {
        EXPECT_DOUBLE_EQ(site[n], site_expected[n]) << "site n=" << n;
        EXPECT_DOUBLE_EQ(bond[n], bond_expected[n]) << "bond n=" << n;
    }
}

// Every configuration A of L = 2 and 3, as the first |A| items of an order (A shuffled, then the rest
// shuffled): the sweep must first span within A exactly when A spans, and its spanning number must be
// the first prefix that spans. Counting over all A gives the microcanonical R_n, equal to the exhaustive one.
TEST(SmallLattices, MicrocanonicalSpanningEqualsExhaustiveCount) {
    std::mt19937 shuffle(7);
    for (const Model model : {Model::kSite, Model::kBond}) {
        for (const int side : {2, 3}) {
            const int items = static_cast<int>(prag::ItemCount(model, side));
            prag::Lattice lattice(model, side);
            for (const Spanning rule : kRules) {
                const std::vector<double> exhaustive = ExhaustiveSpanning(model, side, rule);
                std::vector<double> swept(static_cast<std::size_t>(items) + 1, 0.0);
                for (unsigned mask = 0; mask < (1u << items); ++mask) {
                    std::vector<std::uint32_t> inside, outside;
                    for (int i = 0; i < items; ++i) ((mask >> i) & 1u ? inside : outside).push_back(static_cast<std::uint32_t>(i));
                    std::shuffle(inside.begin(), inside.end(), shuffle);
                    std::shuffle(outside.begin(), outside.end(), shuffle);
                    std::vector<std::uint32_t> order = inside;
                    order.insert(order.end(), outside.begin(), outside.end());
                    const std::uint32_t n = lattice.SpanningNumber(order, rule);
                    ASSERT_GE(n, 1u);
                    ASSERT_LE(n, static_cast<std::uint32_t>(items));
                    if (n <= inside.size()) swept[inside.size()] += 1.0;
                    std::vector<bool> prefix(static_cast<std::size_t>(items), false);
                    for (std::uint32_t k = 0; k + 1 < n; ++k) prefix[order[k]] = true;
                    ASSERT_FALSE(prag_test::ReferenceSpans(model, side, prefix, rule))
                        << prag::ModelName(model) << " L=" << side << " " << prag::SpanningName(rule) << " mask " << mask
                        << ": spans before the reported step " << n;
                    prefix[order[n - 1]] = true;
                    ASSERT_TRUE(prag_test::ReferenceSpans(model, side, prefix, rule))
                        << prag::ModelName(model) << " L=" << side << " " << prag::SpanningName(rule) << " mask " << mask
                        << ": does not span at the reported step " << n;
                }
                for (int n = 0; n <= items; ++n) {
                    EXPECT_NEAR(swept[static_cast<std::size_t>(n)] / Choose(items, n), exhaustive[static_cast<std::size_t>(n)], 1e-12)
                        << prag::ModelName(model) << " L=" << side << " " << prag::SpanningName(rule) << " n=" << n;
                }
            }
        }
    }
}

// The random order drawn from the sample streams must be uniform: its spanning numbers reproduce the
// exhaustive R_n of L = 3 within sampling error.
TEST(SmallLattices, RandomOrdersReproduceExhaustiveSpanning) {
    constexpr std::uint64_t kSamples = 40000;
    for (const Model model : {Model::kSite, Model::kBond}) {
        for (const Spanning rule : {Spanning::kTopBottom, Spanning::kBoth}) {
            const int items = static_cast<int>(prag::ItemCount(model, 3));
            const std::vector<double> exhaustive = ExhaustiveSpanning(model, 3, rule);
            const std::vector<std::uint32_t> spanning =
                prag::SpanningNumbers({model, rule, 3, 11, 0, kSamples}, 2);
            for (int n = 0; n <= items; ++n) {
                const auto spanned = std::count_if(spanning.begin(), spanning.end(),
                                                   [n](std::uint32_t s) { return static_cast<int>(s) <= n; });
                const double share = static_cast<double>(spanned) / kSamples;
                const double expected = exhaustive[static_cast<std::size_t>(n)];
                const double sigma = std::sqrt(expected * (1.0 - expected) / kSamples);
                EXPECT_LE(std::abs(share - expected), 4.5 * sigma + 1e-12)
                    << prag::ModelName(model) << " " << prag::SpanningName(rule) << " n=" << n << ": " << share << " vs " << expected;
            }
        }
    }
}

struct Share {
    double value;
    double standard_error;
};

// Direct Monte Carlo at fixed p: random grids from the test's own generator, breadth-first search.
Share DirectMonteCarlo(int side, double p, int grids, std::mt19937_64& random) {
    std::bernoulli_distribution occupied(p);
    int spanned = 0;
    std::vector<bool> grid(static_cast<std::size_t>(side * side));
    for (int g = 0; g < grids; ++g) {
        for (std::size_t s = 0; s < grid.size(); ++s) grid[s] = occupied(random);
        spanned += prag_test::ReferenceSpans(Model::kSite, side, grid, Spanning::kTopBottom) ? 1 : 0;
    }
    const double share = static_cast<double>(spanned) / grids;
    return {share, std::sqrt(share * (1.0 - share) / grids)};
}

TEST(NewmanZiff, AgreesWithDirectMonteCarloAtFixedP) {
    std::mt19937_64 random(2024);
    for (const int side : {16, 64}) {
        const int samples = side == 16 ? 4000 : 1500;
        const std::vector<std::uint32_t> spanning =
            prag::SpanningNumbers({Model::kSite, Spanning::kTopBottom, side, 5, 0, static_cast<std::uint64_t>(samples)}, 2);
        const prag::SpanningHistogram histogram(prag::ItemCount(Model::kSite, side), spanning);
        for (const double p : {0.56, 0.59, 0.62}) {
            const prag::CurvePoint swept = prag::Evaluate(histogram, p);
            const Share direct = DirectMonteCarlo(side, p, samples, random);
            const double sigma = std::hypot(swept.standard_error, direct.standard_error);
            EXPECT_LE(std::abs(swept.r - direct.value), 4.0 * sigma)
                << "L=" << side << " p=" << p << ": Newman-Ziff " << swept.r << " ± " << swept.standard_error
                << ", direct " << direct.value << " ± " << direct.standard_error;
            // Guards the comparison itself: these p lie on the rise, where R is neither 0 nor 1.
            EXPECT_GT(swept.standard_error, 0.0);
        }
    }
}

}  // namespace
