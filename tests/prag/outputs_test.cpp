// outputs_test.cpp
// Each output format read back: CSV rows and JSON fields carry the computed numbers, the table and the
// plot show the estimate with its error and method, and files are replaced whole or not at all.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "prag/analysis.h"
#include "prag/atomic_file.h"
#include "prag/plot_output.h"
#include "prag/report.h"
#include "prag/sweep.h"
#include "tests/prag/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

prag::Report SmallReport() {
    prag::Report report;
    report.settings.sizes = {8, 12};
    report.settings.samples = 300;
    report.settings.p_min = 0.55;
    report.settings.p_max = 0.63;
    report.settings.p_step = 0.02;
    report.seed = 77;
    const std::vector<double> grid = prag::GridPoints(0.55, 0.63, 0.02);
    for (const int side : report.settings.sizes) {
        const auto spanning = prag::SpanningNumbers({prag::Model::kSite, prag::Spanning::kTopBottom, side, 77, 0, 300}, 1);
        report.result.sizes.push_back(prag::AnalyseSize(prag::Model::kSite, side, spanning, grid));
    }
    report.result.estimate = prag::EstimateThreshold(report.result.sizes, prag::Spanning::kTopBottom);
    return report;
}

using prag_test::ReadWholeFile;
using TemporaryFolder = prag_test::ScratchFolder;

TEST(GridPoints, EndsOnTheMaximumWithoutDriftAndRefusesTooMany) {
    const std::vector<double> grid = prag::GridPoints(0.45, 0.75, 0.0025);
    ASSERT_EQ(grid.size(), 121u);
    EXPECT_EQ(grid.front(), 0.45);
    EXPECT_EQ(grid.back(), 0.75);
    EXPECT_EQ(grid[57], 0.45 + 57 * 0.0025);
    EXPECT_EQ(prag::GridPoints(0.3, 0.3, 0.1).size(), 1u);
    EXPECT_TRUE(prag::GridPoints(0.0, 1.0, 1e-6).empty());
}

TEST(Csv, OneRowPerSizeAndPointWithTheCurvesNumbers) {
    prag::Report report = SmallReport();
    // Ten digits carry the first p and it keeps its text; the second needs seventeen to read back.
    report.result.sizes[0].curve[0].p = 0.1234567891;
    report.result.sizes[0].curve[1].p = 0.12345678912345678;
    const std::string text = prag::CsvText(report);
    EXPECT_NE(text.find("\n8,0.1234567891,"), std::string::npos) << text;
    const nlohmann::json json = nlohmann::json::parse(prag::JsonText(report));
    std::istringstream csv(text);
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "L,p,R,stderr");
    for (std::size_t s = 0; s < report.result.sizes.size(); ++s) {
        const prag::SizeResult& size = report.result.sizes[s];
        for (std::size_t k = 0; k < size.curve.size(); ++k) {
            const prag::CurvePoint& point = size.curve[k];
            ASSERT_TRUE(std::getline(csv, line));
            int side = 0;
            double p = 0, r = 0, error = 0;
            ASSERT_EQ(std::sscanf(line.c_str(), "%d,%lf,%lf,%lf", &side, &p, &r, &error), 4) << line;
            EXPECT_EQ(side, size.side);
            EXPECT_EQ(p, point.p) << line;
            EXPECT_EQ(p, json["curves"][s]["p"][k].get<double>()) << line;
            EXPECT_NEAR(r, point.r, 1e-9);
            EXPECT_NEAR(error, point.standard_error, 1e-9);
        }
    }
    EXPECT_FALSE(std::getline(csv, line)) << "extra row: " << line;
}

TEST(Json, CarriesSettingsCurvesThresholdsAndTheEstimate) {
    prag::Report report = SmallReport();
    report.result.sizes[0].threshold.error = std::nan("");
    const nlohmann::json json = nlohmann::json::parse(prag::JsonText(report));
    EXPECT_EQ(json["model"], "site");
    EXPECT_EQ(json["spanning"], "top-bottom");
    EXPECT_EQ(json["sizes"], (std::vector<int>{8, 12}));
    EXPECT_EQ(json["samples"], 300);
    EXPECT_EQ(json["seed"], 77);
    ASSERT_EQ(json["curves"].size(), 2u);
    const auto& curve = json["curves"][1];
    EXPECT_EQ(curve["L"], 12);
    ASSERT_EQ(curve["R"].size(), report.result.sizes[1].curve.size());
    EXPECT_EQ(curve["R"][2].get<double>(), report.result.sizes[1].curve[2].r);
    EXPECT_EQ(curve["stderr"][2].get<double>(), report.result.sizes[1].curve[2].standard_error);
    EXPECT_EQ(curve["p_L"]["value"].get<double>(), report.result.sizes[1].threshold.p);
    EXPECT_TRUE(json["curves"][0]["p_L"]["error"].is_null()) << "an unknown error is null, not a number";
    EXPECT_EQ(json["p_c"]["value"].get<double>(), report.result.estimate.value);
    EXPECT_EQ(json["p_c"]["method"], report.result.estimate.method);
}

TEST(Table, ShowsEachSizeAndTheEstimateWithErrorAndMethod) {
    prag::Report report = SmallReport();
    report.seed_was_chosen = true;
    const std::string table = prag::TableText(report, "prag 9.9");
    EXPECT_NE(table.find("prag 9.9: site percolation, top-bottom spanning, 300 samples per size, seed 77"), std::string::npos);
    EXPECT_NE(table.find("--seed 77 repeats this run"), std::string::npos);
    EXPECT_NE(table.find("\n     8  "), std::string::npos) << table;
    EXPECT_NE(table.find("\n    12  "), std::string::npos) << table;
    const std::string estimate = "p_c = " + prag::WithError(report.result.estimate.value, report.result.estimate.error) + " (" +
                                 report.result.estimate.method + ")";
    EXPECT_NE(table.find(estimate), std::string::npos) << table;
}

// A torus run with --strength: its lattice, P and chi and every estimate reach the CSV, JSON, table and plot.
TEST(Outputs, NewOptionsAddTheirColumnsKeysAndEstimates) {
    prag::Report report;
    report.settings.sizes = {8, 12};
    report.settings.samples = 200;
    report.settings.boundary = prag::Boundary::kPeriodic;
    report.settings.rule = prag::Spanning::kEither;
    report.settings.strength = report.settings.extended = true;
    const std::vector<double> grid = prag::GridPoints(0.55, 0.63, 0.04);
    const prag::RunShape shape{prag::LatticeKind::kSquare, prag::Boundary::kPeriodic, prag::Model::kSite, prag::Spanning::kEither};
    std::vector<prag::SweepResult> swept;
    for (const int side : report.settings.sizes) {
        const prag::GridWindows windows(static_cast<std::uint64_t>(side * side), grid);
        swept.push_back(prag::SweepSamples({prag::Model::kSite, prag::Spanning::kEither, side, 5, 0, 200,
                                            prag::LatticeKind::kSquare, prag::Boundary::kPeriodic, &windows}, 1));
        report.result.sizes.push_back(prag::AnalyseSize(shape, side, swept.back(), grid));
    }
    prag::EstimateAll(shape, swept, report.result);

    std::istringstream csv(prag::CsvText(report));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "L,p,R,stderr,P,P_stderr,chi,chi_stderr");
    std::getline(csv, line);
    double p = 0, r = 0, error = 0, strength = 0;
    int side = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "%d,%lf,%lf,%lf,%lf", &side, &p, &r, &error, &strength), 5) << line;
    EXPECT_NEAR(strength, report.result.sizes[0].strength[0].strength, 1e-9);

    const nlohmann::json json = nlohmann::json::parse(prag::JsonText(report));
    EXPECT_EQ(json["lattice"], "square");
    EXPECT_EQ(json["boundary"], "periodic");
    EXPECT_EQ(json["curves"][1]["chi"].size(), grid.size());
    for (const char* name : {"size_crossings", "exact_crossing", "half_crossing", "nu"}) {
        EXPECT_TRUE(json["estimates"][name]["method"].is_string()) << name;
    }
    EXPECT_EQ(json["p_c"]["method"], json["estimates"]["exact_crossing"]["method"]);

    const std::string table = prag::TableText(report, "prag 9.9");
    EXPECT_NE(table.find("square lattice, periodic boundary, either spanning"), std::string::npos) << table;
    EXPECT_NE(table.find("chi(0.5900)"), std::string::npos) << table;
    EXPECT_NE(table.find("\nnu  = "), std::string::npos) << table;
    const std::string script = prag::PlotScriptText(report, prag::PlotFilesFor("run.png"));
    EXPECT_NE(script.find("set multiplot layout 3,1"), std::string::npos);
}

TEST(Table, RoundsValuesToTheirErrorsFirstDigits) {
    EXPECT_EQ(prag::WithError(0.5927412, 0.00009), "0.59274 ± 0.00009");
    EXPECT_EQ(prag::WithError(0.5927412, 0.00012), "0.59274 ± 0.00012");
    EXPECT_EQ(prag::WithError(0.5927412, 0.0041), "0.593 ± 0.004");
    EXPECT_EQ(prag::WithError(0.5927412, std::nan("")), "0.592741 ± n/a");
}

TEST(Plot, ScriptNamesItsFilesBesideItselfAndMarksTheEstimate) {
    const prag::Report report = SmallReport();
    const prag::PlotFiles files = prag::PlotFilesFor("out/it's.svg");
    EXPECT_EQ(files.data, "out/it's.dat");
    EXPECT_EQ(files.script, "out/it's.gp");
    const std::string script = prag::PlotScriptText(report, files);
    EXPECT_NE(script.find("outfile = 'it''s.svg'"), std::string::npos) << script;
    EXPECT_NE(script.find("data = 'it''s.dat'"), std::string::npos) << script;
    EXPECT_NE(script.find("set terminal svg"), std::string::npos);
    EXPECT_NE(script.find("sizes = \"8 12\""), std::string::npos);
    EXPECT_NE(script.find(prag::WithError(report.result.estimate.value, report.result.estimate.error)), std::string::npos);
    // One data block per size, parted by exactly two blank lines, as `index` counts them.
    const std::string data = prag::PlotDataText(report);
    EXPECT_NE(data.find("\n\n\n# L=12\n"), std::string::npos) << data;
    EXPECT_EQ(data.find("\n\n\n\n"), std::string::npos) << data;
}

TEST(AtomicFile, ReplacesWholeAndLeavesNoTemporaryBehind) {
    TemporaryFolder folder;
    const std::string path = (folder.Path() / "out.csv").string();
    ASSERT_EQ(prag::WriteFileAtomically(path, "first\n"), "");
    ASSERT_EQ(prag::WriteFileAtomically(path, "second\n"), "");
    EXPECT_EQ(ReadWholeFile(path), "second\n");
    EXPECT_EQ(folder.Entries(), 1u);
    EXPECT_EQ(prag::CheckWritable(path), "");
    EXPECT_EQ(folder.Entries(), 1u) << "the check must not leave its probe";
    // The mode a plain creation gives, not the temporary's 0600.
    for (const auto& [mask, mode] : {std::pair{022, 0644}, {027, 0640}}) {
        const mode_t previous = umask(static_cast<mode_t>(mask));
        const std::string written = prag::WriteFileAtomically(path, "third\n");
        umask(previous);
        ASSERT_EQ(written, "");
        EXPECT_EQ(static_cast<int>(fs::status(path).permissions()), mode) << "umask " << std::oct << mask;
    }
}

TEST(AtomicFile, UnwritablePlacesAreReportedAndNothingIsMade) {
    TemporaryFolder folder;
    const std::string missing = (folder.Path() / "no-such-folder" / "out.json").string();
    EXPECT_NE(prag::CheckWritable(missing).find("cannot write '" + missing + "'"), std::string::npos);
    EXPECT_NE(prag::WriteFileAtomically(missing, "x").find("cannot write"), std::string::npos);
    EXPECT_NE(prag::CheckWritable(folder.Path().string()).find("folder"), std::string::npos);
    EXPECT_EQ(folder.Entries(), 0u);
}

}  // namespace
