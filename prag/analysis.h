// analysis.h
// One size's results from its spanning numbers: R(p) with errors on the requested p grid and the
// crossing p_L with its error. The whole run's results add the p_c estimate over sizes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "prag/curve.h"
#include "prag/estimate.h"
#include "prag/model.h"

namespace prag {

inline constexpr std::size_t kMaxGridPoints = 100001;

// min, min + step, ... up to max; each point is min + k * step (not a running sum), so the same three
// numbers always give the same points. An allowance of 1e-9 steps keeps max itself when it is meant to be on the grid.
std::vector<double> GridPoints(double min, double max, double step);

struct SizeResult {
    int side = 0;
    std::uint64_t samples = 0;
    std::vector<CurvePoint> curve;
    SizeThreshold threshold;
};

struct RunResult {
    std::vector<SizeResult> sizes;
    ThresholdEstimate estimate;
};

SizeResult AnalyseSize(Model model, int side, std::span<const std::uint32_t> spanning_numbers,
                       std::span<const double> grid);

ThresholdEstimate EstimateThreshold(std::span<const SizeResult> sizes, Spanning rule);

}  // namespace prag
