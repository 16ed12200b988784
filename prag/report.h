// report.h
// Everything the outputs describe: the settings, the seed actually used and the results. Each output
// format turns a report into text in its own file (table, csv, json, plot) and does no computing.
#pragma once

#include <cstdint>
#include <string>

#include "prag/analysis.h"
#include "prag/options.h"

namespace prag {

struct Report {
    RunSettings settings;
    std::uint64_t seed = 0;
    bool seed_was_chosen = false;  // no --seed: the table says how to repeat the run
    RunResult result;
};

// "0.59274 ± 0.00009": the error to one significant digit (two when it starts with 1 or 2) and the
// value to the same decimal place; "0.592741 ± n/a" when the error is unknown.
std::string WithError(double value, double error);

// printf's %.*f, which the table and the plot need at a given number of places.
std::string Fixed(double value, int places);

std::string TableText(const Report& report, std::string_view program_version);
std::string CsvText(const Report& report);
std::string JsonText(const Report& report);

}  // namespace prag
