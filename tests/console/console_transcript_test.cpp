// console_transcript_test.cpp: runs the built vrtinela2D with piped input and compares the exact
// bytes of standard output, the error report and the exit code.
// Limits: only runs whose output does not depend on the clock (0 % and 100 %, and failures
// before the first repetition); POSIX shell and temporary files.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct Transcript {
    std::string out;
    std::string err;
    int exitCode = -1;
};

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Standard output goes to a file of the test's own, or to `outputPath` when one is given.
Transcript RunProgram(const std::string& input, const std::string& outputPath = "") {
    char directory[] = "/tmp/vrtinela-transcript-XXXXXX";
    if (::mkdtemp(directory) == nullptr) return {};
    const std::string base = directory;
    {
        std::ofstream in(base + "/in", std::ios::binary);
        in << input;
    }
    const std::string out = outputPath.empty() ? base + "/out" : outputPath;
    const std::string command =
        std::string("'") + VRTINELA2D_PATH + "' < " + base + "/in > " + out + " 2> " + base + "/err";
    const int status = std::system(command.c_str());
    Transcript result;
    result.out = ReadWholeFile(base + "/out");
    result.err = ReadWholeFile(base + "/err");
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::remove((base + "/in").c_str());
    std::remove((base + "/out").c_str());
    std::remove((base + "/err").c_str());
    ::rmdir(directory);
    return result;
}

// The texts as users see them, written out here independently of the program.
const std::string kIntro =
    "Vhodni podatki (vsako stevilko moras potrditi s tipko ENTER):\r\n"
    "Ali pokazem vsakic konfiguracijo? \r\n"
    "Izberi NE, ce hoces samo koncno statistiko za veliko stevilo ponovitev.\r\n"
    "Izberi DA, ce hoces malo testirati posamicne konfiguracije.\r\n"
    "Vtipkaj 1 za DA oziroma 0 za NE. --> "
    "Velikost kvadratne mreze M x M?\r\n";
const std::string kHintQuiet = "(M najvec 200, a pri velikih mrezah je racun pocasnejsi!)\r\n";
const std::string kHintShow = "(priporocljivo okrog 20 ali manj, da se lepo vidi): \r\n";
const std::string kSidePrompt = "  M =  ";
const std::string kPercentPrompt = "Verjetnost prevodnih kvadratkov (%): ";
const std::string kCountPrompt = "Stevilo ponovitev: ";
const std::string kInstructions =
    "Nekaj navodil: \r\n"
    "Elektrodi sta oznaceni z zvezdicami.\r\n"
    "Neprevodni kvadratki so prazni, prevodni pa oznaceni s P\r\n"
    "Pozor: dva sosednja P-ja se lahko stikata v vodoravni ali navpicni smeri.\r\n"
    "Posevna povezava se ne steje kot stik\r\n"
    "Vtipkaj 1 za nadaljevanje. ";
const std::string kYes = "Perkolira (prevaja)!!! \r\n";
const std::string kNo = "Ne perkolira (ne prevaja)\r\n";
const std::string kContinue = "Vtipkaj 1 za nadaljevanje ali 2 za predcasen konec. ";
const std::string kEndPrompt = "Izpisi koncni rezultat. Sele nato vtipkaj 1 za konec. ";
const std::string kDialogueQuiet = kIntro + kHintQuiet + kSidePrompt + kPercentPrompt + kCountPrompt;
const std::string kDialogueShow = kIntro + kHintShow + kSidePrompt + kPercentPrompt + kCountPrompt;

std::string Header(int i, int count) {
    return "----  Ponovitev: " + std::to_string(i) + " od " + std::to_string(count) + " ---- ";
}

const std::string kFull3 = "\r\n***\r\nPPP\r\nPPP\r\nPPP\r\n***\r\n";
const std::string kEmpty3 = "\r\n***\r\n   \r\n   \r\n   \r\n***\r\n";

const std::string kInvalid = "vrtinela2D: Invalid numeric input\r\n";
const std::string kUnexpectedEnd = "vrtinela2D: Unexpected end of input\r\n";

TEST(Transcript, NothingConductsAtZeroPercent) {
    const Transcript t = RunProgram("0\n3\n0\n1\n1\n");
    EXPECT_EQ(t.out, kDialogueQuiet + Header(1, 1) + kNo + "Stev. perkolacij: 0 od 1 -->    0.00 % \r\n" + kEndPrompt);
    EXPECT_EQ(t.err, "");
    EXPECT_EQ(t.exitCode, 0);
}

TEST(Transcript, EverythingConductsAtHundredPercentOnTheLargestGrid) {
    const Transcript t = RunProgram("0\n200\n100\n3\n1\n");
    EXPECT_EQ(t.out, kDialogueQuiet + Header(1, 3) + kYes + Header(2, 3) + kYes + Header(3, 3) + kYes +
                         "Stev. perkolacij: 3 od 3 -->  100.00 % \r\n" + kEndPrompt);
    EXPECT_EQ(t.exitCode, 0);
}

TEST(Transcript, PercentagesOutsideTheRangeSaturate) {
    EXPECT_EQ(RunProgram("0\n3\n-20\n1\n1\n").out,
              kDialogueQuiet + Header(1, 1) + kNo + "Stev. perkolacij: 0 od 1 -->    0.00 % \r\n" + kEndPrompt);
    EXPECT_EQ(RunProgram("0\n3\n250\n1\n1\n").out,
              kDialogueQuiet + Header(1, 1) + kYes + "Stev. perkolacij: 1 od 1 -->  100.00 % \r\n" + kEndPrompt);
}

TEST(Transcript, SideOutOfRangeIsAskedAgain) {
    const Transcript t = RunProgram("5\n201\n2\n-7\n3 9\n100\n1\n1\n");
    EXPECT_EQ(t.out, kIntro + kHintQuiet + kSidePrompt + "Napaka! M najvec 200!\r\n" + kSidePrompt +
                         "Napaka! M najmanj 3!\r\n" + kSidePrompt + "Napaka! M najmanj 3!\r\n" + kSidePrompt +
                         kPercentPrompt + kCountPrompt + Header(1, 1) + kYes +
                         "Stev. perkolacij: 1 od 1 -->  100.00 % \r\n" + kEndPrompt);
    EXPECT_EQ(t.exitCode, 0);
}

TEST(Transcript, RepetitionCountBelowOneIsAskedAgain) {
    const Transcript t = RunProgram("-1\n3\n100\n0\n-5\n$2\n1\n");
    EXPECT_EQ(t.out, kDialogueQuiet + "Napaka! Stevilo ponovitev najmanj 1!\r\n" + kCountPrompt +
                         "Napaka! Stevilo ponovitev najmanj 1!\r\n" + kCountPrompt + Header(1, 2) + kYes +
                         Header(2, 2) + kYes + "Stev. perkolacij: 2 od 2 -->  100.00 % \r\n" + kEndPrompt);
    EXPECT_EQ(t.exitCode, 0);
}

TEST(Transcript, EmptyLinesAndWindowsLineEndsAreTakenInStride) {
    const Transcript t = RunProgram("\r\n\r\n0\r\n\r\n  3  \r\n\t0.0 %junk after the number\r\n\r\n1\r\n7\r\n");
    EXPECT_EQ(t.out, kDialogueQuiet + Header(1, 1) + kNo + "Stev. perkolacij: 0 od 1 -->    0.00 % \r\n" + kEndPrompt);
    EXPECT_EQ(t.exitCode, 0);
}

TEST(Transcript, ShowEachPrintsInstructionsPicturesAndContinuePrompts) {
    const Transcript t = RunProgram("1\n3\n100\n2\n1\n1\n1\n");
    EXPECT_EQ(t.out, kDialogueShow + kInstructions + Header(1, 2) + kFull3 + kYes + kContinue + Header(2, 2) +
                         kFull3 + kYes + kContinue + "Stev. perkolacij: 2 od 2 -->  100.00 % \r\n" + kEndPrompt);
    EXPECT_EQ(t.exitCode, 0);

    const Transcript empty = RunProgram("1\n3\n0\n1\n1\n1\n1\n");
    EXPECT_EQ(empty.out, kDialogueShow + kInstructions + Header(1, 1) + kEmpty3 + kNo + kContinue +
                             "Stev. perkolacij: 0 od 1 -->    0.00 % \r\n" + kEndPrompt);
}

TEST(Transcript, AnswerTwoEndsEarlyWithoutStatistics) {
    const Transcript early = RunProgram("1\n3\n100\n5\n1\n1\n2\n");
    EXPECT_EQ(early.out, kDialogueShow + kInstructions + Header(1, 5) + kFull3 + kYes + kContinue + Header(2, 5) +
                             kFull3 + kYes + kContinue);
    EXPECT_EQ(early.err, "");
    EXPECT_EQ(early.exitCode, 0);

    const Transcript atLast = RunProgram("1\n3\n0\n1\n1\n2\n");
    EXPECT_EQ(atLast.out, kDialogueShow + kInstructions + Header(1, 1) + kEmpty3 + kNo + kContinue);
    EXPECT_EQ(atLast.exitCode, 0);
}

TEST(Transcript, OnlyTwoEndsEarly) {
    const Transcript t = RunProgram("1\n3\n100\n2\n1\n3\n-2\n1\n");
    EXPECT_EQ(t.out, kDialogueShow + kInstructions + Header(1, 2) + kFull3 + kYes + kContinue + Header(2, 2) +
                         kFull3 + kYes + kContinue + "Stev. perkolacij: 2 od 2 -->  100.00 % \r\n" + kEndPrompt);
}

TEST(Transcript, TextWhereANumberIsAskedEndsTheRun) {
    const Transcript words = RunProgram("abc\n");
    EXPECT_EQ(words.out, kIntro.substr(0, kIntro.size() - std::string("Velikost kvadratne mreze M x M?\r\n").size()));
    EXPECT_EQ(words.err, kInvalid);
    EXPECT_EQ(words.exitCode, 1);

    const Transcript fraction = RunProgram("0\n3.5\n");
    EXPECT_EQ(fraction.out, kIntro + kHintQuiet + kSidePrompt);
    EXPECT_EQ(fraction.err, kInvalid);
    EXPECT_EQ(fraction.exitCode, 1);

    for (const char* percentage : {"12,5", "50%"}) {
        const Transcript t = RunProgram(std::string("0\n3\n") + percentage + "\n1\n1\n");
        EXPECT_EQ(t.out, kIntro + kHintQuiet + kSidePrompt + kPercentPrompt) << percentage;
        EXPECT_EQ(t.err, kInvalid) << percentage;
        EXPECT_EQ(t.exitCode, 1) << percentage;
    }

    const Transcript atContinue = RunProgram("1\n3\n100\n2\n1\nnext\n");
    EXPECT_EQ(atContinue.out, kDialogueShow + kInstructions + Header(1, 2) + kFull3 + kYes + kContinue);
    EXPECT_EQ(atContinue.err, kInvalid);
    EXPECT_EQ(atContinue.exitCode, 1);

    const Transcript atEnd = RunProgram("0\n3\n100\n1\nbye\n");
    EXPECT_EQ(atEnd.out, kDialogueQuiet + Header(1, 1) + kYes + "Stev. perkolacij: 1 od 1 -->  100.00 % \r\n" + kEndPrompt);
    EXPECT_EQ(atEnd.err, kInvalid);
    EXPECT_EQ(atEnd.exitCode, 1);
}

TEST(Transcript, HexadecimalAnswersAreNumbers) {
    const Transcript t = RunProgram("$0\n0x3\n1E2\nX1\n$1F\n");
    EXPECT_EQ(t.out, kDialogueQuiet + Header(1, 1) + kYes + "Stev. perkolacij: 1 od 1 -->  100.00 % \r\n" + kEndPrompt);
    EXPECT_EQ(t.exitCode, 0);
}

TEST(Transcript, EndOfInputBeforeTheLastPromptIsAnError) {
    const Transcript atSide = RunProgram("0\n");
    EXPECT_EQ(atSide.out, kIntro + kHintQuiet + kSidePrompt);
    EXPECT_EQ(atSide.err, kUnexpectedEnd);
    EXPECT_EQ(atSide.exitCode, 1);

    const Transcript atCount = RunProgram("0\n3\n50\n");
    EXPECT_EQ(atCount.out, kDialogueQuiet);
    EXPECT_EQ(atCount.err, kUnexpectedEnd);
    EXPECT_EQ(atCount.exitCode, 1);

    const Transcript nothing = RunProgram("");
    EXPECT_EQ(nothing.err, kUnexpectedEnd);
    EXPECT_EQ(nothing.exitCode, 1);

    const Transcript atContinue = RunProgram("1\n3\n0\n3\n1\n1\n");
    EXPECT_EQ(atContinue.out, kDialogueShow + kInstructions + Header(1, 3) + kEmpty3 + kNo + kContinue + Header(2, 3) +
                                  kEmpty3 + kNo + kContinue);
    EXPECT_EQ(atContinue.err, kUnexpectedEnd);
    EXPECT_EQ(atContinue.exitCode, 1);

    const Transcript controlZ = RunProgram("0\n\x1a" "3\n0\n1\n1\n");
    EXPECT_EQ(controlZ.out, kIntro + kHintQuiet + kSidePrompt);
    EXPECT_EQ(controlZ.err, kUnexpectedEnd);
    EXPECT_EQ(controlZ.exitCode, 1);
}

TEST(Transcript, EndOfInputAtTheLastPromptEndsNormally) {
    const Transcript t = RunProgram("0\n3\n0\n1\n");
    EXPECT_EQ(t.out, kDialogueQuiet + Header(1, 1) + kNo + "Stev. perkolacij: 0 od 1 -->    0.00 % \r\n" + kEndPrompt);
    EXPECT_EQ(t.err, "");
    EXPECT_EQ(t.exitCode, 0);

    const Transcript controlZ = RunProgram("0\n3\n0\n1\x1a");
    EXPECT_EQ(controlZ.out, t.out);
    EXPECT_EQ(controlZ.exitCode, 0);
}

TEST(Transcript, ManyRepetitionsReportTheirShare) {
    const Transcript t = RunProgram("0\n3\n100\n800\n1\n");
    std::string expected = kDialogueQuiet;
    for (int i = 1; i <= 800; ++i) expected += Header(i, 800) + kYes;
    expected += "Stev. perkolacij: 800 od 800 -->  100.00 % \r\n" + kEndPrompt;
    EXPECT_EQ(t.out, expected);
}

TEST(Transcript, AFullOutputDeviceIsAWriteErrorWithExitCodeOne) {
    // The first full block of output cannot leave, and the run ends right there.
    const Transcript run = RunProgram("0\n3\n100\n1\n1\n", "/dev/full");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "vrtinela2D: Output write error\r\n");
}

}  // namespace
