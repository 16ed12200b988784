// krondel_main.cpp
// Start-up and shutdown. A failed Initiate skips straight to Shutdown and Release and ends with exit
// code 1 (the engine's log and standard error say why), so scripts and desktops see the failure.
// The scene resources are never freed: they live until the process ends.
#include "app/krondel_main.h"

#include "app/command_line.h"
#include "app/frame_handler.h"
#include "app/program_state.h"
#include "app/scene.h"
#include "board/board.h"

#include <cstdint>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;
constexpr int kColourDepth = 32;
constexpr int kFrameRateCap = 50;
constexpr int kFirstBoardSide = 6;
constexpr int kFirstMetalPercent = 50;

void ConfigureEngine() {
    engine->SetStringState(kStateLogFile, "vrtinela.log");
    engine->SetFuncState(kStateFrameHandler, FrameHandler);
    engine->SetFuncState(kStateRenderHandler, RenderHandler);
    engine->SetStringState(kStateWindowTitle, "Vrtinela");
    engine->SetBoolState(kStateWindowed, true);
    engine->SetIntState(kStateFrameRateCap, kFrameRateCap);
    engine->SetIntState(kStateScreenWidth, kWindowWidth);
    engine->SetIntState(kStateScreenHeight, kWindowHeight);
    engine->SetIntState(kStateColourDepth, kColourDepth);
    engine->SetBoolState(kStateUseSound, false);
}

// The reached flags need no clearing: ClearBoard has just zeroed them.
void BuildFirstBoard() {
    boardWidth = kFirstBoardSide;
    boardHeight = kFirstBoardSide;
    metalPercent = kFirstMetalPercent;
    // Calendar time in whole seconds; only the low 32 bits matter to the generator.
    SeedRandom(static_cast<std::uint32_t>(std::time(nullptr)));
    ClearBoard();
    FillMetal(metalPercent);
    ShuffleBoard();
    FloodFromRight();
    boardConducts = LeftColumnReached();
}

} // namespace

int RunKrondel() {
    if (engine == nullptr) {
        std::fputs("krondel: graficnega pogona ni mogoce ustvariti\n", stderr);
        return 1;
    }
    ConfigureEngine();
    const bool initiated = engine->Initiate();
    if (initiated) {
        CreateSceneResources();
        BuildFirstBoard();
        KeyRepeatDelay = 0.0f;
        engine->Start();
    }
    engine->Shutdown();
    engine->Release();
    return initiated ? 0 : 1;
}

int KrondelMain(int argc, char** argv) {
    const int answered = HandleCommandLine(argc, argv, stdout, stderr);
    if (answered != kStartProgram) return answered;
    engine = CreateEngine(kEngineVersion);
    return RunKrondel();
}
