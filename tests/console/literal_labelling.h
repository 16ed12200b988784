// literal_labelling.h: the slow, literal cluster labelling kept as the oracle for the fast test.
// Limits: quadratic in the number of conducting squares; fine up to a few thousand of them.
#pragma once

namespace vrtinela_testing {

// Reads the grid of the console program and decides by scanning every earlier partner for each
// cell and rewriting every equal label on a merge, with the early stop on the bottom electrode.
bool LiteralPercolates();

}  // namespace vrtinela_testing
