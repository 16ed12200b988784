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

double JackknifeError(std::span<const double> leave_one_out) {
    const auto blocks = static_cast<double>(leave_one_out.size());
    double mean = 0.0;
    for (const double p : leave_one_out) mean += p;
    mean /= blocks;
    double spread = 0.0;
    for (const double p : leave_one_out) spread += (p - mean) * (p - mean);
    return std::sqrt(spread * (blocks - 1.0) / blocks);
}

namespace {

std::size_t BlocksOf(std::size_t samples) { return std::min<std::size_t>(kJackknifeBlocks, samples); }

template <class T>
std::span<const T> BlockOf(std::span<const T> values, std::size_t b, std::size_t blocks) {
    if (values.empty()) return values;
    const std::size_t begin = b * values.size() / blocks;
    const std::size_t end = (b + 1) * values.size() / blocks;
    return values.subspan(begin, end - begin);
}

SpanningHistogram HistogramOf(const SizeSamples& s) { return SpanningHistogram(s.items, s.first, s.until); }

SpanningHistogram BlockHistogram(const SizeSamples& s, std::size_t b, std::size_t blocks) {
    return SpanningHistogram(s.items, BlockOf(s.first, b, blocks), BlockOf(s.until, b, blocks));
}

// Where f, positive at `low` and negative at `high`, crosses zero: Illinois regula falsi to 1e-13.
template <class F>
double RootBetween(double low, double high, F f) {
    double f_low = f(low), f_high = f(high);
    if (!(f_low > 0.0 && f_high < 0.0)) return kNaN;
    int kept_side = 0;
    double p = 0.5 * (low + high);
    for (int iteration = 0; iteration < 200 && high - low > 1e-13; ++iteration) {
        p = (low * f_high - high * f_low) / (f_high - f_low);
        if (!(p > low && p < high)) p = 0.5 * (low + high);
        const double value = f(p);
        if (value == 0.0) break;
        if (value > 0.0) {
            low = p, f_low = value;
            if (kept_side == +1) f_high *= 0.5;
            kept_side = +1;
        } else {
            high = p, f_high = value;
            if (kept_side == -1) f_low *= 0.5;
            kept_side = -1;
        }
    }
    return p;
}

double CrossingOf(const SpanningHistogram& smaller, const SpanningHistogram& larger) {
    const double low = CrossingPoint(smaller, 0.02), high = CrossingPoint(smaller, 0.98);
    return RootBetween(low, high, [&](double p) { return Evaluate(smaller, p).r - Evaluate(larger, p).r; });
}

}  // namespace

SizeThreshold ThresholdOfSize(int side, std::uint64_t items, std::span<const std::uint32_t> spanning_numbers) {
    return ThresholdOfSize(SizeSamples{side, items, spanning_numbers, {}}, kCrossingLevel);
}

SizeThreshold ThresholdOfSize(const SizeSamples& samples, double level) {
    const SpanningHistogram all = HistogramOf(samples);
    SizeThreshold result{samples.side, CrossingPoint(all, level), kNaN};
    const std::size_t blocks = BlocksOf(samples.first.size());
    if (blocks < 2) return result;
    std::vector<double> leave_one_out;
    leave_one_out.reserve(blocks);
    for (std::size_t b = 0; b < blocks; ++b) {
        leave_one_out.push_back(CrossingPoint(all.Without(BlockHistogram(samples, b, blocks)), level));
    }
    result.error = JackknifeError(leave_one_out);
    return result;
}

SizeThreshold CurvesCrossing(const SizeSamples& smaller, const SizeSamples& larger) {
    const SpanningHistogram small_all = HistogramOf(smaller), large_all = HistogramOf(larger);
    SizeThreshold result{larger.side, CrossingOf(small_all, large_all), kNaN};
    const std::size_t blocks = std::min(BlocksOf(smaller.first.size()), BlocksOf(larger.first.size()));
    if (blocks < 2 || !std::isfinite(result.p)) return result;
    std::vector<double> leave_one_out;
    for (std::size_t b = 0; b < blocks; ++b) {
        const double p = CrossingOf(small_all.Without(BlockHistogram(smaller, b, blocks)),
                                    large_all.Without(BlockHistogram(larger, b, blocks)));
        if (!std::isfinite(p)) return result;
        leave_one_out.push_back(p);
    }
    result.error = JackknifeError(leave_one_out);
    return result;
}

double CorrectionExponent(Spanning rule) {
    return (rule == Spanning::kTopBottom || rule == Spanning::kLeftRight) ? 2.0 : 0.75;
}

double InverseNu(int dimensions) { return dimensions == 2 ? 0.75 : 1.0 / 0.8762; }

double CorrectionExponent(Spanning rule, int dimensions, bool open_square) {
    return open_square ? CorrectionExponent(rule) : InverseNu(dimensions);
}

ThresholdEstimate CombineSizes(std::span<const SizeThreshold> sizes, Spanning rule) {
    return CombineSizes(sizes, CorrectionExponent(rule));
}

ThresholdEstimate CombineSizes(std::span<const SizeThreshold> sizes, double exponent) {
    if (sizes.empty()) return {kNaN, kNaN, "no sizes"};
    if (sizes.size() == 1) {
        return {sizes[0].p, sizes[0].error, "crossing R=1/2 at L=" + std::to_string(sizes[0].side) + " alone"};
    }
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

namespace prag {
namespace {

// Weighted mean with its error scaled up by sqrt(chi^2 / dof) when the values scatter more than their errors say.
ThresholdEstimate WeightedMean(std::span<const SizeThreshold> values) {
    double sw = 0.0, swx = 0.0;
    for (const SizeThreshold& v : values) {
        if (!(std::isfinite(v.p) && std::isfinite(v.error) && v.error > 0.0)) return {kNaN, kNaN, ""};
        sw += 1.0 / (v.error * v.error);
        swx += v.p / (v.error * v.error);
    }
    const double mean = swx / sw;
    double chi_square = 0.0;
    for (const SizeThreshold& v : values) chi_square += (v.p - mean) * (v.p - mean) / (v.error * v.error);
    double error = std::sqrt(1.0 / sw);
    if (values.size() > 1) error *= std::max(1.0, std::sqrt(chi_square / static_cast<double>(values.size() - 1)));
    return {mean, error, ""};
}

std::string Digits(double value) {
    std::ostringstream text;
    text.precision(9);
    text << value;
    return text.str();
}

}  // namespace

ThresholdEstimate CombineAtExactLevel(std::span<const SizeThreshold> sizes, double level) {
    std::vector<SizeThreshold> used;
    for (const SizeThreshold& size : sizes) {
        if (size.side >= 32) used.push_back(size);
    }
    if (used.empty()) used.assign(sizes.begin(), sizes.end());
    std::string method = "crossing at the exact R(p_c)=" + Digits(level) + ", weighted mean over L=" + SizeList(used) +
                         " (corrections ~L^-11/4)";
    if (used.empty()) return {kNaN, kNaN, "no sizes"};
    if (used.size() == 1) return {used[0].p, used[0].error, method};
    ThresholdEstimate mean = WeightedMean(used);
    if (!std::isfinite(mean.value)) return {used.back().p, used.back().error, method + " (too few samples for errors: L=" + std::to_string(used.back().side) + " alone)"};
    mean.method = method;
    return mean;
}

ThresholdEstimate CombinePairCrossings(std::span<const SizeThreshold> pairs, std::span<const int> smaller_sides) {
    if (pairs.empty()) return {kNaN, kNaN, "crossing of consecutive sizes: needs two sizes"};
    std::string list;
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        if (!list.empty()) list += ", ";
        list += std::to_string(smaller_sides[k]) + "/" + std::to_string(pairs[k].side) + ": " + Digits(pairs[k].p);
    }
    const SizeThreshold& largest = pairs.back();
    std::string method = "crossing R_L(p)=R_L'(p) of the largest pair L=" + std::to_string(smaller_sides.back()) + "," +
                         std::to_string(largest.side) + ", jackknife (pairs " + list + ")";
    if (!std::isfinite(largest.p)) method += " (the curves do not cross)";
    return {largest.p, largest.error, method};
}

ThresholdEstimate ExponentNu(std::span<const SizeSlope> slopes, double p) {
    const std::string at = " at p=" + Digits(p);
    if (slopes.size() < 2) return {kNaN, kNaN, "nu from dR_L/dp ~ L^(1/nu): needs two sizes"};
    // y = log slope, x = log L, with the error of y the slope's relative error.
    double sw = 0.0, sx = 0.0, sy = 0.0, sxx = 0.0, sxy = 0.0;
    std::string sizes;
    for (const SizeSlope& s : slopes) {
        if (!(s.slope > 0.0 && std::isfinite(s.error) && s.error > 0.0)) {
            return {kNaN, kNaN, "nu from dR_L/dp ~ L^(1/nu): a slope is zero or has no error" + at};
        }
        const double x = std::log(static_cast<double>(s.side)), y = std::log(s.slope);
        const double w = (s.slope * s.slope) / (s.error * s.error);
        sw += w, sx += w * x, sy += w * y, sxx += w * x * x, sxy += w * x * y;
        if (!sizes.empty()) sizes += ',';
        sizes += std::to_string(s.side);
    }
    const double determinant = sw * sxx - sx * sx;
    const double inverse = (sw * sxy - sx * sy) / determinant;
    const double intercept = (sxx * sy - sx * sxy) / determinant;
    double error = std::sqrt(sw / determinant);
    if (slopes.size() > 2) {
        double chi_square = 0.0;
        for (const SizeSlope& s : slopes) {
            const double residual = std::log(s.slope) - intercept - inverse * std::log(static_cast<double>(s.side));
            chi_square += residual * residual * (s.slope * s.slope) / (s.error * s.error);
        }
        error *= std::max(1.0, std::sqrt(chi_square / static_cast<double>(slopes.size() - 2)));
    }
    return {1.0 / inverse, error / (inverse * inverse),
            "nu from dR_L/dp ~ L^(1/nu), weighted fit of log slope over L=" + sizes + at};
}

}  // namespace prag
