// console_test.cpp: unit tests of vrtinela2D's logic: number reader, statistics field,
// generator, text picture and the percolation test against its literal oracle.
// Limits: the run loop itself is covered by the transcript tests, which run the program.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "console/cell_list.h"
#include "console/configuration.h"
#include "console/console_io.h"
#include "console/console_output.h"
#include "console/grid.h"
#include "console/number_reader.h"
#include "console/percent_format.h"
#include "console/percolation.h"
#include "console/random_generator.h"
#include "console/row_masks.h"
#include "console/run_loop.h"
#include "tests/console/literal_labelling.h"
#include "tests/console/union_find_labelling.h"

namespace vrtinela {
namespace {

class StringSource : public ByteSource {
public:
    explicit StringSource(std::string text, bool failAtEnd = false)
        : text_(std::move(text)), failAtEnd_(failAtEnd) {}
    int Next() override {
        if (at_ == text_.size()) return failAtEnd_ ? kReadError : kEnd;
        return static_cast<unsigned char>(text_[at_++]);
    }

private:
    std::string text_;
    bool failAtEnd_;
    std::size_t at_ = 0;
};

class StringSink : public OutputSink {
public:
    bool Put(const char* bytes, std::size_t count) override {
        text.append(bytes, count);
        ++blocks;
        return true;
    }
    std::string text;
    int blocks = 0;
};

// ---- Number reader -------------------------------------------------------------------------

struct IntegerCase {
    const char* run;
    std::int32_t value;
};

TEST(NumberReader, IntegerFormsGiveTheirValues) {
    const IntegerCase cases[] = {
        {"0", 0}, {"17", 17}, {"+17", 17}, {"-17", -17}, {"007", 7},
        {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
        {"$1F", 31}, {"x1f", 31}, {"X1F", 31}, {"0x1F", 31}, {"0Xff", 255},
        {"-$10", -16}, {"+$10", 16}, {"$FFFFFFFF", -1}, {"$80000000", INT32_MIN},
        {"$7FFFFFFF", INT32_MAX}, {"-$FFFFFFFF", 1}, {"$000000001", 1},
        {"00000000000000000000000000000042", 42},
    };
    for (const IntegerCase& c : cases) {
        std::int32_t value = -12345;
        EXPECT_TRUE(ParseInteger(c.run, value)) << c.run;
        EXPECT_EQ(value, c.value) << c.run;
    }
}

TEST(NumberReader, IntegerRejectsWhatIsNoInteger) {
    const char* runs[] = {"abc", "+", "-", "$", "x", "0x", "-$", "1.5", "12abc", "1,5", "2147483648",
                          "-2147483649", "99999999999", "$100000000", "$1G", "--1", "+-1", "1e3", "$-1",
                          "0x0x1", "5%"};
    for (const char* run : runs) {
        std::int32_t value = 0;
        EXPECT_FALSE(ParseInteger(run, value)) << run;
    }
}

struct RealCase {
    const char* run;
    double value;
};

TEST(NumberReader, RealFormsGiveTheirValues) {
    const RealCase cases[] = {
        {"12.5", 12.5}, {"59.2746", 59.2746}, {"5.", 5.0}, {".5", 0.5}, {"-3", -3.0}, {"+2.5", 2.5},
        {"1e2", 100.0}, {"1E+2", 100.0}, {"25e-1", 2.5}, {"-.5e1", -5.0}, {".", 0.0}, {"e5", 0.0},
        {"E", 0.0}, {"e", 0.0}, {"0", 0.0}, {"1e-999", 0.0},
    };
    for (const RealCase& c : cases) {
        double value = -12345.0;
        EXPECT_TRUE(ParseReal(c.run, value)) << c.run;
        EXPECT_DOUBLE_EQ(value, c.value) << c.run;
    }
}

TEST(NumberReader, RealRejectsWhatIsNoReal) {
    const char* runs[] = {"+", "-", "12,5", "50%", "abc", "5e", "5e+", "1.2.3", "1e999", "$10", "0x1", "1 "};
    for (const char* run : runs) {
        double value = 0.0;
        EXPECT_FALSE(ParseReal(run, value)) << run;
    }
}

// Reads integers until the input ends or a read fails; records each status and value.
std::vector<std::string> ReadAllIntegers(const std::string& input) {
    StringSource source(input);
    NumberReader reader(source);
    std::vector<std::string> seen;
    for (int guard = 0; guard < 20; ++guard) {
        std::int32_t value = 0;
        const ReadStatus status = reader.ReadInteger(value);
        if (status == ReadStatus::Number) {
            seen.push_back(std::to_string(value));
        } else if (status == ReadStatus::NotANumber) {
            seen.push_back("bad");
        } else {
            seen.push_back(status == ReadStatus::EndOfInput ? "end" : "error");
            break;
        }
    }
    return seen;
}

using Reads = std::vector<std::string>;

TEST(NumberReader, OneNumberPerLineAndTheRestIsDiscarded) {
    EXPECT_EQ(ReadAllIntegers("3 7\n9\n"), (Reads{"3", "9", "end"}));
    EXPECT_EQ(ReadAllIntegers("\n\n  \t 4\n"), (Reads{"4", "end"}));
    EXPECT_EQ(ReadAllIntegers("5\r\n6\r\n"), (Reads{"5", "6", "end"}));
    // A carriage return alone does not end a line.
    EXPECT_EQ(ReadAllIntegers("3\r4\n5\n"), (Reads{"3", "5", "end"}));
    // The check comes after the line is gone, so the next read starts on the next line.
    EXPECT_EQ(ReadAllIntegers("abc 12\n7\n"), (Reads{"bad", "7", "end"}));
    EXPECT_EQ(ReadAllIntegers("42"), (Reads{"42", "end"}));
    EXPECT_EQ(ReadAllIntegers(""), (Reads{"end"}));
    EXPECT_EQ(ReadAllIntegers("   \n\n"), (Reads{"end"}));
}

TEST(NumberReader, CharacterTwentySixEndsTheInputForGood) {
    EXPECT_EQ(ReadAllIntegers("\x1a" "5\n"), (Reads{"end"}));
    EXPECT_EQ(ReadAllIntegers("7\x1a\n8\n"), (Reads{"7", "end"}));
    EXPECT_EQ(ReadAllIntegers("7 junk\x1a" "8\n"), (Reads{"7", "end"}));
    EXPECT_EQ(ReadAllIntegers("1\n\x1a"), (Reads{"1", "end"}));
}

TEST(NumberReader, BytesAboveTheAsciiRangeBelongToTheRun) {
    EXPECT_EQ(ReadAllIntegers("5\xe9\n6\n"), (Reads{"bad", "6", "end"}));
}

TEST(NumberReader, LongRunsAreCutAndTheirRemainderGoesWithTheLine) {
    // 33 characters: the first 32 are 31 zeros and a 1; the 33rd, 9, is discarded.
    EXPECT_EQ(ReadAllIntegers(std::string(31, '0') + "19\n4\n"), (Reads{"1", "4", "end"}));
    // The cut may leave a valid number out of an invalid run.
    EXPECT_EQ(ReadAllIntegers(std::string(32, '1').replace(0, 31, std::string(31, '0')) + "abc\n4\n"),
              (Reads{"1", "4", "end"}));

    StringSource source(std::string(63, '0') + "25\n12.5\n");
    NumberReader reader(source);
    double value = 0.0;
    ASSERT_EQ(reader.ReadReal(value), ReadStatus::Number);
    EXPECT_EQ(value, 2.0);  // 63 zeros and the 2; the 5 went with the line
    ASSERT_EQ(reader.ReadReal(value), ReadStatus::Number);
    EXPECT_EQ(value, 12.5);
    EXPECT_EQ(reader.ReadReal(value), ReadStatus::EndOfInput);
}

TEST(NumberReader, ReadErrorsAreReported) {
    StringSource source("12", /*failAtEnd=*/true);
    NumberReader reader(source);
    std::int32_t value = 0;
    EXPECT_EQ(reader.ReadInteger(value), ReadStatus::ReadError);
}

// ---- Statistics field ----------------------------------------------------------------------

std::string PercentOf(int count, int repetitions) {
    return FormatPercent(static_cast<double>(count) * 100.0 / static_cast<double>(repetitions));
}

TEST(PercentFormat, RoundsHalfUpInAFieldOfSeven) {
    EXPECT_EQ(PercentOf(1, 8), "  12.50");
    EXPECT_EQ(PercentOf(1, 3), "  33.33");
    EXPECT_EQ(PercentOf(2, 3), "  66.67");
    EXPECT_EQ(PercentOf(1, 800), "   0.13");
    EXPECT_EQ(PercentOf(1, 160), "   0.63");
    EXPECT_EQ(PercentOf(0, 1), "   0.00");
    EXPECT_EQ(PercentOf(1, 1), " 100.00");
    EXPECT_EQ(PercentOf(1, 2000), "   0.05");
    EXPECT_EQ(PercentOf(1, 20001), "   0.00");   // 0.0049998... stays down
    EXPECT_EQ(PercentOf(1999, 2000), "  99.95");
    EXPECT_EQ(PercentOf(19999, 20000), " 100.00");   // 99.995 rounds up and carries into a new digit
    EXPECT_EQ(PercentOf(3, 40000), "   0.01");
}

TEST(PercentFormat, WiderValuesWidenTheField) {
    EXPECT_EQ(FormatPercent(12345.678), "12345.68");
    EXPECT_EQ(FormatPercent(9.995), "   9.99");  // the double is 9.99499999999999922
    EXPECT_EQ(FormatPercent(-2.5), "  -2.50");
}

TEST(PercentFormat, ValueThatRoundsToZeroLosesItsSign) {
    EXPECT_EQ(FormatPercent(-0.004), "   0.00");
    EXPECT_EQ(FormatPercent(-0.0), "   0.00");
    EXPECT_EQ(FormatPercent(-0.005), "  -0.01");  // rounds away from zero, so the sign stays
}

// ---- Generator and picture -----------------------------------------------------------------

std::uint32_t fixedSeed = 0;
std::uint32_t FixedSeed() { return fixedSeed; }

class GridFixture : public ::testing::Test {
protected:
    void UseSide(int side) {
        FreeGrid();
        ColumnCount = side;
        RowCount = side;
        ASSERT_TRUE(AllocateGrid());
    }
    // Squares set by hand reach the percolation walk through the row masks.
    void Fill(double value) {
        for (int c = 1; c <= ColumnCount; ++c)
            for (int r = 1; r <= RowCount; ++r) Square(c, r) = value;
        LoadRowMasksFromGrid();
    }
    // Rows from top to bottom, "P" for conducting.
    void Draw(const std::vector<std::string>& rows) {
        UseSide(static_cast<int>(rows.size()));
        for (int r = 1; r <= RowCount; ++r)
            for (int c = 1; c <= ColumnCount; ++c)
                Square(c, r) = rows[r - 1][c - 1] == 'P' ? kConducting : kInsulating;
        LoadRowMasksFromGrid();
    }
    void TearDown() override {
        FreeGrid();
        SetSeedClock(nullptr);
    }
};

using Generator = GridFixture;

TEST_F(Generator, DrawsFollowTheReferenceSequence) {
    RandomSeed = 12345;
    ASSERT_EQ(NextRandom(), 1655067934.0 / 4294967296.0);
    ASSERT_EQ(RandomSeed, 1655067934u);
    EXPECT_EQ(NextRandom(), 1242767767.0 / 4294967296.0);
    EXPECT_EQ(NextRandom(), 342459380.0 / 4294967296.0);
    // The state wraps at 32 bits: 0xFFFFFFFF is -1, so the next state is 1 - 134775813 modulo 2^32.
    RandomSeed = 0xFFFFFFFFu;
    EXPECT_EQ(NextRandom(), 4160191484.0 / 4294967296.0);
    EXPECT_EQ(RandomSeed, 4160191484u);
}

TEST_F(Generator, EighteenthDrawSetsColumnOneRowOne) {
    // Draws 18 to 26 from seed 12345, in the order the squares take them.
    const std::uint32_t draws[] = {3438479303u, 3338257124u, 3799932533u, 819211338u, 223020403u,
                                   3034474304u, 1872036929u, 774019398u,  3085243999u};
    SetSeedClock(&FixedSeed);
    fixedSeed = 12345;
    UseSide(3);
    Threshold = 0.5;
    GenerateConfiguration();
    for (int c = 1; c <= 3; ++c) {
        for (int r = 1; r <= 3; ++r) {
            const double draw = draws[(c - 1) * 3 + (r - 1)] / 4294967296.0;
            EXPECT_EQ(Square(c, r), draw < 0.5 ? kConducting : kInsulating) << "at " << c << "x" << r;
        }
    }
    // A draw equal to the threshold does not conduct; a hair above it does.
    Threshold = draws[0] / 4294967296.0;
    GenerateConfiguration();
    EXPECT_EQ(Square(1, 1), kInsulating);
    Threshold = std::nextafter(Threshold, 2.0);
    GenerateConfiguration();
    EXPECT_EQ(Square(1, 1), kConducting);
    EXPECT_EQ(Square(1, 2), kConducting);  // 0.777... lies below 0.8005...
    EXPECT_EQ(Square(1, 3), kInsulating);  // 0.884... does not
}

TEST_F(Generator, ThresholdsOutsideTheUnitRangeSaturate) {
    SetSeedClock(&FixedSeed);
    UseSide(20);
    for (const double threshold : {0.0, -0.5}) {
        Threshold = threshold;
        for (fixedSeed = 0; fixedSeed < 50; ++fixedSeed) {
            GenerateConfiguration();
            for (int c = 1; c <= 20; ++c)
                for (int r = 1; r <= 20; ++r) ASSERT_EQ(Square(c, r), kInsulating) << c << "x" << r;
        }
    }
    for (const double threshold : {1.0, 7.5}) {
        Threshold = threshold;
        for (fixedSeed = 0; fixedSeed < 50; ++fixedSeed) {
            GenerateConfiguration();
            for (int c = 1; c <= 20; ++c)
                for (int r = 1; r <= 20; ++r) ASSERT_EQ(Square(c, r), kConducting) << c << "x" << r;
        }
    }
}

TEST_F(Generator, SeedsComeFromTheClockEachTime) {
    ReseedFromClock();
    const std::uint32_t first = RandomSeed;
    bool changed = false;
    for (int attempt = 0; attempt < 1000 && !changed; ++attempt) {
        ReseedFromClock();
        changed = RandomSeed != first;
    }
    EXPECT_TRUE(changed);
}

class PictureFixture : public GridFixture {
protected:
    std::string PictureText() {
        StringSink sink;
        StringSource noInput("");
        NumberReader reader(noInput);
        ConsoleOutput output(sink, false);
        BindConsole(reader, output, sink);
        ShowConfiguration();
        output.Flush();
        return sink.text;
    }
};

using Picture = PictureFixture;

TEST_F(Picture, ElectrodesFrameTheRowsWithCrLfLineEnds) {
    SetSeedClock(&FixedSeed);
    fixedSeed = 12345;
    UseSide(3);
    Threshold = 0.5;
    GenerateConfiguration();
    EXPECT_EQ(PictureText(), "\r\n***\r\n PP\r\n PP\r\n   \r\n***\r\n");
}

TEST_F(Picture, RowsKeepTheirFullWidth) {
    UseSide(4);
    Fill(kInsulating);
    EXPECT_EQ(PictureText(), "\r\n****\r\n    \r\n    \r\n    \r\n    \r\n****\r\n");
    Fill(kConducting);
    EXPECT_EQ(PictureText(), "\r\n****\r\nPPPP\r\nPPPP\r\nPPPP\r\nPPPP\r\n****\r\n");
}

TEST(ConsoleOutput, FileOutputLeavesInBlocksAndTerminalOutputAtOnce) {
    StringSink fileSink;
    ConsoleOutput toFile(fileSink, false);
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(toFile.Write("abc", "\r\n"));
    EXPECT_EQ(fileSink.text.size(), 384u);  // three full blocks of 128, the rest still waiting
    EXPECT_EQ(fileSink.blocks, 3);
    ASSERT_TRUE(toFile.Flush());
    EXPECT_EQ(fileSink.text.size(), 500u);

    StringSink terminalSink;
    ConsoleOutput toTerminal(terminalSink, true);
    ASSERT_TRUE(toTerminal.Write("  M =  "));
    EXPECT_EQ(terminalSink.text, "  M =  ");
}

TEST(ConsoleOutput, AFailedWriteStaysFailed) {
    struct FailingSink : OutputSink {
        bool Put(const char*, std::size_t) override { return false; }
    } failing;
    ConsoleOutput output(failing, true);
    EXPECT_FALSE(output.Write("x"));
    EXPECT_FALSE(output.Write("y"));
    EXPECT_FALSE(output.Flush());
}

// ---- Percolation ---------------------------------------------------------------------------

using Labelling = GridFixture;

TEST_F(Labelling, CellsAreListedRowByRow) {
    Draw({"P.P",
          "...",
          ".PP"});
    CollectConductingCells();
    ASSERT_EQ(CellCount, 4);
    const CellRecord expected[] = {{1, 1}, {3, 1}, {2, 3}, {3, 3}};
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(CellList[n].Column, expected[n - 1].Column) << "cell " << n;
        EXPECT_EQ(CellList[n].Row, expected[n - 1].Row) << "cell " << n;
    }
    EXPECT_FALSE(LastRowEmpty);
    Draw({"PPP", "PPP", "..."});
    CollectConductingCells();
    EXPECT_TRUE(LastRowEmpty);
}

TEST_F(Labelling, NeighboursShareASideOnly) {
    Draw({"PP.",
          ".PP",
          "P.P"});
    CollectConductingCells();
    // Cells: 1 (1,1), 2 (2,1), 3 (2,2), 4 (3,2), 5 (1,3), 6 (3,3).
    EXPECT_TRUE(AreNeighbours(1, 2));
    EXPECT_TRUE(AreNeighbours(2, 1));
    EXPECT_TRUE(AreNeighbours(2, 3));
    EXPECT_TRUE(AreNeighbours(3, 2));
    EXPECT_TRUE(AreNeighbours(4, 6));
    EXPECT_FALSE(AreNeighbours(1, 3));  // corner only
    EXPECT_FALSE(AreNeighbours(3, 5));
    EXPECT_FALSE(AreNeighbours(1, 1));
    EXPECT_FALSE(AreNeighbours(5, 6));
    EXPECT_TRUE(TouchesElectrode(true, 2));
    EXPECT_FALSE(TouchesElectrode(false, 2));
    EXPECT_TRUE(TouchesElectrode(false, 5));
    EXPECT_FALSE(TouchesElectrode(true, 3));
    EXPECT_TRUE(IsConnected(1, kTopElectrode));
    EXPECT_FALSE(IsConnected(1, kBottomElectrode));
    EXPECT_TRUE(IsConnected(6, kBottomElectrode));
    EXPECT_TRUE(IsConnected(6, 4));
    EXPECT_FALSE(IsConnected(6, 3));
}

struct Case {
    const char* name;
    std::vector<std::string> rows;
    bool percolates;
};

TEST_F(Labelling, EdgeCasesGetTheirVerdicts) {
    const Case cases[] = {
        {"fewer squares than M", {"P..", "P..", "..."}, false},
        {"empty last row", {"PPP", "PPP", "..."}, false},
        {"empty middle row", {"PPP", "...", "PPP"}, false},
        {"full column", {"..P.", "..P.", "..P.", "..P."}, true},
        {"diagonal", {"P...", ".P..", "..P.", "...P"}, false},
        {"all conducting", {"PPPP", "PPPP", "PPPP", "PPPP"}, true},
        {"U shape", {"P....",
                     "P.PPP",
                     "P.P.P",
                     "PPP.P",
                     "....P"}, true},
        {"U shape short of the bottom", {"P....",
                                         "P.PPP",
                                         "P.P.P",
                                         "PPP..",
                                         "....P"}, false},
        {"U shape reaching down", {"P...P",
                                   "P...P",
                                   "P.P.P",
                                   "PPP.P",
                                   "..P.."}, true},
        {"bottom joins top late", {".P...",
                                   ".PPP.",
                                   "...P.",
                                   "PP.P.",
                                   ".PPP."}, true},
        {"snake", {"P....",
                   "PPPPP",
                   "....P",
                   "PPPPP",
                   "P...."}, true},
        {"corner touch only", {"PP...",
                               "PP...",
                               "..PPP",
                               "..P..",
                               "..P.."}, false},
    };
    for (const Case& c : cases) {
        Draw(c.rows);
        EXPECT_EQ(Percolates(), c.percolates) << c.name;
        EXPECT_EQ(vrtinela_testing::LiteralPercolates(), c.percolates) << c.name << " (literal)";
        EXPECT_EQ(vrtinela_testing::UnionFindPercolates(), c.percolates) << c.name << " (union-find)";
    }
}

TEST_F(Labelling, BottomCellMeetingTheTopClusterEndsTheWalk) {
    // Cell (2,3) has the bottom electrode, then the top cluster's square above it: the merge
    // turns the bottom electrode's label to -1 at that cell.
    Draw({".P.",
          ".P.",
          "PP."});
    EXPECT_TRUE(Percolates());
    EXPECT_TRUE(vrtinela_testing::UnionFindPercolates());
    EXPECT_EQ(Labels(kBottomElectrode), kTopElectrode);
}

TEST_F(Labelling, GridsBeyondThe16BitLabelRangeAreHandled) {
    UseSide(200);
    Fill(kConducting);
    EXPECT_TRUE(vrtinela_testing::UnionFindPercolates());
    EXPECT_EQ(CellCount, 40000);
    // A wall in row 190 with one gap in the last column: the top cluster takes in cell numbers
    // above 32767 before the bottom row joins it.
    for (int c = 1; c <= 200; ++c) Square(c, 190) = c == 200 ? kConducting : kInsulating;
    EXPECT_TRUE(vrtinela_testing::UnionFindPercolates());
    LoadRowMasksFromGrid();
    EXPECT_TRUE(Percolates());
    Square(200, 190) = kInsulating;
    EXPECT_FALSE(vrtinela_testing::UnionFindPercolates());
    EXPECT_EQ(CellCount, 39800);
    LoadRowMasksFromGrid();
    EXPECT_FALSE(Percolates());
}

TEST_F(Labelling, AgreesWithTheLiteralAlgorithmOnSeededConfigurations) {
    SetSeedClock(&FixedSeed);
    const double thresholds[] = {0.0, 0.2, 0.45, 0.55, 0.5927, 0.62, 0.7, 0.9, 1.0};
    int compared = 0;
    int percolating = 0;
    for (int side = 3; side <= 60; side += (side < 20 ? 1 : 4)) {
        UseSide(side);
        for (const double threshold : thresholds) {
            Threshold = threshold;
            const int seeds = side <= 20 ? 40 : 12;
            for (int s = 0; s < seeds; ++s) {
                fixedSeed = static_cast<std::uint32_t>(side * 100003 + s * 7919 + static_cast<int>(threshold * 1000));
                GenerateConfiguration();
                const bool fast = Percolates();
                const bool literal = vrtinela_testing::LiteralPercolates();
                ASSERT_EQ(fast, literal) << "side " << side << " threshold " << threshold << " seed " << fixedSeed;
                ++compared;
                percolating += fast ? 1 : 0;
            }
        }
    }
    EXPECT_GT(compared, 5000);
    // Both verdicts must occur often, or the comparison proves little.
    EXPECT_GT(percolating, compared / 4);
    EXPECT_LT(percolating, compared * 3 / 4);
}

TEST_F(Labelling, ShareOfPercolatingGridsAtTheThresholdIsAboutHalf) {
    SetSeedClock(&FixedSeed);
    UseSide(200);
    Threshold = 0.592746;
    int percolating = 0;
    const int configurations = 2000;
    for (int s = 1; s <= configurations; ++s) {
        fixedSeed = static_cast<std::uint32_t>(s) * 2654435761u;
        GenerateConfiguration();
        percolating += Percolates() ? 1 : 0;
    }
    const double share = static_cast<double>(percolating) / configurations;
    EXPECT_NEAR(share, 0.50, 0.04) << percolating << " of " << configurations;
}

// ---- Run loop ------------------------------------------------------------------------------

// The configuration the program draws from `seed`, written out again here: 17 draws thrown away,
// then the columns top to bottom, conducting where the draw is below the threshold.
void DrawReferenceConfiguration(std::uint32_t seed, double threshold) {
    std::uint32_t state = seed;
    auto next = [&state] {
        state = state * 134775813u + 1u;
        return static_cast<double>(state) / 4294967296.0;
    };
    for (int draw = 0; draw < 17; ++draw) next();
    for (int c = 1; c <= ColumnCount; ++c)
        for (int r = 1; r <= RowCount; ++r) Square(c, r) = next() < threshold ? kConducting : kInsulating;
}

std::vector<std::uint32_t> runSeeds;
std::size_t nextRunSeed = 0;
std::uint32_t RunSeed() { return runSeeds.at(nextRunSeed++); }

using RunLoop = GridFixture;

TEST_F(RunLoop, PercentTypedBecomesTheThresholdAndTheShareIsComputedInFloatingPoint) {
    // Seeds for three 5 x 5 grids at 60 %: the first percolates, the other two do not.
    UseSide(5);
    std::uint32_t percolating = 0;
    std::vector<std::uint32_t> blocked;
    for (std::uint32_t seed = 1; percolating == 0 || blocked.size() < 2; ++seed) {
        DrawReferenceConfiguration(seed, 0.60);
        if (vrtinela_testing::LiteralPercolates()) {
            if (percolating == 0) percolating = seed;
        } else if (blocked.size() < 2) {
            blocked.push_back(seed);
        }
    }
    FreeGrid();
    runSeeds = {percolating, blocked[0], blocked[1]};
    nextRunSeed = 0;
    SetSeedClock(&RunSeed);

    StringSource input("0\n5\n60\n3\n1\n");
    NumberReader reader(input);
    StringSink output;
    StringSink errors;
    ConsoleOutput console(output, /*flushEachWrite=*/true);
    BindConsole(reader, console, errors);
    ASSERT_EQ(RunVrtinela(), 0);

    const std::string expected =
        "----  Ponovitev: 1 od 3 ---- Perkolira (prevaja)!!! \r\n"
        "----  Ponovitev: 2 od 3 ---- Ne perkolira (ne prevaja)\r\n"
        "----  Ponovitev: 3 od 3 ---- Ne perkolira (ne prevaja)\r\n"
        "Stev. perkolacij: 1 od 3 -->   33.33 % \r\n"
        "Izpisi koncni rezultat. Sele nato vtipkaj 1 za konec. ";
    const std::size_t start = output.text.find("----  Ponovitev: 1");
    ASSERT_NE(start, std::string::npos) << output.text;
    EXPECT_EQ(output.text.substr(start), expected);
    EXPECT_EQ(Threshold, 0.6);
    EXPECT_EQ(PercolationPercent, 100.0 / 3.0);
    EXPECT_EQ(nextRunSeed, 3u) << "one seed per configuration";
    EXPECT_TRUE(errors.text.empty()) << errors.text;
}

}  // namespace
}  // namespace vrtinela
