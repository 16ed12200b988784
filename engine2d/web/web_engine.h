// web_engine.h
// The engine in the browser, over Emscripten's HTML5 and WebGL interfaces: the page's canvas, the
// frame loop as Emscripten's main loop, keys and mouse from the page, textures decoded by
// stb_image, snapshots as downloads and the log in the browser's console. One object per page.
// Limits: one canvas ("#canvas"); BeginScene draws only to the screen (target 0); the log file name,
// z, colour depth and sound settings are accepted and not used; a snapshot is always a PNG file,
// named as asked or snapshot-0001.png, ... counted from the page's start. Start does not return:
// when the frame handler ends the loop the engine shuts itself down and tells the page, since the
// browser has unwound the program's own call by then.
#pragma once

#include "app/engine_interface.h"
#include "engine2d/frame_pacer.h"
#include "engine2d/keyboard_state.h"
#include "engine2d/web/web_renderer.h"

#include <map>
#include <set>
#include <string>
#include <vector>

struct EmscriptenKeyboardEvent;
struct EmscriptenMouseEvent;
struct EmscriptenFocusEvent;
struct EmscriptenUiEvent;

class WebEngine final : public EngineInterface {
public:
    static WebEngine& Instance();
    void AddHolder() { ++holders_; }

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
    struct Texture {
        int width = 0;
        int height = 0;
        std::vector<unsigned> levels; // full size first, each next half the one before
    };

    WebEngine() = default;
    static void RunFrame(void* self);
    static int OnKey(int type, const EmscriptenKeyboardEvent* event, void* self);
    static int OnMouse(int type, const EmscriptenMouseEvent* event, void* self);
    static int OnBlur(int type, const EmscriptenFocusEvent* event, void* self);
    static int OnResize(int type, const EmscriptenUiEvent* event, void* self);
    void FitCanvas();
    bool Ready(const char* operation);
    void Fail(const char* tag, const std::string& subject, const std::string& what, const std::string& reason);
    void FailOnce(const char* tag, const std::string& subject, const std::string& what, const std::string& reason);
    void FailToLoad(const char* tag, const std::string& fileName, const std::string& reason);
    bool FailInitiate(const std::string& what, const std::string& reason);
    std::uint32_t AddTexture(const PixelImage& image, bool withSmallerCopies, std::string* error);
    void WritePendingSnapshot();
    std::string Title() const;
    int IntState(int code, int fallback) const;

    int holders_ = 0;
    std::map<int, std::string> strings_;
    std::map<int, int> ints_;
    std::map<int, EngineHandler> handlers_;
    int context_ = 0; // the WebGL context's handle, 0 before Initiate
    WebRenderer renderer_;
    int sceneWidth_ = 0;
    int sceneHeight_ = 0;
    int canvasWidth_ = 0; // the canvas's own pixels
    int canvasHeight_ = 0;
    std::map<std::uint32_t, Texture> textures_;
    std::uint32_t nextTexture_ = 1;
    KeyboardState keyboard_;     // DOM key codes
    KeyboardState mouseButtons_; // DOM button numbers
    float mouseX_ = 0.0f;        // canvas pixels
    float mouseY_ = 0.0f;
    FramePacer pacer_;
    bool inScene_ = false;
    bool snapshotPending_ = false;
    std::string snapshotName_;   // empty: the next picked name
    int snapshotsPicked_ = 0;
    bool pageTold_ = false;
    std::set<std::string> reportedFailures_;
    std::set<std::string> toldMissingFiles_;
};
