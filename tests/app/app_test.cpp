// app_test.cpp
// Unit tests of krondel's keyboard controls and start-up over the recording fake engine.
// Random draws are counted against a generator of the tests' own, which tells how many rebuilds ran.
#include "app/board_layout.h"
#include "app/frame_handler.h"
#include "app/krondel_main.h"
#include "app/lattice_view.h"
#include "app/program_state.h"
#include "app/scene.h"
#include "board/board.h"
#include "tests/app/scene_double.h"
#include "tests/support/recording_engine.h"
#include "tests/support/test_random.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr std::uint32_t kSeed = 4242;

// The three toggles close every frame that Escape did not end, polled or not.
const std::vector<int> kPolledKeyOrder = {kKeyEscape, kKeyS, kKeyR, kKeyPadPlus, kKeyMainPlus, kKeyMainMinus,
                                          kKeyPadMinus, kKeyV, kKeyM, kKeyP, kKeyMouseLeft, kKeyL};
const std::vector<int> kDelayedFrameKeys = {kKeyEscape, kKeyP, kKeyMouseLeft, kKeyL};

std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

// The delay left after a polled frame: the acting key's delay plus the step, summed in double
// precision and stored back as a float.
float DelayAfterPolling(float keyDelay) {
    return static_cast<float>(static_cast<double>(keyDelay) + static_cast<double>(0.01f));
}

// Random values the program drew since SeedRandom(seed): finds where its next values fall in the
// sequence of that seed. Consumes program values, so call it once, at the end of a check.
int DrawsSince(std::uint32_t seed) {
    int upcoming[4];
    for (int& value : upcoming) value = RandomValue();
    TestRandom reference(seed);
    std::vector<int> sequence;
    for (int k = 0; k < 20000; ++k) sequence.push_back(reference.Next());
    for (int start = 0; start + 4 <= static_cast<int>(sequence.size()); ++start) {
        bool same = true;
        for (int k = 0; k < 4 && same; ++k) same = sequence[start + k] == upcoming[k];
        if (same) return start;
    }
    return -1;
}

// Draws of one rebuild on a board of side W: W passes over N cells.
int DrawsPerRebuild(int side) { return side * side * side; } // W passes of N draws

int MetalCells() {
    int count = 0;
    for (int i = 0; i < CellsInUse(); ++i) count += boardCells[i].metal;
    return count;
}

std::vector<std::uint8_t> CellBytes() {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 64; ++i) {
        bytes.push_back(boardCells[i].metal);
        bytes.push_back(boardCells[i].reached);
    }
    return bytes;
}

class Keyboard : public ::testing::Test {
protected:
    RecordingEngine& fake = RecordingEngine::Instance();

    void SetUp() override {
        fake.Reset();
        ResetSceneDouble();
        engine = CreateEngine(kEngineVersion);
        KeyRepeatDelay = 0.0f;
        conductingPathShown = pathKeyWasDown = leftButtonWasDown = false;
        latticeShown = latticeKeyWasDown = spanningOnlyShown = false;
        ClearBoard();
        boardWidth = boardHeight = 6;
        metalPercent = 50;
        SeedRandom(1);
        RegenerateBoard(true);
        SeedRandom(kSeed);
        fake.calls.clear();
    }

    // One frame with exactly these keys held.
    bool Frame(std::set<int> keys) {
        fake.heldKeys = std::move(keys);
        fake.keyQueries.clear();
        return FrameHandler();
    }

    // Whether the last frame read the repeating keys, not only Escape and the toggles.
    bool KeysWereRead() const { return fake.keyQueries.size() > kDelayedFrameKeys.size(); }
};

// ---- The engine's operation table --------------------------------------------------------------

// Under the Itanium C++ ABI (GCC, Clang) a pointer to a virtual member function holds the byte
// offset of its slot in the table plus one.
template <typename Member>
std::ptrdiff_t TableSlot(Member member) {
    std::ptrdiff_t words[2];
    static_assert(sizeof(Member) == sizeof(words), "two-word member pointers");
    std::memcpy(words, &member, sizeof(words));
    return (words[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

TEST(EngineTable, EveryOperationSitsInItsFixedSlot) {
    EXPECT_EQ(TableSlot(&EngineInterface::Release), 0);
    EXPECT_EQ(TableSlot(&EngineInterface::Initiate), 1);
    EXPECT_EQ(TableSlot(&EngineInterface::Shutdown), 2);
    EXPECT_EQ(TableSlot(&EngineInterface::Start), 3);
    EXPECT_EQ(TableSlot(&EngineInterface::Log), 5);
    EXPECT_EQ(TableSlot(&EngineInterface::Snapshot), 7);
    EXPECT_EQ(TableSlot(&EngineInterface::SetBoolState), 8);
    EXPECT_EQ(TableSlot(&EngineInterface::SetFuncState), 9);
    EXPECT_EQ(TableSlot(&EngineInterface::SetIntState), 11);
    EXPECT_EQ(TableSlot(&EngineInterface::SetStringState), 12);
    EXPECT_EQ(TableSlot(&EngineInterface::LoadResource), 18);
    EXPECT_EQ(TableSlot(&EngineInterface::FreeResource), 19);
    EXPECT_EQ(TableSlot(&EngineInterface::FrameDelta), 36);
    EXPECT_EQ(TableSlot(&EngineInterface::MousePosition), 59);
    EXPECT_EQ(TableSlot(&EngineInterface::KeyState), 63);
    EXPECT_EQ(TableSlot(&EngineInterface::BeginScene), 68);
    EXPECT_EQ(TableSlot(&EngineInterface::EndScene), 69);
    EXPECT_EQ(TableSlot(&EngineInterface::Clear), 70);
    EXPECT_EQ(TableSlot(&EngineInterface::RenderQuad), 73);
    EXPECT_EQ(TableSlot(&EngineInterface::LoadTexture), 82);
    EXPECT_EQ(TableSlot(&EngineInterface::FreeTexture), 83);
    EXPECT_EQ(TableSlot(&EngineInterface::TextureWidth), 84);
    EXPECT_EQ(TableSlot(&EngineInterface::TextureHeight), 85);
    EXPECT_EQ(TableSlot(&EngineInterface::CreateTexture), 86);
    EXPECT_EQ(TableSlot(&EngineInterface::UpdateTexture), 87);
}

// ---- Key order and delays --------------------------------------------------------------------

TEST_F(Keyboard, IdleFrameReadsEveryKeyInOrderAndLeavesTheStep) {
    EXPECT_FALSE(Frame({}));
    EXPECT_EQ(fake.keyQueries, kPolledKeyOrder);
    EXPECT_EQ(Bits(KeyRepeatDelay), Bits(DelayAfterPolling(0.0f)));
    EXPECT_TRUE(fake.calls.empty()) << "an idle polled frame asks nothing but keys";
    EXPECT_EQ(DrawsSince(kSeed), 0);
}

struct SingleKeyCase {
    int key;
    float delay;
    int side;
    int percent;
    int metal;
    int snapshots;
    int draws;
};

TEST_F(Keyboard, EachKeyActsOnceWithItsOwnDelay) {
    const SingleKeyCase cases[] = {
        {kKeyS, 0.3f, 6, 50, 18, 1, 0},
        {kKeyR, 0.1f, 6, 50, 18, 0, DrawsPerRebuild(6)},
        {kKeyPadPlus, 0.3f, 7, 50, 24, 0, DrawsPerRebuild(7)},
        {kKeyMainPlus, 0.3f, 7, 50, 24, 0, DrawsPerRebuild(7)},
        {kKeyMainMinus, 0.3f, 5, 50, 12, 0, DrawsPerRebuild(5)},
        {kKeyPadMinus, 0.3f, 5, 50, 12, 0, DrawsPerRebuild(5)},
        {kKeyV, 0.04f, 6, 51, 18, 0, DrawsPerRebuild(6)},
        {kKeyM, 0.04f, 6, 49, 17, 0, DrawsPerRebuild(6)},
    };
    for (const SingleKeyCase& c : cases) {
        SetUp();
        EXPECT_FALSE(Frame({c.key}));
        EXPECT_EQ(Bits(KeyRepeatDelay), Bits(DelayAfterPolling(c.delay))) << "key " << c.key;
        EXPECT_EQ(boardWidth, c.side) << "key " << c.key;
        EXPECT_EQ(boardHeight, c.side) << "key " << c.key;
        EXPECT_EQ(metalPercent, c.percent) << "key " << c.key;
        EXPECT_EQ(MetalCells(), c.metal) << "key " << c.key;
        EXPECT_EQ(fake.snapshots, c.snapshots) << "key " << c.key;
        EXPECT_EQ(DrawsSince(kSeed), c.draws) << "key " << c.key;
    }
}

TEST_F(Keyboard, SnapshotHasTheEnginePickTheName) {
    Frame({kKeyS});
    EXPECT_EQ(fake.calls, std::vector<std::string>{"Snapshot (null)"});
}

TEST_F(Keyboard, SnapshotAndReshuffleInOneFrameLeaveTheReshuffleDelay) {
    Frame({kKeyS, kKeyR});
    EXPECT_EQ(fake.snapshots, 1);
    EXPECT_EQ(MetalCells(), 18);
    EXPECT_EQ(Bits(KeyRepeatDelay), Bits(DelayAfterPolling(0.1f)));
    EXPECT_EQ(DrawsSince(kSeed), DrawsPerRebuild(6));
}

TEST_F(Keyboard, RaiseAndLowerInOneFrameEndWhereTheyStartedAfterTwoRefills) {
    Frame({kKeyV, kKeyM});
    EXPECT_EQ(metalPercent, 50);
    EXPECT_EQ(MetalCells(), 18);
    EXPECT_EQ(Bits(KeyRepeatDelay), Bits(DelayAfterPolling(0.04f)));
    EXPECT_EQ(DrawsSince(kSeed), 2 * DrawsPerRebuild(6));
}

TEST_F(Keyboard, AllKeysInOneFrameActInTheirOrder) {
    // Growing before shrinking rebuilds a 7 x 7 and then a 6 x 6 board; the other order would
    // rebuild 5 x 5 and 6 x 6 and draw a different number of values.
    Frame({kKeyS, kKeyR, kKeyPadPlus, kKeyMainMinus, kKeyV, kKeyM});
    EXPECT_EQ(fake.keyQueries, kPolledKeyOrder);
    EXPECT_EQ(fake.snapshots, 1);
    EXPECT_EQ(boardWidth, 6);
    EXPECT_EQ(metalPercent, 50);
    EXPECT_EQ(Bits(KeyRepeatDelay), Bits(DelayAfterPolling(0.04f)));
    EXPECT_EQ(DrawsSince(kSeed), DrawsPerRebuild(6) + DrawsPerRebuild(7) + 3 * DrawsPerRebuild(6));
}

TEST_F(Keyboard, DelaysAreTheKeyDelayPlusTheStepBitForBit) {
    // Written out rather than recomputed: each is the exact sum of the two floats, rounded once.
    const struct {
        int key;
        std::uint32_t bits;
    } cases[] = {
        {kKeyS, 0x3E9EB852u}, // 0.3f + 0.01f = 0.3100000116974... rounds to 0.31f
        {kKeyR, 0x3DE147AEu}, // 0.1f + 0.01f = 0.1100000012665... rounds to 0.11f
        // 0.04f + 0.01f = 0.0499999988824... lies halfway between two floats; the tie goes to
        // the even one, one unit in the last place below 0.05f (0x3D4CCCCD).
        {kKeyV, 0x3D4CCCCCu},
    };
    for (const auto& c : cases) {
        KeyRepeatDelay = 0.0f;
        Frame({c.key});
        EXPECT_EQ(Bits(KeyRepeatDelay), c.bits) << "key " << c.key;
    }
    KeyRepeatDelay = 0.0f;
    Frame({});
    EXPECT_EQ(Bits(KeyRepeatDelay), 0x3C23D70Au); // the step alone: 0.01f
}

// ---- Escape and the running delay -------------------------------------------------------------

TEST_F(Keyboard, EscapeEndsTheLoopBeforeAnyOtherKey) {
    const std::vector<std::uint8_t> before = CellBytes();
    EXPECT_TRUE(Frame({kKeyEscape, kKeyS, kKeyR, kKeyPadPlus, kKeyV}));
    EXPECT_EQ(fake.keyQueries, std::vector<int>{kKeyEscape});
    EXPECT_TRUE(fake.calls.empty());
    EXPECT_EQ(Bits(KeyRepeatDelay), Bits(0.0f));
    EXPECT_EQ(CellBytes(), before);
    EXPECT_EQ(boardWidth, 6);
}

TEST_F(Keyboard, EscapeEndsTheLoopWhileADelayRuns) {
    KeyRepeatDelay = 0.2f;
    EXPECT_TRUE(Frame({kKeyEscape}));
    EXPECT_EQ(fake.keyQueries, std::vector<int>{kKeyEscape});
    EXPECT_EQ(fake.CountCalls("FrameDelta"), 0);
    EXPECT_EQ(Bits(KeyRepeatDelay), Bits(0.2f));
}

TEST_F(Keyboard, OnlyEscapeAndTheTogglesAreReadWhileADelayRuns) {
    KeyRepeatDelay = 0.2f;
    fake.frameDelta = 0.02f;
    const std::vector<std::uint8_t> before = CellBytes();
    EXPECT_FALSE(Frame({kKeyS, kKeyR, kKeyPadPlus, kKeyMainPlus, kKeyMainMinus, kKeyPadMinus, kKeyV, kKeyM}));
    EXPECT_EQ(fake.keyQueries, kDelayedFrameKeys);
    EXPECT_EQ(fake.calls, std::vector<std::string>{"FrameDelta"});
    EXPECT_EQ(Bits(KeyRepeatDelay), Bits(0.2f - 0.02f));
    EXPECT_EQ(CellBytes(), before);
    EXPECT_EQ(metalPercent, 50);
    EXPECT_EQ(DrawsSince(kSeed), 0);
}

TEST_F(Keyboard, FrameTimeLongerThanTheDelayBringsItToZeroAndTheNextFrameReads) {
    KeyRepeatDelay = 0.01f;
    fake.frameDelta = 0.05f;
    Frame({kKeyR});
    EXPECT_EQ(Bits(KeyRepeatDelay), Bits(0.0f)) << "positive zero, not a negative rest";
    EXPECT_EQ(fake.keyQueries, kDelayedFrameKeys);
    Frame({kKeyR});
    EXPECT_EQ(fake.keyQueries, kPolledKeyOrder);
    EXPECT_EQ(DrawsSince(kSeed), DrawsPerRebuild(6));
}

TEST_F(Keyboard, IdleKeyboardIsReadEveryOtherFrameAtFiftyFramesPerSecond) {
    fake.frameDelta = 0.02f;
    std::vector<bool> read;
    for (int frame = 0; frame < 10; ++frame) {
        Frame({});
        read.push_back(KeysWereRead());
    }
    EXPECT_EQ(read, (std::vector<bool>{true, false, true, false, true, false, true, false, true, false}));
}

TEST_F(Keyboard, HeldReshuffleActsAgainAfterItsDelayInWholeFrames) {
    // 0.1 + 0.01 s at 0.02 s per frame: six frames use up the delay, the seventh reads and acts.
    fake.frameDelta = 0.02f;
    std::vector<int> acted;
    for (int frame = 0; frame < 20; ++frame) {
        Frame({kKeyR});
        if (KeysWereRead()) acted.push_back(frame);
    }
    EXPECT_EQ(acted, (std::vector<int>{0, 7, 14}));
    EXPECT_EQ(DrawsSince(kSeed), 3 * DrawsPerRebuild(6));
}

TEST_F(Keyboard, FrameTimeThatIsNotANumberOrNegativeDoesNotFreezeTheKeyboard) {
    KeyRepeatDelay = 0.05f;
    fake.frameDelta = std::numeric_limits<float>::quiet_NaN();
    Frame({kKeyR});
    EXPECT_EQ(Bits(KeyRepeatDelay), Bits(0.05f));
    fake.frameDelta = -std::numeric_limits<float>::infinity();
    Frame({kKeyR});
    EXPECT_EQ(Bits(KeyRepeatDelay), Bits(0.05f));
    fake.frameDelta = 0.02f;
    int frames = 0;
    while (KeyRepeatDelay != 0.0f && frames < 10) {
        Frame({});
        ++frames;
    }
    EXPECT_EQ(frames, 3);
    Frame({kKeyR});
    EXPECT_EQ(DrawsSince(kSeed), DrawsPerRebuild(6));
}

// ---- Size and percentage limits -------------------------------------------------------------------

TEST_F(Keyboard, GrowthStopsAtEightButStillReshufflesWithTheResizeDelay) {
    const int sides[] = {7, 8, 8, 8};
    const int metal[] = {24, 32, 32, 32};
    int draws = 0;
    for (int k = 0; k < 4; ++k) {
        // At 8 the board is only reshuffled: a changed percentage must not be applied.
        if (k == 2) metalPercent = 10;
        KeyRepeatDelay = 0.0f;
        Frame({kKeyPadPlus});
        draws += DrawsPerRebuild(sides[k]);
        EXPECT_EQ(boardWidth, sides[k]) << "press " << k;
        EXPECT_EQ(boardHeight, sides[k]) << "press " << k;
        EXPECT_EQ(MetalCells(), metal[k]) << "press " << k;
        EXPECT_EQ(Bits(KeyRepeatDelay), Bits(DelayAfterPolling(0.3f))) << "press " << k;
    }
    EXPECT_EQ(DrawsSince(kSeed), draws);
}

TEST_F(Keyboard, ShrinkingStopsAtTwoButStillReshufflesWithTheResizeDelay) {
    const int sides[] = {5, 4, 3, 2, 2, 2};
    const int metal[] = {12, 8, 4, 2, 2, 2};
    int draws = 0;
    for (int k = 0; k < 6; ++k) {
        if (k == 4) metalPercent = 100;
        KeyRepeatDelay = 0.0f;
        Frame({k % 2 == 0 ? kKeyMainMinus : kKeyPadMinus});
        draws += DrawsPerRebuild(sides[k]);
        EXPECT_EQ(boardWidth, sides[k]) << "press " << k;
        EXPECT_EQ(boardHeight, sides[k]) << "press " << k;
        EXPECT_EQ(MetalCells(), metal[k]) << "press " << k;
        EXPECT_EQ(Bits(KeyRepeatDelay), Bits(DelayAfterPolling(0.3f))) << "press " << k;
    }
    EXPECT_EQ(DrawsSince(kSeed), draws);
}

TEST_F(Keyboard, MainPlusActsExactlyLikeKeypadPlus) {
    struct Outcome {
        std::vector<std::uint8_t> cells;
        int side;
        bool conducts;
        std::uint32_t delay;
    };
    auto run = [&](int plusKey) {
        SetUp();
        std::vector<Outcome> outcomes;
        for (int press = 0; press < 5; ++press) {
            KeyRepeatDelay = 0.0f;
            Frame({plusKey, kKeyV});
            outcomes.push_back({CellBytes(), boardWidth, boardConducts, Bits(KeyRepeatDelay)});
        }
        return outcomes;
    };
    const std::vector<Outcome> keypad = run(kKeyPadPlus);
    const std::vector<Outcome> main = run(kKeyMainPlus);
    ASSERT_EQ(keypad.size(), main.size());
    for (std::size_t k = 0; k < keypad.size(); ++k) {
        EXPECT_EQ(main[k].cells, keypad[k].cells) << "press " << k;
        EXPECT_EQ(main[k].side, keypad[k].side) << "press " << k;
        EXPECT_EQ(main[k].conducts, keypad[k].conducts) << "press " << k;
        EXPECT_EQ(main[k].delay, keypad[k].delay) << "press " << k;
    }
    EXPECT_EQ(main.back().side, 8);
}

TEST_F(Keyboard, BothKeysOfAPairActOnceAndNoTapIsLeftForLaterFrames) {
    struct PairCase {
        int held;
        int tapped;
        int sideAfter;
    };
    const PairCase cases[] = {
        {kKeyPadPlus, kKeyMainPlus, 7},
        {kKeyMainPlus, kKeyPadPlus, 7},
        {kKeyMainMinus, kKeyPadMinus, 5},
        {kKeyPadMinus, kKeyMainMinus, 5},
    };
    for (const PairCase& pair : cases) {
        SetUp();
        // One key held while the other is tapped in the same frame: one press, one resize.
        fake.tappedKeys = {pair.tapped};
        Frame({pair.held});
        EXPECT_EQ(boardWidth, pair.sideAfter) << "held " << pair.held << ", tapped " << pair.tapped;
        EXPECT_EQ(fake.keyQueries, kPolledKeyOrder) << "every key is asked in a polled frame";
        // Nothing held any more: after the delay the board must not change size again.
        for (int frame = 0; frame < 40; ++frame) Frame({});
        EXPECT_EQ(boardWidth, pair.sideAfter) << "a tap left over from the first frame acted later";
    }
}

TEST_F(Keyboard, PercentStaysInRangeButTheBoardIsStillRefilled) {
    metalPercent = 100;
    ClearBoard(); // all wood: only a refill brings the metal back
    Frame({kKeyV});
    EXPECT_EQ(metalPercent, 100);
    EXPECT_EQ(MetalCells(), 36);
    EXPECT_TRUE(boardConducts);

    metalPercent = 0;
    for (int i = 0; i < 36; ++i) boardCells[i].metal = 1;
    KeyRepeatDelay = 0.0f;
    Frame({kKeyM});
    EXPECT_EQ(metalPercent, 0);
    EXPECT_EQ(MetalCells(), 0);
    EXPECT_FALSE(boardConducts);
}

// ---- P and the mouse ------------------------------------------------------------------------------

using Toggles = Keyboard;

TEST_F(Toggles, PathKeyTurnsTheViewOnAndOffOncePerPressEvenWhileADelayRuns) {
    // Frames 0, 2, 4 and 6 read the other keys, the rest do not.
    const std::vector<std::set<int>> frames = {{}, {kKeyP}, {kKeyP}, {kKeyP}, {}, {}, {kKeyR, kKeyP}, {kKeyP}, {}, {kKeyP}};
    std::vector<bool> shown;
    for (const std::set<int>& keys : frames) {
        Frame(keys);
        shown.push_back(conductingPathShown);
    }
    EXPECT_EQ(shown, (std::vector<bool>{false, true, true, true, true, true, false, false, false, true}));
    EXPECT_GT(KeyRepeatDelay, 0.0f) << "the last press came while R's delay ran";
    EXPECT_EQ(DrawsSince(kSeed), DrawsPerRebuild(6)) << "P itself never rebuilds the board";
}

TEST_F(Toggles, ClickFlipsTheCellUnderTheMouseOncePerPressAndNothingWhereNoCellIsDrawn) {
    const float origin = static_cast<float>(CellOrigin(0));
    const float misses[][2] = {{origin - 0.5f, origin + 9}, {origin + 51.5f, origin + 9}, {origin + 9, origin + 53},
                               {static_cast<float>(CellOrigin(6)), origin}, {500, 100}, {-1e30f, 1e30f},
                               {std::numeric_limits<float>::quiet_NaN(), origin}};
    const std::vector<std::uint8_t> before = CellBytes();
    for (const auto& [x, y] : misses) {
        fake.mouseX = x;
        fake.mouseY = y;
        Frame({kKeyMouseLeft});
        Frame({});
        EXPECT_EQ(CellBytes(), before) << "click at " << x << ", " << y;
    }
    // Cell (3, 2), clicked near its far corner and held for two frames: one flip, not two.
    fake.mouseX = static_cast<float>(CellOrigin(3)) + 51.0f;
    fake.mouseY = static_cast<float>(CellOrigin(2)) + 51.0f;
    for (int frame = 0; frame < 2; ++frame) Frame({kKeyMouseLeft});
    std::vector<std::uint8_t> after = CellBytes();
    EXPECT_NE(after[2 * (3 + 2 * 6)], before[2 * (3 + 2 * 6)]);
    after[2 * (3 + 2 * 6)] = before[2 * (3 + 2 * 6)];
    for (std::size_t i = 0; i < after.size(); i += 2) EXPECT_EQ(after[i], before[i]) << "metal of cell " << i / 2;
    EXPECT_EQ(DrawsSince(kSeed), 0) << "a click never reshuffles";
}

// ---- The lattice view ------------------------------------------------------------------------------

// Each step is a fresh press and release: one step of the share a press, so that taps are exact.
TEST_F(Keyboard, InTheLatticeViewKeysAndClicksChangeTheLatticeAloneAndLBringsBackTheBoardAsItWas) {
    const std::vector<std::uint8_t> board = CellBytes();
    const auto press = [&](int key) {
        for (const std::set<int>& keys : {std::set<int>{key}, std::set<int>{}}) {
            KeyRepeatDelay = 0.0f;
            Frame(keys);
        }
    };
    press(kKeyL);
    const int steps[][3] = {{kKeyPadPlus, 200, 500}, {kKeyMainPlus, 400, 500}, {kKeyPadPlus, 400, 500}, {kKeyV, 400, 501},
                            {kKeyMainMinus, 200, 501}, {kKeyM, 200, 500}, {kKeyPadMinus, 100, 500}, {kKeyPadMinus, 50, 500},
                            {kKeyPadMinus, 25, 500}, {kKeyPadMinus, 13, 500}, {kKeyPadMinus, 13, 500}, {kKeyR, 13, 500}};
    for (const auto& [key, side, share] : steps) { // side and share after the key
        const std::uint32_t label = lattice.Label(1);
        const bool newSide = lattice.Side() != side;
        press(key);
        EXPECT_EQ(std::pair(lattice.Side(), lattice.Share()), std::pair(side, share)) << "key " << key;
        EXPECT_EQ(lattice.Label(1) != label, key == kKeyR || newSide) << "new labels, key " << key;
    }
    // Clicks on each side of the 13 x 13 lattice's edges (33 pixels a cell from 13).
    for (const auto& [x, y, cell] : {std::tuple{13.0f, 13.0f, 0}, {12.99f, 20.0f, -1}, {441.99f, 13.0f, 12},
                                     {442.0f, 13.0f, -1}, {46.0f, 441.99f, 157}, {46.0f, 442.0f, -1}}) {
        fake.mouseX = x;
        fake.mouseY = y;
        press(kKeyMouseLeft);
        EXPECT_EQ(selectedLatticeCell, cell) << x << ", " << y;
    }
    // Held, V and M go further the longer (V held for 3 s in the end-to-end test reaches 80 %).
    EXPECT_EQ(std::vector<int>({ShareStepsFor(-1), ShareStepsFor(0), ShareStepsFor(2), ShareStepsFor(100), ShareStepsFor(102)}),
              std::vector<int>({1, 1, 2, 51, 51}));
    lattice.SetShare(1000);
    for (int frame = 0; frame < 20; ++frame) Frame({kKeyV});
    press(kKeyM);
    EXPECT_EQ(lattice.Share(), 999) << "the other key starts slow again";
    press(kKeyP);
    press(kKeyL);
    EXPECT_EQ(std::vector<bool>({latticeShown, spanningOnlyShown, conductingPathShown}), std::vector<bool>({false, true, false}));
    EXPECT_EQ(CellBytes(), board);
    EXPECT_EQ(DrawsSince(kSeed), 0) << "nothing in the lattice view draws from the board's generator";
}

// ---- Start-up and shutdown ------------------------------------------------------------------------

class Startup : public ::testing::Test {
protected:
    RecordingEngine& fake = RecordingEngine::Instance();

    void SetUp() override {
        fake.Reset();
        ResetSceneDouble();
        engine = nullptr;
        KeyRepeatDelay = 0.0f;
        ClearBoard();
        boardWidth = boardHeight = 3;
        metalPercent = 90;
        boardConducts = false;
    }

    static int Run(std::vector<std::string> arguments = {}) {
        arguments.insert(arguments.begin(), "krondel");
        std::vector<char*> argv;
        for (std::string& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        return KrondelMain(static_cast<int>(arguments.size()), argv.data());
    }
};

const std::vector<std::string> kConfiguration = {
    "SetStringState 16 vrtinela.log",
    "SetFuncState 1",
    "SetFuncState 2",
    "SetStringState 7 Vrtinela",
    "SetBoolState 11 true",
    "SetIntState 23 50",
    "SetIntState 8 640",
    "SetIntState 9 480",
    "SetIntState 10 32",
    "SetBoolState 18 false",
};

TEST_F(Startup, ConfiguresRunsAndShutsDownInOrderWhenEscapeEndsTheFirstFrame) {
    fake.keyScript = {{kKeyEscape}};
    EXPECT_EQ(Run(), 0);
    std::vector<std::string> expected = kConfiguration;
    for (const char* call : {"Initiate", "CreateSceneResources", "Start", "Shutdown", "Release"}) expected.push_back(call);
    EXPECT_EQ(fake.calls, expected);
    EXPECT_EQ(fake.createVersions, std::vector<int>{0x160});
    EXPECT_EQ(fake.holders, 0);
    EXPECT_EQ(fake.framesRun, 1);
    EXPECT_EQ(renderHandlerCalls, 0);
    EXPECT_EQ(fake.handlers[kStateFrameHandler], &FrameHandler);
    EXPECT_EQ(fake.handlers[kStateRenderHandler], &RenderHandler);
    EXPECT_EQ(engine, &fake);
}

TEST_F(Startup, FailedInitiateSkipsToShutdownAndExitsWithOne) {
    fake.initiateResult = false;
    EXPECT_EQ(Run(), 1) << "a window that could not be opened is a failure, not a success";
    std::vector<std::string> expected = kConfiguration;
    for (const char* call : {"Initiate", "Shutdown", "Release"}) expected.push_back(call);
    EXPECT_EQ(fake.calls, expected);
    EXPECT_EQ(sceneResourcesCreated, 0);
    EXPECT_EQ(fake.framesRun, 0);
    EXPECT_EQ(fake.holders, 0);
    EXPECT_TRUE(fake.logLines.empty()) << "the program adds no message of its own";
    EXPECT_EQ(boardWidth, 3) << "no board is built";
    EXPECT_EQ(metalPercent, 90);
}

TEST_F(Startup, FirstBoardIsSixBySixAtHalfWithEighteenMetalCells) {
    fake.keyScript = {{kKeyEscape}};
    // Stale flags and cells beyond the board must not survive into the first board.
    for (int i = 0; i < 100; ++i) boardCells[i] = BoardCell{1, 1};
    Run();
    EXPECT_EQ(boardWidth, 6);
    EXPECT_EQ(boardHeight, 6);
    EXPECT_EQ(metalPercent, 50);
    EXPECT_EQ(MetalCells(), 18);
    for (int i = 36; i < 100; ++i) ASSERT_EQ(boardCells[i].metal, 0) << "cell " << i;
    // The verdict is that of the board's own flood.
    std::vector<std::uint8_t> reached;
    for (int i = 0; i < 36; ++i) reached.push_back(boardCells[i].reached);
    const bool conducts = boardConducts;
    ClearReached();
    FloodFromRight();
    EXPECT_EQ(LeftColumnReached(), conducts);
    for (int i = 0; i < 36; ++i) EXPECT_EQ(boardCells[i].reached, reached[i]) << "cell " << i;
}

TEST_F(Startup, FirstBoardIsSeededWithTheCalendarTime) {
    fake.keyScript = {{kKeyEscape}};
    const std::time_t before = std::time(nullptr);
    Run();
    const std::time_t after = std::time(nullptr);
    const std::vector<std::uint8_t> built = CellBytes();
    bool matched = false;
    for (std::time_t t = before; t <= after && !matched; ++t) {
        SeedRandom(static_cast<std::uint32_t>(t));
        ClearBoard();
        FillMetal(50);
        ShuffleBoard();
        FloodFromRight();
        matched = CellBytes() == built;
    }
    EXPECT_TRUE(matched);
}

TEST_F(Startup, KeyDelayStartsAtZeroSoTheFirstFrameReadsTheKeyboard) {
    KeyRepeatDelay = 0.5f;
    fake.keyScript = {{}, {kKeyEscape}};
    EXPECT_EQ(Run(), 0);
    ASSERT_GE(fake.keyQueries.size(), kPolledKeyOrder.size());
    EXPECT_EQ(std::vector<int>(fake.keyQueries.begin(), fake.keyQueries.begin() + kPolledKeyOrder.size()), kPolledKeyOrder);
    EXPECT_EQ(fake.framesRun, 2);
    EXPECT_EQ(renderHandlerCalls, 1);
    EXPECT_EQ(fake.CountCalls("Shutdown"), 1);
    EXPECT_EQ(fake.CountCalls("Release"), 1);
}

TEST_F(Startup, KeysWorkInTheRunningLoop) {
    // Frame 0 grows the board, frames 1 to 16 use up 0.31 s at 0.02 s, frame 17 grows it again.
    fake.frameDelta = 0.02f;
    fake.keyScript.assign(18, {kKeyMainPlus});
    fake.keyScript.push_back({kKeyEscape});
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(boardWidth, 8);
    EXPECT_EQ(MetalCells(), 32);
    EXPECT_EQ(renderHandlerCalls, 18);
}

TEST_F(Startup, AnsweringTheCommandLineTakesNoEngine) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_EQ(Run({"--version"}), 0);
    EXPECT_EQ(Run({"--fullscreen"}), 2);
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(fake.createVersions.empty()) << "no engine, so no window, for an answer";
    EXPECT_EQ(fake.framesRun, 0);
    EXPECT_NE(out.find("Escape"), std::string::npos) << out;
    for (const char* control : {"\n  P ", "\n  left click ", "\n  F11 "}) {
        EXPECT_NE(out.find(control), std::string::npos) << "--help names" << control;
    }
    EXPECT_EQ(errors.rfind("krondel: unknown argument '--fullscreen'\nUsage: krondel", 0), 0u) << errors;
}

TEST_F(Startup, MissingEngineIsReportedAndEndsWithOne) {
    engine = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunKrondel(), 1);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("krondel"), std::string::npos);
    EXPECT_TRUE(fake.calls.empty());
    EXPECT_EQ(sceneResourcesCreated, 0);
}

} // namespace
