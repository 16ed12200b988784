// reference_spanning.h
// A plain breadth-first search for spanning on a given configuration, written from the item numbering
// alone (sites y * L + x; bonds right, then down), as an oracle for the union-find sweep.
#pragma once

#include <vector>

#include "prag/model.h"

namespace prag_test {

// `occupied` has one entry per site (site model) or per bond (bond model).
bool ReferenceSpans(prag::Model model, int side, const std::vector<bool>& occupied, prag::Spanning rule);

}  // namespace prag_test
