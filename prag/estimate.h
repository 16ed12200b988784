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

// One size: its crossing. Several: weighted least squares p_L = p_c + a L^-theta, with the error scaled
// up by sqrt(chi^2 / dof) when the points scatter more than their errors say.
ThresholdEstimate CombineSizes(std::span<const SizeThreshold> sizes, Spanning rule);

}  // namespace prag
