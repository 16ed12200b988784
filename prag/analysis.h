// analysis.h
// One size's results from its spanning numbers: R(p) with errors on the requested p grid and the
// crossing p_L with its error. The whole run's results add the p_c estimate over sizes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "prag/curve.h"
#include "prag/estimate.h"
#include "prag/geometry.h"
#include "prag/model.h"
#include "prag/strength.h"
#include "prag/sweep.h"

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
    std::vector<StrengthPoint> strength;  // with --strength, one per grid point
};

struct NamedEstimate {
    std::string name;  // the JSON key: "size_crossings", "exact_crossing", "nu"
    ThresholdEstimate estimate;
};

struct RunResult {
    std::vector<SizeResult> sizes;
    ThresholdEstimate estimate;
    std::vector<NamedEstimate> more;  // beside the estimate, when the run asked for the new options
};

// How the run was set up, as the analysis needs it.
struct RunShape {
    LatticeKind lattice = LatticeKind::kSquare;
    Boundary boundary = Boundary::kOpen;
    Model model = Model::kSite;
    Spanning rule = Spanning::kTopBottom;
};

// The exact R(p_c) of the square torus's wrapping rules (Pinson's values); NaN for other settings.
double ExactWrappingAtThreshold(const RunShape& shape);

SizeResult AnalyseSize(Model model, int side, std::span<const std::uint32_t> spanning_numbers,
                       std::span<const double> grid);

ThresholdEstimate EstimateThreshold(std::span<const SizeResult> sizes, Spanning rule);

// One size of any lattice, strength included when the sweep summed it.
SizeResult AnalyseSize(const RunShape& shape, int side, const SweepResult& samples, std::span<const double> grid);

// All estimates of a run with the new options: p_c by the best method for the setting (`estimate`),
// the others in `more`. `samples` holds each size's sweep, in the order of `result.sizes`.
void EstimateAll(const RunShape& shape, std::span<const SweepResult> samples, RunResult& result);

}  // namespace prag
