// command_line.cpp
// The help text names every key, so a student can read the controls without opening the window.
#include "app/command_line.h"

#include <cstring>

#ifndef PERCOLATION_VERSION
#error "PERCOLATION_VERSION must give the project's version"
#endif

namespace {

constexpr const char* kUsage = "Usage: krondel [--help | --version]\n";

constexpr const char* kAbout =
    "\n"
    "A board of 2 x 2 to 8 x 8 cells of metal (conducting) and wood (insulating) in a 640 x 480\n"
    "window. After every change it says whether metal cells that touch along a side join the\n"
    "right-hand column to the left-hand column: \"prevaja\" (conducts) or \"ne prevaja\".\n"
    "The window can be resized or maximised; the picture scales to fit, keeping its shape.\n"
    "\n"
    "Keys and mouse:\n"
    "  R              reshuffle the same metal cells\n"
    "  + (keypad), =  a bigger board, up to 8 x 8\n"
    "  -              a smaller board, down to 2 x 2\n"
    "  V / M          one percent more / less metal\n"
    "  P              show or hide the cells reached from the right-hand column (framed, blue)\n"
    "                 and one shortest conducting chain (a red line); stays on until pressed again\n"
    "  left click     turn the cell under the mouse from metal to wood or back; while the metal\n"
    "                 count differs from the share, \"Kovina: x od N\" says how many are metal\n"
    "  L              the lattice view instead of the board, and back (see below)\n"
    "  S              save a screenshot (snapshot-0001.png, ... in the current folder; 640 x 480)\n"
    "  F11            full screen on or off\n"
    "  Escape         quit\n"
    "\n"
    "The lattice view (L) shows a lattice of 13 x 13 to 400 x 400 cells (100 x 100 at first)\n"
    "where the board is. Every cell has a fixed random label from 0 to 1 and is metal while its\n"
    "label is below the share, so clusters grow and merge as the share rises. Each cluster has\n"
    "a colour of its own, wood is dark, and the cluster that joins the right-hand column to the\n"
    "left-hand one is yellow. The panel gives the size, the share, the largest cluster, the\n"
    "number of clusters and the share at which this very lattice first conducts.\n"
    "  + / -          double / halve the side (new labels)\n"
    "  V / M          0.1 % more / less metal; held, faster the longer (0 to 100 % in about 5 s)\n"
    "  R              new labels for the same side and share\n"
    "  P              only the conducting cluster in colour, all other metal grey\n"
    "  left click     the size of the clicked cell's cluster in the panel\n"
    "The board and its P view are kept while the lattice is shown, and the lattice while the\n"
    "board is.\n"
    "\n"
    "The engine's log is vrtinela.log in the current folder.\n"
    "\n"
    "Options:\n"
    "  --help         show this text and exit\n"
    "  --version      show the version and exit\n";

} // namespace

int HandleCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* errors) {
    if (argc <= 1) return kStartProgram;
    const bool help = std::strcmp(argv[1], "--help") == 0;
    const bool version = std::strcmp(argv[1], "--version") == 0;
    if (argc == 2 && help) {
        std::fprintf(out, "%s%s", kUsage, kAbout);
        return std::fflush(out) == 0 ? 0 : 1;
    }
    if (argc == 2 && version) {
        std::fprintf(out, "krondel %s\n", PERCOLATION_VERSION);
        return std::fflush(out) == 0 ? 0 : 1;
    }
    if (help || version) {
        std::fprintf(errors, "krondel: unexpected argument '%s' after %s\n%s", argv[2], argv[1], kUsage);
    } else {
        std::fprintf(errors, "krondel: unknown argument '%s'\n%s", argv[1], kUsage);
    }
    return 2;
}
