// honeycomb_lattice.cpp
// The honeycomb lattice as a brick wall of L x L sites: left and right neighbours, and one more,
// down where x + y is even and up where it is odd, three in all. On the torus that pattern must
// close, so L is even there.
#include "prag/cluster_sweep.h"
#include "prag/lattice.h"
#include "prag/lattices.h"
#include "prag/plane_grid.h"

namespace prag {
namespace {

struct HoneycombGeometry : PlaneGrid {
    using PlaneGrid::PlaneGrid;
    static constexpr std::uint32_t kForward = 2;

    static bool DownFrom(std::uint32_t code) { return ((X(code) + Y(code)) & 1) == 0; }

    template <class Visit>
    void ForEachNeighbour(std::uint32_t code, Visit&& visit) const {
        Step(code, -1, 0, visit);
        Step(code, 1, 0, visit);
        Step(code, 0, DownFrom(code) ? 1 : -1, visit);
    }
    template <class Visit>
    void Forward(std::uint32_t code, std::uint32_t k, Visit&& visit) const {
        if (k == 0) Step(code, 1, 0, visit);
        if (k == 1 && DownFrom(code)) Step(code, 0, 1, visit);
    }
};

std::unique_ptr<Sampler> Make(const LatticeShape& shape, Model model, bool) {
    return MakeClusterSampler<HoneycombGeometry>(shape, model);
}

std::uint64_t Items(Model model, Boundary boundary, int side) {
    const auto l = static_cast<std::uint64_t>(side);
    if (model == Model::kSite) return l * l;
    if (boundary == Boundary::kPeriodic) return 3 * l * l / 2;
    // Open: L - 1 bonds a row; between rows y and y + 1 the columns with x + y even, of which there
    // are ceil(L / 2) when y is even and floor(L / 2) when it is odd.
    std::uint64_t vertical = 0;
    for (std::uint64_t y = 0; y + 1 < l; ++y) vertical += (y % 2 == 0) ? (l + 1) / 2 : l / 2;
    return l * (l - 1) + vertical;
}

std::string SideProblem(Boundary boundary, int side) {
    if (boundary == Boundary::kPeriodic && side % 2 != 0) {
        return "the honeycomb torus needs an even L (its rows alternate), got " + std::to_string(side);
    }
    return "";
}

}  // namespace

const LatticeDescription kHoneycombLattice{
    LatticeKind::kHoneycomb, 2, kMaxSide, 0.697040230, 0.652703645,
    PlaneSites, Items, ClusterBytesPerSite<2>, SideProblem, Make,
};

}  // namespace prag
