// binomial.cpp
// The mode has the largest weight, so starting there at 1 and multiplying by ratios below 1 in both
// directions keeps every term in range; the window is normalised at the end.
#include "prag/binomial.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace prag {
namespace {

constexpr double kNegligible = 1e-20;

}  // namespace

BinomialWindow BinomialWeights(std::uint64_t trials, double p) {
    if (p <= 0.0) return {0, {1.0}};
    if (p >= 1.0) return {trials, {1.0}};
    const double odds = p / (1.0 - p);
    const auto n = static_cast<double>(trials);
    const auto mode = std::min<std::uint64_t>(trials, static_cast<std::uint64_t>(std::floor((n + 1.0) * p)));

    // Terms below the mode come out from the mode down, so they are gathered apart and put in front reversed.
    std::vector<double> below;
    double weight = 1.0;
    for (std::uint64_t k = mode; k > 0; --k) {
        // P(k - 1) / P(k) = k / ((n - k + 1) odds)
        weight *= static_cast<double>(k) / ((n - static_cast<double>(k) + 1.0) * odds);
        if (weight < kNegligible) break;
        below.push_back(weight);
    }
    BinomialWindow window{mode - below.size(), {below.rbegin(), below.rend()}};
    window.weights.push_back(1.0);
    weight = 1.0;
    for (std::uint64_t k = mode; k < trials; ++k) {
        // P(k + 1) / P(k) = (n - k) odds / (k + 1)
        weight *= (n - static_cast<double>(k)) * odds / (static_cast<double>(k) + 1.0);
        if (weight < kNegligible) break;
        window.weights.push_back(weight);
    }
    const double total = std::accumulate(window.weights.begin(), window.weights.end(), 0.0);
    const double scale = 1.0 / total;
    for (double& w : window.weights) w *= scale;
    return window;
}

}  // namespace prag
