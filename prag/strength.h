// strength.h
// The strength P(p) and the mean cluster size chi(p) on the p grid: each sample's series is turned into
// canonical values by the binomial convolution, and their sums are kept in 128-bit fixed point (values
// in [0, 1] in units of 2^-62), so that adding samples in any order, on any thread or process, gives
// the same bits.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "prag/binomial.h"
#include "prag/geometry.h"

namespace prag {

// An exact sum of up to 2^64 values below 2^64.
struct ExactSum {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    void Add(std::uint64_t value) {
        low += value;
        high += low < value ? 1 : 0;
    }
    void Add(const ExactSum& other) {
        Add(other.low);
        high += other.high;
    }
    double Value() const { return static_cast<double>(high) * 18446744073709551616.0 + static_cast<double>(low); }
};

// The binomial windows of one size's grid, computed once and shared by the workers.
class GridWindows {
public:
    GridWindows(std::uint64_t items, std::span<const double> grid);
    const std::vector<BinomialWindow>& Windows() const { return windows_; }

private:
    std::vector<BinomialWindow> windows_;
};

struct StrengthPoint {
    double strength = 0.0, strength_error = 0.0;  // P(p): the largest cluster's share of the sites
    double chi = 0.0, chi_error = 0.0;            // sum over the other clusters of s^2, over sites
};

class StrengthSums {
public:
    explicit StrengthSums(std::size_t points = 0) : sums_(4 * points) {}

    void Add(const GridWindows& windows, const ClusterSeries& series);
    void Add(const StrengthSums& other);

    // For carrying between processes: four sums a point, two words a sum.
    std::vector<std::uint64_t> Words() const;
    static StrengthSums FromWords(std::span<const std::uint64_t> words);

    std::size_t PointCount() const { return sums_.size() / 4; }
    std::vector<StrengthPoint> Points(std::uint64_t samples, std::uint64_t sites) const;

private:
    std::vector<ExactSum> sums_;  // per point: P, P^2, chi / sites, (chi / sites)^2
};

}  // namespace prag
