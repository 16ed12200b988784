// scene_pixel_test.cpp
// krondel's scene drawn by the real engine under SDL's offscreen driver with the real data files,
// then read back from a snapshot: cells, panels, texts and cursor land where they belong, and the
// cluster view on P changes the board's cells and nothing else.
// Limits: colours are classified, not compared exactly (the textures are JPEG and filtered).
#include "app/board_layout.h"
#include "app/program_state.h"
#include "app/scene.h"
#include "board/board.h"
#include "tests/support/png_image.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>
#include <string>

namespace {

constexpr int kCellPitch = 55;
constexpr int kCellCovered = 51; // whole pixels of a 51.2-pixel cell
constexpr int kCursorWidth = 29;
constexpr int kCursorHeight = 31;
constexpr int kDarkText = 80;    // a pixel darker than this on a light panel is ink

struct Box {
    int left, top, right, bottom; // right and bottom excluded
    bool Overlaps(const Box& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

struct Average {
    double r = 0, g = 0, b = 0;
};

Average AverageOf(const PngImage& image, const Box& box) {
    Average sum;
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const RgbaPixel p = image.At(x, y);
            sum.r += p.r;
            sum.g += p.g;
            sum.b += p.b;
            ++count;
        }
    }
    sum.r /= count;
    sum.g /= count;
    sum.b /= count;
    return sum;
}

int DarkPixels(const PngImage& image, const Box& box) {
    int dark = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const RgbaPixel p = image.At(x, y);
            if (p.r < kDarkText && p.g < kDarkText && p.b < kDarkText) ++dark;
        }
    }
    return dark;
}

bool IsBlack(RgbaPixel p) { return p.r == 0 && p.g == 0 && p.b == 0; }

class ScenePixels : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = std::filesystem::temp_directory_path() / ("scene_pixels_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        engine = CreateEngine(kEngineVersion);
        ASSERT_NE(engine, nullptr);
        engine->SetStringState(kStateLogFile, (folder / "scene.log").c_str());
        engine->SetStringState(kStateWindowTitle, "Vrtinela");
        engine->SetIntState(kStateScreenWidth, 640);
        engine->SetIntState(kStateScreenHeight, 480);
        initiated = engine->Initiate();
        if (initiated) CreateSceneResources();
    }

    static void TearDownTestSuite() {
        if (engine != nullptr) {
            engine->Shutdown();
            engine->Release();
        }
        std::filesystem::remove_all(folder);
    }

    void SetUp() override { ASSERT_TRUE(initiated) << "the offscreen engine did not start"; }

    // A fixed board: metal wherever (x + 2y) mod 3 is 0.
    static void SetBoard(int side) {
        boardWidth = boardHeight = side;
        for (int i = 0; i < side * side; ++i) {
            const int x = i % side;
            const int y = i / side;
            boardCells[i] = BoardCell{static_cast<std::uint8_t>((x + 2 * y) % 3 == 0 ? 1 : 0), 0};
        }
    }

    static PngImage Render(const std::string& name) {
        const std::string path = (folder / name).string();
        engine->Snapshot(path.c_str()); // taken of the frame that is drawn next
        RenderHandler();
        PngImage image;
        EXPECT_TRUE(ReadPng(path, image)) << path;
        return image;
    }

    static Box CursorBox() {
        float x = 0, y = 0;
        engine->MousePosition(&x, &y);
        return Box{static_cast<int>(x), static_cast<int>(y), static_cast<int>(x) + kCursorWidth,
                   static_cast<int>(y) + kCursorHeight};
    }

    static inline std::filesystem::path folder;
    static inline bool initiated = false;
};

TEST_F(ScenePixels, CellsSitOnTheirPitchInMetalOrWoodAsTheBoardSays) {
    for (int side : {6, 8}) {
        SCOPED_TRACE("side " + std::to_string(side));
        SetBoard(side);
        const PngImage image = Render("board" + std::to_string(side) + ".png");
        ASSERT_EQ(image.width, 640);
        ASSERT_EQ(image.height, 480);
        const int origin = (8 - side) * 25 + 10;
        const Box cursor = CursorBox();
        for (int i = 0; i < side * side; ++i) {
            const int left = origin + (i % side) * kCellPitch;
            const int top = origin + (i / side) * kCellPitch;
            const Box cell{left - 1, top - 1, left + kCellPitch, top + kCellPitch};
            if (cell.Overlaps(cursor)) continue;
            // Inside from the first pixel, cleared black just outside, and in the gap after it.
            EXPECT_FALSE(IsBlack(image.At(left, top))) << "cell " << i << " at " << left << "x" << top;
            EXPECT_FALSE(IsBlack(image.At(left + kCellCovered - 1, top + kCellCovered - 1))) << "cell " << i;
            EXPECT_TRUE(IsBlack(image.At(left - 1, top - 1))) << "cell " << i;
            EXPECT_TRUE(IsBlack(image.At(left + kCellCovered + 1, top + 10))) << "cell " << i;
            const Average colour = AverageOf(image, Box{left + 8, top + 8, left + 43, top + 43});
            if (boardCells[i].metal != 0) {
                EXPECT_GE(colour.b, colour.r) << "metal is cool grey: cell " << i;
            } else {
                EXPECT_GT(colour.r, colour.b + 40) << "wood is warm brown: cell " << i;
            }
        }
    }
}

TEST_F(ScenePixels, PanelsAreLightAndCarryBlackTextInAllThreeAreas) {
    SetBoard(6);
    boardConducts = false;
    const PngImage image = Render("panels.png");
    const Average bottom = AverageOf(image, Box{300, 452, 460, 480});
    const Average side = AverageOf(image, Box{470, 120, 640, 340});
    EXPECT_GT(bottom.r + bottom.g + bottom.b, 3 * 170.0) << "bottom strip is a light panel";
    EXPECT_GT(side.r + side.g + side.b, 3 * 170.0) << "side panel is light";
    EXPECT_GT(DarkPixels(image, Box{480, 10, 640, 45}), 100) << "size and percentage";
    EXPECT_GT(DarkPixels(image, Box{480, 360, 640, 450}), 300) << "key help";
    EXPECT_GT(DarkPixels(image, Box{15, 457, 220, 475}), 100) << "verdict";
    EXPECT_EQ(DarkPixels(image, Box{300, 452, 460, 480}), 0) << "no ink beyond the verdict's end";
}

TEST_F(ScenePixels, CursorTipIsOnTheMousePosition) {
    SetBoard(2); // the board's top-left cell is at 160, so the cursor's corner of the window is clear
    const PngImage image = Render("cursor.png");
    const Box cursor = CursorBox();
    ASSERT_LE(cursor.right, 160);
    ASSERT_LE(cursor.bottom, 160);
    // The arrow's outline is black like the cleared window, so look for its white fill: it begins
    // two pixels right of and six below the tip.
    const RgbaPixel fill = image.At(cursor.left + 2, cursor.top + 6);
    EXPECT_GT(fill.r + fill.g + fill.b, 3 * 200) << "white fill below the tip";
    EXPECT_TRUE(IsBlack(image.At(cursor.left + kCursorWidth - 1, cursor.top))) << "transparent corner";
    EXPECT_GT(AverageOf(image, Box{cursor.left + 1, cursor.top + 3, cursor.left + 4, cursor.top + 10}).g, 150.0)
        << "white fill down the arrow's left edge";
    EXPECT_TRUE(IsBlack(image.At(cursor.left + kCursorWidth + 5, cursor.top + 5))) << "nothing beside it";
}

// ---- The cluster view ----------------------------------------------------------------------------

// Pixels at which two pictures differ, inside `box` or outside it.
int DifferingPixels(const PngImage& a, const PngImage& b, const Box& box, bool inside) {
    int differing = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const RgbaPixel p = a.At(x, y);
            const RgbaPixel q = b.At(x, y);
            const bool in = box.Overlaps(Box{x, y, x + 1, y + 1});
            if (in == inside && (p.r != q.r || p.g != q.g || p.b != q.b)) ++differing;
        }
    }
    return differing;
}

Box CellBox(int x, int y, int inset) {
    return Box{CellOrigin(x) + inset, CellOrigin(y) + inset, CellOrigin(x) + kCellCovered - inset,
               CellOrigin(y) + kCellCovered - inset};
}

TEST_F(ScenePixels, PathViewMarksReachedCellsAndTheChainAndLeavesEverythingElseAsItWas) {
    const char* rows[] = {"......", "######", "......", "#..#..", "......", ".....#"};
    boardWidth = boardHeight = 6;
    for (int i = 0; i < 36; ++i) boardCells[i] = BoardCell{static_cast<std::uint8_t>(rows[i / 6][i % 6] == '#'), 0};
    RetestBoard();
    conductingPathShown = false;
    const PngImage before = Render("view-off.png");
    conductingPathShown = true;
    const PngImage marked = Render("view-on.png");
    conductingPathShown = false;
    const PngImage after = Render("view-off-again.png");

    const Box board{CellOrigin(0), CellOrigin(0), CellOrigin(5) + kCellCovered + 1, CellOrigin(5) + kCellCovered + 1};
    EXPECT_EQ(DifferingPixels(before, after, board, true) + DifferingPixels(before, after, board, false), 0)
        << "hiding the view again gives back the very same picture";
    EXPECT_EQ(DifferingPixels(before, marked, board, false), 0) << "nothing outside the board changes";
    EXPECT_EQ(DifferingPixels(before, marked, CellBox(3, 3, 0), true), 0) << "unreached metal is left alone";

    // Reached (5, 5), off the chain, and unreached (3, 3) are the same metal unmarked; marked, the
    // reached one has a blue cast and a dark frame.
    const Average reached = AverageOf(marked, CellBox(5, 5, 8));
    const Average unreached = AverageOf(marked, CellBox(3, 3, 8));
    const Average reachedBefore = AverageOf(before, CellBox(5, 5, 8));
    EXPECT_NEAR(reachedBefore.b - reachedBefore.r, unreached.b - unreached.r, 12.0);
    EXPECT_GT((reached.b - reached.r) - (unreached.b - unreached.r), 25.0) << "a blue cast on the reached cell";
    EXPECT_EQ(DarkPixels(marked, Box{CellOrigin(5), CellOrigin(5) + 10, CellOrigin(5) + 2, CellOrigin(5) + 40}), 60);
    EXPECT_EQ(DarkPixels(marked, Box{CellOrigin(3), CellOrigin(3) + 10, CellOrigin(3) + 2, CellOrigin(3) + 40}), 0);

    // The chain runs along row 1, red through every cell and across the gaps between them.
    for (const int x : {CellOrigin(0) + 25, CellOrigin(1) + kCellCovered + 1, CellOrigin(5) + 25}) {
        const RgbaPixel p = marked.At(x, CellOrigin(1) + 25);
        EXPECT_GT(p.r, p.g + 80) << "chain at x = " << x;
    }
}

} // namespace
