// engine2d_test.cpp
// The SDL2 engine run headless (SDL_VIDEODRIVER=offscreen): pixels read back from the renderer,
// images written and loaded, key and mouse events pushed into SDL's queue between frames, files and
// log lines checked on disk. Each test works in a temporary folder of its own.
#include "app/engine_interface.h"
#include "engine2d/data_folder.h"
#include "engine2d/mip_chain.h"
#include "engine2d/scene_scaling.h"
#include "engine2d/sdl_engine.h"
#include "engine2d/snapshot_writer.h"

#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 128;  // the test window; the program's own is 640 x 480
constexpr int kHeight = 96;
constexpr int kExactTolerance = 0;     // opaque, untextured or 1:1 texel-to-pixel drawing
constexpr int kBlendTolerance = 3;     // one blend or colour multiply: rounding of 8-bit arithmetic
constexpr int kAveragedTolerance = 24; // a texture drawn far smaller than itself, after averaging
constexpr const char* kLogFile = "engine-test.log";

// ---- Helpers -----------------------------------------------------------------------------------

fs::path MakeTempFolder() {
    std::string pattern = (fs::temp_directory_path() / "engine2d-test-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    return made != nullptr ? fs::path(made) : fs::path();
}

std::string ReadText(const fs::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// An ARGB image of `width` x `height` whose pixel (x, y) is colourAt(x, y), written as PNG or JPEG.
void WriteImage(const fs::path& path, int width, int height, const std::function<Uint32(int, int)>& colourAt) {
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(image, nullptr) << SDL_GetError();
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<unsigned char*>(image->pixels) + y * image->pitch);
        for (int x = 0; x < width; ++x) row[x] = colourAt(x, y);
    }
    const bool jpeg = path.extension() == ".jpg";
    const int result = jpeg ? IMG_SaveJPG(image, path.c_str(), 95) : IMG_SavePNG(image, path.c_str());
    SDL_FreeSurface(image);
    ASSERT_EQ(result, 0) << SDL_GetError();
}

Uint32 ReadPixel(int x, int y) {
    Uint32 pixel = 0;
    const SDL_Rect rect{x, y, 1, 1};
    EXPECT_EQ(SDL_RenderReadPixels(SdlEngine::Instance().Renderer(), &rect, SDL_PIXELFORMAT_ARGB8888, &pixel, 4), 0)
        << SDL_GetError();
    return pixel & 0x00FFFFFFu;
}

// True when every colour channel of `actual` is within `tolerance` of `expected` (alpha ignored).
::testing::AssertionResult ColourNear(Uint32 actual, Uint32 expected, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) {
            return ::testing::AssertionFailure() << std::hex << "colour 0x" << actual << " is not within " << std::dec
                                                 << tolerance << " of 0x" << std::hex << expected;
        }
    }
    return ::testing::AssertionSuccess();
}

Quad RectangleQuad(float x0, float y0, float x1, float y1, std::uint32_t colour, std::uint32_t texture) {
    Quad quad{};
    quad.corners[0] = {x0, y0, 0.5f, colour, 0.0f, 0.0f};
    quad.corners[1] = {x1, y0, 0.5f, colour, 1.0f, 0.0f};
    quad.corners[2] = {x1, y1, 0.5f, colour, 1.0f, 1.0f};
    quad.corners[3] = {x0, y1, 0.5f, colour, 0.0f, 1.0f};
    quad.texture = texture;
    quad.blend = kBlendAlpha;
    return quad;
}

// Four 16 x 16 quadrants: red top-left, green top-right, blue bottom-left, white bottom-right.
Uint32 Quadrants(int x, int y) {
    if (y < 16) return x < 16 ? 0xFFFF0000u : 0xFF00FF00u;
    return x < 16 ? 0xFF0000FFu : 0xFFFFFFFFu;
}

void PushKey(Uint32 type, SDL_Keycode key) {
    SDL_Event event{};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

void PushButton(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event event{};
    event.type = type;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.button = button;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

void PushMotion(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

// A pixel of what the window shows, not of the scene the program draws into.
Uint32 ReadWindowPixel(int x, int y) {
    SDL_Renderer* renderer = SdlEngine::Instance().Renderer();
    SDL_Texture* scene = SDL_GetRenderTarget(renderer);
    EXPECT_EQ(SDL_SetRenderTarget(renderer, nullptr), 0) << SDL_GetError();
    const Uint32 pixel = ReadPixel(x, y);
    EXPECT_EQ(SDL_SetRenderTarget(renderer, scene), 0) << SDL_GetError();
    return pixel;
}

void PushFocusLost() {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

// The handlers are plain functions; these forward to whatever the running test installs.
std::function<bool()> frameBody;
std::function<bool()> renderBody;
bool FrameTrampoline() { return frameBody ? frameBody() : true; }
bool RenderTrampoline() { return renderBody ? renderBody() : false; }

// The mouse position the engine reports in the frame after `push` ran. The events go in from
// within the first frame, after the window's own first events (a real pointer entering it).
std::pair<float, float> MouseAfter(EngineInterface* engine, const std::function<void()>& push) {
    float x = -1.0f, y = -1.0f;
    int frames = 0;
    frameBody = [&] {
        if (++frames == 1) {
            push();
            return false;
        }
        engine->MousePosition(&x, &y);
        return true;
    };
    engine->Start();
    return {x, y};
}

// ---- Fixture: an initiated engine in a fresh current folder ------------------------------------

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder_ = fs::current_path();
        folder_ = MakeTempFolder();
        ASSERT_FALSE(folder_.empty());
        fs::current_path(folder_);
        engine_ = CreateEngine(kEngineVersion);
        ASSERT_NE(engine_, nullptr);
        engine_->SetStringState(kStateLogFile, kLogFile);
        engine_->SetStringState(kStateWindowTitle, "engine test");
        engine_->SetIntState(kStateScreenWidth, kWidth);
        engine_->SetIntState(kStateScreenHeight, kHeight);
        engine_->SetIntState(kStateFrameRateCap, 50);
        engine_->SetFuncState(kStateFrameHandler, FrameTrampoline);
        engine_->SetFuncState(kStateRenderHandler, RenderTrampoline);
        ASSERT_TRUE(engine_->Initiate()) << ReadText(kLogFile);
    }

    void TearDown() override {
        frameBody = nullptr;
        renderBody = nullptr;
        if (engine_ != nullptr) {
            engine_->Shutdown();
            engine_->Release();
        }
        fs::current_path(previousFolder_);
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::string LogText() const { return ReadText(folder_ / kLogFile); }

    EngineInterface* engine_ = nullptr;
    fs::path folder_;
    fs::path previousFolder_;
};

} // namespace

// ---- The engine object -------------------------------------------------------------------------

TEST(EngineObject, EveryHolderGetsTheSameObjectAndIsCounted) {
    const int before = SdlEngine::Instance().Holders();
    EngineInterface* first = CreateEngine(kEngineVersion);
    EngineInterface* second = CreateEngine(kEngineVersion);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(SdlEngine::Instance().Holders(), before + 2);
    first->Release();
    first->Shutdown(); // never initiated: harmless
    second->Release(); // after Shutdown: still only a count
    EXPECT_EQ(SdlEngine::Instance().Holders(), before);
    second->Release(); // one Release too many must not go below zero
    EXPECT_EQ(SdlEngine::Instance().Holders(), 0);
}

TEST(EngineObject, OtherInterfaceVersionGetsNothing) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(CreateEngine(0x150), nullptr);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("ENGINE: interface version 0x150"), std::string::npos);
}

// The engine set up for a start that is expected to fail, logging into `logFile`.
EngineInterface* EngineNamedNoDisplay(const fs::path& logFile) {
    EngineInterface* engine = CreateEngine(kEngineVersion);
    engine->SetStringState(kStateLogFile, logFile.c_str());
    engine->SetStringState(kStateWindowTitle, "no display");
    engine->SetIntState(kStateScreenWidth, kWidth);
    engine->SetIntState(kStateScreenHeight, kHeight);
    return engine;
}

TEST(EngineObject, InitiateWithoutVideoDriverFailsAndSaysWhyOnStderr) {
    const fs::path folder = MakeTempFolder();
    const fs::path logFile = folder / "failed.log";
    EngineInterface* engine = EngineNamedNoDisplay(logFile);
    const std::string previous = std::getenv("SDL_VIDEODRIVER") != nullptr ? std::getenv("SDL_VIDEODRIVER") : "";
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    ::testing::internal::CaptureStderr();
    const bool started = engine->Initiate();
    const std::string stderrText = ::testing::internal::GetCapturedStderr();
    setenv("SDL_VIDEODRIVER", previous.c_str(), 1);
    EXPECT_FALSE(started);
    EXPECT_NE(stderrText.find("VIDEO: [no display] video start failed: "), std::string::npos) << stderrText;
    EXPECT_NE(ReadText(logFile).find("VIDEO: [no display] video start failed: "), std::string::npos);
    EXPECT_EQ(engine->LoadTexture("any.png", 0, false), 0u); // nothing usable after a failed start
    engine->Shutdown();
    engine->Release();
    fs::remove_all(folder);
}

TEST(EngineObject, InitiateWithNoDisplayFailsInsteadOfRunningInvisibly) {
    const fs::path folder = MakeTempFolder();
    const fs::path logFile = folder / "nodisplay.log";
    EngineInterface* engine = EngineNamedNoDisplay(logFile);
    // A person's shell with no window system at all: SDL would fall back to a driver that shows
    // nothing, which only a test may ask for.
    const char* names[] = {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"};
    std::string saved[3];
    bool had[3];
    for (int i = 0; i < 3; ++i) {
        const char* value = std::getenv(names[i]);
        had[i] = value != nullptr;
        saved[i] = had[i] ? value : "";
        unsetenv(names[i]);
    }
    ::testing::internal::CaptureStderr();
    const bool started = engine->Initiate();
    const std::string stderrText = ::testing::internal::GetCapturedStderr();
    for (int i = 0; i < 3; ++i) {
        if (had[i]) setenv(names[i], saved[i].c_str(), 1);
    }
    EXPECT_FALSE(started);
    EXPECT_NE(stderrText.find("VIDEO: [no display] "), std::string::npos) << stderrText;
    engine->Shutdown();
    engine->Release();
    fs::remove_all(folder);
}

TEST(EngineObject, RefusedWindowSizeFailsInitiate) {
    EngineInterface* engine = CreateEngine(kEngineVersion);
    engine->SetStringState(kStateLogFile, nullptr);
    engine->SetIntState(kStateScreenWidth, 0);
    engine->SetIntState(kStateScreenHeight, kHeight);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(engine->Initiate());
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("window size refused: 0 x 96"), std::string::npos);
    engine->Shutdown();
    engine->Release();
}

// ---- Drawing -----------------------------------------------------------------------------------

TEST_F(EngineTest, ClearAndOpaqueUntexturedQuadAreExact) {
    ASSERT_TRUE(engine_->BeginScene(0));
    ASSERT_TRUE(engine_->Clear(0xFF102030));
    const Quad quad = RectangleQuad(10.0f, 20.0f, 40.0f, 50.0f, 0xFF406080, 0);
    ASSERT_TRUE(engine_->RenderQuad(&quad));
    EXPECT_TRUE(ColourNear(ReadPixel(10, 20), 0x406080, kExactTolerance));
    EXPECT_TRUE(ColourNear(ReadPixel(39, 49), 0x406080, kExactTolerance));
    EXPECT_TRUE(ColourNear(ReadPixel(40, 20), 0x102030, kExactTolerance)); // right edge is outside
    EXPECT_TRUE(ColourNear(ReadPixel(9, 20), 0x102030, kExactTolerance));
    EXPECT_TRUE(ColourNear(ReadPixel(100, 90), 0x102030, kExactTolerance));
    EXPECT_TRUE(engine_->EndScene());
}

TEST_F(EngineTest, TexturedQuadShowsEachQuadrantInPlace) {
    const fs::path image = folder_ / "quadrants.png";
    WriteImage(image, 32, 32, Quadrants);
    const std::uint32_t texture = engine_->LoadTexture(image.c_str(), 0, false);
    ASSERT_NE(texture, 0u) << LogText();
    ASSERT_TRUE(engine_->BeginScene(0));
    engine_->Clear(0xFF000000);
    const Quad quad = RectangleQuad(0.0f, 0.0f, 32.0f, 32.0f, 0xFFFFFFFF, texture);
    ASSERT_TRUE(engine_->RenderQuad(&quad));
    EXPECT_TRUE(ColourNear(ReadPixel(4, 4), 0xFF0000, kExactTolerance));
    EXPECT_TRUE(ColourNear(ReadPixel(27, 4), 0x00FF00, kExactTolerance));
    EXPECT_TRUE(ColourNear(ReadPixel(4, 27), 0x0000FF, kExactTolerance));
    EXPECT_TRUE(ColourNear(ReadPixel(27, 27), 0xFFFFFF, kExactTolerance));
    EXPECT_TRUE(ColourNear(ReadPixel(40, 4), 0x000000, kExactTolerance));
    engine_->EndScene();
}

TEST_F(EngineTest, QuadTurnedClockwiseMovesTheTopLeftQuadrantToTheTopRight) {
    const fs::path image = folder_ / "quadrants.png";
    WriteImage(image, 32, 32, Quadrants);
    const std::uint32_t texture = engine_->LoadTexture(image.c_str(), 0, false);
    ASSERT_NE(texture, 0u);
    // A quarter turn clockwise about (40, 40): image corner 0 lands top-right, corner 3 top-left.
    Quad quad = RectangleQuad(0.0f, 0.0f, 0.0f, 0.0f, 0xFFFFFFFF, texture);
    const float xs[4] = {72.0f, 72.0f, 40.0f, 40.0f};
    const float ys[4] = {40.0f, 72.0f, 72.0f, 40.0f};
    for (int i = 0; i < 4; ++i) {
        quad.corners[i].x = xs[i];
        quad.corners[i].y = ys[i];
    }
    ASSERT_TRUE(engine_->BeginScene(0));
    engine_->Clear(0xFF000000);
    ASSERT_TRUE(engine_->RenderQuad(&quad));
    EXPECT_TRUE(ColourNear(ReadPixel(66, 46), 0xFF0000, kExactTolerance)); // red: top-left of the image
    EXPECT_TRUE(ColourNear(ReadPixel(66, 66), 0x00FF00, kExactTolerance)); // green: top-right
    EXPECT_TRUE(ColourNear(ReadPixel(46, 46), 0x0000FF, kExactTolerance)); // blue: bottom-left
    EXPECT_TRUE(ColourNear(ReadPixel(46, 66), 0xFFFFFF, kExactTolerance));
    engine_->EndScene();
}

TEST_F(EngineTest, VertexColourMultipliesTheTextureAndAlphaBlends) {
    const fs::path image = folder_ / "white.png";
    WriteImage(image, 16, 16, [](int, int) { return 0xFFFFFFFFu; });
    const std::uint32_t texture = engine_->LoadTexture(image.c_str(), 0, false);
    ASSERT_NE(texture, 0u);
    ASSERT_TRUE(engine_->BeginScene(0));
    engine_->Clear(0xFF0000FF);
    const Quad tinted = RectangleQuad(0.0f, 0.0f, 16.0f, 16.0f, 0xFF808040, texture);
    const Quad halfRed = RectangleQuad(20.0f, 0.0f, 36.0f, 16.0f, 0x80FF0000, texture);
    const Quad halfWhiteUntextured = RectangleQuad(40.0f, 0.0f, 56.0f, 16.0f, 0x80FFFFFF, 0);
    ASSERT_TRUE(engine_->RenderQuad(&tinted));
    ASSERT_TRUE(engine_->RenderQuad(&halfRed));
    ASSERT_TRUE(engine_->RenderQuad(&halfWhiteUntextured));
    EXPECT_TRUE(ColourNear(ReadPixel(8, 8), 0x808040, kBlendTolerance));
    EXPECT_TRUE(ColourNear(ReadPixel(28, 8), 0x80007F, kBlendTolerance)); // half red over blue
    EXPECT_TRUE(ColourNear(ReadPixel(48, 8), 0x8080FF, kBlendTolerance)); // half white over blue
    engine_->EndScene();
}

TEST_F(EngineTest, TextureDrawnTenTimesSmallerShowsItsAverageNotItsTexels) {
    // A one-pixel checkerboard: sampled without smaller copies, each screen pixel would be black or
    // white; averaged, every pixel is mid-grey.
    const fs::path image = folder_ / "checker.png";
    WriteImage(image, 512, 512, [](int x, int y) { return ((x + y) % 2 == 0) ? 0xFFFFFFFFu : 0xFF000000u; });
    const std::uint32_t texture = engine_->LoadTexture(image.c_str(), 0, false);
    ASSERT_NE(texture, 0u);
    ASSERT_TRUE(engine_->BeginScene(0));
    engine_->Clear(0xFF000000);
    const Quad quad = RectangleQuad(10.0f, 10.0f, 61.2f, 61.2f, 0xFFFFFFFF, texture);
    ASSERT_TRUE(engine_->RenderQuad(&quad));
    for (int y = 12; y < 60; y += 5) {
        for (int x = 12; x < 60; x += 5) {
            EXPECT_TRUE(ColourNear(ReadPixel(x, y), 0x808080, kAveragedTolerance)) << "at " << x << "x" << y;
        }
    }
    engine_->EndScene();
}

// ---- Textures ----------------------------------------------------------------------------------

TEST_F(EngineTest, PngAndJpegLoadWithTheirSizes) {
    WriteImage(folder_ / "small.png", 37, 21, [](int x, int) { return x % 2 ? 0x80FF0000u : 0xFF00FF00u; });
    WriteImage(folder_ / "small.jpg", 40, 24, [](int, int y) { return y % 2 ? 0xFF102030u : 0xFFA0B0C0u; });
    const std::uint32_t png = engine_->LoadTexture((folder_ / "small.png").c_str(), 0, false);
    const std::uint32_t jpeg = engine_->LoadTexture((folder_ / "small.jpg").c_str(), 0, false);
    ASSERT_NE(png, 0u) << LogText();
    ASSERT_NE(jpeg, 0u) << LogText();
    EXPECT_NE(png, jpeg);
    EXPECT_EQ(engine_->TextureWidth(png, false), 37);
    EXPECT_EQ(engine_->TextureHeight(png, false), 21);
    EXPECT_EQ(engine_->TextureWidth(jpeg, false), 40);
    EXPECT_EQ(engine_->TextureHeight(jpeg, false), 24);
    engine_->FreeTexture(png);
    EXPECT_EQ(engine_->TextureWidth(png, false), 0);
    EXPECT_EQ(engine_->TextureWidth(jpeg, false), 40);
    const Quad stale = RectangleQuad(0.0f, 0.0f, 8.0f, 8.0f, 0xFFFFFFFF, png);
    EXPECT_FALSE(engine_->RenderQuad(&stale));
    EXPECT_FALSE(engine_->RenderQuad(&stale));
    const std::string log = LogText();
    const std::string line = "RENDER: [texture " + std::to_string(png) + "] quad not drawn: no such texture\n";
    ASSERT_NE(log.find(line), std::string::npos) << log;
    EXPECT_EQ(log.find(line), log.rfind(line)); // once, not every frame
}

TEST_F(EngineTest, MissingTextureOrASizeOtherThanZeroGivesZeroAndATaggedLogLine) {
    EXPECT_EQ(engine_->LoadTexture("brushed-metal-missing.jpg", 0, false), 0u);
    EXPECT_NE(LogText().find("TEXTURE: [brushed-metal-missing.jpg] load failed: "), std::string::npos) << LogText();
    WriteImage(folder_ / "not-an-image.png", 1, 1, [](int, int) { return 0u; });
    std::ofstream(folder_ / "not-an-image.png") << "plain text";
    EXPECT_EQ(engine_->LoadTexture((folder_ / "not-an-image.png").c_str(), 0, false), 0u);
    EXPECT_NE(LogText().find("not-an-image.png] load failed: "), std::string::npos);
    // A readable image, so that only the size can be the reason.
    WriteImage(folder_ / "readable.png", 2, 2, [](int, int) { return 0xFFFFFFFFu; });
    std::size_t seen = LogText().size();
    for (const int size : {-1, 1}) {
        EXPECT_EQ(engine_->LoadTexture((folder_ / "readable.png").c_str(), size, false), 0u) << size;
        const std::string log = LogText();
        EXPECT_NE(log.find("readable.png] load failed: only files can be loaded (size must be 0)", seen), std::string::npos)
            << size << ": " << log;
        seen = log.size();
    }
}

// The lattice view's end-to-end test shows such textures drawn crisply and their pixels replaced.
TEST_F(EngineTest, TextureFromPixelsRefusesSizesOutOfRangeMissingPixelsAndUnknownHandlesWithALogLine) {
    const std::vector<std::uint32_t> pixels(16384, 0xFF102030);
    for (const auto& [width, height, said] : {std::tuple{0, 2, "[pixels 0 x 2] create failed: size out of range"},
                                              {2, -1, "[pixels 2 x -1] create failed: size"},
                                              {16385, 1, "[pixels 16385 x 1] create failed: size"},
                                              {1, 1, "[pixels 1 x 1] create failed: no pixels"}}) {
        EXPECT_EQ(engine_->CreateTexture(width, height, width == 1 ? nullptr : pixels.data()), 0u);
        EXPECT_NE(LogText().find(std::string("TEXTURE: ") + said), std::string::npos) << LogText();
    }
    const std::uint32_t longest = engine_->CreateTexture(16384, 1, pixels.data());
    EXPECT_EQ(engine_->TextureWidth(longest, false) * 10 + engine_->TextureHeight(longest, false), 163841);
    EXPECT_TRUE(engine_->UpdateTexture(longest, pixels.data()));
    EXPECT_FALSE(engine_->UpdateTexture(999, pixels.data()));
    EXPECT_NE(LogText().find("TEXTURE: [texture 999] update failed: no such texture"), std::string::npos);
}

TEST_F(EngineTest, MissingDataFileIsToldOnStderrOnceNamingTheFolder) {
    const fs::path data = folder_ / "empty-data";
    fs::create_directories(data);
    const fs::path previousData = SdlEngine::Instance().DataFolder();
    SdlEngine::Instance().SetDataFolder(data);
    testing::internal::CaptureStderr();
    std::uint32_t size = 0;
    EXPECT_EQ(engine_->LoadResource("told-font.fnt", &size), nullptr);
    EXPECT_EQ(engine_->LoadResource("told-font.fnt", &size), nullptr);
    EXPECT_EQ(engine_->LoadTexture("told-board.jpg", 0, false), 0u);
    const std::string told = testing::internal::GetCapturedStderr();
    SdlEngine::Instance().SetDataFolder(previousData);

    const std::string fontLine = "cannot load told-font.fnt (looked in " + data.string() + "): no such file\n";
    EXPECT_NE(told.find(fontLine), std::string::npos) << told;
    EXPECT_EQ(told.find(fontLine), told.rfind(fontLine)) << "a file is told about once: " << told;
    EXPECT_NE(told.find("cannot load told-board.jpg (looked in " + data.string() + "): "), std::string::npos) << told;
    EXPECT_EQ(told.rfind("engine2d_test: ", 0), 0u) << "the line starts with the program's name: " << told;
    // An absolute name was looked for in no folder.
    EXPECT_EQ(MissingFileNotice("krondel", "/nowhere/x.png", data, "no such file"),
              "krondel: cannot load /nowhere/x.png: no such file");
}

// ---- Snapshots ---------------------------------------------------------------------------------

TEST_F(EngineTest, PickedSnapshotNamesNeverOverwriteEarlierFiles) {
    std::ofstream(folder_ / "snapshot-0001.png") << "an earlier picture";
    std::ofstream(folder_ / "snapshot-0003.png") << "another";
    ASSERT_TRUE(engine_->BeginScene(0));
    engine_->Clear(0xFF00FF00);
    EXPECT_TRUE(engine_->Snapshot(nullptr));
    EXPECT_TRUE(engine_->Snapshot(nullptr));
    engine_->EndScene();
    EXPECT_EQ(ReadText(folder_ / "snapshot-0001.png"), "an earlier picture");
    EXPECT_EQ(ReadText(folder_ / "snapshot-0003.png"), "another");
    for (const char* written : {"snapshot-0002.png", "snapshot-0004.png"}) {
        SDL_Surface* picture = IMG_Load((folder_ / written).c_str());
        ASSERT_NE(picture, nullptr) << written << ": " << IMG_GetError();
        EXPECT_EQ(picture->w, kWidth);
        EXPECT_EQ(picture->h, kHeight);
        SDL_FreeSurface(picture);
    }
    EXPECT_NE(LogText().find("SNAPSHOT: [snapshot-0004.png] written"), std::string::npos);
}

TEST_F(EngineTest, SnapshotAskedBetweenFramesPicturesTheNextFrame) {
    EXPECT_TRUE(engine_->Snapshot("between.png"));
    EXPECT_FALSE(fs::exists(folder_ / "between.png"));
    ASSERT_TRUE(engine_->BeginScene(0));
    engine_->Clear(0xFFC03010);
    engine_->EndScene();
    SDL_Surface* picture = IMG_Load((folder_ / "between.png").c_str());
    ASSERT_NE(picture, nullptr) << IMG_GetError();
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(picture, SDL_PIXELFORMAT_ARGB8888, 0);
    ASSERT_NE(argb, nullptr);
    EXPECT_TRUE(ColourNear(static_cast<Uint32*>(argb->pixels)[5], 0xC03010, kExactTolerance));
    SDL_FreeSurface(argb);
    SDL_FreeSurface(picture);
}

TEST_F(EngineTest, GivenSnapshotNameIsWrittenInItsFormatOrFailsWithALogLine) {
    ASSERT_TRUE(engine_->BeginScene(0));
    EXPECT_FALSE(engine_->Snapshot("no-such-folder/shot.png"));
    engine_->EndScene();
    EXPECT_NE(LogText().find("SNAPSHOT: [no-such-folder/shot.png] write failed: "), std::string::npos) << LogText();
    ASSERT_TRUE(engine_->BeginScene(0));
    EXPECT_TRUE(engine_->Snapshot("picture.JPG")); // a JPEG name gets a JPEG file
    engine_->EndScene();
    EXPECT_EQ(ReadText(folder_ / "picture.JPG").substr(0, 2), "\xFF\xD8");
}

TEST(SnapshotWriter, FrameWithAlphaIsWrittenOpaque) {
    // A render target that keeps alpha, unlike the test window, so the frame read back carries it.
    const fs::path folder = MakeTempFolder();
    ASSERT_FALSE(folder.empty());
    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, 8, 4, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(target, nullptr) << SDL_GetError();
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(target);
    ASSERT_NE(renderer, nullptr) << SDL_GetError();
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, 0xC0, 0x30, 0x10, 0x40);
    SDL_RenderClear(renderer);
    Uint32 drawn = 0;
    const SDL_Rect firstPixel{0, 0, 1, 1};
    ASSERT_EQ(SDL_RenderReadPixels(renderer, &firstPixel, SDL_PIXELFORMAT_ARGB8888, &drawn, 4), 0) << SDL_GetError();
    ASSERT_EQ(drawn, 0x40C03010u) << "the frame must carry alpha for this test to mean anything";

    const fs::path file = folder / "translucent.png";
    std::string written, error;
    EXPECT_TRUE(WriteSnapshot(renderer, file.c_str(), &written, &error)) << error;
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(target);

    SDL_Surface* picture = IMG_Load(file.c_str());
    ASSERT_NE(picture, nullptr) << IMG_GetError();
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(picture, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(picture);
    ASSERT_NE(argb, nullptr) << SDL_GetError();
    EXPECT_EQ(argb->w * argb->h, 8 * 4);
    int otherPixels = 0;
    for (int y = 0; y < argb->h; ++y) {
        const auto* bytes = static_cast<const unsigned char*>(argb->pixels) + y * argb->pitch;
        const auto* row = reinterpret_cast<const Uint32*>(bytes);
        for (int x = 0; x < argb->w; ++x) otherPixels += row[x] != 0xFFC03010u ? 1 : 0;
    }
    EXPECT_EQ(otherPixels, 0) << "first pixel 0x" << std::hex << static_cast<const Uint32*>(argb->pixels)[0];
    SDL_FreeSurface(argb);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

// ---- Frame loop and input ----------------------------------------------------------------------

TEST_F(EngineTest, EachFrameCallsFrameThenRenderUntilFrameHandlerSaysStop) {
    std::string order;
    std::vector<float> deltas;
    frameBody = [&] {
        order += 'F';
        deltas.push_back(engine_->FrameDelta());
        return order.size() >= 5;
    };
    renderBody = [&] {
        order += 'R';
        return false;
    };
    engine_->Start();
    EXPECT_EQ(order, "FRFRF");
    ASSERT_EQ(deltas.size(), 3u);
    EXPECT_GT(deltas[1], 0.0f);
    EXPECT_GT(deltas[2], 0.0f);
}

TEST_F(EngineTest, ClosingTheWindowEndsStart) {
    int frames = 0;
    frameBody = [&] {
        ++frames;
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        return false;
    };
    engine_->Start();
    EXPECT_EQ(frames, 1);
}

TEST_F(EngineTest, TapBetweenFramesIsSeenInTheNextFrameOnly) {
    std::vector<bool> seen;
    frameBody = [&] {
        seen.push_back(engine_->KeyState(kKeyR));
        return seen.size() == 3;
    };
    PushKey(SDL_KEYDOWN, SDLK_r);
    PushKey(SDL_KEYUP, SDLK_r);
    engine_->Start();
    EXPECT_EQ(seen, (std::vector<bool>{true, false, false}));
}

TEST_F(EngineTest, TapInAFrameThatDoesNotAskWaitsForTheFirstFrameThatDoes) {
    // Like a key-repeat delay: R is asked about only in frames 3 and 4, S in every frame.
    std::vector<bool> seenR;
    std::vector<bool> seenS;
    int frames = 0;
    frameBody = [&] {
        ++frames;
        seenS.push_back(engine_->KeyState(kKeyS));
        if (frames >= 3) seenR.push_back(engine_->KeyState(kKeyR));
        if (frames == 1) {
            PushKey(SDL_KEYDOWN, SDLK_r);
            PushKey(SDL_KEYUP, SDLK_r);
            PushKey(SDL_KEYDOWN, SDLK_s);
            PushKey(SDL_KEYUP, SDLK_s);
        }
        return frames == 4;
    };
    engine_->Start();
    EXPECT_EQ(seenR, (std::vector<bool>{true, false}));
    EXPECT_EQ(seenS, (std::vector<bool>{false, true, false, false}));
}

TEST_F(EngineTest, HeldKeyIsDownUntilReleased) {
    std::vector<bool> seen;
    frameBody = [&] {
        seen.push_back(engine_->KeyState(kKeyPadPlus));
        EXPECT_FALSE(engine_->KeyState(kKeyPadMinus));
        if (seen.size() == 2) PushKey(SDL_KEYUP, SDLK_KP_PLUS);
        return seen.size() == 3;
    };
    PushKey(SDL_KEYDOWN, SDLK_KP_PLUS);
    engine_->Start();
    EXPECT_EQ(seen, (std::vector<bool>{true, true, false}));
}

TEST_F(EngineTest, HeldKeyReadsUpInTheFrameAfterTheWindowLosesFocus) {
    // The key's release goes to the window that has the focus now, so this one never hears of it.
    std::vector<bool> seen;
    frameBody = [&] {
        seen.push_back(engine_->KeyState(kKeyV));
        if (seen.size() == 2) PushFocusLost();
        return seen.size() == 3;
    };
    PushKey(SDL_KEYDOWN, SDLK_v);
    engine_->Start();
    EXPECT_EQ(seen, (std::vector<bool>{true, true, false}));
}

TEST_F(EngineTest, MousePositionFollowsMotionInWindowPixels) {
    float x = -1.0f, y = -1.0f;
    int frames = 0;
    frameBody = [&] {
        if (++frames == 1) { // after the window's own first events (a real pointer entering it)
            SDL_Event motion{};
            motion.type = SDL_MOUSEMOTION;
            motion.motion.x = 101;
            motion.motion.y = 57;
            SDL_PushEvent(&motion);
            return false;
        }
        engine_->MousePosition(&x, &y);
        return true;
    };
    engine_->Start();
    EXPECT_EQ(x, 101.0f);
    EXPECT_EQ(y, 57.0f);
}

TEST_F(EngineTest, MouseButtonTapIsSeenOnceAndAHeldButtonUntilReleasedOrFocusIsLost) {
    std::vector<bool> seen;
    frameBody = [&] {
        seen.push_back(engine_->KeyState(kKeyMouseLeft));
        switch (seen.size()) {
        case 3: PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 5); break; // held from frame 4
        case 5: PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 5, 5); break;
        case 6: PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 5); break;
        case 7: PushFocusLost(); break;
        default: break;
        }
        return seen.size() == 8;
    };
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 5); // a click between frames: one tap
    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 5, 5);
    engine_->Start();
    EXPECT_EQ(seen, (std::vector<bool>{true, false, false, true, true, false, true, false}));
}

TEST_F(EngineTest, EachMouseButtonAnswersToItsOwnCode) {
    const int codes[] = {kKeyMouseLeft, 2, 4, kKeyP};
    const std::pair<Uint8, int> presses[] = {{SDL_BUTTON_LEFT, kKeyMouseLeft}, {SDL_BUTTON_RIGHT, 2}, {SDL_BUTTON_MIDDLE, 4}};
    for (const auto& [button, virtualKey] : presses) {
        std::vector<int> down;
        frameBody = [&] {
            for (const int code : codes) {
                if (engine_->KeyState(code)) down.push_back(code);
            }
            return true;
        };
        PushButton(SDL_MOUSEBUTTONDOWN, button, 1, 1);
        PushButton(SDL_MOUSEBUTTONUP, button, 1, 1);
        engine_->Start();
        EXPECT_EQ(down, std::vector<int>{virtualKey}) << "SDL button " << int{button};
    }
}

TEST_F(EngineTest, ClickPutsTheMouseWhereTheButtonWentDown) {
    const auto [x, y] = MouseAfter(engine_, [] {
        PushMotion(10, 10);
        PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 77, 44);
    });
    EXPECT_EQ(x, 77.0f);
    EXPECT_EQ(y, 44.0f);
}

TEST_F(EngineTest, EveryProgramKeyAnswersToItsOwnKeyAndNoOther) {
    const int programKeys[] = {kKeyEscape, kKeyR, kKeyS, kKeyV, kKeyM,
                               kKeyPadPlus, kKeyPadMinus, kKeyMainMinus, kKeyMainPlus, kKeyP};
    const struct {
        SDL_Keycode key;
        int virtualKey;
    } presses[] = {{SDLK_ESCAPE, kKeyEscape}, {SDLK_r, kKeyR}, {SDLK_s, kKeyS}, {SDLK_v, kKeyV},
                   {SDLK_m, kKeyM}, {SDLK_KP_PLUS, kKeyPadPlus}, {SDLK_KP_MINUS, kKeyPadMinus},
                   {SDLK_MINUS, kKeyMainMinus}, {SDLK_EQUALS, kKeyMainPlus}, {SDLK_PLUS, kKeyMainPlus},
                   {SDLK_p, kKeyP}};
    for (const auto& press : presses) {
        std::vector<int> down;
        frameBody = [&] {
            for (const int key : programKeys) {
                if (engine_->KeyState(key)) down.push_back(key);
            }
            return true;
        };
        PushKey(SDL_KEYDOWN, press.key);
        PushKey(SDL_KEYUP, press.key);
        engine_->Start();
        EXPECT_EQ(down, std::vector<int>{press.virtualKey}) << "SDL key " << SDL_GetKeyName(press.key);
    }
    EXPECT_FALSE(engine_->KeyState(0));
    EXPECT_FALSE(engine_->KeyState(-1));
    EXPECT_FALSE(engine_->KeyState(255));
}

// ---- A window of another size ------------------------------------------------------------------

// Runs one frame that draws the scene: red on the left half, blue on the right.
void DrawHalves(EngineInterface* engine) {
    ASSERT_TRUE(engine->BeginScene(0));
    engine->Clear(0xFF0000FF);
    const Quad red = RectangleQuad(0.0f, 0.0f, kWidth / 2.0f, static_cast<float>(kHeight), 0xFFFF0000, 0);
    ASSERT_TRUE(engine->RenderQuad(&red));
    ASSERT_TRUE(engine->EndScene());
}

TEST_F(EngineTest, WindowCanBeResizedAndTheSceneIsScaledIntoItWithFilteringAndBars) {
    SDL_Window* window = SdlEngine::Instance().Window();
    ASSERT_NE(window, nullptr);
    EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_RESIZABLE, 0u);

    // Twice the scene's size: filled edge to edge, and the step from red to blue is blended.
    SDL_SetWindowSize(window, 2 * kWidth, 2 * kHeight);
    DrawHalves(engine_);
    EXPECT_TRUE(ColourNear(ReadWindowPixel(0, 0), 0xFF0000, kExactTolerance));
    EXPECT_TRUE(ColourNear(ReadWindowPixel(kWidth - 4, 2 * kHeight - 1), 0xFF0000, kExactTolerance));
    EXPECT_TRUE(ColourNear(ReadWindowPixel(kWidth + 3, 0), 0x0000FF, kExactTolerance));
    EXPECT_TRUE(ColourNear(ReadWindowPixel(2 * kWidth - 1, 2 * kHeight - 1), 0x0000FF, kExactTolerance));
    const Uint32 step = ReadWindowPixel(kWidth - 1, kHeight);
    EXPECT_GT((step >> 16) & 0xFF, 40u) << std::hex << step << ": some red, filtered, not the nearest texel";
    EXPECT_GT(step & 0xFF, 40u) << std::hex << step << ": some blue";

    // Three times as wide as the scene's shape: black bars left and right of a scene of full height.
    SDL_SetWindowSize(window, 3 * kWidth, kHeight);
    DrawHalves(engine_);
    EXPECT_TRUE(ColourNear(ReadWindowPixel(kWidth - 1, kHeight / 2), 0x000000, kExactTolerance)) << "left bar";
    EXPECT_TRUE(ColourNear(ReadWindowPixel(kWidth, kHeight / 2), 0xFF0000, kExactTolerance));
    EXPECT_TRUE(ColourNear(ReadWindowPixel(2 * kWidth - 1, kHeight / 2), 0x0000FF, kExactTolerance));
    EXPECT_TRUE(ColourNear(ReadWindowPixel(2 * kWidth, kHeight / 2), 0x000000, kExactTolerance)) << "right bar";
}

TEST_F(EngineTest, SnapshotOfAResizedWindowIsTheSceneAtItsOwnSize) {
    SDL_SetWindowSize(SdlEngine::Instance().Window(), 3 * kWidth, 2 * kHeight);
    ASSERT_TRUE(engine_->Snapshot("scaled.png"));
    DrawHalves(engine_);
    SDL_Surface* picture = IMG_Load((folder_ / "scaled.png").c_str());
    ASSERT_NE(picture, nullptr) << IMG_GetError();
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(picture, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(picture);
    ASSERT_NE(argb, nullptr);
    EXPECT_EQ(argb->w, kWidth);
    EXPECT_EQ(argb->h, kHeight);
    const auto* row = static_cast<const Uint32*>(argb->pixels);
    EXPECT_TRUE(ColourNear(row[kWidth / 2 - 1], 0xFF0000, kExactTolerance)) << "unscaled: the last red pixel";
    EXPECT_TRUE(ColourNear(row[kWidth / 2], 0x0000FF, kExactTolerance)) << "unscaled: the first blue pixel";
    SDL_FreeSurface(argb);
}

TEST_F(EngineTest, MousePositionIsMappedBackIntoTheScene) {
    SDL_Window* window = SdlEngine::Instance().Window();
    const struct {
        int windowWidth, windowHeight, x, y;
        float sceneX, sceneY;
    } cases[] = {
        {kWidth, kHeight, 101, 57, 101.0f, 57.0f},                // the scene's own size: unchanged
        {2 * kWidth, 2 * kHeight, 202, 114, 101.0f, 57.0f},       // twice as large
        {2 * kWidth, 2 * kHeight, 203, 115, 101.5f, 57.5f},       // half a scene pixel, not rounded away
        {3 * kWidth, kHeight, kWidth + 20, 10, 20.0f, 10.0f},     // bars left and right
        {3 * kWidth, kHeight, 8, 10, 8.0f - kWidth, 10.0f},       // in the left bar: outside the scene
        {kWidth, 3 * kHeight, 20, kHeight + 30, 20.0f, 30.0f},    // bars above and below
    };
    for (const auto& c : cases) {
        SDL_SetWindowSize(window, c.windowWidth, c.windowHeight);
        const auto [x, y] = MouseAfter(engine_, [&] { PushMotion(c.x, c.y); });
        EXPECT_FLOAT_EQ(x, c.sceneX) << c.windowWidth << " x " << c.windowHeight << " at " << c.x << ", " << c.y;
        EXPECT_FLOAT_EQ(y, c.sceneY) << c.windowWidth << " x " << c.windowHeight << " at " << c.x << ", " << c.y;
    }
}

TEST_F(EngineTest, F11SwitchesFullScreenOnAndOff) {
    SDL_Window* window = SdlEngine::Instance().Window();
    std::vector<bool> full;
    frameBody = [&] {
        full.push_back((SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0);
        if (full.size() < 3) {
            PushKey(SDL_KEYDOWN, SDLK_F11);
            PushKey(SDL_KEYUP, SDLK_F11);
        }
        return full.size() == 3;
    };
    engine_->Start();
    EXPECT_EQ(full, (std::vector<bool>{false, true, false}));
}

TEST(SceneScaling, SceneFillsAWindowOfItsShapeAndIsCentredWithBarsInAnyOther) {
    const struct {
        int windowWidth, windowHeight;
        ScreenRect expected;
    } cases[] = {
        {640, 480, {0, 0, 640, 480}},
        {1280, 960, {0, 0, 1280, 960}},
        {1920, 1080, {240, 0, 1440, 1080}},  // wide: bars left and right
        {640, 1000, {0, 260, 640, 480}},     // tall: bars above and below
        {1001, 480, {180, 0, 640, 480}},     // an odd spare pixel goes to the right-hand bar
        {1000, 701, {32, 0, 935, 701}},      // 701 x 4 / 3 = 934.67: the width rounds up, not down
        {641, 481, {0, 0, 641, 481}},        // 481 x 4 / 3 = 641.33: rounds to the window's width
        {100, 1, {49, 0, 1, 1}},             // a sliver still shows one pixel, centred
        {0, 480, {0, 0, 0, 0}},
        {640, -5, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const ScreenRect r = FitScene(c.windowWidth, c.windowHeight, 640, 480);
        EXPECT_EQ(r.x, c.expected.x) << c.windowWidth << " x " << c.windowHeight;
        EXPECT_EQ(r.y, c.expected.y) << c.windowWidth << " x " << c.windowHeight;
        EXPECT_EQ(r.width, c.expected.width) << c.windowWidth << " x " << c.windowHeight;
        EXPECT_EQ(r.height, c.expected.height) << c.windowWidth << " x " << c.windowHeight;
    }
    EXPECT_EQ(FitScene(640, 480, 0, 480).width, 0);
}

// ---- Files, folders and the log ----------------------------------------------------------------

TEST(DataFolder, InstalledShareFolderBesideTheExecutableWins) {
    const fs::path prefix = MakeTempFolder();
    fs::create_directories(prefix / "bin");
    EXPECT_EQ(FindDataFolder(prefix / "bin", "/src/data"), fs::path("/src/data"));
    fs::create_directories(prefix / "share" / "krondel");
    EXPECT_EQ(FindDataFolder(prefix / "bin", "/src/data"), (prefix / "share" / "krondel").lexically_normal());
    EXPECT_EQ(FindDataFolder(fs::path(), "/src/data"), fs::path("/src/data"));
    fs::remove_all(prefix);
}

TEST(DataFolder, RelativeNamesJoinTheFolderAbsoluteNamesStay) {
    EXPECT_EQ(ResolveDataFile("font1.fnt", "/opt/k/share/krondel"), "/opt/k/share/krondel/font1.fnt");
    EXPECT_EQ(ResolveDataFile("/tmp/x.png", "/opt/k/share/krondel"), "/tmp/x.png");
    EXPECT_FALSE(ExecutableFolder().empty());
    EXPECT_TRUE(fs::exists(ExecutableFolder() / "engine2d_test"));
}

TEST_F(EngineTest, RelativeNamesResolveAgainstTheDataFolderNotTheCurrentOne) {
    const fs::path data = folder_ / "data";
    fs::create_directories(data);
    std::ofstream(data / "font1.fnt") << "[BITMAPFONT]\nBitmap=font1.png\n";
    WriteImage(data / "Arrow.png", 29, 31, [](int, int) { return 0xFFFFFFFFu; });
    std::ofstream(folder_ / "only-here.txt") << "current folder";
    const fs::path previousData = SdlEngine::Instance().DataFolder();
    SdlEngine::Instance().SetDataFolder(data);

    std::uint32_t size = 0;
    void* text = engine_->LoadResource("font1.fnt", &size);
    ASSERT_NE(text, nullptr) << LogText();
    EXPECT_EQ(size, 30u);
    EXPECT_EQ(std::string(static_cast<const char*>(text)), "[BITMAPFONT]\nBitmap=font1.png\n"); // NUL-ended
    engine_->FreeResource(text);
    const std::uint32_t arrow = engine_->LoadTexture("Arrow.png", 0, false);
    EXPECT_EQ(engine_->TextureHeight(arrow, false), 31);
    EXPECT_EQ(engine_->LoadResource("only-here.txt", &size), nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_NE(LogText().find("RESOURCE: [only-here.txt] load failed: no such file"), std::string::npos) << LogText();
    EXPECT_EQ(engine_->LoadResource("", &size), nullptr); // the folder itself is no file
    engine_->FreeResource(nullptr);

    SdlEngine::Instance().SetDataFolder(previousData);
}

TEST_F(EngineTest, LogAppendsOneLinePerCallAfterWhatIsThere) {
    const std::string before = LogText();
    engine_->Log("first %d", 1);
    engine_->Log("second %s\n", "line");
    engine_->Log("%s", std::string(5000, 'x').c_str()); // longer than any fixed buffer
    EXPECT_EQ(LogText(), before + "first 1\nsecond line\n" + std::string(5000, 'x') + "\n");
}

// ---- Smaller copies ----------------------------------------------------------------------------

TEST(MipChain, HalvingAveragesColourByCoverage) {
    // Two transparent black texels beside two opaque white ones: half-covered white, not grey.
    const PixelImage image{2, 2, {0x00000000u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0x00000000u}};
    const PixelImage half = HalveImage(image);
    ASSERT_EQ(half.width, 1);
    ASSERT_EQ(half.height, 1);
    EXPECT_EQ(half.pixels[0], 0x80FFFFFFu);
    const PixelImage opaque{2, 2, {0xFF000000u, 0xFFFFFFFFu, 0xFF204060u, 0xFF204060u}};
    EXPECT_EQ(HalveImage(opaque).pixels[0], 0xFF506070u); // (0+255+32+32)/4 rounds to 0x50
}

TEST(MipChain, ChainHalvesDownToOnePixel) {
    const PixelImage image{8, 2, std::vector<std::uint32_t>(16, 0xFF123456u)};
    const std::vector<PixelImage> levels = BuildMipChain(image);
    ASSERT_EQ(levels.size(), 3u);
    EXPECT_EQ(levels[0].width, 4);
    EXPECT_EQ(levels[0].height, 1);
    EXPECT_EQ(levels[1].width, 2);
    EXPECT_EQ(levels[2].width, 1);
    EXPECT_EQ(levels[2].pixels, std::vector<std::uint32_t>{0xFF123456u});
    EXPECT_TRUE(BuildMipChain(PixelImage{1, 1, {0u}}).empty());
}

TEST(MipChain, LevelIsTheSmallestCopyStillAtLeastTheDrawnSize) {
    constexpr int kLevels = 10; // 512 down to 1
    EXPECT_EQ(ChooseMipLevel(512.0f / 51.2f, kLevels), 3);  // a board cell: the 64 x 64 copy
    EXPECT_EQ(ChooseMipLevel(1.0f / 0.65f, kLevels), 0);    // glyphs at 0.65: full size
    EXPECT_EQ(ChooseMipLevel(2.0000002f, kLevels), 1);
    EXPECT_EQ(ChooseMipLevel(1.9f, kLevels), 0);
    EXPECT_EQ(ChooseMipLevel(0.5f, kLevels), 0);             // magnified
    EXPECT_EQ(ChooseMipLevel(100000.0f, 4), 3);
    EXPECT_EQ(ChooseMipLevel(0.0f / 0.0f, kLevels), 0);
}
