// csv_output.cpp
// One row per L and p: L, p, R, stderr. Numbers in %.10g, the same bits always giving the same text;
// p alone gets more digits where ten do not read back as the p the curve was evaluated at.
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
    std::string text = "L,p,R,stderr\n";
    char p[32];
    char row[128];
    for (const SizeResult& size : report.result.sizes) {
        for (const CurvePoint& point : size.curve) {
            PrintP(p, sizeof p, point.p);
            std::snprintf(row, sizeof row, "%d,%s,%.10g,%.10g\n", size.side, p, point.r, point.standard_error);
            text += row;
        }
    }
    return text;
}

}  // namespace prag
