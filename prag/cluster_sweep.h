// cluster_sweep.h
// The Newman-Ziff sweep for any lattice: union-find over the geometry's sites, occupying sites (or
// bonds) in a Fisher-Yates order, with the sides each cluster touches on the open lattice and, on the
// torus, each site's displacement to its root, by which a cluster that closes a loop around the torus
// is seen (the two ends of the new link disagree on where the root is by a multiple of L).
// A Geometry gives kDimensions, Offset, Sites, CodeOf, SiteOf, Borders, kForward bonds per site and
// ForEachNeighbour(code, visit) / Forward(code, k, visit) calling visit(site, offset). Limits: at most
// 2^31 items and 2^31 sites a cluster.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

#include "prag/geometry.h"

namespace prag {

// Which axes a rule looks at and how many of them it needs. Axis 0 is x (left-right, horizontal),
// axis 1 is y, axis 2 is z; top-bottom and vertical are y in the plane and z in space.
class RuleWatch {
public:
    RuleWatch(Spanning rule, int dimensions, std::uint32_t items) : until_(items + 1) {
        const std::uint32_t all = (1u << dimensions) - 1;
        const std::uint32_t vertical = 1u << (dimensions - 1);
        switch (rule) {
            case Spanning::kTopBottom:
            case Spanning::kVertical: axes_ = vertical; break;
            case Spanning::kLeftRight:
            case Spanning::kHorizontal: axes_ = 1; break;
            case Spanning::kEither: axes_ = all; break;
            case Spanning::kBoth: axes_ = all, needed_ = dimensions; break;
            case Spanning::kOne: axes_ = all, only_horizontal_ = true, until_ = 0; break;
        }
    }

    // `made` holds every axis spanned or wrapped so far (clusters only grow, so it only gains bits);
    // true once the outcome is known.
    bool Note(std::uint32_t made, std::uint32_t step) {
        const int count = std::popcount(made & axes_);
        if (only_horizontal_) {
            // Wrapping horizontally and in no other direction: from the horizontal wrap on, until any other.
            if (first_ == 0 && (made & 1u) != 0) first_ = step;
            if (first_ != 0 && until_ == 0 && count >= 2) until_ = step;
            return first_ != 0 && until_ != 0;
        }
        if (first_ == 0 && count >= needed_) first_ = step;
        return first_ != 0 && until_ != 0;
    }
    SampleOutcome Outcome(std::uint32_t items) const {
        return {first_ != 0 ? first_ : items + 1, until_ != 0 ? until_ : items + 1};
    }

private:
    std::uint32_t axes_ = 0;
    int needed_ = 1;
    bool only_horizontal_ = false;
    std::uint32_t first_ = 0;
    std::uint32_t until_;
};

// `Component` holds a node's displacement: 16 bits are enough while the lattice has at most 2^16
// sites, because displacements are compared modulo 2^16 and the loop a new link closes is a simple
// cycle, whose winding is at most its length in sites and, on a torus, never a multiple of two periods.
template <class Geometry, class Component = std::int32_t>
class ClusterSampler final : public Sampler {
    static constexpr int kDimensions = Geometry::kDimensions;
    using Offset = typename Geometry::Offset;
    // A site's parent and its displacement to it, u(parent) - u(site) in unwrapped coordinates. A root
    // has no displacement: its link is minus the cluster's size and its first field the cluster's flags.
    struct Node {
        std::int32_t link;
        std::array<Component, kDimensions> field;
    };
    static constexpr std::int32_t kEmpty = std::numeric_limits<std::int32_t>::min();

public:
    ClusterSampler(Geometry geometry, Model model, Boundary boundary)
        : geometry_(geometry), model_(model), periodic_(boundary == Boundary::kPeriodic), nodes_(geometry.Sites()) {
        const std::uint32_t sites = geometry.Sites();
        if (model == Model::kSite) {
            start_order_.reserve(sites);
            for (std::uint32_t site = 0; site < sites; ++site) start_order_.push_back(geometry.CodeOf(site));
        } else {
            start_nodes_.resize(sites);
            for (std::uint32_t site = 0; site < sites; ++site) {
                const std::uint32_t code = geometry.CodeOf(site);
                start_nodes_[site] = RootNode(periodic_ ? 0 : geometry.Borders(code));
                for (std::uint32_t k = 0; k < Geometry::kForward; ++k) {
                    geometry.Forward(code, k, [&](std::uint32_t, const Offset&) { start_order_.push_back(code << 2 | k); });
                }
            }
        }
        order_.resize(start_order_.size());
    }

    SampleOutcome Run(SampleStream& stream, Spanning rule, ClusterSeries* series) override {
        return Dispatch(&stream, {}, rule, series);
    }

    SampleOutcome RunOrder(std::span<const std::uint32_t> order, Spanning rule, ClusterSeries* series) override {
        if (order.size() != start_order_.size()) throw std::invalid_argument("order must list every item once");
        return Dispatch(nullptr, order, rule, series);
    }

    std::pair<std::uint32_t, std::uint32_t> ItemEnds(std::uint32_t item) const override {
        const std::uint32_t code = start_order_.at(item);
        if (model_ == Model::kSite) return {geometry_.SiteOf(code), geometry_.SiteOf(code)};
        std::pair<std::uint32_t, std::uint32_t> ends{geometry_.SiteOf(code >> 2), 0};
        geometry_.Forward(code >> 2, code & 3u, [&ends](std::uint32_t neighbour, const Offset&) { ends.second = neighbour; });
        return ends;
    }

private:
    // The torus and the cluster totals cost only where they are asked for.
    SampleOutcome Dispatch(SampleStream* stream, std::span<const std::uint32_t> given, Spanning rule, ClusterSeries* series) {
        if (series != nullptr) {
            return periodic_ ? Sweep<true, true>(stream, given, rule, series) : Sweep<false, true>(stream, given, rule, series);
        }
        return periodic_ ? Sweep<true, false>(stream, given, rule, series) : Sweep<false, false>(stream, given, rule, series);
    }

    static Node RootNode(std::uint32_t flags) {
        Node node{-1, {}};
        node.field[0] = static_cast<Component>(flags);
        return node;
    }
    static std::uint32_t Size(const Node& root) { return static_cast<std::uint32_t>(-root.link); }
    static std::uint32_t Flags(const Node& root) { return static_cast<std::uint32_t>(root.field[0]); }

    // Axes the cluster spans (open: both borders of the axis) or wraps (torus: the flag of the axis).
    template <bool kPeriodic>
    static std::uint32_t Axes(std::uint32_t flags) {
        if constexpr (kPeriodic) return flags;
        std::uint32_t axes = 0;
        for (int a = 0; a < kDimensions; ++a) axes |= static_cast<std::uint32_t>(((flags >> (2 * a)) & 3u) == 3u) << a;
        return axes;
    }

    // The root of `site` with path halving; adds the site's displacement to its root to `to_root`.
    template <bool kPeriodic>
    static std::int32_t Find(Node* nodes, std::int32_t site, Offset& to_root) {
        for (;;) {
            const std::int32_t parent = nodes[site].link;
            if (parent < 0) return site;
            const std::int32_t grandparent = nodes[parent].link;
            if constexpr (kPeriodic) {
                if (grandparent < 0) {
                    for (int a = 0; a < kDimensions; ++a) to_root[a] += nodes[site].field[a];
                    return parent;
                }
                for (int a = 0; a < kDimensions; ++a) {
                    nodes[site].field[a] = static_cast<Component>(nodes[site].field[a] + nodes[parent].field[a]);
                    to_root[a] += nodes[site].field[a];
                }
            } else if (grandparent < 0) {
                return parent;
            }
            nodes[site].link = grandparent;
            site = grandparent;
        }
    }

    struct Totals {
        std::uint64_t largest = 0;
        std::uint64_t squares = 0;  // sum of every cluster's size squared
    };

    // Joins the cluster of a site (root `root`, displacement `to_root`) with that of a neighbour one
    // `step` away (root `other`, displacement `other_to_root`); afterwards `root` and `to_root` are
    // the joined cluster's.
    template <bool kPeriodic, bool kSeries>
    static void Join(Node* nodes, std::int32_t& root, Offset& to_root, std::int32_t other, const Offset& other_to_root,
                     const Offset& step, Totals& totals) {
        // u(root) - u(other): through the site, the step and the neighbour.
        Offset between{};
        if constexpr (kPeriodic) {
            for (int a = 0; a < kDimensions; ++a) between[a] = to_root[a] - other_to_root[a] - step[a];
        }
        if (other == root) {
            // The same cluster reached two ways: if the ways differ, it goes around the torus.
            if constexpr (kPeriodic) {
                std::uint32_t wraps = 0;
                for (int a = 0; a < kDimensions; ++a) wraps |= static_cast<std::uint32_t>(static_cast<Component>(between[a]) != 0) << a;
                nodes[root].field[0] = static_cast<Component>(Flags(nodes[root]) | wraps);
            }
            return;
        }
        const std::uint64_t size_a = Size(nodes[root]), size_b = Size(nodes[other]);
        const auto flags = static_cast<Component>(Flags(nodes[root]) | Flags(nodes[other]));
        if constexpr (kSeries) {
            totals.squares += 2 * size_a * size_b;
            totals.largest = std::max(totals.largest, size_a + size_b);
        }
        if (size_a >= size_b) {
            nodes[other].link = root;
            for (int a = 0; a < kDimensions; ++a) nodes[other].field[a] = static_cast<Component>(between[a]);
        } else {
            nodes[root].link = other;
            for (int a = 0; a < kDimensions; ++a) {
                nodes[root].field[a] = static_cast<Component>(-between[a]);
                to_root[a] -= between[a];
            }
            root = other;
        }
        nodes[root].link = -static_cast<std::int32_t>(size_a + size_b);
        nodes[root].field[0] = flags;
    }

    // Items in Fisher-Yates order from `stream`, or else those of `given` (numbers into start_order_).
    template <bool kPeriodic, bool kSeries>
    SampleOutcome Sweep(SampleStream* stream, std::span<const std::uint32_t> given, Spanning rule, ClusterSeries* series) {
        const std::uint32_t count = static_cast<std::uint32_t>(start_order_.size());
        const std::uint32_t sites = geometry_.Sites();
        Node* nodes = nodes_.data();
        Totals totals;
        if (model_ == Model::kSite) {
            std::fill(nodes_.begin(), nodes_.end(), Node{kEmpty, {}});
        } else {
            std::copy(start_nodes_.begin(), start_nodes_.end(), nodes_.begin());
            totals = {1, sites};
        }
        if (stream != nullptr) std::copy(start_order_.begin(), start_order_.end(), order_.begin());
        const double per_site = 1.0 / static_cast<double>(sites);
        const auto record = [&](std::uint32_t n) {
            series->largest[n] = static_cast<double>(totals.largest) * per_site;
            series->others[n] = static_cast<double>(totals.squares - totals.largest * totals.largest) * per_site * per_site;
        };
        if (series != nullptr) {
            series->largest.resize(count + 1);
            series->others.resize(count + 1);
            record(0);
        }
        RuleWatch watch(rule, kDimensions, count);
        std::uint32_t made = 0;
        bool known = false;
        std::uint32_t* order = order_.data();
        // Fisher-Yates run ahead of the union-find: the swap for the next step is made now and the pick
        // after it drawn now, so the cache lines each will need (the picked entry, then the next item's
        // node and its neighbours' rows) load while this item is joined. The stream is read in the
        // same order either way.
        const std::uint32_t row = geometry_.RowSites();
        const auto draw = [stream, order, count](std::uint32_t step) {
            const std::uint32_t pick = step + stream->Below(count - step);
            __builtin_prefetch(order + pick, 1);
            return pick;
        };
        const auto place = [&](std::uint32_t step, std::uint32_t pick) {
            std::swap(order[step], order[pick]);
            const std::uint32_t site = geometry_.SiteOf(model_ == Model::kSite ? order[step] : order[step] >> 2);
            __builtin_prefetch(nodes + site, 1);
            __builtin_prefetch(nodes + (site >= row ? site - row : 0));
            __builtin_prefetch(nodes + (site + row < sites ? site + row : site));
        };
        std::uint32_t pick_after = 0;
        if (stream != nullptr) {
            place(0, draw(0));
            pick_after = count > 1 ? draw(1) : 0;
        }
        for (std::uint32_t step = 0; step < count; ++step) {
            std::uint32_t code = 0;
            if (stream != nullptr) {
                if (step + 1 < count) place(step + 1, pick_after);
                if (step + 2 < count) pick_after = draw(step + 2);
                code = order[step];
            } else {
                code = start_order_.at(given[step]);
            }
            std::int32_t root = 0;
            if (model_ == Model::kSite) {
                const auto site = static_cast<std::int32_t>(geometry_.SiteOf(code));
                nodes[site] = RootNode(kPeriodic ? 0 : geometry_.Borders(code));
                if constexpr (kSeries) {
                    totals.squares += 1;
                    totals.largest = std::max<std::uint64_t>(totals.largest, 1);
                }
                root = site;
                Offset to_root{};
                geometry_.ForEachNeighbour(code, [&](std::uint32_t neighbour, const Offset& offset) {
                    const auto other_site = static_cast<std::int32_t>(neighbour);
                    if (nodes[other_site].link == kEmpty) return;
                    Offset other_to_root{};
                    const std::int32_t other = Find<kPeriodic>(nodes, other_site, other_to_root);
                    Join<kPeriodic, kSeries>(nodes, root, to_root, other, other_to_root, offset, totals);
                });
            } else {
                const std::uint32_t site_code = code >> 2;
                const auto site = static_cast<std::int32_t>(geometry_.SiteOf(site_code));
                geometry_.Forward(site_code, code & 3u, [&](std::uint32_t neighbour, const Offset& offset) {
                    Offset to_root{}, other_to_root{};
                    root = Find<kPeriodic>(nodes, site, to_root);
                    const std::int32_t other = Find<kPeriodic>(nodes, static_cast<std::int32_t>(neighbour), other_to_root);
                    Join<kPeriodic, kSeries>(nodes, root, to_root, other, other_to_root, offset, totals);
                });
            }
            // The axes change a few times a sample; the rule is looked at only then.
            if (const std::uint32_t now = made | Axes<kPeriodic>(Flags(nodes[root])); now != made) {
                made = now;
                known = watch.Note(made, step + 1);
            }
            if constexpr (kSeries) {
                record(step + 1);
            } else if (known) {
                break;
            }
        }
        return watch.Outcome(count);
    }

    Geometry geometry_;
    Model model_;
    bool periodic_;
    std::vector<Node> nodes_;
    std::vector<Node> start_nodes_;        // bonds: every site its own cluster
    std::vector<std::uint32_t> start_order_;  // site codes, or site code << 2 | bond direction
    std::vector<std::uint32_t> order_;
};

// The sampler for a geometry, with 16-bit displacements where they suffice (always on the open
// lattice, which never needs them) and 32-bit ones otherwise.
template <class Geometry>
std::unique_ptr<Sampler> MakeClusterSampler(const LatticeShape& shape, Model model) {
    const Geometry geometry(shape.side, shape.boundary);
    if (shape.boundary == Boundary::kOpen || geometry.Sites() <= (1u << 16)) {
        return std::make_unique<ClusterSampler<Geometry, std::int16_t>>(geometry, model, shape.boundary);
    }
    return std::make_unique<ClusterSampler<Geometry, std::int32_t>>(geometry, model, shape.boundary);
}

}  // namespace prag
