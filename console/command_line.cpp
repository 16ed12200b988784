// command_line.cpp: the help text describes the dialogue, so a script can be written without
// running it first.
#include "console/command_line.h"

#include <string_view>

#ifndef PERCOLATION_VERSION
#error "PERCOLATION_VERSION must give the project's version"
#endif

namespace vrtinela {

namespace {

constexpr const char* kUsage = "Usage: vrtinela2D [--help | --version]\n";

constexpr const char* kAbout =
    "\n"
    "Monte Carlo statistics of site percolation. It draws many random M x M grids in which every\n"
    "square conducts with a given probability, tests each for a chain of conducting squares that\n"
    "touch along a side from the top electrode to the bottom one, and reports how many percolated.\n"
    "\n"
    "It asks, one number per line (Enter after each):\n"
    "  1 to see every grid and confirm each one, or 0 for the statistics only\n"
    "  the size M, 3 to 200\n"
    "  the probability of a conducting square in percent, with a decimal point\n"
    "  the number of repetitions, at least 1\n"
    "and after the statistics one more number to end. Text that is not a number ends the program\n"
    "with exit code 1.\n"
    "\n"
    "Example (10000 grids of 200 x 200 at the percolation threshold):\n"
    "  printf '0\\n200\\n59.2746\\n10000\\n1\\n' | vrtinela2D\n"
    "\n"
    "Options:\n"
    "  --help       show this text and exit\n"
    "  --version    show the version and exit\n";

}  // namespace

int HandleCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* errors) {
    if (argc <= 1) return kRunDialogue;
    const std::string_view first = argv[1];
    if (argc == 2 && (first == "--help" || first == "--version")) {
        if (first == "--help") {
            std::fputs(kUsage, out);
            std::fputs(kAbout, out);
        } else {
            std::fprintf(out, "vrtinela2D %s\n", PERCOLATION_VERSION);
        }
        return std::fflush(out) == 0 ? 0 : 1;
    }
    if (first == "--help" || first == "--version") {
        std::fprintf(errors, "vrtinela2D: unexpected argument '%s' after %s\n", argv[2], argv[1]);
    } else {
        std::fprintf(errors, "vrtinela2D: unknown argument '%s'\n", argv[1]);
    }
    std::fputs(kUsage, errors);
    return 2;
}

}  // namespace vrtinela
