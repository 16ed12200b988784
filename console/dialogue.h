// dialogue.h: the questions asked before a run and the allocation that follows them.
// Limits: the console must be bound first; a failed read or allocation ends the run.
#pragma once

#include <cstdint>

namespace vrtinela {

extern bool ShowEach;                 // print every configuration and ask after each
extern std::int32_t Answer;           // last number typed at a yes/no, continue or end prompt
extern double ConductingPercent;      // as typed, no range check
extern std::int32_t RepetitionCount;  // at least 1

inline constexpr std::int32_t kMinSide = 3;

// Asks whether to show each configuration, then M (3 to 200), the percentage and the number of
// repetitions (at least 1), asking again after an answer out of range.
void ReadInputs();

// ReadInputs, then one column block per column; "Out of memory" ends the run.
void PrepareRun();

}  // namespace vrtinela
