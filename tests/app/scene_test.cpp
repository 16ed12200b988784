// scene_test.cpp
// What krondel's scene hands to the engine, frame by frame, checked on the recording fake engine,
// also as the controls change it (P, clicks and the keys that rebuild the board).
// The fake font has one 1-pixel glyph per printable byte at x = code in a 256-pixel bitmap, so the
// texts can be read back from the glyph quads' texture coordinates.
#include "app/board_layout.h"
#include "app/frame_handler.h"
#include "app/lattice_layout.h"
#include "app/lattice_picture.h"
#include "app/lattice_scene.h"
#include "app/lattice_view.h"
#include "app/program_state.h"
#include "app/scene.h"
#include "board/board.h"
#include "tests/support/recording_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr float kCellSize = 51.2f; // 512 pixels at scale 0.1

std::string FakeFontFile() {
    std::string text = "[BITMAPFONT]\nBitmap=font1.png\n";
    char line[64];
    for (int code = 32; code < 127; ++code) {
        std::snprintf(line, sizeof line, "Char=%x,%d,0,1,20,0,0\n", code, code);
        text += line;
    }
    return text;
}

// A line of text as drawn: its glyph codes and the pen's y.
struct DrawnLine {
    std::string text;
    float y;
};

// Turns consecutive glyph quads back into lines (a new line wherever the pen's y changes).
std::vector<DrawnLine> ReadLines(const std::vector<Quad>& quads) {
    std::vector<DrawnLine> lines;
    for (const Quad& quad : quads) {
        const char code = static_cast<char>(std::lround(quad.corners[0].tx * 256.0f));
        if (lines.empty() || lines.back().y != quad.corners[0].y) lines.push_back({"", quad.corners[0].y});
        lines.back().text += code;
    }
    return lines;
}

class Scene : public ::testing::Test {
protected:
    // The scene's resources are made once per process, as in the program.
    static void SetUpTestSuite() {
        RecordingEngine& fake = RecordingEngine::Instance();
        fake.Reset();
        fake.files["font1.fnt"] = FakeFontFile();
        fake.textureFiles["font1.png"] = {256, 256};
        fake.textureFiles["Arrow.png"] = {29, 31};
        fake.textureFiles["284.jpg"] = {512, 512};
        fake.textureFiles["brushed-metal.jpg"] = {512, 512};
        fake.textureFiles["background1.png"] = {640, 240};
        engine = CreateEngine(kEngineVersion);
        CreateSceneResources();
        creationCalls = fake.calls;
    }

    void SetUp() override {
        fake.calls.clear();
        fake.quads.clear();
        fake.mouseX = 300.0f;
        fake.mouseY = 200.0f;
        boardWidth = boardHeight = 6;
        metalPercent = 50;
        boardConducts = false;
        for (int i = 0; i < kBoardCapacity; ++i) boardCells[i] = BoardCell{0, 0};
        conductingPathShown = pathKeyWasDown = leftButtonWasDown = false;
        KeyRepeatDelay = 0.0f;
    }

    // One frame of controls with these keys held, then one drawn frame; its quads replace the last.
    void ControlsThenDraw(std::set<int> keys) {
        fake.heldKeys = std::move(keys);
        KeyRepeatDelay = 0.0f; // every step of a test is a fresh press
        EXPECT_FALSE(FrameHandler());
        fake.quads.clear();
        DrawFrame();
    }

    // The quads drawn between the cells and the bottom panel: the cluster view's marks.
    std::vector<Quad> MarkQuads() const {
        const std::uint32_t panel = fake.TextureNamed("background1.png");
        std::vector<Quad> marks;
        for (std::size_t i = static_cast<std::size_t>(boardWidth * boardHeight); i < fake.quads.size(); ++i) {
            if (fake.quads[i].texture == panel) break;
            marks.push_back(fake.quads[i]);
        }
        return marks;
    }

    // Draws one frame and splits its quads: cells, bottom panel, side panel, glyphs, cursor.
    void DrawFrame() {
        EXPECT_FALSE(RenderHandler());
        const int cells = boardWidth * boardHeight;
        const int marks = static_cast<int>(MarkQuads().size());
        ASSERT_GE(static_cast<int>(fake.quads.size()), cells + marks + 3);
        cellQuads.assign(fake.quads.begin(), fake.quads.begin() + cells);
        bottomPanel = fake.quads[cells + marks];
        sidePanel = fake.quads[cells + marks + 1];
        glyphQuads.assign(fake.quads.begin() + cells + marks + 2, fake.quads.end() - 1);
        cursor = fake.quads.back();
    }

    RecordingEngine& fake = RecordingEngine::Instance();
    static inline std::vector<std::string> creationCalls;
    std::vector<Quad> cellQuads;
    std::vector<Quad> glyphQuads;
    Quad bottomPanel{};
    Quad sidePanel{};
    Quad cursor{};
};

// Each sprite asks the size of the texture loaded just before it: the font's 95 glyphs that of the
// font bitmap, then one sprite per texture, and both panels that of the one panel texture.
TEST_F(Scene, ResourcesLoadFontThenEachTextureRightBeforeItsSpritesAndThePanelTextureOnce) {
    const auto sizeQueries = [](const std::string& name, int sprites) {
        const std::string handle = std::to_string(RecordingEngine::Instance().TextureNamed(name));
        std::vector<std::string> calls = {"LoadTexture " + name + " 0 false"};
        for (int i = 0; i < sprites; ++i) {
            calls.push_back("TextureWidth " + handle + " false");
            calls.push_back("TextureHeight " + handle + " false");
        }
        return calls;
    };
    std::vector<std::string> expected = {"LoadResource font1.fnt", "FreeResource"};
    for (const auto& [name, sprites] : std::vector<std::pair<std::string, int>>{
             {"font1.png", 126 - 32 + 1}, {"Arrow.png", 1}, {"284.jpg", 1}, {"brushed-metal.jpg", 1}, {"background1.png", 2}}) {
        ASSERT_NE(fake.TextureNamed(name), 0u) << name;
        const std::vector<std::string> calls = sizeQueries(name, sprites);
        expected.insert(expected.end(), calls.begin(), calls.end());
    }
    EXPECT_EQ(creationCalls, expected);
}

TEST_F(Scene, FrameIsBeginClearQuadsThenEnd) {
    DrawFrame();
    ASSERT_GE(fake.calls.size(), 4u);
    EXPECT_EQ(fake.calls[0], "BeginScene 0");
    EXPECT_EQ(fake.calls[1], "Clear 0");
    EXPECT_EQ(fake.calls[fake.calls.size() - 2], "RenderQuad") << "the cursor is the last thing drawn";
    EXPECT_EQ(fake.calls.back(), "EndScene");
    EXPECT_EQ(fake.CountCalls("MousePosition"), 1);
}

TEST_F(Scene, CellsSitOnA55PixelPitchCentredByBoardSizeWithTheirOwnTexture) {
    const std::uint32_t metal = fake.TextureNamed("brushed-metal.jpg");
    const std::uint32_t wood = fake.TextureNamed("284.jpg");
    ASSERT_NE(metal, 0u);
    ASSERT_NE(wood, 0u);
    for (int side : {2, 6, 8}) {
        SCOPED_TRACE("side " + std::to_string(side));
        boardWidth = boardHeight = side;
        for (int i = 0; i < side * side; ++i) boardCells[i].metal = (i % 3 == 0) ? 1 : 0;
        fake.quads.clear();
        DrawFrame();
        const float origin = static_cast<float>((8 - side) * 25 + 10);
        for (int i = 0; i < side * side; ++i) {
            const Quad& quad = cellQuads[i];
            const float x = origin + static_cast<float>((i % side) * 55);
            const float y = origin + static_cast<float>((i / side) * 55);
            EXPECT_EQ(quad.corners[0].x, x) << "cell " << i;
            EXPECT_EQ(quad.corners[0].y, y) << "cell " << i;
            EXPECT_FLOAT_EQ(quad.corners[2].x - x, kCellSize) << "cell " << i;
            EXPECT_FLOAT_EQ(quad.corners[2].y - y, kCellSize) << "cell " << i;
            EXPECT_EQ(quad.texture, boardCells[i].metal != 0 ? metal : wood) << "cell " << i;
            EXPECT_EQ(quad.blend, kBlendAlpha);
        }
    }
}

TEST_F(Scene, PanelsCoverTheBottomStripAndTheRightSideFromOneTexture) {
    DrawFrame();
    const std::uint32_t panel = fake.TextureNamed("background1.png");
    ASSERT_NE(panel, 0u);
    EXPECT_EQ(bottomPanel.texture, panel);
    EXPECT_EQ(sidePanel.texture, panel);
    EXPECT_EQ(bottomPanel.corners[0].x, 0.0f);
    EXPECT_EQ(bottomPanel.corners[0].y, 450.0f);
    EXPECT_EQ(bottomPanel.corners[2].x, 640.0f);
    EXPECT_EQ(bottomPanel.corners[2].y, 650.0f);
    EXPECT_EQ(bottomPanel.corners[2].tx, 1.0f);
    EXPECT_FLOAT_EQ(bottomPanel.corners[2].ty, 100.0f / 240.0f);
    EXPECT_EQ(sidePanel.corners[0].x, 465.0f);
    EXPECT_EQ(sidePanel.corners[0].y, 0.0f);
    EXPECT_EQ(sidePanel.corners[2].x, 645.0f);
    EXPECT_EQ(sidePanel.corners[2].y, 480.0f);
    EXPECT_FLOAT_EQ(sidePanel.corners[2].tx, 180.0f / 640.0f);
    EXPECT_EQ(sidePanel.corners[2].ty, 1.0f);
}

TEST_F(Scene, TextsShowSizePercentHelpAndVerdictInBlackAtTwoThirdsScale) {
    boardWidth = boardHeight = 7;
    metalPercent = 63;
    FillMetal(metalPercent); // as many metal cells as the share gives, so no count line
    boardConducts = true;
    DrawFrame();
    const std::vector<DrawnLine> lines = ReadLines(glyphQuads);
    const std::vector<std::string> expected = {
        "Velikost kvadrata: 7", "Procent zeleza: 63", "Navodila za tipke:", "R - nakljucna postavitev",
        "+ - Vecje polje",      "- - Majnse polje",   "V - vec kovine",     "M - vec lesa",
        "Matrika trenutno prevaja!",
    };
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].text, expected[i]);
    // Line height: 20 pixels at 0.65 is 13 after rounding to the nearest integer.
    EXPECT_EQ(lines[0].y, 10.0f);
    EXPECT_EQ(lines[1].y, 23.0f);
    EXPECT_EQ(lines[2].y, 360.0f);
    EXPECT_EQ(lines[7].y, 360.0f + 5 * 13.0f);
    EXPECT_EQ(lines[8].y, 457.0f);
    EXPECT_EQ(glyphQuads.front().corners[0].x, 480.0f);
    EXPECT_NEAR(glyphQuads.back().corners[0].x, 15.0f + 24 * 0.65f, 1e-3) << "25 one-pixel glyphs from x = 15";
    for (const Quad& glyph : glyphQuads) {
        EXPECT_EQ(glyph.corners[0].color, 0xFF000000u);
        EXPECT_FLOAT_EQ(glyph.corners[2].y - glyph.corners[0].y, 20.0f * 0.65f);
    }
}

TEST_F(Scene, VerdictFollowsTheLatestTest) {
    boardConducts = false;
    DrawFrame();
    EXPECT_EQ(ReadLines(glyphQuads).back().text, "Matrika trenutno ne prevaja!");
    fake.quads.clear();
    boardConducts = true;
    DrawFrame();
    EXPECT_EQ(ReadLines(glyphQuads).back().text, "Matrika trenutno prevaja!");
}

TEST_F(Scene, CursorTipSitsOnTheMouseAtDepthZero) {
    DrawFrame();
    EXPECT_EQ(cursor.texture, fake.TextureNamed("Arrow.png"));
    EXPECT_EQ(cursor.corners[0].x, 300.0f);
    EXPECT_EQ(cursor.corners[0].y, 200.0f);
    EXPECT_EQ(cursor.corners[2].x, 329.0f);
    EXPECT_EQ(cursor.corners[2].y, 231.0f);
    for (const Vertex& corner : cursor.corners) EXPECT_EQ(corner.z, 0.0f);
}

// ---- The conducting cluster on P, clicks and the metal count ------------------------------------

// Cells that a mark covers edge to edge (whole: the reached cells' tint), or whose centre lies under
// a mark smaller than a cell (the chain's line and beads), as rows of 'o' and '.'.
std::string MarkedCells(const std::vector<Quad>& marks, bool whole) {
    std::string picture;
    for (int i = 0; i < boardWidth * boardHeight; ++i) {
        const float left = static_cast<float>(CellOrigin(i % boardWidth));
        const float top = static_cast<float>(CellOrigin(i / boardWidth));
        const float x = left + kCellSize / 2.0f;
        const float y = top + kCellSize / 2.0f;
        bool marked = false;
        for (const Quad& q : marks) {
            const float w = q.corners[2].x - q.corners[0].x;
            const float h = q.corners[2].y - q.corners[0].y;
            marked = marked || (whole ? q.corners[0].x == left && q.corners[0].y == top && w > kCellSize - 0.01f &&
                                            h > kCellSize - 0.01f
                                      : (w < kCellSize - 1.0f || h < kCellSize - 1.0f) && q.corners[0].x <= x &&
                                            x < q.corners[2].x && q.corners[0].y <= y && y < q.corners[2].y);
        }
        picture += marked ? 'o' : '.';
        if (i % boardWidth == boardWidth - 1) picture += '/';
    }
    return picture;
}

TEST_F(Scene, PathKeyShowsTheReachedCellsAndOneShortestChainAndASecondPressHidesThem) {
    const char* rows[] = {"#.....", "##.###", ".####.", "#.....", "###...", "..#..."};
    for (int i = 0; i < 36; ++i) boardCells[i].metal = rows[i / 6][i % 6] == '#' ? 1 : 0;
    RetestBoard();
    DrawFrame();
    EXPECT_TRUE(MarkQuads().empty()) << "the default scene has no marks";

    ControlsThenDraw({kKeyP});
    const std::vector<Quad> marks = MarkQuads();
    EXPECT_EQ(MarkedCells(marks, true), "o...../oo.ooo/.oooo./....../....../....../")
        << "the cells reached from the right; the metal at the bottom left is not";
    EXPECT_EQ(MarkedCells(marks, false), "....../oo.ooo/.ooo../....../....../....../") << "one shortest chain";
    for (const Quad& mark : marks) {
        EXPECT_EQ(mark.texture, 0u) << "marks are plain colour";
        EXPECT_GE(mark.corners[0].x, static_cast<float>(CellOrigin(0))) << "the chain ends on the board's edge";
        EXPECT_LE(mark.corners[2].x, static_cast<float>(CellOrigin(5)) + kCellSize) << "the chain ends on the board's edge";
    }
    ControlsThenDraw({kKeyR}); // the view stays on and follows the reshuffled board
    std::string reached;
    for (int i = 0; i < 36; ++i) reached += std::string(boardCells[i].reached ? "o" : ".") + (i % 6 == 5 ? "/" : "");
    EXPECT_EQ(MarkedCells(MarkQuads(), true), reached);
    ControlsThenDraw({});
    ControlsThenDraw({kKeyP});
    EXPECT_TRUE(MarkQuads().empty());
}

TEST_F(Scene, DrawnCellsAnswerTheMouseAtTheirOwnPixels) {
    for (int side : {2, 5, 8}) {
        boardWidth = boardHeight = side;
        fake.quads.clear();
        DrawFrame();
        for (int i = 0; i < side * side; ++i) {
            const Vertex& topLeft = cellQuads[i].corners[0];
            const Vertex& bottomRight = cellQuads[i].corners[2];
            EXPECT_EQ(CellUnder(topLeft.x, topLeft.y), i) << "W = " << side;
            EXPECT_EQ(CellUnder(bottomRight.x - 0.01f, bottomRight.y - 0.01f), i) << "W = " << side;
            EXPECT_EQ(CellUnder(bottomRight.x + 0.01f, topLeft.y), -1) << "the gap, W = " << side;
            EXPECT_EQ(CellUnder(topLeft.x, topLeft.y - 0.01f), -1) << "the gap or off the board, W = " << side;
        }
    }
}

TEST_F(Scene, CountLineAppearsAfterAClickStaysThroughReshufflesAndGoesWithARebuildFromTheShare) {
    SeedRandom(7);
    RegenerateBoard(true); // 6 x 6 at 50 %: 18 metal cells
    fake.mouseX = static_cast<float>(CellOrigin(2)) + 20.0f;
    fake.mouseY = static_cast<float>(CellOrigin(4)) + 20.0f;
    const std::string countLine = std::string("Kovina: ") + (boardCells[2 + 4 * 6].metal ? "17" : "19") + " od 36";
    ControlsThenDraw({kKeyMouseLeft});
    std::vector<DrawnLine> lines = ReadLines(glyphQuads);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[1].text, "Procent zeleza: 50");
    EXPECT_EQ(lines[2].text, countLine);
    EXPECT_EQ(lines[2].y, 36.0f) << "the line under the percentage, 13 pixels on";
    EXPECT_EQ(lines[3].text, "Navodila za tipke:");

    ControlsThenDraw({});
    ControlsThenDraw({kKeyR}); // the flipped number is reshuffled, not refilled
    EXPECT_EQ(ReadLines(glyphQuads)[2].text, countLine);
    // Each key that rebuilds from the share ends it; a click on a board at its share brings it back.
    for (const int key : {kKeyV, kKeyM, kKeyPadPlus, kKeyMainMinus}) {
        ControlsThenDraw({key});
        EXPECT_EQ(ReadLines(glyphQuads)[2].text, "Navodila za tipke:") << "key " << key;
        ControlsThenDraw({});
        ControlsThenDraw({kKeyMouseLeft});
        EXPECT_EQ(ReadLines(glyphQuads)[2].text.rfind("Kovina: ", 0), 0u) << "after key " << key;
    }
}

// ---- The lattice view ----------------------------------------------------------------------------

// One texture, handed over again only when the picture changes, on one quad at whole pixels a cell;
// with P wood, grey metal and the conducting cluster; the panel. The lattice is set directly here,
// so its picture is marked stale by hand.
TEST_F(Scene, LatticeViewIsOneTextureRepaintedOnlyWhenItChangesAndThePanelTellsTheNumbers) {
    latticeShown = true;
    lattice = Lattice(5);
    lattice.NewLabels(50);
    const int share = lattice.OwnThreshold(); // the first share that conducts
    lattice.SetShare(share);
    latticePictureStale = true;
    const float origin = static_cast<float>(LatticeOrigin(50));
    fake.mouseX = fake.mouseY = origin; // over cell 0
    std::vector<std::string> lines;
    const auto frame = [&](std::set<int> keys) { // the calls about textures
        fake.heldKeys = std::move(keys);
        KeyRepeatDelay = 0.0f;
        EXPECT_FALSE(FrameHandler());
        fake.calls.clear();
        fake.quads.clear();
        EXPECT_FALSE(RenderHandler());
        lines.clear(); // after four bars of a frame, the lattice and the panels
        for (const DrawnLine& line : ReadLines({fake.quads.begin() + 7, fake.quads.end() - 1})) lines.push_back(line.text);
        std::string calls;
        for (const std::string& call : fake.calls) calls += call.find("Texture ") != std::string::npos ? call + ";" : "";
        return calls;
    };
    EXPECT_NE(frame({}).find("CreateTexture 50 50;"), std::string::npos);
    const Quad quad = fake.quads[4];
    const std::string id = std::to_string(quad.texture);
    EXPECT_EQ(std::vector<float>({quad.corners[0].x, quad.corners[0].y, quad.corners[2].x, quad.corners[2].y}),
              std::vector<float>({origin, origin, origin + 400.0f, origin + 400.0f})) << "8 pixels a cell";
    EXPECT_EQ(frame({}), "");
    EXPECT_EQ(frame({kKeyP, kKeyMouseLeft}), "UpdateTexture " + id + ";");
    for (int i = 0; i < lattice.CellCount(); ++i) {
        const Lattice::Cluster cluster = lattice.ClusterAt(i);
        ASSERT_EQ(fake.madeTextures[quad.texture].pixels[i],
                  cluster.size == 0 ? kWoodColour : cluster.spans ? kSpanningColour : kOtherMetalColour) << i;
    }
    const auto percent = [](int permille) { return std::to_string(permille / 10) + "." + std::to_string(permille % 10) + " %"; };
    const int clicked = lattice.ClusterAt(0).size;
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 6),
              (std::vector<std::string>{"Mreza: 50 x 50", "Delez kovine: " + percent(share),
                                        "Najvecja gruca: " + percent((lattice.LargestCluster() * 1000 + 1250) / 2500),
                                        "Stevilo gruc: " + std::to_string(lattice.ClusterCount()),
                                        "Prag te mreze: " + percent(share),
                                        clicked == 0 ? "Izbrana celica: les" : "Izbrana gruca: " + std::to_string(clicked)}));
    EXPECT_EQ(lines.back(), "Matrika trenutno prevaja!");
    EXPECT_EQ(frame({kKeyM}), "UpdateTexture " + id + ";");
    EXPECT_EQ(lines.back(), "Matrika trenutno ne prevaja!");
    EXPECT_EQ(frame({kKeyPadPlus}), "FreeTexture " + id + ";CreateTexture 100 100;");
    latticeShown = false;
}

TEST(LatticePanel, SharesAreTenthsOfAPercentRoundedToTheNearestHalvesUp) {
    const int cases[][3] = {{1, 2000, 1}, {1, 2001, 0}, {1999, 2000, 1000}, {160000, 160000, 1000}, {5, 0, 0}};
    for (const auto& [part, whole, permille] : cases) EXPECT_EQ(Permille(part, whole), permille) << part << "/" << whole;
}

// In a grey print (luma, 0 to 255), which red-green colour blindness keeps too: wood darkest, the
// clusters spread between, the conducting cluster lightest, P's grey apart from both.
TEST(LatticePalette, ConductingClusterIsLightestWoodDarkestAndTheClustersSpreadInLightnessBetween) {
    const auto grey = [](std::uint32_t c) { return 0.299 * (c >> 16 & 0xFF) + 0.587 * (c >> 8 & 0xFF) + 0.114 * (c & 0xFF); };
    const double wood = grey(kWoodColour), other = grey(kOtherMetalColour), top = grey(kSpanningColour);
    std::vector<double> clusters;
    for (const std::uint32_t colour : kClusterColours) clusters.push_back(grey(colour));
    const auto [darkest, lightest] = std::minmax_element(clusters.begin(), clusters.end());
    EXPECT_TRUE(wood + 30 < *darkest && *lightest + 30 < top && *lightest - *darkest > 60) << *darkest << " " << *lightest;
    EXPECT_TRUE(wood + 30 < other && other + 30 < top) << "P's grey";
}

} // namespace
