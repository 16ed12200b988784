// kernel_agreement.h: every kernel combination this processor runs, compared with the oracles on
// seeded random grids: the same squares as the square-by-square generation and the same verdict
// as the labelling (the literal one as well on the smaller grids).
// Limits: uses the program-wide grid, seed clock and kernel choice, and restores the kernels and
// the clock; leaves the grid freed.
#pragma once

#include <cstdint>
#include <string>

namespace vrtinela_testing {

struct AgreementReport {
    int grids = 0;               // random grids drawn
    int kernelRuns = 0;          // grids times kernel combinations
    int literalChecks = 0;       // grids also decided by the literal labelling
    int percolating = 0;         // grids whose oracle verdict was true
    int combinations = 0;        // kernel combinations that ran
    std::string firstMismatch;   // empty when everything agreed
};

// The first square whose bit in the row masks differs from the grid of doubles (or a bit set
// past ColumnCount), as "square CxR is set|clear"; empty when they agree.
std::string FirstSquareDifference();

// Sides from 3 to 200, thresholds 0, 1, 0.592746 and random ones, seeds from `runSeed`; the
// literal labelling also decides grids of side `literalSideLimit` or less.
AgreementReport CompareKernelsWithOracles(int grids, std::uint32_t runSeed, int literalSideLimit);

}  // namespace vrtinela_testing
