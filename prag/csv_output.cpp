// csv_output.cpp
// One row per L and p: L, p, R, stderr. Numbers in %.10g, the same bits always giving the same text.
#include <cstdio>

#include "prag/report.h"

namespace prag {

std::string CsvText(const Report& report) {
    std::string text = "L,p,R,stderr\n";
    char row[128];
    for (const SizeResult& size : report.result.sizes) {
        for (const CurvePoint& point : size.curve) {
            std::snprintf(row, sizeof row, "%d,%.10g,%.10g,%.10g\n", size.side, point.p, point.r, point.standard_error);
            text += row;
        }
    }
    return text;
}

}  // namespace prag
