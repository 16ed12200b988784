// model.h
// What is percolated (sites or bonds of an L x L square lattice) and which sides a cluster must join.
#pragma once

#include <optional>
#include <string_view>

namespace prag {

enum class Model { kSite, kBond };

// Top-bottom joins the first and last rows (the electrodes of vrtinela2D); either and both combine it
// with left-right, the first and last columns.
enum class Spanning { kTopBottom, kLeftRight, kEither, kBoth };

std::string_view ModelName(Model model);
std::string_view SpanningName(Spanning rule);
std::optional<Model> ModelFromName(std::string_view name);
std::optional<Spanning> SpanningFromName(std::string_view name);

}  // namespace prag
