// lattice.cpp
// Union-find in one 32-bit word per site (parent link, or size and touched sides at a root), with path
// halving and union by size; at L = 256 the whole lattice (256 KiB) stays in L2 cache.
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

// Latches each crossing as it appears: clusters only grow, so a crossing once made stays.
struct Crossings {
    bool top_bottom = false;
    bool left_right = false;

    bool Note(std::uint32_t edges, Spanning rule) {
        top_bottom = top_bottom || (edges & kTopBottom) == kTopBottom;
        left_right = left_right || (edges & kLeftRight) == kLeftRight;
        switch (rule) {
            case Spanning::kTopBottom: return top_bottom;
            case Spanning::kLeftRight: return left_right;
            case Spanning::kEither: return top_bottom || left_right;
            case Spanning::kBoth: return top_bottom && left_right;
        }
        return false;
    }
};

}  // namespace

std::uint64_t ItemCount(Model model, int side) {
    const auto l = static_cast<std::uint64_t>(side);
    return model == Model::kSite ? l * l : 2 * l * (l - 1);
}

Lattice::Lattice(Model model, int side)
    : model_(model), side_(side), count_(0), shift_(0) {
    if (side < kMinSide || side > kMaxSide) throw std::invalid_argument("lattice side out of range");
    count_ = static_cast<std::uint32_t>(ItemCount(model, side));
    while ((1 << shift_) < side) ++shift_;
    const std::size_t padded = static_cast<std::size_t>(side) << shift_;
    nodes_.resize(padded);
    if (model == Model::kBond) {
        start_nodes_.assign(padded, kEmpty);
        for (std::int32_t y = 0; y < side; ++y) {
            for (std::int32_t x = 0; x < side; ++x) start_nodes_[static_cast<std::size_t>(y << shift_ | x)] = RootValue(1, EdgesAt(x, y));
        }
        bonds_.resize(padded);
    }
}

std::uint32_t Lattice::EdgesAt(std::int32_t x, std::int32_t y) const {
    return (y == 0 ? kTopEdge : 0u) | (y == side_ - 1 ? kBottomEdge : 0u) | (x == 0 ? kLeftEdge : 0u) |
           (x == side_ - 1 ? kRightEdge : 0u);
}

std::uint32_t Lattice::SpanningNumber(SampleStream& stream, Spanning rule) {
    const auto side = static_cast<std::uint32_t>(side_);
    if (model_ == Model::kSite) {
        // The memory latency of the lattice is the cost, so each pick is drawn one pick ahead and its
        // cache lines (the site's row and the rows above and below) are fetched while the current site
        // is joined. The picks come from the stream in the same order either way.
        const std::int32_t row = 1 << shift_;
        const std::int32_t* nodes = nodes_.data();
        const auto pick = [&stream, side, nodes, row, this] {
            const auto x = static_cast<std::int32_t>(stream.Below(side));
            const auto y = static_cast<std::int32_t>(stream.Below(side));
            const std::int32_t* site = nodes + (y << shift_ | x);
            __builtin_prefetch(site, 1);
            if (y > 0) __builtin_prefetch(site - row);
            if (y + 1 < side_) __builtin_prefetch(site + row);
            return Place{x, y, false};
        };
        Place next = pick();
        return Sweep(
            [this, &next, &pick](std::uint32_t) {
                for (;;) {
                    const Place candidate = next;
                    next = pick();
                    if (nodes_[static_cast<std::size_t>(candidate.y << shift_ | candidate.x)] == kEmpty) return candidate;
                }
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
                std::uint8_t& held = bonds_[static_cast<std::size_t>(y << shift_ | x)];
                if (!(held & bit)) {
                    held |= bit;
                    return Place{x, y, vertical};
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
                return Place{static_cast<std::int32_t>(item % static_cast<std::uint32_t>(side)),
                             static_cast<std::int32_t>(item / static_cast<std::uint32_t>(side)), false};
            }
            if (item < horizontal) {
                return Place{static_cast<std::int32_t>(item % static_cast<std::uint32_t>(side - 1)),
                             static_cast<std::int32_t>(item / static_cast<std::uint32_t>(side - 1)), false};
            }
            const std::uint32_t rest = item - horizontal;
            return Place{static_cast<std::int32_t>(rest % static_cast<std::uint32_t>(side)),
                         static_cast<std::int32_t>(rest / static_cast<std::uint32_t>(side)), true};
        },
        rule);
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
    Crossings crossings;
    const std::int32_t row = 1 << shift_;
    for (std::uint32_t step = 0; step < count_; ++step) {
        const Place place = draw(step);
        const std::int32_t site = place.y << shift_ | place.x;
        const std::uint32_t edges = EdgesAt(place.x, place.y);
        nodes_[static_cast<std::size_t>(site)] = RootValue(1, edges);
        std::int32_t root = site;
        const auto join = [this, &root](std::int32_t neighbour) {
            if (nodes_[static_cast<std::size_t>(neighbour)] == kEmpty) return;
            const std::int32_t other = Find(neighbour);
            if (other != root) root = Merge(root, other);
        };
        // A site on an edge has no neighbour beyond it: its own edge bits say which neighbours exist.
        if (!(edges & kLeftEdge)) join(site - 1);
        if (!(edges & kRightEdge)) join(site + 1);
        if (!(edges & kTopEdge)) join(site - row);
        if (!(edges & kBottomEdge)) join(site + row);
        if (crossings.Note(RootEdges(nodes_[static_cast<std::size_t>(root)]), rule)) return step + 1;
    }
    return count_;
}

template <class DrawPlace>
std::uint32_t Lattice::SweepBonds(DrawPlace draw, Spanning rule) {
    Crossings crossings;
    for (std::uint32_t step = 0; step < count_; ++step) {
        const Place place = draw(step);
        const std::int32_t first = place.y << shift_ | place.x;
        const std::int32_t second = first + (place.vertical ? (1 << shift_) : 1);
        const std::int32_t root_a = Find(first);
        const std::int32_t root_b = Find(second);
        // A bond inside one cluster changes nothing, so no new crossing can appear.
        if (root_a == root_b) continue;
        const std::int32_t root = Merge(root_a, root_b);
        if (crossings.Note(RootEdges(nodes_[static_cast<std::size_t>(root)]), rule)) return step + 1;
    }
    return count_;
}

std::int32_t Lattice::Find(std::int32_t site) {
    std::int32_t* nodes = nodes_.data();
    for (;;) {
        const std::int32_t parent = nodes[site];
        if (parent < 0) return site;
        const std::int32_t grandparent = nodes[parent];
        if (grandparent < 0) return parent;
        nodes[site] = grandparent;
        site = grandparent;
    }
}

std::int32_t Lattice::Merge(std::int32_t root_a, std::int32_t root_b) {
    std::int32_t* nodes = nodes_.data();
    const std::int32_t value_a = nodes[root_a];
    const std::int32_t value_b = nodes[root_b];
    const std::int32_t merged = RootValue(RootSize(value_a) + RootSize(value_b), RootEdges(value_a) | RootEdges(value_b));
    if (RootSize(value_a) < RootSize(value_b)) std::swap(root_a, root_b);
    nodes[root_b] = root_a;
    nodes[root_a] = merged;
    return root_a;
}

}  // namespace prag
