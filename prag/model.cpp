// model.cpp
// The names of models, rules, lattices and boundaries as the command line, the table and the JSON spell them.
#include "prag/model.h"

#include <array>
#include <utility>

namespace prag {
namespace {

constexpr std::array<std::pair<Model, std::string_view>, 2> kModelNames{{
    {Model::kSite, "site"},
    {Model::kBond, "bond"},
}};

constexpr std::array<std::pair<Spanning, std::string_view>, 7> kSpanningNames{{
    {Spanning::kTopBottom, "top-bottom"},
    {Spanning::kLeftRight, "left-right"},
    {Spanning::kEither, "either"},
    {Spanning::kBoth, "both"},
    {Spanning::kHorizontal, "horizontal"},
    {Spanning::kVertical, "vertical"},
    {Spanning::kOne, "one"},
}};

constexpr std::array<std::pair<LatticeKind, std::string_view>, 4> kLatticeNames{{
    {LatticeKind::kSquare, "square"},
    {LatticeKind::kTriangular, "triangular"},
    {LatticeKind::kHoneycomb, "honeycomb"},
    {LatticeKind::kCubic, "cubic"},
}};

constexpr std::array<std::pair<Boundary, std::string_view>, 2> kBoundaryNames{{
    {Boundary::kOpen, "open"},
    {Boundary::kPeriodic, "periodic"},
}};

template <class Value, std::size_t Count>
std::string_view NameOf(const std::array<std::pair<Value, std::string_view>, Count>& names, Value value) {
    for (const auto& [known, name] : names) {
        if (known == value) return name;
    }
    return "?";
}

template <class Value, std::size_t Count>
std::optional<Value> ValueOf(const std::array<std::pair<Value, std::string_view>, Count>& names,
                             std::string_view name) {
    for (const auto& [value, known] : names) {
        if (known == name) return value;
    }
    return std::nullopt;
}

}  // namespace

std::string_view ModelName(Model model) { return NameOf(kModelNames, model); }
std::string_view SpanningName(Spanning rule) { return NameOf(kSpanningNames, rule); }
std::optional<Model> ModelFromName(std::string_view name) { return ValueOf(kModelNames, name); }
std::optional<Spanning> SpanningFromName(std::string_view name) { return ValueOf(kSpanningNames, name); }
std::string_view LatticeName(LatticeKind kind) { return NameOf(kLatticeNames, kind); }
std::string_view BoundaryName(Boundary boundary) { return NameOf(kBoundaryNames, boundary); }
std::optional<LatticeKind> LatticeFromName(std::string_view name) { return ValueOf(kLatticeNames, name); }
std::optional<Boundary> BoundaryFromName(std::string_view name) { return ValueOf(kBoundaryNames, name); }

bool RuleFitsBoundary(Spanning rule, Boundary boundary) {
    switch (rule) {
        case Spanning::kEither:
        case Spanning::kBoth: return true;
        case Spanning::kTopBottom:
        case Spanning::kLeftRight: return boundary == Boundary::kOpen;
        case Spanning::kHorizontal:
        case Spanning::kVertical:
        case Spanning::kOne: return boundary == Boundary::kPeriodic;
    }
    return false;
}

}  // namespace prag
