// sdl_engine.h
// The engine over SDL2: window, frame loop, input, textures, quads, snapshots and log. One object
// per process (see CreateEngine). The program draws a scene of the size it set, which is shown
// scaled to the window, however large, and F11 switches full screen. Limits: one window;
// BeginScene draws only to the screen (target 0); z, colour depth and sound settings are accepted
// and not used.
#pragma once

#include "app/engine_interface.h"
#include "engine2d/engine_log.h"
#include "engine2d/frame_pacer.h"
#include "engine2d/keyboard_state.h"
#include "engine2d/texture_store.h"

#include <filesystem>
#include <map>
#include <set>
#include <string>

struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Window;
union SDL_Event;

class SdlEngine final : public EngineInterface {
public:
    static SdlEngine& Instance();

    // Holders: CreateEngine adds one, Release drops one.
    void AddHolder() { ++holders_; }
    int Holders() const { return holders_; }
    SDL_Renderer* Renderer() const { return renderer_; }
    SDL_Window* Window() const { return window_; }
    // The folder relative data file names resolve against.
    const std::filesystem::path& DataFolder();
    void SetDataFolder(std::filesystem::path folder) { dataFolder_ = std::move(folder); }

    // Handles the queued window and input events; false when the window was closed.
    bool HandleEvents();

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
    SdlEngine() = default;
    ~SdlEngine() = default;
    void HandleEvent(const SDL_Event& event, bool* closed);
    void Fail(const char* tag, const std::string& subject, const std::string& what, const std::string& reason);
    void FailOnce(const char* tag, const std::string& subject, const std::string& what, const std::string& reason);
    void SetWindowIcon();
    void FailToLoad(const char* tag, const std::string& fileName, const std::string& reason);
    bool FailInitiate(const std::string& what, const std::string& reason);
    bool WritePendingSnapshot();
    bool CreateScene(int width, int height);
    bool ChooseTarget();
    void PresentScene();
    void ToggleFullScreen();
    bool Ready(const char* operation);
    std::string StringState(int code, const char* fallback) const;
    int IntState(int code, int fallback) const;
    bool BoolState(int code, bool fallback) const;

    int holders_ = 0;
    std::map<int, std::string> strings_;
    std::map<int, int> ints_;
    std::map<int, bool> bools_;
    std::map<int, EngineHandler> handlers_;
    EngineLog log_;
    std::filesystem::path dataFolder_;
    bool sdlStarted_ = false;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    TextureStore textures_;
    SDL_Texture* scene_ = nullptr; // what the program draws into, at the size it asked for
    bool drawingDirect_ = false;   // this frame goes straight into a window of the scene's size
    int sceneWidth_ = 0;
    int sceneHeight_ = 0;
    KeyboardState keyboard_;
    KeyboardState mouseButtons_;
    FramePacer pacer_;
    float mouseX_ = 0.0f; // window pixels; MousePosition maps them into the scene
    float mouseY_ = 0.0f;
    bool inScene_ = false;
    bool snapshotPending_ = false;
    bool snapshotNamed_ = false;
    std::string snapshotName_;
    std::set<std::string> reportedFailures_;
    std::set<std::string> toldMissingFiles_;
};
