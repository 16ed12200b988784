// analysis.cpp
// Glue from spanning numbers to curves and thresholds; the work is in curve.cpp and estimate.cpp.
#include "prag/analysis.h"

#include <algorithm>
#include <cmath>

#include "prag/lattice.h"

namespace prag {

std::vector<double> GridPoints(double min, double max, double step) {
    std::vector<double> points;
    if (!(step > 0.0) || !(max >= min)) return points;
    const double steps = std::floor((max - min) / step + 1e-9);
    if (steps + 1.0 > static_cast<double>(kMaxGridPoints)) return points;
    const auto count = static_cast<std::size_t>(steps) + 1;
    points.reserve(count);
    for (std::size_t k = 0; k < count; ++k) points.push_back(std::min(max, min + static_cast<double>(k) * step));
    return points;
}

SizeResult AnalyseSize(Model model, int side, std::span<const std::uint32_t> spanning_numbers,
                       std::span<const double> grid) {
    const std::uint64_t items = ItemCount(model, side);
    const SpanningHistogram histogram(items, spanning_numbers);
    SizeResult result{side, spanning_numbers.size(), {}, ThresholdOfSize(side, items, spanning_numbers)};
    result.curve.reserve(grid.size());
    for (const double p : grid) result.curve.push_back(Evaluate(histogram, p));
    return result;
}

ThresholdEstimate EstimateThreshold(std::span<const SizeResult> sizes, Spanning rule) {
    std::vector<SizeThreshold> thresholds;
    thresholds.reserve(sizes.size());
    for (const SizeResult& size : sizes) thresholds.push_back(size.threshold);
    return CombineSizes(thresholds, rule);
}

}  // namespace prag
