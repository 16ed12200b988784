// lattice_picture.cpp
// Cells to pixels. Tags are places in label order, and clusters founded one after another would
// take colours one after another, so the tag is scrambled before it picks a colour.
#include "app/lattice_picture.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr std::uint32_t kGoldenRatioMultiplier = 2654435761u; // Knuth's multiplicative hash
constexpr std::uint32_t kPaletteSize = static_cast<std::uint32_t>(std::size(kClusterColours));

} // namespace

std::uint32_t ClusterColour(int tag) {
    const std::uint32_t scrambled = static_cast<std::uint32_t>(tag) * kGoldenRatioMultiplier;
    return kClusterColours[(scrambled >> 16) % kPaletteSize];
}

void PaintLattice(const Lattice& lattice, bool spanningOnly, std::uint32_t* pixels) {
    std::fill(pixels, pixels + lattice.CellCount(), kWoodColour);
    lattice.ForEachMetalCell([&](int cell, const Lattice::Cluster& cluster) {
        const std::uint32_t own = spanningOnly ? kOtherMetalColour : ClusterColour(cluster.tag);
        pixels[cell] = cluster.spans ? kSpanningColour : own;
    });
}
