// csv_output.cpp
// One row per L and p: L, p, R, stderr, and with --strength P, P_stderr, chi, chi_stderr. Numbers in
// %.10g, the same bits always giving the same text; p alone gets more digits where ten do not read
// back as the p the curve was evaluated at.
#include <cstdio>
#include <cstdlib>

#include "prag/report.h"

namespace prag {
namespace {

// The fewest digits from ten on that read back as `p`, so a p that ten digits carry prints as it
// always did; seventeen carry every double.
void PrintP(char* text, std::size_t size, double p) {
    for (int digits = 10; digits <= 17; ++digits) {
        std::snprintf(text, size, "%.*g", digits, p);
        if (std::strtod(text, nullptr) == p) return;
    }
}

}  // namespace

std::string CsvText(const Report& report) {
    const bool strength = report.settings.strength;
    std::string text = strength ? "L,p,R,stderr,P,P_stderr,chi,chi_stderr\n" : "L,p,R,stderr\n";
    char p[32];
    char row[256];
    for (const SizeResult& size : report.result.sizes) {
        for (std::size_t k = 0; k < size.curve.size(); ++k) {
            const CurvePoint& point = size.curve[k];
            PrintP(p, sizeof p, point.p);
            std::snprintf(row, sizeof row, "%d,%s,%.10g,%.10g", size.side, p, point.r, point.standard_error);
            text += row;
            if (strength && k < size.strength.size()) {
                const StrengthPoint& s = size.strength[k];
                std::snprintf(row, sizeof row, ",%.10g,%.10g,%.10g,%.10g", s.strength, s.strength_error, s.chi, s.chi_error);
                text += row;
            }
            text += '\n';
        }
    }
    return text;
}

}  // namespace prag
