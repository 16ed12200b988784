// curve.cpp
// Tails P(X >= s) are summed from the top of the binomial window down, meeting the histogram's bins on
// the way, so small tails keep their relative precision and no tail array is needed.
#include "prag/curve.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "prag/binomial.h"

namespace prag {

SpanningHistogram::SpanningHistogram(std::uint64_t items, std::span<const std::uint32_t> spanning_numbers)
    : items_(items) {
    std::vector<std::uint32_t> sorted(spanning_numbers.begin(), spanning_numbers.end());
    std::sort(sorted.begin(), sorted.end());
    for (const std::uint32_t n : sorted) {
        if (bins_.empty() || bins_.back().spanning_number != n) bins_.push_back({n, 0});
        ++bins_.back().samples;
    }
    samples_ = sorted.size();
}

SpanningHistogram::SpanningHistogram(std::uint64_t items, std::vector<HistogramBin> bins)
    : items_(items), bins_(std::move(bins)) {
    for (const HistogramBin& bin : bins_) samples_ += bin.samples;
}

SpanningHistogram SpanningHistogram::Without(const SpanningHistogram& part) const {
    std::vector<HistogramBin> rest;
    rest.reserve(bins_.size());
    auto removed = part.bins_.begin();
    for (const HistogramBin& bin : bins_) {
        std::uint64_t take = 0;
        if (removed != part.bins_.end() && removed->spanning_number == bin.spanning_number) {
            take = removed->samples;
            ++removed;
        }
        if (take > bin.samples) throw std::invalid_argument("removing samples the histogram does not hold");
        if (bin.samples > take) rest.push_back({bin.spanning_number, bin.samples - take});
    }
    if (removed != part.bins_.end()) throw std::invalid_argument("removing samples the histogram does not hold");
    return SpanningHistogram(items_, std::move(rest));
}

CurvePoint Evaluate(const SpanningHistogram& histogram, double p) {
    const BinomialWindow window = BinomialWeights(histogram.Items(), p);
    const std::vector<HistogramBin>& bins = histogram.Bins();
    double sum = 0.0;
    double sum_of_squares = 0.0;
    double tail = 0.0;  // P(X >= n) for the n reached so far, walking down
    std::size_t w = window.weights.size();
    for (auto bin = bins.rbegin(); bin != bins.rend(); ++bin) {
        const std::uint64_t n = bin->spanning_number;
        while (w > 0 && window.first + w - 1 >= n) {
            --w;
            tail += window.weights[w];
        }
        // Below the window the tail is 1 up to rounding; say so exactly.
        const double r = (w == 0 && n <= window.first) ? 1.0 : tail;
        const auto count = static_cast<double>(bin->samples);
        sum += count * r;
        sum_of_squares += count * r * r;
    }
    const auto samples = static_cast<double>(histogram.Samples());
    CurvePoint point{p, sum / samples, std::numeric_limits<double>::quiet_NaN()};
    if (histogram.Samples() >= 2) {
        const double variance = std::max(0.0, sum_of_squares / samples - point.r * point.r);
        point.standard_error = std::sqrt(variance / (samples - 1.0));
    }
    return point;
}

double CrossingPoint(const SpanningHistogram& histogram, double level) {
    double low = 0.0;
    double high = 1.0;
    while (high - low > 1e-13) {
        const double middle = 0.5 * (low + high);
        if (Evaluate(histogram, middle).r < level) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return 0.5 * (low + high);
}

}  // namespace prag
