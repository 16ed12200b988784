// binomial.cpp
// The mode has the largest weight, so starting there at 1 and multiplying by ratios below 1 in both
// directions keeps every term in range; the window is normalised at the end.
#include "prag/binomial.h"

#include <algorithm>
#include <cmath>
#include <deque>
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

    std::deque<double> weights{1.0};
    std::uint64_t first = mode;
    double weight = 1.0;
    for (std::uint64_t k = mode; k > 0; --k) {
        // P(k - 1) / P(k) = k / (n - k + 1) / odds
        weight *= static_cast<double>(k) / (n - static_cast<double>(k) + 1.0) / odds;
        if (weight < kNegligible) break;
        weights.push_front(weight);
        first = k - 1;
    }
    weight = 1.0;
    for (std::uint64_t k = mode; k < trials; ++k) {
        // P(k + 1) / P(k) = (n - k) / (k + 1) * odds
        weight *= (n - static_cast<double>(k)) / (static_cast<double>(k) + 1.0) * odds;
        if (weight < kNegligible) break;
        weights.push_back(weight);
    }
    const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
    BinomialWindow window{first, {weights.begin(), weights.end()}};
    for (double& w : window.weights) w /= total;
    return window;
}

}  // namespace prag
