// format.cpp
// Number formatting shared by the table and the plot, so both print an estimate alike.
#include <cmath>
#include <cstdio>

#include "prag/report.h"

namespace prag {

std::string Fixed(double value, int places) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
    return buffer;
}

std::string WithError(double value, double error) {
    if (!std::isfinite(error)) return Fixed(value, 6) + " ± n/a";
    if (error <= 0.0) return Fixed(value, 6) + " ± 0";
    const int magnitude = static_cast<int>(std::floor(std::log10(error)));
    const double leading = error / std::pow(10.0, magnitude);
    int places = -magnitude + (leading < 3.0 ? 1 : 0);
    places = std::max(1, std::min(places, 12));
    return Fixed(value, places) + " ± " + Fixed(error, places);
}

}  // namespace prag
