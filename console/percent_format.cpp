// percent_format.cpp: decimal rounding done on digits, not on the binary value.
// Limits: magnitudes below 1e300 (a percentage never comes near that).
#include "console/percent_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vrtinela {

namespace {

constexpr int kSignificantDigits = 18;
constexpr int kDecimals = 2;
constexpr int kFieldWidth = 7;

}  // namespace

std::string FormatPercent(double value) {
    const bool negative = std::signbit(value) && value != 0.0;
    // "d.ddddddddddddddddde+XX": the 18 significant digits, correctly rounded by printf.
    char scientific[40];
    std::snprintf(scientific, sizeof scientific, "%.*e", kSignificantDigits - 1, std::fabs(value));
    std::string digits;
    for (const char* p = scientific; *p != 'e'; ++p) {
        if (*p != '.') digits += *p;
    }
    const int exponent = std::atoi(std::strchr(scientific, 'e') + 1);

    // digits holds d0 d1 ... d17 with the value d0.d1d2... x 10^exponent. Place them on a fixed
    // grid of positions: position k stands for 10^-k.
    const int integerDigits = exponent >= 0 ? exponent + 1 : 0;
    std::string fixed;  // integer digits then kDecimals + 1 decimals (one to decide the rounding)
    for (int power = (integerDigits > 0 ? exponent : 0); power >= -(kDecimals + 1); --power) {
        const int index = exponent - power;  // which significant digit stands at this power
        fixed += (index >= 0 && index < kSignificantDigits) ? digits[index] : '0';
    }
    const bool roundUp = fixed.back() >= '5';
    fixed.pop_back();
    if (roundUp) {
        int at = static_cast<int>(fixed.size()) - 1;
        while (at >= 0 && fixed[at] == '9') fixed[at--] = '0';
        if (at >= 0) {
            ++fixed[at];
        } else {
            fixed.insert(fixed.begin(), '1');
        }
    }
    std::string text = fixed.substr(0, fixed.size() - kDecimals) + "." + fixed.substr(fixed.size() - kDecimals);
    bool allZero = true;
    for (char c : fixed) allZero = allZero && c == '0';
    if (negative && !allZero) text.insert(text.begin(), '-');
    if (static_cast<int>(text.size()) < kFieldWidth) text.insert(0, kFieldWidth - text.size(), ' ');
    return text;
}

}  // namespace vrtinela
