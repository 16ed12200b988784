// options.cpp
// CLI11 reads the words; the ranges are checked here so each message can say what is allowed. Numbers
// that must not be negative are read as text first, because a conversion to unsigned would wrap "-1".
#include "prag/options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

#include "prag/analysis.h"
#include "prag/geometry.h"
#include "prag/lattice.h"

#ifndef PRAG_VERSION
#error "PRAG_VERSION must be defined by the build"
#endif

namespace prag {
namespace {

struct Defaults {
    double p_min, p_max;
};

// A window of 0.3 around each model's threshold holds the whole rise for L >= 16 or so.
Defaults RangeFor(Model model, LatticeKind lattice) {
    if (lattice == LatticeKind::kSquare) return model == Model::kSite ? Defaults{0.45, 0.75} : Defaults{0.35, 0.65};
    const LatticeDescription& description = Describe(lattice);
    const double threshold = model == Model::kSite ? description.site_threshold : description.bond_threshold;
    const double low = std::max(0.0, std::round((threshold - 0.15) * 100.0) / 100.0);
    return {low, std::min(1.0, low + 0.3)};
}

// MemAvailable of /proc/meminfo in bytes, or 0 when it cannot be read (then nothing is refused for memory).
double AvailableMemory() {
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    double kilobytes = 0.0;
    std::string unit;
    while (meminfo >> key >> kilobytes >> unit) {
        if (key == "MemAvailable:") return kilobytes * 1024.0;
    }
    return 0.0;
}

std::string Gibibytes(double bytes) {
    std::ostringstream text;
    text.precision(3);
    text << bytes / (1024.0 * 1024.0 * 1024.0) << " GiB";
    return text.str();
}

std::string RulesFor(Boundary boundary) {
    return boundary == Boundary::kOpen ? "top-bottom, left-right, either or both" : "horizontal, vertical, either, both or one";
}

// The problems of the lattice, boundary and sizes together: limits, shapes and memory.
std::string CheckLattice(const RunSettings& s) {
    const LatticeDescription& description = Describe(s.lattice);
    if (!RuleFitsBoundary(s.rule, s.boundary)) {
        return "--spanning: '" + std::string(SpanningName(s.rule)) + "' does not fit --boundary " +
               std::string(BoundaryName(s.boundary)) + " (use " + RulesFor(s.boundary) + ")";
    }
    const double available = AvailableMemory();
    for (const int side : s.sizes) {
        if (side > description.max_side) {
            return "--sizes: on the " + std::string(LatticeName(s.lattice)) + " lattice L must be at most " +
                   std::to_string(description.max_side) + ", got " + std::to_string(side);
        }
        if (std::string problem = description.side_problem(s.boundary, side); !problem.empty()) return "--sizes: " + problem;
        const LatticeShape shape{s.lattice, s.boundary, side};
        const double needed = WorkerBytes(shape, s.model, s.strength) * s.threads +
                              8.0 * static_cast<double>(s.samples);
        if (available > 0.0 && needed > available) {
            return "--sizes: L=" + std::to_string(side) + " on the " + std::string(LatticeName(s.lattice)) + " lattice needs " +
                   Gibibytes(needed) + " with " + std::to_string(s.threads) + " thread(s), more than the " +
                   Gibibytes(available) + " available";
        }
    }
    return "";
}
constexpr double kDefaultStep = 0.0025;

std::optional<std::uint64_t> ReadUnsigned(const std::string& text) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::string Number(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// The first problem with the values, or an empty string.
std::string CheckValues(const RunSettings& s) {
    if (s.sizes.empty()) return "--sizes: give at least one L";
    std::set<int> seen;
    for (const int side : s.sizes) {
        if (side < kMinSide || side > kMaxSide) {
            return "--sizes: every L must be from " + std::to_string(kMinSide) + " to " + std::to_string(kMaxSide) +
                   ", got " + std::to_string(side);
        }
        if (!seen.insert(side).second) return "--sizes: L=" + std::to_string(side) + " is given twice";
    }
    if (s.samples < 1 || s.samples > kMaxSamples) {
        return "--samples: must be from 1 to " + std::to_string(kMaxSamples) + ", got " + std::to_string(s.samples);
    }
    if (s.threads < 1 || s.threads > kMaxThreads) {
        return "--threads: must be from 1 to " + std::to_string(kMaxThreads) + ", got " + std::to_string(s.threads);
    }
    if (!(s.p_min >= 0.0 && s.p_min <= 1.0)) return "--p-min: must be within [0, 1], got " + Number(s.p_min);
    if (!(s.p_max >= 0.0 && s.p_max <= 1.0)) return "--p-max: must be within [0, 1], got " + Number(s.p_max);
    if (s.p_min > s.p_max) {
        return "--p-min " + Number(s.p_min) + " is above --p-max " + Number(s.p_max) + ": the p range is empty";
    }
    if (!(s.p_step > 0.0)) return "--p-step: must be above 0, got " + Number(s.p_step);
    if (GridPoints(s.p_min, s.p_max, s.p_step).empty()) {
        return "--p-step: " + Number(s.p_step) + " gives more than " + std::to_string(kMaxGridPoints) + " points";
    }
    if (s.extended) {
        if (std::string problem = CheckLattice(s); !problem.empty()) return problem;
    }
    if (!s.plot_path.empty()) {
        const auto dot = s.plot_path.rfind('.');
        const std::string extension = dot == std::string::npos ? "" : s.plot_path.substr(dot);
        if (extension != ".png" && extension != ".svg") {
            return "--plot: the image name must end in .png or .svg, got '" + s.plot_path + "'";
        }
    }
    return "";
}

}  // namespace

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv, std::string_view program, int default_threads) {
    const std::string name(program);
    CLI::App app("Spanning probability R_L(p) of site or bond percolation on L x L square (or triangular, "
                 "honeycomb, L x L x L cubic) lattices, open or periodic, by the Newman-Ziff method; the "
                 "percolation threshold p_c from the sizes together; with --strength also P(p) and chi(p).",
                 name);
    app.footer("Example:\n  " + name +
               " --sizes 64,128,256 --samples 20000 --seed 1 --csv curves.csv --plot curves.png\n"
               "Exit status: 0 done, 1 an output could not be made, 2 a bad option value.");
    app.set_version_flag("--version", name + " " + PRAG_VERSION);

    RunSettings settings;
    settings.threads = default_threads;
    std::string model_name = "site";
    std::string rule_name = "top-bottom";
    std::string lattice_name = "square";
    std::string boundary_name = "open";
    std::string samples_text = std::to_string(settings.samples);
    std::string seed_text;
    double p_min = 0.0;
    double p_max = 0.0;
    settings.p_step = kDefaultStep;

    app.add_option("--model", model_name, "site or bond percolation")->default_str("site");
    app.add_option("--sizes", settings.sizes, "lattice sides L, comma-separated, 2 to 8192 (cubic: to 894)")
        ->delimiter(',')
        ->default_str("32,64,128");
    app.add_option("--samples", samples_text, "samples per size")->default_str(samples_text);
    app.add_option("--seed", seed_text, "seed of all samples (default: picked and printed)");
    app.add_option("--threads", settings.threads, "worker threads")->default_str(std::to_string(default_threads));
    CLI::Option* rule_option =
        app.add_option("--spanning", rule_name,
                       "open: top-bottom, left-right, either or both; periodic (wrapping around the torus): "
                       "horizontal, vertical, either, both or one (horizontally and not vertically)")
            ->default_str("top-bottom (open), either (periodic)");
    CLI::Option* lattice_option = app.add_option("--lattice", lattice_name,
        "square, triangular (6 neighbours), honeycomb (3) or cubic (L x L x L, 6)")->default_str("square");
    CLI::Option* boundary_option = app.add_option("--boundary", boundary_name,
        "open (clusters join sides) or periodic (a torus: clusters wrap around)")->default_str("open");
    CLI::Option* strength_option = app.add_flag("--strength", settings.strength,
        "also P(p), the largest cluster's share of the sites, and chi(p), the mean size of a random site's "
        "cluster with the largest left out (every sample runs to the end)");
    CLI::Option* p_min_option = app.add_option("--p-min", p_min, "lowest p of the curves (default 0.45 site, 0.35 bond)");
    CLI::Option* p_max_option = app.add_option("--p-max", p_max, "highest p of the curves (default 0.75 site, 0.65 bond)");
    app.add_option("--p-step", settings.p_step, "step of p")->default_str(Number(kDefaultStep));
    app.add_option("--csv", settings.csv_path, "write L, p, R, stderr rows to FILE");
    app.add_option("--json", settings.json_path, "write the whole result as JSON to FILE");
    app.add_option("--plot", settings.plot_path, "draw the curves with gnuplot into FILE.png or FILE.svg");
    app.add_flag("--quiet", settings.quiet, "no progress line on standard error");

    ParsedCommandLine parsed;
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        parsed.output = app.help();
        return parsed;
    } catch (const CLI::CallForVersion& version) {
        parsed.output = std::string(version.what()) + "\n";
        return parsed;
    } catch (const CLI::ParseError& error) {
        parsed.exit_code = kExitUsage;
        parsed.error = FirstLine(error.what());
        return parsed;
    }

    const auto fail = [&parsed](std::string message) {
        parsed.exit_code = kExitUsage;
        parsed.error = std::move(message);
        return parsed;
    };
    const auto model = ModelFromName(model_name);
    if (!model) return fail("--model: unknown model '" + model_name + "' (site or bond)");
    settings.model = *model;
    settings.extended = lattice_option->count() > 0 || boundary_option->count() > 0 || strength_option->count() > 0;
    const auto lattice = LatticeFromName(lattice_name);
    if (!lattice) return fail("--lattice: unknown lattice '" + lattice_name + "' (square, triangular, honeycomb or cubic)");
    settings.lattice = *lattice;
    const auto boundary = BoundaryFromName(boundary_name);
    if (!boundary) return fail("--boundary: unknown boundary '" + boundary_name + "' (open or periodic)");
    settings.boundary = *boundary;
    if (rule_option->count() == 0 && settings.boundary == Boundary::kPeriodic) rule_name = "either";
    const auto rule = SpanningFromName(rule_name);
    if (!rule) {
        return fail("--spanning: unknown rule '" + rule_name + "' (" + RulesFor(settings.boundary) + ")");
    }
    settings.rule = *rule;
    if (!settings.extended && !RuleFitsBoundary(settings.rule, settings.boundary)) {
        return fail("--spanning: '" + rule_name + "' is a wrapping rule: give --boundary periodic (open: " +
                    RulesFor(Boundary::kOpen) + ")");
    }
    const auto samples = ReadUnsigned(samples_text);
    if (!samples) return fail("--samples: '" + samples_text + "' is not a whole number");
    settings.samples = *samples;
    if (!seed_text.empty()) {
        settings.seed = ReadUnsigned(seed_text);
        if (!settings.seed) return fail("--seed: '" + seed_text + "' is not a whole number from 0 to 2^64-1");
    }
    settings.p_min = p_min_option->count() > 0 ? p_min : RangeFor(settings.model, settings.lattice).p_min;
    settings.p_max = p_max_option->count() > 0 ? p_max : RangeFor(settings.model, settings.lattice).p_max;
    if (std::string problem = CheckValues(settings); !problem.empty()) return fail(std::move(problem));
    parsed.settings = std::move(settings);
    return parsed;
}

}  // namespace prag
