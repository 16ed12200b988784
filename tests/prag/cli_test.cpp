// cli_test.cpp
// The built prag end to end: outputs that do not depend on threads, a chosen seed that repeats the
// run, exit 2 with one line for bad values, the plot with and without gnuplot, progress only on a terminal.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>

#include "tests/prag/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string kPrag = PRAG_PATH;
const std::string kSmallRun = " --sizes 8,16 --samples 400 --p-step 0.01 --quiet";

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class Cli : public ::testing::Test {
protected:

    // Runs a shell command line in the test's folder.
    Outcome Run(const std::string& command) const {
        const std::string line = "cd '" + folder_.Path().string() + "' && " + command + " >.stdout 2>.stderr";
        Outcome outcome;
        const int raw = std::system(line.c_str());
        outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        outcome.out = prag_test::ReadWholeFile(folder_.Path() / ".stdout");
        outcome.err = prag_test::ReadWholeFile(folder_.Path() / ".stderr");
        fs::remove(folder_.Path() / ".stdout");
        fs::remove(folder_.Path() / ".stderr");
        return outcome;
    }
    std::string File(const std::string& name) const { return prag_test::ReadWholeFile(folder_.Path() / name); }
    bool Exists(const std::string& name) const { return fs::exists(folder_.Path() / name); }

    prag_test::ScratchFolder folder_;
};

TEST_F(Cli, ThreadCountDoesNotChangeCsvOrJson) {
    for (const std::string threads : {"1", "2", "5"}) {
        const Outcome run = Run(kPrag + kSmallRun + " --model bond --seed 42 --threads " + threads + " --csv t" + threads +
                                ".csv --json t" + threads + ".json");
        ASSERT_EQ(run.status, 0) << run.err;
    }
    ASSERT_FALSE(File("t1.csv").empty());
    EXPECT_EQ(File("t1.csv"), File("t2.csv"));
    EXPECT_EQ(File("t1.csv"), File("t5.csv"));
    EXPECT_EQ(File("t1.json"), File("t2.json"));
    EXPECT_EQ(File("t1.json"), File("t5.json"));
}

TEST_F(Cli, AChosenSeedIsPrintedAndRepeatsTheRun) {
    const Outcome first = Run(kPrag + kSmallRun + " --json first.json");
    ASSERT_EQ(first.status, 0) << first.err;
    std::smatch match;
    ASSERT_TRUE(std::regex_search(first.out, match, std::regex("--seed ([0-9]+) repeats this run"))) << first.out;
    const Outcome again = Run(kPrag + kSmallRun + " --seed " + match[1].str() + " --json again.json");
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(File("first.json"), File("again.json"));
    const Outcome other = Run(kPrag + kSmallRun + " --json other.json");
    EXPECT_NE(File("first.json"), File("other.json")) << "two runs without a seed drew the same samples";
}

TEST_F(Cli, BadValuesExitWithTwoOneLineAndNoFiles) {
    for (const std::string options : {"--sizes 1", "--samples 0", "--p-min 0.8 --p-max 0.2", "--spanning sideways",
                                      "--p-min 2", "--csv no/such/folder/out.csv", "--json ."}) {
        const Outcome run = Run(kPrag + " " + options + " --json out.json");
        EXPECT_EQ(run.status, 2) << options;
        EXPECT_EQ(run.out, "") << options;
        EXPECT_EQ(run.err.rfind("prag: ", 0), 0u) << options << ": " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << options << ": " << run.err;
        EXPECT_FALSE(Exists("out.json")) << options;
    }
}

TEST_F(Cli, ARangeOfOnePointGivesOneRowPerSizeAtExactlyThatP) {
    const std::string p = "0.12345678912345678";
    const Outcome run = Run(kPrag + kSmallRun + " --p-min " + p + " --p-max " + p + " --csv one.csv");
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream csv(File("one.csv"));
    std::string line;
    std::getline(csv, line);
    for (const int side : {8, 16}) {
        ASSERT_TRUE(std::getline(csv, line));
        int read_side = 0;
        double read_p = 0.0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%d,%lf,", &read_side, &read_p), 2) << line;
        EXPECT_EQ(read_side, side);
        EXPECT_EQ(read_p, std::strtod(p.c_str(), nullptr)) << line;
    }
    EXPECT_FALSE(std::getline(csv, line)) << "extra row: " << line;
}

bool HaveGnuplot() { return std::system("command -v gnuplot >/dev/null 2>&1") == 0; }

TEST_F(Cli, PlotWritesARealImageWithItsScriptAndDataBeside) {
    if (!HaveGnuplot()) GTEST_SKIP() << "gnuplot is not installed";
    fs::create_directory(folder_.Path() / "plots");
    const Outcome run = Run(kPrag + kSmallRun + " --seed 3 --plot plots/curves.png --csv c.csv");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string png = File("plots/curves.png");
    ASSERT_GT(png.size(), 1000u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_TRUE(Exists("plots/curves.gp"));
    EXPECT_TRUE(Exists("plots/curves.dat"));
    // The script beside the image draws it again from that folder, as a user restyling it would.
    fs::remove(folder_.Path() / "plots/curves.png");
    const Outcome redraw = Run("cd plots && gnuplot curves.gp");
    EXPECT_EQ(redraw.status, 0) << redraw.err;
    EXPECT_EQ(File("plots/curves.png").substr(0, 4), "\x89PNG");

    const Outcome svg = Run(kPrag + kSmallRun + " --seed 3 --plot curves.svg");
    ASSERT_EQ(svg.status, 0) << svg.err;
    EXPECT_NE(File("curves.svg").find("<svg"), std::string::npos);
    EXPECT_NE(File("curves.svg").find(" ± "), std::string::npos) << "the estimate with its error is marked";
}

TEST_F(Cli, WithoutGnuplotThePlotFailsWithOneAndTheOtherOutputsAreWritten) {
    fs::create_directory(folder_.Path() / "empty-path");
    const Outcome run = Run("PATH='" + (folder_.Path() / "empty-path").string() + "' " + kPrag + kSmallRun +
                            " --seed 3 --plot curves.png --csv c.csv --json c.json");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("gnuplot"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("p_c = "), std::string::npos) << "the table is still printed";
    EXPECT_FALSE(Exists("curves.png"));
    EXPECT_TRUE(Exists("curves.gp"));
    EXPECT_NE(File("c.csv").find("L,p,R,stderr"), std::string::npos);
    EXPECT_NE(File("c.json").find("\"p_c\""), std::string::npos);
}

// `script` gives the program a terminal; its output is the terminal's, standard error included.
TEST_F(Cli, ProgressIsShownOnATerminalOnlyAndQuietHidesIt) {
    if (std::system("command -v script >/dev/null 2>&1") != 0) GTEST_SKIP() << "script (util-linux) is missing";
    // Long enough (about 0.4 s optimised) for the line's first redraw at 0.2 s.
    const std::string run = kPrag + " --sizes 128 --samples 1600 --threads 1 --seed 1";
    const Outcome terminal = Run("script -qec \"" + run + "\" /dev/null");
    ASSERT_EQ(terminal.status, 0) << terminal.err;
    EXPECT_TRUE(std::regex_search(terminal.out, std::regex("L=128: [0-9]+/1600 samples, [0-9]+/s, [0-9]+:[0-9]{2} left")))
        << terminal.out;
    const Outcome quiet = Run("script -qec \"" + run + " --quiet\" /dev/null");
    EXPECT_EQ(quiet.out.find("samples, "), std::string::npos) << quiet.out;
    const Outcome piped = Run(kPrag + " --sizes 128 --samples 100 --threads 1 --seed 1");
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.err, "") << "no progress into a file";
}

}  // namespace
