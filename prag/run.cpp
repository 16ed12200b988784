// run.cpp
// Order of work: refuse bad options before any sampling (exit 2), sample every size, then write the
// table, CSV and JSON, and last the plot, whose failure (exit 1) leaves the others written.
#include "prag/run.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "prag/analysis.h"
#include "prag/atomic_file.h"
#include "prag/geometry.h"
#include "prag/lattice.h"
#include "prag/options.h"
#include "prag/plot_output.h"
#include "prag/progress.h"
#include "prag/report.h"
#include "prag/sweep.h"

namespace prag {
namespace {

constexpr int kExitFailure = 1;

void PrintError(std::string_view program, const std::string& message) {
    std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(program.size()), program.data(), message.c_str());
}

// The first output file that cannot be written, as a message naming its option; empty when all can.
std::string CheckOutputFiles(const RunSettings& settings) {
    const std::pair<const char*, const std::string*> files[] = {
        {"--csv", &settings.csv_path}, {"--json", &settings.json_path}, {"--plot", &settings.plot_path}};
    for (const auto& [option, path] : files) {
        if (path->empty()) continue;
        if (std::string problem = CheckWritable(*path); !problem.empty()) return std::string(option) + ": " + problem;
    }
    if (!settings.plot_path.empty()) {
        const PlotFiles plot = PlotFilesFor(settings.plot_path);
        for (const std::string* path : {&plot.data, &plot.script}) {
            if (std::string problem = CheckWritable(*path); !problem.empty()) return "--plot: " + problem;
        }
    }
    return "";
}

std::uint64_t ChosenSeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

int DefaultThreads(const Processes& processes) {
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return std::max(1, cores / std::max(1, processes.OnThisMachine()));
}

}  // namespace

int RunProgram(int argc, const char* const* argv, std::string_view program, Processes& processes) {
    const bool leader = processes.Rank() == 0;
    ParsedCommandLine parsed = ParseCommandLine(argc, argv, program, DefaultThreads(processes));
    if (!parsed.settings) {
        // Every process parsed the same words, so all stop here alike; only one speaks.
        if (leader && !parsed.output.empty()) std::fputs(parsed.output.c_str(), stdout);
        if (leader && !parsed.error.empty()) PrintError(program, parsed.error);
        return parsed.exit_code;
    }
    Report report;
    report.settings = std::move(*parsed.settings);
    const RunSettings& settings = report.settings;
    const std::string unwritable = leader ? CheckOutputFiles(settings) : "";
    if (!processes.ShareFlag(unwritable.empty())) {
        if (leader) PrintError(program, unwritable);
        return kExitUsage;
    }
    report.seed_was_chosen = !settings.seed.has_value();
    report.seed = processes.ShareNumber(settings.seed.value_or(leader ? ChosenSeed() : 0));

    const std::vector<double> grid = GridPoints(settings.p_min, settings.p_max, settings.p_step);
    const auto [first, end] = ShareOf(settings.samples, processes.Rank(), processes.Count());
    const RunShape shape{settings.lattice, settings.boundary, settings.model, settings.rule};
    const auto items = [&settings](int side) {
        return static_cast<double>(Items({settings.lattice, settings.boundary, side}, settings.model));
    };
    double total_work = 0.0;
    for (const int side : settings.sizes) total_work += static_cast<double>(end - first) * items(side);
    ProgressLine progress(leader && !settings.quiet && isatty(STDERR_FILENO) == 1, total_work);
    std::vector<SweepResult> swept;  // each size's samples, for the estimates that compare sizes
    try {
        for (const int side : settings.sizes) {
            std::optional<GridWindows> windows;
            if (settings.strength) windows.emplace(static_cast<std::uint64_t>(items(side)), grid);
            const SweepJob job{settings.model, settings.rule, side, report.seed, first, end,
                               settings.lattice, settings.boundary, windows ? &*windows : nullptr};
            progress.StartSize(side, end - first, items(side));
            SweepResult own =
                SweepSamples(job, settings.threads, [&progress](std::uint64_t done) { progress.Update(done); });
            SweepResult all;
            all.first = processes.Collect(std::move(own.first), settings.samples);
            if (!RuleIsMonotone(settings.rule)) all.until = processes.Collect(std::move(own.until), settings.samples);
            if (settings.strength) {
                const std::vector<std::uint64_t> own_words = own.strength.Words();
                const std::vector<std::uint64_t> words = processes.CollectWords(own_words);
                for (std::size_t k = 0; leader && k < words.size(); k += own_words.size()) {
                    all.strength.Add(StrengthSums::FromWords(std::span(words).subspan(k, own_words.size())));
                }
            }
            if (!leader) continue;
            if (settings.extended) {
                report.result.sizes.push_back(AnalyseSize(shape, side, all, grid));
                swept.push_back(std::move(all));
            } else {
                report.result.sizes.push_back(AnalyseSize(settings.model, side, all.first, grid));
            }
        }
    } catch (const std::bad_alloc&) {
        progress.Finish();
        PrintError(program, "not enough memory for these sizes and threads");
        processes.AbandonOthers(kExitFailure);
        return kExitFailure;
    }
    progress.Finish();
    if (!leader) return 0;

    if (settings.extended) {
        EstimateAll(shape, swept, report.result);
    } else {
        report.result.estimate = EstimateThreshold(report.result.sizes, settings.rule);
    }
    std::fputs(TableText(report, std::string(program) + " " + PRAG_VERSION).c_str(), stdout);
    std::fflush(stdout);
    int status = 0;
    const auto write = [&](const std::string& path, const std::string& content) {
        if (path.empty()) return;
        if (std::string problem = WriteFileAtomically(path, content); !problem.empty()) {
            PrintError(program, problem);
            status = kExitFailure;
        }
    };
    write(settings.csv_path, CsvText(report));
    write(settings.json_path, JsonText(report));
    if (!settings.plot_path.empty()) {
        if (std::string problem = MakePlot(report); !problem.empty()) {
            PrintError(program, problem);
            status = kExitFailure;
        }
    }
    return status;
}

}  // namespace prag
