// options.h
// The command line: parsing with CLI11 into run settings, every bad value refused with a one-line
// message that names the option. Files are only named here; output.h checks that they can be written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "prag/model.h"

namespace prag {

inline constexpr int kExitUsage = 2;
inline constexpr int kMaxThreads = 1024;
inline constexpr std::uint64_t kMaxSamples = 1'000'000'000;

struct RunSettings {
    Model model = Model::kSite;
    Spanning rule = Spanning::kTopBottom;
    std::vector<int> sizes{32, 64, 128};
    std::uint64_t samples = 10000;
    std::optional<std::uint64_t> seed;  // none: the program picks one and prints it
    int threads = 1;
    double p_min = 0.0;
    double p_max = 0.0;
    double p_step = 0.0;
    std::string csv_path;
    std::string json_path;
    std::string plot_path;
    bool quiet = false;
    LatticeKind lattice = LatticeKind::kSquare;
    Boundary boundary = Boundary::kOpen;
    bool strength = false;
    // Any of --lattice, --boundary, --strength was given: the outputs carry the lattice, the boundary and
    // every estimate. Without them they are byte for byte what earlier versions wrote.
    bool extended = false;
};

struct ParsedCommandLine {
    std::optional<RunSettings> settings;  // set when the program should run
    int exit_code = 0;                    // otherwise: 0 after --help or --version, kExitUsage on errors
    std::string output;                   // for standard output (help, version)
    std::string error;                    // one line for standard error
};

// `program` names the program in help, version and errors; `default_threads` is what --threads defaults to.
ParsedCommandLine ParseCommandLine(int argc, const char* const* argv, std::string_view program, int default_threads);

}  // namespace prag
