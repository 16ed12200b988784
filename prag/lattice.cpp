// lattice.cpp
// Union-find in one 32-bit word per site (parent link, or size and touched sides at a root), with path
// halving and union by size; at L = 256 the whole lattice (258 KiB) stays in L2 cache.
#include "prag/lattice.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace prag {
namespace {

constexpr std::uint32_t kTopEdge = 1;
constexpr std::uint32_t kBottomEdge = 2;
constexpr std::uint32_t kLeftEdge = 4;
constexpr std::uint32_t kRightEdge = 8;
constexpr std::uint32_t kTopBottom = kTopEdge | kBottomEdge;
constexpr std::uint32_t kLeftRight = kLeftEdge | kRightEdge;
constexpr std::int32_t kEmpty = std::numeric_limits<std::int32_t>::min();  // below every root value

constexpr std::int32_t RootValue(std::uint32_t size, std::uint32_t edges) {
    return -1 - static_cast<std::int32_t>((size << 4) | edges);
}
constexpr std::uint32_t RootSize(std::int32_t value) { return static_cast<std::uint32_t>(-1 - value) >> 4; }
constexpr std::uint32_t RootEdges(std::int32_t value) { return static_cast<std::uint32_t>(-1 - value) & 15u; }

// Latches each crossing as it appears: clusters only grow, so a crossing once made stays. Bit 0 is
// top-bottom, bit 1 left-right; the rule is a mask of the bits it needs, and either needs any bit.
class Crossings {
public:
    explicit Crossings(Spanning rule)
        : needed_(rule == Spanning::kTopBottom ? 1u : rule == Spanning::kLeftRight ? 2u : 3u),
          any_(rule == Spanning::kEither) {}

    bool Note(std::uint32_t edges) {
        made_ |= static_cast<std::uint32_t>((edges & kTopBottom) == kTopBottom) |
                 static_cast<std::uint32_t>((edges & kLeftRight) == kLeftRight) << 1;
        return any_ ? made_ != 0 : (made_ & needed_) == needed_;
    }

private:
    std::uint32_t needed_;
    bool any_;
    std::uint32_t made_ = 0;
};

constexpr std::uint32_t EdgesAt(std::int32_t x, std::int32_t y, std::int32_t side) {
    return static_cast<std::uint32_t>(y == 0) * kTopEdge | static_cast<std::uint32_t>(y == side - 1) * kBottomEdge |
           static_cast<std::uint32_t>(x == 0) * kLeftEdge | static_cast<std::uint32_t>(x == side - 1) * kRightEdge;
}

// The sweeps work on a plain pointer and copies of the sizes: stores into the lattice would otherwise
// force the compiler to reload every int member after each one.
std::int32_t Find(std::int32_t* nodes, std::int32_t site) {
    for (;;) {
        const std::int32_t parent = nodes[site];
        if (parent < 0) return site;
        const std::int32_t grandparent = nodes[parent];
        if (grandparent < 0) return parent;
        nodes[site] = grandparent;
        site = grandparent;
    }
}

std::int32_t Merge(std::int32_t* nodes, std::int32_t root_a, std::int32_t root_b) {
    const std::int32_t value_a = nodes[root_a];
    const std::int32_t value_b = nodes[root_b];
    const std::int32_t merged = RootValue(RootSize(value_a) + RootSize(value_b), RootEdges(value_a) | RootEdges(value_b));
    if (RootSize(value_a) < RootSize(value_b)) std::swap(root_a, root_b);
    nodes[root_b] = root_a;
    nodes[root_a] = merged;
    return root_a;
}

}  // namespace

std::uint64_t ItemCount(Model model, int side) {
    const auto l = static_cast<std::uint64_t>(side);
    return model == Model::kSite ? l * l : 2 * l * (l - 1);
}

Lattice::Lattice(Model model, int side)
    : model_(model), side_(side), stride_(side + 1), count_(0) {
    if (side < kMinSide || side > kMaxSide) throw std::invalid_argument("lattice side out of range");
    count_ = static_cast<std::uint32_t>(ItemCount(model, side));
    const std::size_t padded = static_cast<std::size_t>(side + 2) * static_cast<std::size_t>(stride_);
    nodes_.resize(padded);
    if (model == Model::kBond) {
        start_nodes_.assign(padded, kEmpty);
        for (std::int32_t y = 0; y < side; ++y) {
            for (std::int32_t x = 0; x < side; ++x) start_nodes_[static_cast<std::size_t>(Index(x, y))] = RootValue(1, EdgesAt(x, y, side));
        }
        bonds_.resize(padded);
    } else {
        site_order_.reserve(count_);
        for (std::int32_t y = 0; y < side; ++y) {
            for (std::int32_t x = 0; x < side; ++x) {
                site_order_.push_back(static_cast<std::uint32_t>(Index(x, y)) << 4 | EdgesAt(x, y, side));
            }
        }
        shuffled_.resize(count_);
    }
}

std::uint32_t Lattice::SpanningNumber(SampleStream& stream, Spanning rule) {
    const auto side = static_cast<std::uint32_t>(side_);
    if (model_ == Model::kSite) {
        // Fisher-Yates over the sites, run ahead of the union-find: the swap for the next step is made
        // now and the pick after it is drawn now, so the cache lines each will need (the picked entry,
        // then the site's row and the rows above and below) are fetched while this site is joined.
        // The stream is read in the same order either way, and the order restarts from the same
        // arrangement every sample, so a sample's result depends only on its own stream.
        std::copy(site_order_.begin(), site_order_.end(), shuffled_.begin());
        std::uint32_t* order = shuffled_.data();
        const std::int32_t* nodes = nodes_.data();
        const std::int32_t stride = stride_;
        const std::uint32_t count = count_;
        const auto draw = [&stream, order, count](std::uint32_t step) {
            const std::uint32_t pick = step + stream.Below(count - step);
            __builtin_prefetch(order + pick, 1);
            return pick;
        };
        const auto place = [order, nodes, stride](std::uint32_t step, std::uint32_t pick) {
            std::swap(order[step], order[pick]);
            const std::int32_t* site = nodes + (order[step] >> 4);
            __builtin_prefetch(site, 1);
            __builtin_prefetch(site - stride);
            __builtin_prefetch(site + stride);
        };
        place(0, draw(0));
        std::uint32_t pick_after = count > 1 ? draw(1) : 0;
        return Sweep(
            [order, count, &draw, &place, &pick_after](std::uint32_t step) {
                const std::uint32_t code = order[step];
                if (step + 1 < count) place(step + 1, pick_after);
                if (step + 2 < count) pick_after = draw(step + 2);
                return Place{static_cast<std::int32_t>(code >> 4), code & 15u, false};
            },
            rule);
    }
    // Half the bonds point right (x < L - 1), half down (y < L - 1): a fair bit picks the direction.
    return Sweep(
        [this, &stream, side](std::uint32_t) {
            for (;;) {
                const bool vertical = stream.Below(2) == 1;
                const auto x = static_cast<std::int32_t>(stream.Below(vertical ? side : side - 1));
                const auto y = static_cast<std::int32_t>(stream.Below(vertical ? side - 1 : side));
                const std::uint8_t bit = vertical ? 2 : 1;
                std::uint8_t& held = bonds_[static_cast<std::size_t>(Index(x, y))];
                if (!(held & bit)) {
                    held |= bit;
                    return BondPlace(x, y, vertical);
                }
            }
        },
        rule);
}

std::uint32_t Lattice::SpanningNumber(std::span<const std::uint32_t> order, Spanning rule) {
    if (order.size() != count_) throw std::invalid_argument("order must list every item once");
    for (const std::uint32_t item : order) {
        if (item >= count_) throw std::invalid_argument("order names an item beyond the lattice");
    }
    const auto side = side_;
    const auto horizontal = static_cast<std::uint32_t>(side * (side - 1));
    return Sweep(
        [this, order, side, horizontal](std::uint32_t step) {
            const std::uint32_t item = order[step];
            if (model_ == Model::kSite) {
                return SitePlace(static_cast<std::int32_t>(item % static_cast<std::uint32_t>(side)),
                                 static_cast<std::int32_t>(item / static_cast<std::uint32_t>(side)));
            }
            if (item < horizontal) {
                return BondPlace(static_cast<std::int32_t>(item % static_cast<std::uint32_t>(side - 1)),
                                 static_cast<std::int32_t>(item / static_cast<std::uint32_t>(side - 1)), false);
            }
            const std::uint32_t rest = item - horizontal;
            return BondPlace(static_cast<std::int32_t>(rest % static_cast<std::uint32_t>(side)),
                             static_cast<std::int32_t>(rest / static_cast<std::uint32_t>(side)), true);
        },
        rule);
}

Lattice::Place Lattice::SitePlace(std::int32_t x, std::int32_t y) const {
    return {Index(x, y), EdgesAt(x, y, side_), false};
}

template <class DrawPlace>
std::uint32_t Lattice::Sweep(DrawPlace draw, Spanning rule) {
    // Every sample starts from the same empty lattice: its result must depend only on its own order.
    if (model_ == Model::kSite) {
        std::fill(nodes_.begin(), nodes_.end(), kEmpty);
        return SweepSites(draw, rule);
    }
    std::copy(start_nodes_.begin(), start_nodes_.end(), nodes_.begin());
    std::fill(bonds_.begin(), bonds_.end(), std::uint8_t{0});
    return SweepBonds(draw, rule);
}

template <class DrawPlace>
std::uint32_t Lattice::SweepSites(DrawPlace draw, Spanning rule) {
    std::int32_t* nodes = nodes_.data();
    const std::int32_t stride = stride_;
    const std::uint32_t count = count_;
    Crossings crossings(rule);
    for (std::uint32_t step = 0; step < count; ++step) {
        const Place place = draw(step);
        const std::int32_t site = place.index;
        nodes[site] = RootValue(1, place.edges);
        std::int32_t root = site;
        const auto join = [nodes, &root](std::int32_t neighbour) {
            if (nodes[neighbour] == kEmpty) return;
            const std::int32_t other = Find(nodes, neighbour);
            if (other != root) root = Merge(nodes, root, other);
        };
        // Beyond an edge lies padding that is never occupied, so no neighbour needs a bounds test.
        join(site - 1);
        join(site + 1);
        join(site - stride);
        join(site + stride);
        if (crossings.Note(RootEdges(nodes[root]))) return step + 1;
    }
    return count;
}

template <class DrawPlace>
std::uint32_t Lattice::SweepBonds(DrawPlace draw, Spanning rule) {
    std::int32_t* nodes = nodes_.data();
    const std::int32_t stride = stride_;
    const std::uint32_t count = count_;
    Crossings crossings(rule);
    for (std::uint32_t step = 0; step < count; ++step) {
        const Place place = draw(step);
        const std::int32_t first = place.index;
        const std::int32_t second = first + (place.vertical ? stride : 1);
        const std::int32_t root_a = Find(nodes, first);
        const std::int32_t root_b = Find(nodes, second);
        // A bond inside one cluster changes nothing, so no new crossing can appear.
        if (root_a == root_b) continue;
        const std::int32_t root = Merge(nodes, root_a, root_b);
        if (crossings.Note(RootEdges(nodes[root]))) return step + 1;
    }
    return count;
}

}  // namespace prag
