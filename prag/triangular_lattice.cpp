// triangular_lattice.cpp
// The triangular lattice as a rhombus of L x L sites: the square's four neighbours and the diagonal
// pair (x + 1, y - 1), (x - 1, y + 1), six in all; bonds right, down and up-right.
#include "prag/cluster_sweep.h"
#include "prag/lattice.h"
#include "prag/lattices.h"
#include "prag/plane_grid.h"

namespace prag {
namespace {

struct TriangularGeometry : PlaneGrid {
    using PlaneGrid::PlaneGrid;
    static constexpr std::uint32_t kForward = 3;

    template <class Visit>
    void ForEachNeighbour(std::uint32_t code, Visit&& visit) const {
        Step(code, -1, 0, visit);
        Step(code, 1, 0, visit);
        Step(code, 0, -1, visit);
        Step(code, 0, 1, visit);
        Step(code, 1, -1, visit);
        Step(code, -1, 1, visit);
    }
    template <class Visit>
    void Forward(std::uint32_t code, std::uint32_t k, Visit&& visit) const {
        if (k == 0) Step(code, 1, 0, visit);
        if (k == 1) Step(code, 0, 1, visit);
        if (k == 2) Step(code, 1, -1, visit);
    }
};

std::unique_ptr<Sampler> Make(const LatticeShape& shape, Model model, bool) {
    return MakeClusterSampler<TriangularGeometry>(shape, model);
}

std::uint64_t Items(Model model, Boundary boundary, int side) {
    const auto l = static_cast<std::uint64_t>(side);
    if (model == Model::kSite) return l * l;
    // Open: L - 1 bonds in each row and column, and (L - 1)^2 diagonals.
    return boundary == Boundary::kPeriodic ? 3 * l * l : (l - 1) * (3 * l - 1);
}

}  // namespace

const LatticeDescription kTriangularLattice{
    LatticeKind::kTriangular, 2, kMaxSide, 0.5, 0.347296355,
    PlaneSites, Items, ClusterBytesPerSite<3>, NoSideProblem, Make,
};

}  // namespace prag
