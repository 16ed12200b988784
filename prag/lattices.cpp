// lattices.cpp
// The list of lattices and the questions that go through it; adding a lattice is one file and one
// line here.
#include "prag/lattices.h"

#include <stdexcept>

namespace prag {

const LatticeDescription& Describe(LatticeKind kind) {
    for (const LatticeDescription* description : {&kSquareLattice, &kTriangularLattice, &kHoneycombLattice, &kCubicLattice}) {
        if (description->kind == kind) return *description;
    }
    throw std::invalid_argument("unknown lattice");
}

std::uint64_t Sites(const LatticeShape& shape) { return Describe(shape.kind).sites(shape.side); }

std::uint64_t Items(const LatticeShape& shape, Model model) {
    return Describe(shape.kind).items(model, shape.boundary, shape.side);
}

std::unique_ptr<Sampler> MakeSampler(const LatticeShape& shape, Model model, bool with_series) {
    return Describe(shape.kind).make(shape, model, with_series);
}

double WorkerBytes(const LatticeShape& shape, Model model, bool strength) {
    const LatticeDescription& description = Describe(shape.kind);
    const auto sites = static_cast<double>(Sites(shape));
    const auto items = static_cast<double>(Items(shape, model));
    return sites * description.bytes_per_site(model, shape.boundary) + (strength ? 16.0 * (items + 1) : 0.0);
}

}  // namespace prag
