// recording_engine.cpp
// The recording fake engine; also the CreateEngine of every unit-test binary that links it.
#include "tests/support/recording_engine.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

RecordingEngine& RecordingEngine::Instance() {
    static RecordingEngine engine;
    return engine;
}

EngineInterface* CreateEngine(int version) {
    RecordingEngine& engine = RecordingEngine::Instance();
    engine.createVersions.push_back(version);
    ++engine.holders;
    return &engine;
}

void RecordingEngine::Reset() {
    files.clear();
    textureFiles.clear();
    initiateResult = true;
    heldKeys.clear();
    tappedKeys.clear();
    keyScript.clear();
    frameDelta = 0.02f;
    mouseX = mouseY = 0.0f;
    maxFrames = 1000;
    calls.clear();
    quads.clear();
    keyQueries.clear();
    logLines.clear();
    createVersions.clear();
    holders = 0;
    framesRun = 0;
    snapshots = 0;
    boolStates.clear();
    intStates.clear();
    stringStates.clear();
    handlers.clear();
    loadedTextures.clear();
    freedTextures.clear();
    madeTextures.clear();
    outstandingResources = 0;
    nextTexture_ = 1;
}

int RecordingEngine::CountCalls(const std::string& prefix) const {
    int count = 0;
    for (const std::string& call : calls) {
        if (call.compare(0, prefix.size(), prefix) == 0) ++count;
    }
    return count;
}

std::uint32_t RecordingEngine::TextureNamed(const std::string& fileName) const {
    for (const auto& [handle, name] : loadedTextures) {
        if (name == fileName) return handle;
    }
    return 0;
}

void RecordingEngine::Release() {
    calls.push_back("Release");
    --holders;
}

bool RecordingEngine::Initiate() {
    calls.push_back("Initiate");
    return initiateResult;
}

void RecordingEngine::Shutdown() { calls.push_back("Shutdown"); }

void RecordingEngine::Start() {
    calls.push_back("Start");
    const EngineHandler frame = handlers.count(kStateFrameHandler) ? handlers[kStateFrameHandler] : nullptr;
    const EngineHandler render = handlers.count(kStateRenderHandler) ? handlers[kStateRenderHandler] : nullptr;
    for (framesRun = 0; framesRun < maxFrames;) {
        if (!keyScript.empty()) {
            heldKeys = framesRun < static_cast<int>(keyScript.size()) ? keyScript[framesRun] : std::set<int>{};
        }
        ++framesRun;
        if (frame != nullptr && frame()) return;
        if (render != nullptr) render();
    }
}

void RecordingEngine::Log(const char* format, ...) {
    char line[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    logLines.emplace_back(line);
    calls.push_back(std::string("Log ") + line);
}

bool RecordingEngine::Snapshot(const char* fileName) {
    calls.push_back(std::string("Snapshot ") + (fileName != nullptr ? fileName : "(null)"));
    ++snapshots;
    return true;
}

void RecordingEngine::SetBoolState(int code, bool value) {
    calls.push_back("SetBoolState " + std::to_string(code) + (value ? " true" : " false"));
    boolStates[code] = value;
}

void RecordingEngine::SetFuncState(int code, EngineHandler handler) {
    calls.push_back("SetFuncState " + std::to_string(code));
    handlers[code] = handler;
}

void RecordingEngine::SetIntState(int code, int value) {
    calls.push_back("SetIntState " + std::to_string(code) + " " + std::to_string(value));
    intStates[code] = value;
}

void RecordingEngine::SetStringState(int code, const char* text) {
    calls.push_back("SetStringState " + std::to_string(code) + " " + text);
    stringStates[code] = text;
}

void* RecordingEngine::LoadResource(const char* fileName, std::uint32_t* size) {
    calls.push_back(std::string("LoadResource ") + fileName);
    const auto found = files.find(fileName);
    if (found == files.end()) return nullptr;
    // malloc(0) may return null, which would look like a failed load: always ask for one byte more.
    void* data = std::malloc(found->second.size() + 1);
    std::memcpy(data, found->second.data(), found->second.size());
    if (size != nullptr) *size = static_cast<std::uint32_t>(found->second.size());
    ++outstandingResources;
    return data;
}

void RecordingEngine::FreeResource(void* data) {
    calls.push_back("FreeResource");
    if (data != nullptr) --outstandingResources;
    std::free(data);
}

float RecordingEngine::FrameDelta() {
    calls.push_back("FrameDelta");
    return frameDelta;
}

void RecordingEngine::MousePosition(float* x, float* y) {
    calls.push_back("MousePosition");
    *x = mouseX;
    *y = mouseY;
}

bool RecordingEngine::KeyState(int virtualKey) {
    keyQueries.push_back(virtualKey);
    const bool tapped = tappedKeys.erase(virtualKey) != 0;
    return tapped || heldKeys.count(virtualKey) != 0;
}

bool RecordingEngine::BeginScene(std::uint32_t target) {
    calls.push_back("BeginScene " + std::to_string(target));
    return true;
}

bool RecordingEngine::EndScene() {
    calls.push_back("EndScene");
    return true;
}

bool RecordingEngine::Clear(std::uint32_t argb) {
    calls.push_back("Clear " + std::to_string(argb));
    return true;
}

bool RecordingEngine::RenderQuad(const Quad* quad) {
    calls.push_back("RenderQuad");
    quads.push_back(*quad);
    return true;
}

std::uint32_t RecordingEngine::LoadTexture(const char* fileName, int size, bool mipmap) {
    calls.push_back(std::string("LoadTexture ") + fileName + " " + std::to_string(size) + (mipmap ? " true" : " false"));
    if (textureFiles.count(fileName) == 0) return 0;
    const std::uint32_t handle = nextTexture_++;
    loadedTextures[handle] = fileName;
    return handle;
}

void RecordingEngine::FreeTexture(std::uint32_t texture) {
    calls.push_back("FreeTexture " + std::to_string(texture));
    freedTextures.push_back(texture);
    loadedTextures.erase(texture);
    madeTextures.erase(texture);
}

const FakeTexture* RecordingEngine::Find(std::uint32_t texture) const {
    const auto made = madeTextures.find(texture);
    if (made != madeTextures.end()) return &made->second;
    const auto handle = loadedTextures.find(texture);
    if (handle == loadedTextures.end()) return nullptr;
    const auto info = textureFiles.find(handle->second);
    return info == textureFiles.end() ? nullptr : &info->second;
}

int RecordingEngine::TextureWidth(std::uint32_t texture, bool original) {
    calls.push_back("TextureWidth " + std::to_string(texture) + (original ? " true" : " false"));
    const FakeTexture* info = Find(texture);
    return info != nullptr ? info->width : 0;
}

int RecordingEngine::TextureHeight(std::uint32_t texture, bool original) {
    calls.push_back("TextureHeight " + std::to_string(texture) + (original ? " true" : " false"));
    const FakeTexture* info = Find(texture);
    return info != nullptr ? info->height : 0;
}

std::uint32_t RecordingEngine::CreateTexture(int width, int height, const std::uint32_t* argbPixels) {
    calls.push_back("CreateTexture " + std::to_string(width) + " " + std::to_string(height));
    if (width <= 0 || height <= 0 || argbPixels == nullptr) return 0;
    madeTextures[nextTexture_] = {{width, height}, {argbPixels, argbPixels + std::size_t(width) * std::size_t(height)}};
    return nextTexture_++;
}

bool RecordingEngine::UpdateTexture(std::uint32_t texture, const std::uint32_t* argbPixels) {
    calls.push_back("UpdateTexture " + std::to_string(texture));
    const auto made = madeTextures.find(texture);
    if (made == madeTextures.end() || argbPixels == nullptr) return false;
    made->second.pixels.assign(argbPixels, argbPixels + made->second.pixels.size());
    return true;
}
