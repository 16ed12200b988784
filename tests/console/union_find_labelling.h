// union_find_labelling.h: the cluster labelling over the list of conducting squares, with
// union-find merges, kept as a second oracle for the percolation walk: fast enough for 200 x 200
// grids by the thousand, where the literal algorithm is quadratic.
// Limits: reads the grid of doubles; writes the program's cell list and label tables.
#pragma once

namespace vrtinela_testing {

// Lists the conducting squares, then labels them in list order, merging by union-find whose
// roots are the smallest partner numbers, and stops when the bottom electrode joins the top.
bool UnionFindPercolates();

}  // namespace vrtinela_testing
