// model.h
// What is percolated (sites or bonds), on which lattice, with which boundaries, and which rule a
// cluster must meet: join opposite sides of the open lattice, or wrap around the torus.
#pragma once

#include <optional>
#include <string_view>

namespace prag {

enum class Model { kSite, kBond };

// Top-bottom joins the first and last rows (the electrodes of vrtinela2D; in 3-D the first and last
// layers); either and both combine it with left-right, the first and last columns. On the torus
// horizontal and vertical name the direction of wrapping; one is wrapping in exactly one direction,
// the horizontal one (R_1: wraps horizontally and not vertically).
enum class Spanning { kTopBottom, kLeftRight, kEither, kBoth, kHorizontal, kVertical, kOne };

enum class LatticeKind { kSquare, kTriangular, kHoneycomb, kCubic };

enum class Boundary { kOpen, kPeriodic };

std::string_view ModelName(Model model);
std::string_view SpanningName(Spanning rule);
std::string_view LatticeName(LatticeKind kind);
std::string_view BoundaryName(Boundary boundary);
std::optional<Model> ModelFromName(std::string_view name);
std::optional<Spanning> SpanningFromName(std::string_view name);
std::optional<LatticeKind> LatticeFromName(std::string_view name);
std::optional<Boundary> BoundaryFromName(std::string_view name);

// Whether `rule` means something with `boundary`: either and both fit both, the others one each.
bool RuleFitsBoundary(Spanning rule, Boundary boundary);

// Whether the rule's probability rises with p; one rises and then falls again.
inline bool RuleIsMonotone(Spanning rule) { return rule != Spanning::kOne; }

}  // namespace prag
