// table_output.cpp
// The readable summary on standard output: per L the spanning probability at the three grid points
// nearest the estimate, and p_L; then the estimate with its error and method.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "prag/report.h"

namespace prag {
namespace {

constexpr std::size_t kShownPoints = 3;
constexpr int kColumnWidth = 17;

// Indices of up to three neighbouring grid points around the one nearest `target`.
std::vector<std::size_t> PointsNear(const std::vector<CurvePoint>& curve, double target) {
    if (curve.empty()) return {};
    std::size_t nearest = curve.size() / 2;
    if (std::isfinite(target)) {
        nearest = 0;
        for (std::size_t k = 1; k < curve.size(); ++k) {
            if (std::abs(curve[k].p - target) < std::abs(curve[nearest].p - target)) nearest = k;
        }
    }
    const std::size_t shown = std::min(kShownPoints, curve.size());
    const std::size_t first = std::min(nearest > 0 ? nearest - 1 : 0, curve.size() - shown);
    std::vector<std::size_t> indices;
    for (std::size_t k = first; k < first + shown; ++k) indices.push_back(k);
    return indices;
}

std::string Padded(std::string text, int width) {
    // The ± sign is two bytes and one column.
    const auto columns = static_cast<int>(text.size()) - static_cast<int>(std::count(text.begin(), text.end(), '\xC2'));
    if (columns < width) text.append(static_cast<std::size_t>(width - columns), ' ');
    return text;
}

std::string PointText(const CurvePoint& point) {
    if (!std::isfinite(point.standard_error)) return Fixed(point.r, 4) + " ± n/a";
    return Fixed(point.r, 4) + " ± " + Fixed(point.standard_error, 4);
}

}  // namespace

std::string TableText(const Report& report, std::string_view program_version) {
    const RunSettings& s = report.settings;
    std::ostringstream out;
    out << program_version << ": " << ModelName(s.model) << " percolation, ";
    if (s.extended) out << LatticeName(s.lattice) << " lattice, " << BoundaryName(s.boundary) << " boundary, ";
    out << SpanningName(s.rule) << " spanning, " << s.samples << " samples per size, seed " << report.seed;
    if (report.seed_was_chosen) out << " (chosen; --seed " << report.seed << " repeats this run)";
    out << "\n\n";
    if (report.result.sizes.empty()) return out.str();

    const std::vector<std::size_t> shown = PointsNear(report.result.sizes.front().curve, report.result.estimate.value);
    out << "     L  ";
    for (const std::size_t k : shown) {
        out << Padded("R(" + Fixed(report.result.sizes.front().curve[k].p, 4) + ")", kColumnWidth);
    }
    out << "p_L (R = 1/2)\n";
    for (const SizeResult& size : report.result.sizes) {
        char side[16];
        std::snprintf(side, sizeof side, "%6d  ", size.side);
        out << side;
        for (const std::size_t k : shown) out << Padded(PointText(size.curve[k]), kColumnWidth);
        out << WithError(size.threshold.p, size.threshold.error) << "\n";
    }
    if (s.strength) {
        for (const bool chi : {false, true}) {
            out << "\n     L  ";
            for (const std::size_t k : shown) {
                out << Padded(std::string(chi ? "chi(" : "P(") + Fixed(report.result.sizes.front().curve[k].p, 4) + ")", kColumnWidth);
            }
            out << "\n";
            for (const SizeResult& size : report.result.sizes) {
                char side[16];
                std::snprintf(side, sizeof side, "%6d  ", size.side);
                out << side;
                for (const std::size_t k : shown) {
                    if (k >= size.strength.size()) continue;
                    const StrengthPoint& point = size.strength[k];
                    out << Padded(chi ? WithError(point.chi, point.chi_error) : WithError(point.strength, point.strength_error), kColumnWidth);
                }
                out << "\n";
            }
        }
    }
    const ThresholdEstimate& estimate = report.result.estimate;
    out << "\np_c = " << WithError(estimate.value, estimate.error) << " (" << estimate.method << ")\n";
    for (const NamedEstimate& named : report.result.more) {
        if (named.estimate.method == estimate.method) continue;  // the p_c line above
        out << (named.name == "nu" ? "nu  = " : "      ") << WithError(named.estimate.value, named.estimate.error) << " ("
            << named.estimate.method << ")\n";
    }
    return out.str();
}

}  // namespace prag
