// lattices.h
// What the lattice files share: their descriptions, for lattices.cpp to list, and small helpers for
// the common parts of a description.
#pragma once

#include <string>

#include "prag/geometry.h"

namespace prag {

extern const LatticeDescription kSquareLattice;
extern const LatticeDescription kTriangularLattice;
extern const LatticeDescription kHoneycombLattice;
extern const LatticeDescription kCubicLattice;

inline std::uint64_t PlaneSites(int side) { return static_cast<std::uint64_t>(side) * static_cast<std::uint64_t>(side); }
inline std::string NoSideProblem(Boundary, int) { return ""; }

// The cluster sweep's memory per site: a node of 1 + dimensions words (twice for bonds, whose start
// state is kept), and the order being drawn with the one it starts from, per item.
template <int kForwardBonds, int kDimensions = 2>
double ClusterBytesPerSite(Model model, Boundary) {
    const double node = 4.0 * (1 + kDimensions);
    return model == Model::kSite ? node + 8.0 : 2 * node + 8.0 * kForwardBonds;
}

}  // namespace prag
