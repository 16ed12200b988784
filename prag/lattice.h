// lattice.h
// One Newman-Ziff sample on an L x L square lattice with open boundaries: sites or bonds are occupied
// one by one with union-find until the spanning rule first holds. 12 bytes a site (9 for bonds),
// plus a border of never-occupied padding.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "prag/model.h"
#include "prag/sample_stream.h"

namespace prag {

inline constexpr int kMinSide = 2;
// A root keeps its cluster's size above four edge bits in 32 bits, and the site order keeps a padded
// index above four edge bits: that allows 2^26 sites.
inline constexpr int kMaxSide = 8192;

// Sites are numbered y * L + x (row y from the top). Bonds: y * (L - 1) + x joins (x, y) and (x + 1, y);
// L * (L - 1) + y * L + x joins (x, y) and (x, y + 1).
std::uint64_t ItemCount(Model model, int side);

class Lattice {
public:
    Lattice(Model model, int side);

    // The number of occupied items at which `rule` first holds, in 1..ItemCount, for a uniformly random
    // order drawn from `stream`. Spanning never breaks once made, so the sweep stops there. Sites are
    // ordered by Fisher-Yates; bonds by uniform picks that pass over occupied bonds, which is a uniform
    // order too and needs no array of 2 L^2 bonds.
    std::uint32_t SpanningNumber(SampleStream& stream, Spanning rule);

    // The same for a given order of item numbers (a permutation of 0..ItemCount-1).
    std::uint32_t SpanningNumber(std::span<const std::uint32_t> order, Spanning rule);

private:
    struct Place {
        std::int32_t index;   // of the site, or of the bond's first site
        std::uint32_t edges;  // sites: which sides of the lattice the site lies on
        bool vertical;        // bonds: down to the next row rather than right
    };

    template <class DrawPlace>
    std::uint32_t Sweep(DrawPlace draw, Spanning rule);
    template <class DrawPlace>
    std::uint32_t SweepSites(DrawPlace draw, Spanning rule);
    template <class DrawPlace>
    std::uint32_t SweepBonds(DrawPlace draw, Spanning rule);
    // Rows of L + 1 words behind one padding row: the padding column right of each row is also the
    // one left of the next, and padding rows lie above and below.
    std::int32_t Index(std::int32_t x, std::int32_t y) const { return (y + 1) * stride_ + x; }
    Place SitePlace(std::int32_t x, std::int32_t y) const;
    Place BondPlace(std::int32_t x, std::int32_t y, bool vertical) const { return {Index(x, y), 0, vertical}; }

    Model model_;
    std::int32_t side_;
    std::int32_t stride_;
    std::uint32_t count_;  // items: sites or bonds
    std::vector<std::int32_t> nodes_;  // per site: parent, or -1 - (size << 4 | edges) at a root
    std::vector<std::int32_t> start_nodes_;  // bonds: every site its own cluster
    std::vector<std::uint8_t> bonds_;        // bonds: bit 1 right, bit 2 down, per site
    std::vector<std::uint32_t> site_order_;  // sites: index << 4 | edges of every site, where each sample starts
    std::vector<std::uint32_t> shuffled_;    // sites: the order being drawn
};

}  // namespace prag
