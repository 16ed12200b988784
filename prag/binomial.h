// binomial.h
// Binomial probabilities P(X = n) for X ~ Bin(trials, p), computed by the ratio recurrence outward
// from the mode, so nothing overflows or underflows at any size; terms below 1e-20 of the mode are cut.
#pragma once

#include <cstdint>
#include <vector>

namespace prag {

struct BinomialWindow {
    std::uint64_t first = 0;      // n of weights[0]
    std::vector<double> weights;  // P(X = first + k), summing to 1; zero outside the window
};

BinomialWindow BinomialWeights(std::uint64_t trials, double p);

}  // namespace prag
