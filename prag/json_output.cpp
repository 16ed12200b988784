// json_output.cpp
// The whole result as JSON, keys in a fixed order; unknown errors (NaN) are written as null. Nothing
// about threads or processes goes in, so the file is the same however the run was spread.
#include <nlohmann/json.hpp>

#include "prag/report.h"

namespace prag {

std::string JsonText(const Report& report) {
    using Json = nlohmann::ordered_json;
    const RunSettings& s = report.settings;
    Json root;
    root["model"] = ModelName(s.model);
    root["spanning"] = SpanningName(s.rule);
    if (s.extended) {
        root["lattice"] = LatticeName(s.lattice);
        root["boundary"] = BoundaryName(s.boundary);
        root["strength"] = s.strength;
    }
    root["sizes"] = s.sizes;
    root["samples"] = s.samples;
    root["seed"] = report.seed;
    root["p_range"] = {{"min", s.p_min}, {"max", s.p_max}, {"step", s.p_step}};
    Json curves = Json::array();
    for (const SizeResult& size : report.result.sizes) {
        Json p = Json::array(), r = Json::array(), error = Json::array();
        for (const CurvePoint& point : size.curve) {
            p.push_back(point.p);
            r.push_back(point.r);
            error.push_back(point.standard_error);
        }
        Json curve;
        curve["L"] = size.side;
        curve["p_L"] = {{"value", size.threshold.p},
                        {"error", size.threshold.error},
                        {"method", "crossing R=1/2, jackknife over " +
                                       std::to_string(std::min<std::uint64_t>(kJackknifeBlocks, size.samples)) +
                                       " blocks of samples"}};
        curve["p"] = std::move(p);
        curve["R"] = std::move(r);
        curve["stderr"] = std::move(error);
        if (!size.strength.empty()) {
            Json strength = Json::array(), strength_error = Json::array(), chi = Json::array(), chi_error = Json::array();
            for (const StrengthPoint& point : size.strength) {
                strength.push_back(point.strength);
                strength_error.push_back(point.strength_error);
                chi.push_back(point.chi);
                chi_error.push_back(point.chi_error);
            }
            curve["P"] = std::move(strength);
            curve["P_stderr"] = std::move(strength_error);
            curve["chi"] = std::move(chi);
            curve["chi_stderr"] = std::move(chi_error);
        }
        curves.push_back(std::move(curve));
    }
    root["curves"] = std::move(curves);
    const ThresholdEstimate& estimate = report.result.estimate;
    root["p_c"] = {{"value", estimate.value}, {"error", estimate.error}, {"method", estimate.method}};
    if (s.extended) {
        Json more = Json::object();
        for (const NamedEstimate& named : report.result.more) {
            more[named.name] = {{"value", named.estimate.value}, {"error", named.estimate.error}, {"method", named.estimate.method}};
        }
        root["estimates"] = std::move(more);
    }
    return root.dump(2) + "\n";
}

}  // namespace prag
