// csv_output.cpp
// One row per L and p: L, p, R, stderr, and with --strength P, P_stderr, chi, chi_stderr. Numbers in
// %.10g, the same bits always giving the same text.
#include <cstdio>

#include "prag/report.h"

namespace prag {

std::string CsvText(const Report& report) {
    const bool strength = report.settings.strength;
    std::string text = strength ? "L,p,R,stderr,P,P_stderr,chi,chi_stderr\n" : "L,p,R,stderr\n";
    char row[256];
    for (const SizeResult& size : report.result.sizes) {
        for (std::size_t k = 0; k < size.curve.size(); ++k) {
            const CurvePoint& point = size.curve[k];
            std::snprintf(row, sizeof row, "%d,%.10g,%.10g,%.10g", size.side, point.p, point.r, point.standard_error);
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
