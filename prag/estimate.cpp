// estimate.cpp
// Jackknife over blocks of the per-sample spanning numbers, and the extrapolation over sizes.
#include "prag/estimate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

#include "prag/curve.h"

namespace prag {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string SizeList(std::span<const SizeThreshold> sizes) {
    std::string list;
    for (const SizeThreshold& size : sizes) {
        if (!list.empty()) list += ',';
        list += std::to_string(size.side);
    }
    return list;
}

std::string ExponentText(double exponent) {
    std::ostringstream text;
    text << exponent;
    return text.str();
}

}  // namespace

SizeThreshold ThresholdOfSize(int side, std::uint64_t items, std::span<const std::uint32_t> spanning_numbers) {
    const SpanningHistogram all(items, spanning_numbers);
    SizeThreshold result{side, CrossingPoint(all, kCrossingLevel), kNaN};
    const std::size_t samples = spanning_numbers.size();
    const std::size_t blocks = std::min<std::size_t>(kJackknifeBlocks, samples);
    if (blocks < 2) return result;

    std::vector<double> leave_one_out;
    leave_one_out.reserve(blocks);
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t begin = b * samples / blocks;
        const std::size_t end = (b + 1) * samples / blocks;
        const SpanningHistogram block(items, spanning_numbers.subspan(begin, end - begin));
        leave_one_out.push_back(CrossingPoint(all.Without(block), kCrossingLevel));
    }
    double mean = 0.0;
    for (const double p : leave_one_out) mean += p;
    mean /= static_cast<double>(blocks);
    double spread = 0.0;
    for (const double p : leave_one_out) spread += (p - mean) * (p - mean);
    result.error = std::sqrt(spread * static_cast<double>(blocks - 1) / static_cast<double>(blocks));
    return result;
}

double CorrectionExponent(Spanning rule) {
    return (rule == Spanning::kTopBottom || rule == Spanning::kLeftRight) ? 2.0 : 0.75;
}

ThresholdEstimate CombineSizes(std::span<const SizeThreshold> sizes, Spanning rule) {
    if (sizes.empty()) return {kNaN, kNaN, "no sizes"};
    if (sizes.size() == 1) {
        return {sizes[0].p, sizes[0].error, "crossing R=1/2 at L=" + std::to_string(sizes[0].side) + " alone"};
    }
    const double exponent = CorrectionExponent(rule);
    const bool weighted = std::all_of(sizes.begin(), sizes.end(),
                                      [](const SizeThreshold& s) { return std::isfinite(s.error) && s.error > 0.0; });
    // Normal equations of y = c + a x with x = L^-theta.
    double sw = 0.0, sx = 0.0, sy = 0.0, sxx = 0.0, sxy = 0.0;
    for (const SizeThreshold& size : sizes) {
        const double w = weighted ? 1.0 / (size.error * size.error) : 1.0;
        const double x = std::pow(static_cast<double>(size.side), -exponent);
        sw += w;
        sx += w * x;
        sy += w * size.p;
        sxx += w * x * x;
        sxy += w * x * size.p;
    }
    const double determinant = sw * sxx - sx * sx;
    std::string method = "crossing R=1/2, fit p_L = p_c + a L^-" + ExponentText(exponent) + " over L=" + SizeList(sizes);
    if (!(determinant > 0.0)) return {kNaN, kNaN, method + " (the sizes must differ)"};
    const double intercept = (sxx * sy - sx * sxy) / determinant;
    const double slope = (sw * sxy - sx * sy) / determinant;
    if (!weighted) return {intercept, kNaN, method + " (no error: too few samples)"};

    double error = std::sqrt(sxx / determinant);
    const std::size_t freedom = sizes.size() - 2;
    if (freedom > 0) {
        double chi_square = 0.0;
        for (const SizeThreshold& size : sizes) {
            const double residual = size.p - intercept - slope * std::pow(static_cast<double>(size.side), -exponent);
            chi_square += residual * residual / (size.error * size.error);
        }
        error *= std::max(1.0, std::sqrt(chi_square / static_cast<double>(freedom)));
    }
    return {intercept, error, method};
}

}  // namespace prag
