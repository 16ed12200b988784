// estimate.h
// The crossing p_L where R_L(p) = 1/2 with a jackknife error over blocks of samples, and the threshold
// p_c from all sizes together with its error and a sentence saying how it was obtained.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "prag/model.h"

namespace prag {

inline constexpr double kCrossingLevel = 0.5;
inline constexpr int kJackknifeBlocks = 20;

struct SizeThreshold {
    int side = 0;
    double p = 0.0;      // the crossing p_L
    double error = 0.0;  // jackknife standard error; NaN with fewer than two samples
};

// Blocks are runs of consecutive sample indices, so they do not depend on threads or processes.
SizeThreshold ThresholdOfSize(int side, std::uint64_t items, std::span<const std::uint32_t> spanning_numbers);

// One size's samples: the first n at which each met the rule and, for a rule that stops, when it stopped.
struct SizeSamples {
    int side = 0;
    std::uint64_t items = 0;
    std::span<const std::uint32_t> first;
    std::span<const std::uint32_t> until;  // empty for rules that stay met
};

// The p where R_L(p) = level, with the same jackknife.
SizeThreshold ThresholdOfSize(const SizeSamples& samples, double level);

// The p where two sizes' curves cross, R_a(p) = R_b(p), searched between the p where the smaller
// size's R is 0.02 and 0.98; jackknife blocks of the same index are left out of both sizes at once.
// `side` is the larger size's. NaN when the curves do not cross there.
SizeThreshold CurvesCrossing(const SizeSamples& smaller, const SizeSamples& larger);

// The jackknife standard error of a value from `blocks` leave-one-block-out values.
double JackknifeError(std::span<const double> leave_one_out);

struct ThresholdEstimate {
    double value = 0.0;
    double error = 0.0;  // NaN when the sizes' errors are not known
    std::string method;
};

// The exponent theta of the correction p_L - p_c ~ a L^-theta at R = 1/2. For a single crossing rule
// on a square R_L(p_c) tends to 1/2 itself and the shift falls fast (measured close to L^-2, faster than
// the L^-(1+1/nu) that the aspect ratio alone gives); either and both tend to other values, so their
// shift keeps the leading L^-1/nu = L^-3/4.
double CorrectionExponent(Spanning rule);
// The same for any lattice: the square's open single crossings as above, every other case L^-1/nu.
double CorrectionExponent(Spanning rule, int dimensions, bool open_square);

// 1/nu of the dimension: 3/4 in the plane, 1/0.8762 in space.
double InverseNu(int dimensions);

// One size: its crossing. Several: weighted least squares p_L = p_c + a L^-theta, with the error scaled
// up by sqrt(chi^2 / dof) when the points scatter more than their errors say.
ThresholdEstimate CombineSizes(std::span<const SizeThreshold> sizes, Spanning rule);
ThresholdEstimate CombineSizes(std::span<const SizeThreshold> sizes, double exponent);

// Crossings at a level whose limit at p_c is exactly known fall as L^-11/4 on the square torus: the
// weighted mean of the sizes from L = 32 up (all sizes when none is that large), error scaled by the scatter.
ThresholdEstimate CombineAtExactLevel(std::span<const SizeThreshold> sizes, double level);

// The crossings of consecutive sizes' curves: the largest pair's, the others listed in the method.
ThresholdEstimate CombinePairCrossings(std::span<const SizeThreshold> pairs, std::span<const int> smaller_sides);

struct SizeSlope {
    int side = 0;
    double slope = 0.0;  // dR_L/dp at the estimate
    double error = 0.0;
};

// nu from dR_L/dp ~ L^(1/nu): a weighted straight line through log slope against log L.
ThresholdEstimate ExponentNu(std::span<const SizeSlope> slopes, double p);

}  // namespace prag
