// percent_format.h: the percentage field of the statistics line.
// Limits: finite values only; a value that needs more than 7 characters widens the field.
#pragma once

#include <string>

namespace vrtinela {

// Fixed notation with two decimals, right-aligned in 7 characters. Rounds half up on the
// value's 18 significant decimal digits, so 0.125 prints 0.13 where printf would print 0.12.
std::string FormatPercent(double value);

}  // namespace vrtinela
