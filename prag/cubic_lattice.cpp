// cubic_lattice.cpp
// The simple cubic lattice of L x L x L sites, six neighbours, bonds along +x, +y and +z; z runs from
// the top layer to the bottom one. Codes carry x, y and z in 10 bits each, so L is at most 1024;
// items must stay below 2^31, which sets the limit lower still.
#include <array>

#include "prag/cluster_sweep.h"
#include "prag/lattices.h"

namespace prag {
namespace {

class CubicGeometry {
public:
    static constexpr int kDimensions = 3;
    static constexpr std::uint32_t kForward = 3;
    using Offset = std::array<std::int32_t, 3>;

    CubicGeometry(int side, Boundary boundary) : side_(side), periodic_(boundary == Boundary::kPeriodic) {}

    std::uint32_t Sites() const { return static_cast<std::uint32_t>(side_ * side_ * side_); }
    // A neighbour's node is at most a layer away; the sweep prefetches the layers above and below.
    std::uint32_t RowSites() const { return static_cast<std::uint32_t>(side_ * side_); }
    std::uint32_t CodeOf(std::uint32_t site) const {
        const auto l = static_cast<std::uint32_t>(side_);
        return (site % l) | (site / l % l) << kBits | (site / (l * l)) << (2 * kBits);
    }
    std::uint32_t SiteOf(std::uint32_t code) const {
        const auto l = static_cast<std::uint32_t>(side_);
        return (Coordinate(code, 2) * l + Coordinate(code, 1)) * l + Coordinate(code, 0);
    }
    std::uint32_t Borders(std::uint32_t code) const {
        std::uint32_t borders = 0;
        for (int a = 0; a < 3; ++a) {
            const auto c = static_cast<std::int32_t>(Coordinate(code, a));
            borders |= static_cast<std::uint32_t>(c == 0) << (2 * a) | static_cast<std::uint32_t>(c == side_ - 1) << (2 * a + 1);
        }
        return borders;
    }

    template <class Visit>
    void ForEachNeighbour(std::uint32_t code, Visit&& visit) const {
        for (int a = 0; a < 3; ++a) {
            Step(code, a, -1, visit);
            Step(code, a, 1, visit);
        }
    }
    template <class Visit>
    void Forward(std::uint32_t code, std::uint32_t k, Visit&& visit) const {
        Step(code, static_cast<int>(k), 1, visit);
    }

private:
    static constexpr int kBits = 10;
    static std::uint32_t Coordinate(std::uint32_t code, int axis) { return code >> (kBits * axis) & ((1u << kBits) - 1); }

    template <class Visit>
    void Step(std::uint32_t code, int axis, std::int32_t direction, Visit&& visit) const {
        std::array<std::int32_t, 3> at{};
        for (int a = 0; a < 3; ++a) at[a] = static_cast<std::int32_t>(Coordinate(code, a));
        std::int32_t& c = at[axis];
        c += direction;
        if (periodic_) {
            c += c < 0 ? side_ : 0;
            c -= c >= side_ ? side_ : 0;
        } else if (c < 0 || c >= side_) {
            return;
        }
        Offset offset{};
        offset[axis] = direction;
        visit(static_cast<std::uint32_t>((at[2] * side_ + at[1]) * side_ + at[0]), offset);
    }

    std::int32_t side_;
    bool periodic_;
};

std::unique_ptr<Sampler> Make(const LatticeShape& shape, Model model, bool) {
    return MakeClusterSampler<CubicGeometry>(shape, model);
}

std::uint64_t Sites(int side) {
    const auto l = static_cast<std::uint64_t>(side);
    return l * l * l;
}

std::uint64_t Items(Model model, Boundary boundary, int side) {
    const auto l = static_cast<std::uint64_t>(side);
    if (model == Model::kSite) return l * l * l;
    return boundary == Boundary::kPeriodic ? 3 * l * l * l : 3 * l * l * (l - 1);
}

}  // namespace

// 3 L^3 bonds stay below 2^31 up to L = 894.
const LatticeDescription kCubicLattice{
    LatticeKind::kCubic, 3, 894, 0.3116077, 0.2488118,
    Sites, Items, ClusterBytesPerSite<3, 3>, NoSideProblem, Make,
};

}  // namespace prag
