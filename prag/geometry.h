// geometry.h
// What the sweep needs to know of a lattice, and what the rest of prag may ask of one: its items and
// sites for a side L, its limits, and a sampler that draws one Newman-Ziff sample at a time. Each
// lattice is one file that fills in a LatticeDescription; lattices.cpp lists them.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "prag/model.h"
#include "prag/sample_stream.h"

namespace prag {

struct LatticeShape {
    LatticeKind kind = LatticeKind::kSquare;
    Boundary boundary = Boundary::kOpen;
    int side = 0;
};

// The rule holds while first <= n < until occupied items; until is items + 1 for a rule that, once
// met, stays met (every rule but one).
struct SampleOutcome {
    std::uint32_t first = 0;
    std::uint32_t until = 0;
};

// One sample's cluster observables after n = 0, 1, ..., items occupied items: the largest cluster's
// share of the sites, and the sum of the other clusters' squared sizes over sites squared (chi / sites).
struct ClusterSeries {
    std::vector<double> largest;
    std::vector<double> others;
};

class Sampler {
public:
    virtual ~Sampler() = default;
    // With `series` the sample runs to the last item and fills it (items + 1 entries each); without it
    // the sample stops as soon as its outcome is known.
    virtual SampleOutcome Run(SampleStream& stream, Spanning rule, ClusterSeries* series) = 0;
    // The same for a given order: a permutation of the item numbers 0 .. items - 1.
    virtual SampleOutcome RunOrder(std::span<const std::uint32_t> order, Spanning rule, ClusterSeries* series) = 0;
    // The sites an item joins (a site: itself twice), numbered y * L + x (+ z * L^2).
    virtual std::pair<std::uint32_t, std::uint32_t> ItemEnds(std::uint32_t item) const = 0;
};

struct LatticeDescription {
    LatticeKind kind;
    int dimensions;
    int max_side;
    double site_threshold;  // the known p_c, for the default p range
    double bond_threshold;
    std::uint64_t (*sites)(int side);
    std::uint64_t (*items)(Model model, Boundary boundary, int side);
    // The sampler's memory, so that a size that cannot fit is refused before sampling.
    double (*bytes_per_site)(Model model, Boundary boundary);
    // Why this side cannot be built with this boundary, or an empty string.
    std::string (*side_problem)(Boundary boundary, int side);
    std::unique_ptr<Sampler> (*make)(const LatticeShape& shape, Model model, bool with_series);
};

const LatticeDescription& Describe(LatticeKind kind);

std::uint64_t Sites(const LatticeShape& shape);
std::uint64_t Items(const LatticeShape& shape, Model model);
std::unique_ptr<Sampler> MakeSampler(const LatticeShape& shape, Model model, bool with_series);

// Bytes a worker needs for one size: the sampler, and with `strength` its two series.
double WorkerBytes(const LatticeShape& shape, Model model, bool strength);

}  // namespace prag
