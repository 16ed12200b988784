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

SpanningHistogram::SpanningHistogram(std::uint64_t items, std::span<const std::uint32_t> spanning_numbers,
                                     std::span<const std::uint32_t> until)
    : items_(items) {
    std::vector<std::pair<std::uint32_t, std::uint64_t>> sorted;
    sorted.reserve(spanning_numbers.size());
    for (std::size_t k = 0; k < spanning_numbers.size(); ++k) {
        sorted.emplace_back(spanning_numbers[k], until.empty() ? items + 1 : until[k]);
    }
    std::sort(sorted.begin(), sorted.end());
    for (const auto& [n, stop] : sorted) {
        if (bins_.empty() || bins_.back().spanning_number != n || bins_.back().until != stop) bins_.push_back({n, 0, stop});
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
        if (removed != part.bins_.end() && removed->spanning_number == bin.spanning_number && removed->until == bin.until) {
            take = removed->samples;
            ++removed;
        }
        if (take > bin.samples) throw std::invalid_argument("removing samples the histogram does not hold");
        if (bin.samples > take) rest.push_back({bin.spanning_number, bin.samples - take, bin.until});
    }
    if (removed != part.bins_.end()) throw std::invalid_argument("removing samples the histogram does not hold");
    return SpanningHistogram(items_, std::move(rest));
}

namespace {

// P(X >= n) for every n of a binomial window, summed from the top down: 1 below the window, 0 above.
class Tails {
public:
    explicit Tails(const BinomialWindow& window) : first_(window.first), tails_(window.weights.size()) {
        double tail = 0.0;
        for (std::size_t w = tails_.size(); w-- > 0;) {
            tail += window.weights[w];
            tails_[w] = tail;
        }
    }
    double At(std::uint64_t n) const {
        if (n <= first_) return 1.0;
        return n - first_ < tails_.size() ? tails_[n - first_] : 0.0;
    }

private:
    std::uint64_t first_;
    std::vector<double> tails_;
};

// Mean and standard error of per-sample values, summed over the bins from the highest one down.
template <class Value>
CurvePoint MeanOverSamples(const SpanningHistogram& histogram, double p, Value value) {
    const std::vector<HistogramBin>& bins = histogram.Bins();
    double sum = 0.0;
    double sum_of_squares = 0.0;
    for (auto bin = bins.rbegin(); bin != bins.rend(); ++bin) {
        const double r = value(*bin);
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

}  // namespace

CurvePoint Evaluate(const SpanningHistogram& histogram, double p) {
    const Tails tails(BinomialWeights(histogram.Items(), p));
    return MeanOverSamples(histogram, p, [&tails](const HistogramBin& bin) {
        return tails.At(bin.spanning_number) - tails.At(bin.until);
    });
}

CurvePoint Slope(const SpanningHistogram& histogram, double p) {
    const std::uint64_t items = histogram.Items();
    const BinomialWindow window = BinomialWeights(items - 1, p);
    const auto density = [&window, items](std::uint64_t n) {
        // N P(Bin(N - 1, p) = n - 1); nothing for n = 0 or n = N + 1.
        if (n == 0 || n > items || n - 1 < window.first || n - 1 - window.first >= window.weights.size()) return 0.0;
        return static_cast<double>(items) * window.weights[n - 1 - window.first];
    };
    return MeanOverSamples(histogram, p, [&density](const HistogramBin& bin) {
        return density(bin.spanning_number) - density(bin.until);
    });
}

double CrossingPoint(const SpanningHistogram& histogram, double level) {
    // Regula falsi with the Illinois modification: R is smooth and monotone, so this takes about ten
    // evaluations where bisection to the same width takes forty, and each evaluation builds a
    // binomial window of some 20 sqrt(N) terms. The bracket [low, high] always holds the crossing.
    double low = 0.0, high = 1.0;
    double f_low = Evaluate(histogram, low).r - level;
    double f_high = Evaluate(histogram, high).r - level;
    if (f_low >= 0.0) return low;
    if (f_high <= 0.0) return high;
    int kept_side = 0;  // which end stayed put last time: -1 low, +1 high
    double p = 0.5;
    for (int iteration = 0; iteration < 200 && high - low > 1e-13; ++iteration) {
        p = (low * f_high - high * f_low) / (f_high - f_low);
        if (!(p > low && p < high)) p = 0.5 * (low + high);
        const double f = Evaluate(histogram, p).r - level;
        if (std::abs(f) <= 1e-15) break;
        if (f < 0.0) {
            low = p;
            f_low = f;
            if (kept_side == +1) f_high *= 0.5;
            kept_side = +1;
        } else {
            high = p;
            f_high = f;
            if (kept_side == -1) f_low *= 0.5;
            kept_side = -1;
        }
    }
    return p;
}

}  // namespace prag
