// square_lattice.cpp
// The square lattice: four neighbours, bonds right and down. On the open lattice without cluster
// series the older sweep (lattice.cpp) runs, whose orders and so whose results stay as they were.
#include "prag/bit_spanning.h"
#include "prag/cluster_sweep.h"
#include "prag/lattice.h"
#include "prag/lattices.h"
#include "prag/plane_grid.h"

namespace prag {
namespace {

struct SquareGeometry : PlaneGrid {
    using PlaneGrid::PlaneGrid;
    static constexpr std::uint32_t kForward = 2;

    template <class Visit>
    void ForEachNeighbour(std::uint32_t code, Visit&& visit) const {
        Step(code, -1, 0, visit);
        Step(code, 1, 0, visit);
        Step(code, 0, -1, visit);
        Step(code, 0, 1, visit);
    }
    template <class Visit>
    void Forward(std::uint32_t code, std::uint32_t k, Visit&& visit) const {
        Step(code, k == 0 ? 1 : 0, k == 0 ? 0 : 1, visit);
    }
};

class OpenSquareSampler final : public Sampler {
public:
    OpenSquareSampler(Model model, int side)
        : lattice_(model, side), model_(model), side_(static_cast<std::uint32_t>(side)),
          items_(static_cast<std::uint32_t>(ItemCount(model, side))) {}
    SampleOutcome Run(SampleStream& stream, Spanning rule, ClusterSeries*) override {
        return {lattice_.SpanningNumber(stream, rule), items_ + 1};
    }
    SampleOutcome RunOrder(std::span<const std::uint32_t> order, Spanning rule, ClusterSeries*) override {
        return {lattice_.SpanningNumber(order, rule), items_ + 1};
    }
    // The older sweep's numbering: sites y * L + x; bonds right first (y * (L - 1) + x), then down.
    std::pair<std::uint32_t, std::uint32_t> ItemEnds(std::uint32_t item) const override {
        if (model_ == Model::kSite) return {item, item};
        const std::uint32_t horizontal = side_ * (side_ - 1);
        if (item < horizontal) {
            const std::uint32_t site = item / (side_ - 1) * side_ + item % (side_ - 1);
            return {site, site + 1};
        }
        return {item - horizontal, item - horizontal + side_};
    }

private:
    Lattice lattice_;
    Model model_;
    std::uint32_t side_;
    std::uint32_t items_;
};

// Sites of the open square: the bit masks, which give the union-find's spanning numbers for less.
class OpenSquareSiteSampler final : public Sampler {
public:
    explicit OpenSquareSiteSampler(int side) : bits_(side), items_(static_cast<std::uint32_t>(side * side)) {}
    SampleOutcome Run(SampleStream& stream, Spanning rule, ClusterSeries*) override {
        return {bits_.SpanningNumber(stream, rule), items_ + 1};
    }
    SampleOutcome RunOrder(std::span<const std::uint32_t> order, Spanning rule, ClusterSeries*) override {
        return {bits_.SpanningNumber(order, rule), items_ + 1};
    }
    std::pair<std::uint32_t, std::uint32_t> ItemEnds(std::uint32_t item) const override { return {item, item}; }

private:
    BitSpanning bits_;
    std::uint32_t items_;
};

std::unique_ptr<Sampler> Make(const LatticeShape& shape, Model model, bool with_series) {
    if (shape.boundary == Boundary::kOpen && !with_series) {
        if (model == Model::kSite) return std::make_unique<OpenSquareSiteSampler>(shape.side);
        return std::make_unique<OpenSquareSampler>(model, shape.side);
    }
    return MakeClusterSampler<SquareGeometry>(shape, model);
}

std::uint64_t Items(Model model, Boundary boundary, int side) {
    const auto l = static_cast<std::uint64_t>(side);
    if (model == Model::kSite) return l * l;
    return boundary == Boundary::kPeriodic ? 2 * l * l : 2 * l * (l - 1);
}

}  // namespace

const LatticeDescription kSquareLattice{
    LatticeKind::kSquare, 2, kMaxSide, 0.5927460507, 0.5,
    PlaneSites, Items, ClusterBytesPerSite<2>, NoSideProblem, Make,
};

}  // namespace prag
