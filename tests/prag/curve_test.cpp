// curve_test.cpp
// Binomial weights against exact values, the canonical R(p) and its error against sums written out
// directly, and the crossing point.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "prag/binomial.h"
#include "prag/curve.h"

namespace {

// P(X = k) for X ~ Bin(n, p), as a plain product of n choose k and the powers.
double ExactBinomial(int n, int k, double p) {
    double choose = 1.0;
    for (int i = 1; i <= k; ++i) choose = choose * (n - k + i) / i;
    return choose * std::pow(p, k) * std::pow(1.0 - p, n - k);
}

double ExactTail(int n, int from, double p) {
    double tail = 0.0;
    for (int k = std::max(0, from); k <= n; ++k) tail += ExactBinomial(n, k, p);
    return tail;
}

double WeightAt(const prag::BinomialWindow& window, std::uint64_t k) {
    if (k < window.first || k >= window.first + window.weights.size()) return 0.0;
    return window.weights[k - window.first];
}

TEST(Binomial, SmallTrialsMatchExactProbabilities) {
    for (const double p : {0.03, 0.3, 0.5, 0.77, 0.999}) {
        const prag::BinomialWindow window = prag::BinomialWeights(40, p);
        for (int k = 0; k <= 40; ++k) {
            const double exact = ExactBinomial(40, k, p);
            EXPECT_NEAR(WeightAt(window, static_cast<std::uint64_t>(k)), exact, 1e-14 + 1e-12 * exact) << "p=" << p << " k=" << k;
        }
    }
}

TEST(Binomial, HugeTrialsStayFiniteWithTheRightMomentsAndANarrowWindow) {
    constexpr std::uint64_t kTrials = 4096ull * 4096ull;
    const double p = 0.592746;
    const prag::BinomialWindow window = prag::BinomialWeights(kTrials, p);
    double total = 0.0, mean = 0.0, square = 0.0;
    for (std::size_t k = 0; k < window.weights.size(); ++k) {
        const double n = static_cast<double>(window.first + k);
        ASSERT_TRUE(std::isfinite(window.weights[k]));
        total += window.weights[k];
        mean += n * window.weights[k];
        square += n * n * window.weights[k];
    }
    const double expected_mean = static_cast<double>(kTrials) * p;
    const double expected_variance = expected_mean * (1.0 - p);
    EXPECT_NEAR(total, 1.0, 1e-12);
    EXPECT_NEAR(mean, expected_mean, 1e-3);
    EXPECT_NEAR(square - mean * mean, expected_variance, 1e-3 * expected_variance);
    // The cut at 1e-20 of the mode is about ten standard deviations each way.
    EXPECT_LT(window.weights.size(), 25 * static_cast<std::size_t>(std::sqrt(expected_variance)));
}

TEST(CanonicalCurve, IsTheMeanOfEachSampleBinomialTail) {
    constexpr int kItems = 30;
    const std::vector<std::uint32_t> spanning{12, 17, 17, 20, 25, 3};
    const prag::SpanningHistogram histogram(kItems, spanning);
    for (const double p : {0.1, 0.45, 0.6, 0.93}) {
        double sum = 0.0, square = 0.0;
        for (const std::uint32_t s : spanning) {
            const double tail = ExactTail(kItems, static_cast<int>(s), p);
            sum += tail;
            square += tail * tail;
        }
        const double n = static_cast<double>(spanning.size());
        const double mean = sum / n;
        const double error = std::sqrt((square / n - mean * mean) / (n - 1.0));
        const prag::CurvePoint point = prag::Evaluate(histogram, p);
        EXPECT_NEAR(point.r, mean, 1e-12) << "p=" << p;
        EXPECT_NEAR(point.standard_error, error, 1e-12) << "p=" << p;
    }
}

TEST(CanonicalCurve, IdenticalSamplesHaveNoErrorAndOneSampleHasNone) {
    const std::vector<std::uint32_t> same(50, 7);
    const prag::CurvePoint point = prag::Evaluate(prag::SpanningHistogram(10, same), 0.5);
    EXPECT_NEAR(point.r, ExactTail(10, 7, 0.5), 1e-14);
    EXPECT_EQ(point.standard_error, 0.0);
    const std::vector<std::uint32_t> one{7};
    EXPECT_TRUE(std::isnan(prag::Evaluate(prag::SpanningHistogram(10, one), 0.5).standard_error));
}

TEST(CanonicalCurve, RunsFromZeroToOneAndCrossesTheLevelWhereAsked) {
    const std::vector<std::uint32_t> spanning{40, 44, 47, 51, 52, 58, 60, 61};
    const prag::SpanningHistogram histogram(100, spanning);
    EXPECT_EQ(prag::Evaluate(histogram, 0.0).r, 0.0);
    EXPECT_EQ(prag::Evaluate(histogram, 1.0).r, 1.0);
    double previous = 0.0;
    for (double p = 0.3; p <= 0.7; p += 0.01) {
        const double r = prag::Evaluate(histogram, p).r;
        EXPECT_GT(r, previous) << "p=" << p;
        previous = r;
    }
    for (const double level : {0.1, 0.5, 0.8}) {
        const double p = prag::CrossingPoint(histogram, level);
        EXPECT_NEAR(prag::Evaluate(histogram, p).r, level, 1e-9) << "level " << level;
    }
}

TEST(Histogram, WithoutRemovesExactlyThePartsSamples) {
    const std::vector<std::uint32_t> all{5, 3, 5, 9, 3, 3};
    const std::vector<std::uint32_t> part{3, 9};
    const std::vector<std::uint32_t> rest{5, 5, 3, 3};
    const prag::SpanningHistogram remaining = prag::SpanningHistogram(12, all).Without(prag::SpanningHistogram(12, part));
    const prag::SpanningHistogram expected(12, rest);
    ASSERT_EQ(remaining.Bins().size(), expected.Bins().size());
    for (std::size_t b = 0; b < expected.Bins().size(); ++b) {
        EXPECT_EQ(remaining.Bins()[b].spanning_number, expected.Bins()[b].spanning_number);
        EXPECT_EQ(remaining.Bins()[b].samples, expected.Bins()[b].samples);
    }
    EXPECT_EQ(remaining.Samples(), 4u);
    const std::vector<std::uint32_t> foreign{4};
    EXPECT_THROW(prag::SpanningHistogram(12, all).Without(prag::SpanningHistogram(12, foreign)), std::invalid_argument);
}

}  // namespace
