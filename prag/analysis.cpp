// analysis.cpp
// Glue from spanning numbers to curves and thresholds; the work is in curve.cpp and estimate.cpp.
#include "prag/analysis.h"

#include <algorithm>
#include <cmath>

#include "prag/lattice.h"
#include "prag/lattices.h"

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
    SizeResult result{side, spanning_numbers.size(), {}, ThresholdOfSize(side, items, spanning_numbers), {}};
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

double ExactWrappingAtThreshold(const RunShape& shape) {
    if (shape.lattice != LatticeKind::kSquare || shape.boundary != Boundary::kPeriodic) return std::nan("");
    switch (shape.rule) {
        case Spanning::kEither: return 0.690473725;
        case Spanning::kHorizontal:
        case Spanning::kVertical: return 0.521058290;
        case Spanning::kBoth: return 0.351642855;
        case Spanning::kOne: return 0.169415435;
        default: return std::nan("");
    }
}

namespace {

SizeSamples SamplesOf(const RunShape& shape, int side, const SweepResult& samples) {
    return {side, Items({shape.lattice, shape.boundary, side}, shape.model), samples.first, samples.until};
}

}  // namespace

SizeResult AnalyseSize(const RunShape& shape, int side, const SweepResult& samples, std::span<const double> grid) {
    const SizeSamples size = SamplesOf(shape, side, samples);
    const SpanningHistogram histogram(size.items, size.first, size.until);
    SizeResult result{side, samples.first.size(), {}, {side, std::nan(""), std::nan("")}, {}};
    // A rule that rises and falls again has no single crossing.
    if (RuleIsMonotone(shape.rule)) result.threshold = ThresholdOfSize(size, kCrossingLevel);
    result.curve.reserve(grid.size());
    for (const double p : grid) result.curve.push_back(Evaluate(histogram, p));
    if (!grid.empty() && samples.strength.PointCount() == grid.size()) {
        result.strength = samples.strength.Points(samples.first.size(), Sites({shape.lattice, shape.boundary, side}));
    }
    return result;
}

void EstimateAll(const RunShape& shape, std::span<const SweepResult> samples, RunResult& result) {
    const int dimensions = Describe(shape.lattice).dimensions;
    const bool open_square = shape.lattice == LatticeKind::kSquare && shape.boundary == Boundary::kOpen;
    std::vector<SizeThreshold> halves;
    for (const SizeResult& size : result.sizes) halves.push_back(size.threshold);
    result.estimate = CombineSizes(halves, CorrectionExponent(shape.rule, dimensions, open_square));
    if (!RuleIsMonotone(shape.rule)) {
        const std::string why = "none: the rule one rises and falls again in p, so its curves have no single crossing";
        result.estimate = {std::nan(""), std::nan(""), why};
        result.more = {{"size_crossings", result.estimate}, {"nu", result.estimate}};
        return;
    }
    const ThresholdEstimate half = result.estimate;

    std::vector<SizeThreshold> pairs;
    std::vector<int> smaller_sides;
    for (std::size_t k = 0; k + 1 < result.sizes.size(); ++k) {
        const int a = result.sizes[k].side, b = result.sizes[k + 1].side;
        const bool ascending = a < b;
        const SizeSamples small = SamplesOf(shape, ascending ? a : b, samples[ascending ? k : k + 1]);
        const SizeSamples large = SamplesOf(shape, ascending ? b : a, samples[ascending ? k + 1 : k]);
        pairs.push_back(CurvesCrossing(small, large));
        smaller_sides.push_back(small.side);
    }
    const ThresholdEstimate crossings = CombinePairCrossings(pairs, smaller_sides);
    result.more.push_back({"size_crossings", crossings});

    const double exact = ExactWrappingAtThreshold(shape);
    if (std::isfinite(exact)) {
        std::vector<SizeThreshold> at_exact;
        for (std::size_t k = 0; k < result.sizes.size(); ++k) {
            at_exact.push_back(ThresholdOfSize(SamplesOf(shape, result.sizes[k].side, samples[k]), exact));
        }
        const ThresholdEstimate exact_crossing = CombineAtExactLevel(at_exact, exact);
        result.more.push_back({"exact_crossing", exact_crossing});
        // The best p_c: the exact level's on the square torus, R = 1/2's fit on the open square (whose
        // single crossings shift as L^-2), the consecutive sizes' crossing elsewhere.
        result.estimate = exact_crossing;
    } else if (!open_square && std::isfinite(crossings.value) && std::isfinite(crossings.error)) {
        result.estimate = crossings;
    }
    if (result.estimate.value != half.value) result.more.push_back({"half_crossing", half});

    const double p = result.estimate.value;
    std::vector<SizeSlope> slopes;
    if (std::isfinite(p)) {
        for (std::size_t k = 0; k < result.sizes.size(); ++k) {
            const SizeSamples size = SamplesOf(shape, result.sizes[k].side, samples[k]);
            const CurvePoint slope = Slope(SpanningHistogram(size.items, size.first, size.until), p);
            slopes.push_back({size.side, slope.r, slope.standard_error});
        }
        std::sort(slopes.begin(), slopes.end(), [](const SizeSlope& a, const SizeSlope& b) { return a.side < b.side; });
    }
    result.more.push_back({"nu", ExponentNu(slopes, p)});
}

}  // namespace prag
