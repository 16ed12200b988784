// recording_engine.h
// A stand-in engine for unit tests: it records every call and every Quad, and answers from what the
// test scripted (files, textures, held keys, frame times). It draws nothing. One object per test
// process, like the real engine: CreateEngine returns it, Reset() clears it between tests.
#pragma once

#include "app/engine_interface.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

struct FakeTexture {
    int width;
    int height;
};

// A texture the program made from pixels, with the pixels it last handed over.
struct MadeTexture : FakeTexture {
    std::vector<std::uint32_t> pixels;
};

class RecordingEngine final : public EngineInterface {
public:
    static RecordingEngine& Instance();

    // Forgets all scripting and recording; holders and counters go back to 0.
    void Reset();

    // ---- What the test scripts -------------------------------------------------------------
    std::map<std::string, std::string> files;       // LoadResource answers from here
    std::map<std::string, FakeTexture> textureFiles; // LoadTexture succeeds for these names only
    bool initiateResult = true;
    std::set<int> heldKeys;         // KeyState answers from here
    std::set<int> tappedKeys;       // down until KeyState has asked about them once, like a real tap
    std::vector<std::set<int>> keyScript; // during Start: keys held in frame k (none after the end)
    float frameDelta = 0.02f;       // FrameDelta answers this
    float mouseX = 0.0f;
    float mouseY = 0.0f;
    int maxFrames = 1000;           // Start gives up after this many frames

    // ---- What the engine saw -----------------------------------------------------------------
    // One line per call except KeyState, e.g. "SetIntState 23 50" or "TextureWidth 3 false".
    std::vector<std::string> calls;
    std::vector<Quad> quads;           // every quad handed to RenderQuad, in order
    std::vector<int> keyQueries;       // every KeyState argument, in order
    std::vector<std::string> logLines; // formatted Log lines
    std::vector<int> createVersions;   // the version of every CreateEngine call
    int holders = 0;                   // CreateEngine calls minus Release calls
    int framesRun = 0;                 // frames that Start ran
    int snapshots = 0;
    std::map<int, bool> boolStates;
    std::map<int, int> intStates;
    std::map<int, std::string> stringStates;
    std::map<int, EngineHandler> handlers;
    std::map<std::uint32_t, std::string> loadedTextures; // live handles and their file names
    std::vector<std::uint32_t> freedTextures;
    std::map<std::uint32_t, MadeTexture> madeTextures; // live CreateTexture handles
    int outstandingResources = 0;      // LoadResource buffers not yet freed

    // Lines of `calls` that begin with `prefix`.
    int CountCalls(const std::string& prefix) const;
    // Handle of a live texture loaded from `fileName`, 0 when there is none.
    std::uint32_t TextureNamed(const std::string& fileName) const;

    // ---- EngineInterface ---------------------------------------------------------------------
    void Release() override;
    bool Initiate() override;
    void Shutdown() override;
    void Start() override;
    [[gnu::format(printf, 2, 3)]] void Log(const char* format, ...) override;
    bool Snapshot(const char* fileName) override;
    void SetBoolState(int code, bool value) override;
    void SetFuncState(int code, EngineHandler handler) override;
    void SetIntState(int code, int value) override;
    void SetStringState(int code, const char* text) override;
    void* LoadResource(const char* fileName, std::uint32_t* size) override;
    void FreeResource(void* data) override;
    float FrameDelta() override;
    void MousePosition(float* x, float* y) override;
    bool KeyState(int virtualKey) override;
    bool BeginScene(std::uint32_t target) override;
    bool EndScene() override;
    bool Clear(std::uint32_t argb) override;
    bool RenderQuad(const Quad* quad) override;
    std::uint32_t LoadTexture(const char* fileName, int size, bool mipmap) override;
    void FreeTexture(std::uint32_t texture) override;
    int TextureWidth(std::uint32_t texture, bool original) override;
    int TextureHeight(std::uint32_t texture, bool original) override;
    std::uint32_t CreateTexture(int width, int height, const std::uint32_t* argbPixels) override;
    bool UpdateTexture(std::uint32_t texture, const std::uint32_t* argbPixels) override;

private:
    RecordingEngine() = default;
    const FakeTexture* Find(std::uint32_t texture) const;
    std::uint32_t nextTexture_ = 1;
};
