// estimate_test.cpp
// The threshold estimates: known thresholds covered by their error bars, jackknife errors that match
// the real scatter between independent runs, and the fit over sizes on data of known shape.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "prag/analysis.h"
#include "prag/estimate.h"
#include "prag/lattice.h"
#include "prag/sweep.h"

namespace {

using prag::Model;
using prag::Spanning;

prag::ThresholdEstimate RunSizes(Model model, const std::vector<int>& sides, std::uint64_t samples, std::uint64_t seed) {
    std::vector<prag::SizeThreshold> thresholds;
    for (const int side : sides) {
        const auto spanning = prag::SpanningNumbers({model, Spanning::kTopBottom, side, seed, 0, samples}, 2);
        thresholds.push_back(prag::ThresholdOfSize(side, prag::ItemCount(model, side), spanning));
    }
    return prag::CombineSizes(thresholds, Spanning::kTopBottom);
}

TEST(Threshold, BondPercolationCoversOneHalf) {
    const prag::ThresholdEstimate estimate = RunSizes(Model::kBond, {8, 16, 32}, 3000, 17);
    ASSERT_TRUE(std::isfinite(estimate.error));
    EXPECT_LT(estimate.error, 0.003) << "an error bar this wide would cover anything";
    EXPECT_LE(std::abs(estimate.value - 0.5), 3.0 * estimate.error)
        << estimate.value << " ± " << estimate.error << " (" << estimate.method << ")";
}

TEST(Threshold, SitePercolationCoversTheKnownValue) {
    const prag::ThresholdEstimate estimate = RunSizes(Model::kSite, {16, 32, 64}, 3000, 23);
    ASSERT_TRUE(std::isfinite(estimate.error));
    EXPECT_LT(estimate.error, 0.003);
    EXPECT_LE(std::abs(estimate.value - 0.5927460), 3.0 * estimate.error)
        << estimate.value << " ± " << estimate.error << " (" << estimate.method << ")";
}

// The jackknife error of p_L must describe how far independent runs of the same size scatter.
TEST(Threshold, JackknifeErrorMatchesTheScatterOfIndependentRuns) {
    constexpr int kRuns = 40;
    constexpr int kSide = 8;
    std::vector<double> crossings;
    double mean_error = 0.0;
    for (int run = 0; run < kRuns; ++run) {
        const auto spanning = prag::SpanningNumbers(
            {Model::kSite, Spanning::kTopBottom, kSide, 1000 + static_cast<std::uint64_t>(run), 0, 400}, 1);
        const prag::SizeThreshold threshold = prag::ThresholdOfSize(kSide, prag::ItemCount(Model::kSite, kSide), spanning);
        crossings.push_back(threshold.p);
        mean_error += threshold.error / kRuns;
    }
    double mean = 0.0;
    for (const double p : crossings) mean += p / kRuns;
    double variance = 0.0;
    for (const double p : crossings) variance += (p - mean) * (p - mean) / (kRuns - 1);
    const double ratio = mean_error / std::sqrt(variance);
    // With 40 runs the scatter itself is known to about 11 %.
    EXPECT_GT(ratio, 0.7) << "jackknife " << mean_error << ", scatter " << std::sqrt(variance);
    EXPECT_LT(ratio, 1.4) << "jackknife " << mean_error << ", scatter " << std::sqrt(variance);
}

std::vector<prag::SizeThreshold> ExactCorrections(double pc, double amplitude, double exponent, double error) {
    std::vector<prag::SizeThreshold> sizes;
    for (const int side : {32, 64, 128, 256}) {
        sizes.push_back({side, pc + amplitude * std::pow(side, -exponent), error});
    }
    return sizes;
}

TEST(SizeFit, RecoversTheThresholdFromExactCorrectionsOfItsExponent) {
    const auto single = ExactCorrections(0.59, 3.0, prag::CorrectionExponent(Spanning::kTopBottom), 1e-4);
    const prag::ThresholdEstimate top_bottom = prag::CombineSizes(single, Spanning::kTopBottom);
    EXPECT_NEAR(top_bottom.value, 0.59, 1e-12);
    EXPECT_NE(top_bottom.method.find("L^-2 over L=32,64,128,256"), std::string::npos) << top_bottom.method;

    const auto either = ExactCorrections(0.59, -0.2, prag::CorrectionExponent(Spanning::kEither), 1e-4);
    const prag::ThresholdEstimate estimate = prag::CombineSizes(either, Spanning::kEither);
    EXPECT_NEAR(estimate.value, 0.59, 1e-12);
    EXPECT_NE(estimate.method.find("L^-0.75"), std::string::npos) << estimate.method;
}

TEST(SizeFit, ErrorFollowsTheSizesErrorsAndGrowsWhenPointsScatter) {
    const auto tight = prag::CombineSizes(ExactCorrections(0.59, 3.0, 2.0, 1e-4), Spanning::kTopBottom);
    const auto loose = prag::CombineSizes(ExactCorrections(0.59, 3.0, 2.0, 3e-4), Spanning::kTopBottom);
    EXPECT_NEAR(loose.error / tight.error, 3.0, 1e-9);
    EXPECT_GT(tight.error, 1e-4 / 2.0) << "an extrapolation cannot beat the mean of the four sizes";

    auto scattered = ExactCorrections(0.59, 3.0, 2.0, 1e-4);
    scattered[1].p += 1e-3;  // ten errors off the line
    scattered[2].p -= 1e-3;
    const auto rough = prag::CombineSizes(scattered, Spanning::kTopBottom);
    EXPECT_GT(rough.error, 5.0 * tight.error);
}

TEST(SizeFit, OneSizeIsItsOwnEstimateAndUnknownErrorsStayUnknown) {
    const std::vector<prag::SizeThreshold> one{{128, 0.5931, 2e-4}};
    const prag::ThresholdEstimate alone = prag::CombineSizes(one, Spanning::kTopBottom);
    EXPECT_EQ(alone.value, 0.5931);
    EXPECT_EQ(alone.error, 2e-4);
    EXPECT_EQ(alone.method, "crossing R=1/2 at L=128 alone");

    auto unknown = ExactCorrections(0.59, 3.0, 2.0, 1e-4);
    unknown[0].error = std::numeric_limits<double>::quiet_NaN();
    const prag::ThresholdEstimate estimate = prag::CombineSizes(unknown, Spanning::kTopBottom);
    EXPECT_NEAR(estimate.value, 0.59, 1e-12);
    EXPECT_TRUE(std::isnan(estimate.error));
}

TEST(Estimate, NuFromSlopesThatGrowAsAPowerOfL) {
    // Exact L^(3/4) slopes give nu = 4/3; with one slope 5 % off the fit moves but stays near.
    std::vector<prag::SizeSlope> slopes;
    for (const int side : {32, 64, 128, 256}) slopes.push_back({side, 2.0 * std::pow(side, 0.75), 0.01 * std::pow(side, 0.75)});
    EXPECT_NEAR(prag::ExponentNu(slopes, 0.59).value, 4.0 / 3.0, 1e-9);
    slopes[3].slope *= 1.05;
    const prag::ThresholdEstimate moved = prag::ExponentNu(slopes, 0.59);
    EXPECT_GT(moved.value, 1.2);
    EXPECT_LT(moved.value, 4.0 / 3.0);
    EXPECT_TRUE(std::isnan(prag::ExponentNu(std::span(slopes).first(1), 0.59).value));
}

TEST(Estimate, ExactLevelCrossingsUseTheSizesFromThirtyTwoUp) {
    const std::vector<prag::SizeThreshold> mixed{{16, 0.58, 1e-3}, {32, 0.5926, 1e-4}, {64, 0.5928, 1e-4}};
    const prag::ThresholdEstimate large = prag::CombineAtExactLevel(mixed, 0.69);
    EXPECT_NEAR(large.value, 0.5927, 1e-12);
    EXPECT_NE(large.method.find("L=32,64 "), std::string::npos) << large.method;
    // Below 32 only: every size counts.
    const prag::ThresholdEstimate small = prag::CombineAtExactLevel(std::span(mixed).first(1), 0.69);
    EXPECT_EQ(small.value, 0.58);
}

}  // namespace
