// strength.cpp
// The convolution runs four partial sums side by side: one running sum would wait on every addition,
// and four in a fixed order give the same bits every time.
#include "prag/strength.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace prag {
namespace {

constexpr double kUnit = 4611686018427387904.0;  // 2^62

std::uint64_t Fixed(double value) { return static_cast<std::uint64_t>(std::llround(std::clamp(value, 0.0, 1.0) * kUnit)); }

// sum_k weights[k] * values[first + k], for two series at once.
void Convolve(const BinomialWindow& window, const ClusterSeries& series, double& largest, double& others) {
    double a0 = 0, a1 = 0, a2 = 0, a3 = 0, b0 = 0, b1 = 0, b2 = 0, b3 = 0;
    const double* w = window.weights.data();
    const double* x = series.largest.data() + window.first;
    const double* y = series.others.data() + window.first;
    const std::size_t count = window.weights.size();
    std::size_t k = 0;
    for (; k + 4 <= count; k += 4) {
        a0 += w[k] * x[k];
        a1 += w[k + 1] * x[k + 1];
        a2 += w[k + 2] * x[k + 2];
        a3 += w[k + 3] * x[k + 3];
        b0 += w[k] * y[k];
        b1 += w[k + 1] * y[k + 1];
        b2 += w[k + 2] * y[k + 2];
        b3 += w[k + 3] * y[k + 3];
    }
    for (; k < count; ++k) {
        a0 += w[k] * x[k];
        b0 += w[k] * y[k];
    }
    largest = (a0 + a1) + (a2 + a3);
    others = (b0 + b1) + (b2 + b3);
}

// Mean and standard error of a value from its exact sums, in units of `scale`.
void MeanAndError(const ExactSum& sum, const ExactSum& squares, double samples, double scale, double& mean, double& error) {
    mean = sum.Value() / kUnit / samples;
    error = std::numeric_limits<double>::quiet_NaN();
    if (samples >= 2) error = std::sqrt(std::max(0.0, squares.Value() / kUnit / samples - mean * mean) / (samples - 1.0)) * scale;
    mean *= scale;
}

}  // namespace

GridWindows::GridWindows(std::uint64_t items, std::span<const double> grid) {
    windows_.reserve(grid.size());
    for (const double p : grid) windows_.push_back(BinomialWeights(items, p));
}

void StrengthSums::Add(const GridWindows& windows, const ClusterSeries& series) {
    const std::vector<BinomialWindow>& all = windows.Windows();
    for (std::size_t g = 0; g < all.size(); ++g) {
        double largest = 0.0, others = 0.0;
        Convolve(all[g], series, largest, others);
        sums_[4 * g].Add(Fixed(largest));
        sums_[4 * g + 1].Add(Fixed(largest * largest));
        sums_[4 * g + 2].Add(Fixed(others));
        sums_[4 * g + 3].Add(Fixed(others * others));
    }
}

void StrengthSums::Add(const StrengthSums& other) {
    if (sums_.empty()) sums_.resize(other.sums_.size());
    for (std::size_t k = 0; k < other.sums_.size() && k < sums_.size(); ++k) sums_[k].Add(other.sums_[k]);
}

std::vector<std::uint64_t> StrengthSums::Words() const {
    std::vector<std::uint64_t> words;
    words.reserve(2 * sums_.size());
    for (const ExactSum& sum : sums_) {
        words.push_back(sum.low);
        words.push_back(sum.high);
    }
    return words;
}

StrengthSums StrengthSums::FromWords(std::span<const std::uint64_t> words) {
    StrengthSums sums(words.size() / 8);
    for (std::size_t k = 0; k < sums.sums_.size(); ++k) sums.sums_[k] = {words[2 * k], words[2 * k + 1]};
    return sums;
}

std::vector<StrengthPoint> StrengthSums::Points(std::uint64_t samples, std::uint64_t sites) const {
    std::vector<StrengthPoint> points(sums_.size() / 4);
    const auto n = static_cast<double>(samples);
    for (std::size_t g = 0; g < points.size(); ++g) {
        StrengthPoint& point = points[g];
        MeanAndError(sums_[4 * g], sums_[4 * g + 1], n, 1.0, point.strength, point.strength_error);
        MeanAndError(sums_[4 * g + 2], sums_[4 * g + 3], n, static_cast<double>(sites), point.chi, point.chi_error);
    }
    return points;
}

}  // namespace prag
