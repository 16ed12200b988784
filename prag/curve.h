// curve.h
// From spanning numbers to the canonical spanning probability R(p) = sum_n B(N, n, p) R_n, its
// standard error, and the p where R crosses a level. All sums run in one fixed order: same input, same bits.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace prag {

struct HistogramBin {
    std::uint32_t spanning_number = 0;
    std::uint64_t samples = 0;
    std::uint64_t until = 0;  // the rule stops holding here; items + 1 when it never does
};

// How many samples first spanned at each occupation number (and, for a rule that stops holding, at
// which number it stopped); bins ascending, no empty bins.
class SpanningHistogram {
public:
    // `until` empty: the rule never stops holding once met.
    SpanningHistogram(std::uint64_t items, std::span<const std::uint32_t> spanning_numbers,
                      std::span<const std::uint32_t> until = {});

    // This histogram without the samples of `part` (which must be among them): a jackknife replicate.
    SpanningHistogram Without(const SpanningHistogram& part) const;

    std::uint64_t Items() const { return items_; }
    std::uint64_t Samples() const { return samples_; }
    const std::vector<HistogramBin>& Bins() const { return bins_; }

private:
    SpanningHistogram(std::uint64_t items, std::vector<HistogramBin> bins);

    std::uint64_t items_;
    std::uint64_t samples_ = 0;
    std::vector<HistogramBin> bins_;
};

struct CurvePoint {
    double p = 0.0;
    double r = 0.0;               // canonical spanning probability
    double standard_error = 0.0;  // NaN with fewer than two samples
};

// Each sample contributes r_k(p) = P(Bin(N, p) >= its spanning number) (less P(Bin(N, p) >= until));
// R is their mean and the error is that of a mean of independent values, which the correlated R_n of
// one histogram would not give.
CurvePoint Evaluate(const SpanningHistogram& histogram, double p);

// dR/dp at p by the same sum: d/dp P(Bin(N, p) >= n) = N P(Bin(N - 1, p) = n - 1). In `r`.
CurvePoint Slope(const SpanningHistogram& histogram, double p);

// The p in [0, 1] where R(p) = level, to about 1e-13; R rises strictly in p, so there is exactly one.
double CrossingPoint(const SpanningHistogram& histogram, double level);

}  // namespace prag
