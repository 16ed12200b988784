// run_loop.h: the whole run of vrtinela2D after the console is bound.
// Limits: returns only on a normal end; failures end the process inside the checked calls.
#pragma once

#include <cstdint>

namespace vrtinela {

extern std::int32_t PercolationCount;  // repetitions whose configuration percolated
extern double PercolationPercent;      // PercolationCount x 100 / RepetitionCount

// Dialogue, repetitions, statistics and the end prompt; returns the exit code 0.
int RunVrtinela();

}  // namespace vrtinela
