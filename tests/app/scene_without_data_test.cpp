// scene_without_data_test.cpp
// krondel run whole on a recording fake engine that has no data files and no textures, as when the
// program starts away from its data folder. A binary of its own: the scene's resources are made
// once per process and never freed, so they cannot share a process with the scene tests' own.
#include "app/krondel_main.h"
#include "board/board.h"
#include "tests/support/recording_engine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SceneWithoutData, FrameDrawsCellsPanelsAndCursorUntexturedAndTheProgramLogsNothing) {
    RecordingEngine& fake = RecordingEngine::Instance();
    fake.Reset();
    fake.mouseX = 300.0f;
    fake.mouseY = 200.0f;
    fake.keyScript = {{}, {kKeyEscape}}; // one idle frame drawn, then Escape

    EXPECT_EQ(KrondelMain(0, nullptr), 0) << "missing data is no reason to stop";
    EXPECT_EQ(fake.framesRun, 2);
    EXPECT_EQ(fake.CountCalls("LoadResource font1.fnt"), 1);
    EXPECT_EQ(fake.CountCalls("LoadTexture"), 4) << "the four sprite textures; no font file, so no font bitmap";
    ASSERT_EQ(boardWidth, 6);
    ASSERT_EQ(boardHeight, 6);

    // 36 cells, two panels, the cursor; the font without glyphs draws nothing.
    ASSERT_EQ(fake.quads.size(), 39u);
    for (std::size_t i = 0; i < fake.quads.size(); ++i) EXPECT_EQ(fake.quads[i].texture, 0u) << "quad " << i;
    // Texture 0 counts as 1 x 1: the coordinates are the source rectangles' pixels.
    EXPECT_EQ(fake.quads[0].corners[0].x, 60.0f);
    EXPECT_EQ(fake.quads[0].corners[2].tx, 512.0f);
    EXPECT_EQ(fake.quads[36].corners[0].y, 450.0f);
    EXPECT_EQ(fake.quads[36].corners[2].ty, 100.0f);
    EXPECT_EQ(fake.quads[37].corners[0].x, 465.0f);
    EXPECT_EQ(fake.quads[37].corners[2].tx, 180.0f);
    EXPECT_EQ(fake.quads[38].corners[0].x, 300.0f);
    EXPECT_EQ(fake.quads[38].corners[2].y, 231.0f);
    EXPECT_EQ(fake.quads[38].corners[1].z, 0.0f);

    EXPECT_TRUE(fake.logLines.empty()) << (fake.logLines.empty() ? "" : fake.logLines.front());
}

} // namespace
