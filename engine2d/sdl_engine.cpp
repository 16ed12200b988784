// sdl_engine.cpp
// The engine's operations over SDL2 and SDL2_image. Every failure is logged as
// "TAG: [subject] what: reason" and answered with the documented fallback (false, 0 or null).
#include "engine2d/sdl_engine.h"

#include "engine2d/data_folder.h"
#include "engine2d/key_map.h"
#include "engine2d/quad_drawing.h"
#include "engine2d/resource_file.h"
#include "engine2d/scene_scaling.h"
#include "engine2d/snapshot_writer.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

// The software renderer: under Xvfb it costs less CPU per frame than Mesa's OpenGL (which renders
// in software there too, on extra threads) and draws the same pixels headless and on screen. The
// SDL_RENDER_DRIVER environment variable still overrides it.
constexpr const char* kPreferredRenderer = "software";
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;
constexpr int kMaxWindowSide = 16384;
constexpr int kMaxTextureSide = 16384; // a side beyond this is refused before SDL is asked
constexpr int kDefaultFrameRateCap = 60; // when the program sets none: never spin uncapped by accident

#ifndef ENGINE2D_SOURCE_DATA_FOLDER
#error "ENGINE2D_SOURCE_DATA_FOLDER must name the source tree's data folder"
#endif

} // namespace

SdlEngine& SdlEngine::Instance() {
    // Never destroyed: holders may still call Release while the process ends.
    static SdlEngine* engine = new SdlEngine;
    return *engine;
}

const std::filesystem::path& SdlEngine::DataFolder() {
    if (dataFolder_.empty()) dataFolder_ = FindDataFolder(ExecutableFolder(), ENGINE2D_SOURCE_DATA_FOLDER);
    return dataFolder_;
}

// ---- States ------------------------------------------------------------------------------------

void SdlEngine::SetBoolState(int code, bool value) { bools_[code] = value; }
void SdlEngine::SetFuncState(int code, EngineHandler handler) { handlers_[code] = handler; }
void SdlEngine::SetIntState(int code, int value) { ints_[code] = value; }

void SdlEngine::SetStringState(int code, const char* text) {
    if (text == nullptr) {
        strings_.erase(code);
    } else {
        strings_[code] = text;
    }
    if (code == kStateLogFile) log_.SetFileName(StringState(kStateLogFile, ""));
    if (code == kStateWindowTitle && window_ != nullptr) SDL_SetWindowTitle(window_, StringState(code, "").c_str());
}

std::string SdlEngine::StringState(int code, const char* fallback) const {
    const auto found = strings_.find(code);
    return found != strings_.end() ? found->second : std::string(fallback);
}

int SdlEngine::IntState(int code, int fallback) const {
    const auto found = ints_.find(code);
    return found != ints_.end() ? found->second : fallback;
}

bool SdlEngine::BoolState(int code, bool fallback) const {
    const auto found = bools_.find(code);
    return found != bools_.end() ? found->second : fallback;
}

// ---- Log ---------------------------------------------------------------------------------------

void SdlEngine::Log(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string line = FormatText(format, args);
    va_end(args);
    log_.Write(line);
}

void SdlEngine::Fail(const char* tag, const std::string& subject, const std::string& what, const std::string& reason) {
    log_.Write(FormatText("%s: [%s] %s: %s", tag, subject.c_str(), what.c_str(), reason.c_str()));
}

// Failures that would repeat every frame are logged once per session, not 50 times a second.
void SdlEngine::FailOnce(const char* tag, const std::string& subject, const std::string& what,
                         const std::string& reason) {
    if (reportedFailures_.insert(std::string(tag) + subject + what).second) Fail(tag, subject, what, reason);
}

// A data file that does not load leaves the program running without a texture or text, which
// looks broken for no visible reason: so a person is told on standard error too, once per file.
void SdlEngine::FailToLoad(const char* tag, const std::string& fileName, const std::string& reason) {
    Fail(tag, fileName, "load failed", reason);
    if (toldMissingFiles_.insert(fileName).second) {
        const std::string notice = MissingFileNotice(program_invocation_short_name, fileName, DataFolder(), reason);
        std::fprintf(stderr, "%s\n", notice.c_str());
    }
}

bool SdlEngine::FailInitiate(const std::string& what, const std::string& reason) {
    log_.WriteAndTell(FormatText("VIDEO: [%s] %s: %s", StringState(kStateWindowTitle, "").c_str(), what.c_str(),
                                 reason.c_str()));
    Shutdown();
    return false;
}

// ---- Life cycle --------------------------------------------------------------------------------

namespace {

// When no display answers, SDL falls back to drivers that show nothing, and a person who started
// the program would be left with an invisible window that never ends. Those drivers are for tests
// and must be asked for by name.
bool ShowsAWindow(const char* driver) {
    if (driver == nullptr) return false;
    if (SDL_strcmp(driver, "offscreen") != 0 && SDL_strcmp(driver, "dummy") != 0) return true;
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    return asked != nullptr && SDL_strstr(asked, driver) != nullptr;
}

} // namespace

bool SdlEngine::Initiate() {
    if (renderer_ != nullptr) return true;
    const int width = IntState(kStateScreenWidth, kDefaultWidth);
    const int height = IntState(kStateScreenHeight, kDefaultHeight);
    if (width <= 0 || height <= 0 || width > kMaxWindowSide || height > kMaxWindowSide) {
        return FailInitiate("window size refused", FormatText("%d x %d pixels", width, height));
    }
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, kPreferredRenderer);
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1"); // naming a driver would otherwise switch batching off
    // The window's own framebuffer (shared memory under X11), not one emulated through OpenGL: SDL
    // would otherwise load OpenGL just to probe it, and under Xvfb that is software GL anyway.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return FailInitiate("video start failed", SDL_GetError());
    sdlStarted_ = true;
    if (!ShowsAWindow(SDL_GetCurrentVideoDriver())) {
        return FailInitiate("no display", "no window system answered (is DISPLAY set?); "
                                          "SDL_VIDEODRIVER=offscreen runs without a window on purpose");
    }
    const int formats = IMG_INIT_PNG | IMG_INIT_JPG;
    if ((IMG_Init(formats) & formats) != formats) {
        Fail("TEXTURE", "PNG/JPEG", "decoder start failed", IMG_GetError()); // loads will say why too
    }
    const Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE |
                         (BoolState(kStateWindowed, true) ? 0u : Uint32{SDL_WINDOW_FULLSCREEN_DESKTOP});
    window_ = SDL_CreateWindow(StringState(kStateWindowTitle, "").c_str(), SDL_WINDOWPOS_CENTERED,
                               SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (window_ == nullptr) return FailInitiate("window creation failed", SDL_GetError());
    SetWindowIcon(); // at once, so that whoever finds the window finds its icon too
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_ == nullptr) return FailInitiate("renderer creation failed", SDL_GetError());
    if (!CreateScene(width, height)) return FailInitiate("scene target refused", SDL_GetError());
    SDL_ShowCursor(SDL_DISABLE); // the program draws its own cursor
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer_, &info);
    log_.Write(FormatText("VIDEO: [%s] %d x %d window, %s renderer, %s video", StringState(kStateWindowTitle, "").c_str(),
                          width, height, info.name != nullptr ? info.name : "?", SDL_GetCurrentVideoDriver()));
    // Says where the data files come from: the installed share folder or the source tree.
    log_.Write(FormatText("DATA: [%s] data folder", DataFolder().string().c_str()));
    return true;
}

// In a window of any other size than the one it asked for, the program draws into a texture of its
// own size: its coordinates, pixels and snapshots stay those of that size, and the finished frame is
// scaled once, with linear filtering, when it is shown. The texture takes the window's own pixel
// format, so that blending into it gives the very pixels that blending into the window would.
bool SdlEngine::CreateScene(int width, int height) {
    Uint32 format = SDL_GetWindowPixelFormat(window_);
    if (format == SDL_PIXELFORMAT_UNKNOWN || SDL_ISPIXELFORMAT_INDEXED(format) || SDL_BYTESPERPIXEL(format) != 4) {
        format = SDL_PIXELFORMAT_ARGB8888;
    }
    scene_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_TARGET, width, height);
    if (scene_ == nullptr && format != SDL_PIXELFORMAT_ARGB8888) {
        scene_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
    }
    if (scene_ == nullptr) return false;
    sceneWidth_ = width;
    sceneHeight_ = height;
    SDL_SetTextureBlendMode(scene_, SDL_BLENDMODE_NONE); // the frame replaces what the window showed
    SDL_SetTextureScaleMode(scene_, SDL_ScaleModeLinear);
    return ChooseTarget();
}

// A window of exactly the scene's size is drawn into directly: copying the frame into it would cost
// a frame's worth of memory traffic for the very same pixels. Decided at the start of each frame,
// after the window's events, so a frame is never begun for one size and shown in another.
bool SdlEngine::ChooseTarget() {
    if (SDL_SetRenderTarget(renderer_, nullptr) != 0) return false;
    int width = 0, height = 0;
    SDL_GetRendererOutputSize(renderer_, &width, &height);
    drawingDirect_ = width == sceneWidth_ && height == sceneHeight_;
    return drawingDirect_ || SDL_SetRenderTarget(renderer_, scene_) == 0;
}

// The window's icon is the program's own picture in its data folder, <program>.png, when there is
// one; without it the window system shows its default icon, which is no reason to fail.
void SdlEngine::SetWindowIcon() {
    const std::string name = std::string(program_invocation_short_name) + ".png";
    SDL_Surface* icon = IMG_Load(ResolveDataFile(name, DataFolder()).c_str());
    if (icon == nullptr) {
        log_.Write(FormatText("ICON: [%s] no window icon: %s", name.c_str(), IMG_GetError()));
        return;
    }
    SDL_SetWindowIcon(window_, icon);
    SDL_FreeSurface(icon);
}

void SdlEngine::Shutdown() {
    textures_.FreeAll();
    if (scene_ != nullptr) SDL_DestroyTexture(scene_);
    scene_ = nullptr;
    sceneWidth_ = sceneHeight_ = 0;
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    renderer_ = nullptr;
    window_ = nullptr;
    if (sdlStarted_) {
        IMG_Quit();
        SDL_Quit();
        sdlStarted_ = false;
    }
    keyboard_ = KeyboardState{};
    mouseButtons_ = KeyboardState{};
    mouseX_ = mouseY_ = 0.0f;
    inScene_ = false;
    snapshotPending_ = false;
    reportedFailures_.clear();
}

void SdlEngine::Release() {
    if (holders_ > 0) --holders_;
}

bool SdlEngine::Ready(const char* operation) {
    if (renderer_ != nullptr) return true;
    Fail("ENGINE", operation, "refused", "Initiate has not succeeded");
    return false;
}

// ---- Frame loop and input ----------------------------------------------------------------------

void SdlEngine::Start() {
    if (!Ready("Start")) return;
    pacer_.Begin(IntState(kStateFrameRateCap, kDefaultFrameRateCap));
    for (;;) {
        keyboard_.BeginFrame();
        mouseButtons_.BeginFrame();
        if (!HandleEvents()) return; // the window was closed: end as the program's own exit key does
        pacer_.StartFrame();
        const auto frame = handlers_.find(kStateFrameHandler);
        if (frame != handlers_.end() && frame->second != nullptr && frame->second()) return;
        const auto render = handlers_.find(kStateRenderHandler);
        if (render != handlers_.end() && render->second != nullptr) render->second();
        pacer_.WaitForNextFrame();
    }
}

bool SdlEngine::HandleEvents() {
    bool closed = false;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) HandleEvent(event, &closed);
    return !closed;
}

void SdlEngine::HandleEvent(const SDL_Event& event, bool* closed) {
    switch (event.type) {
    case SDL_QUIT: *closed = true; break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) *closed = true;
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
            keyboard_.ReleaseAll();
            mouseButtons_.ReleaseAll();
        }
        break;
    case SDL_KEYDOWN:
        // Full screen is the engine's own business, like the window's close button.
        if (event.key.keysym.sym == SDLK_F11 && event.key.repeat == 0) ToggleFullScreen();
        keyboard_.Press(event.key.keysym.sym, event.key.repeat != 0);
        break;
    case SDL_KEYUP: keyboard_.Release(event.key.keysym.sym); break;
    case SDL_MOUSEMOTION:
        mouseX_ = static_cast<float>(event.motion.x);
        mouseY_ = static_cast<float>(event.motion.y);
        break;
    // A click is where the button went down, even when no motion was reported before it.
    case SDL_MOUSEBUTTONDOWN:
        mouseX_ = static_cast<float>(event.button.x);
        mouseY_ = static_cast<float>(event.button.y);
        mouseButtons_.Press(event.button.button, false);
        break;
    case SDL_MOUSEBUTTONUP:
        mouseX_ = static_cast<float>(event.button.x);
        mouseY_ = static_cast<float>(event.button.y);
        mouseButtons_.Release(event.button.button);
        break;
    default: break;
    }
}

float SdlEngine::FrameDelta() { return pacer_.LastDelta(); }

// Mapped when asked, through the window's size now: a window resized after the last motion still
// gives the cell under the pointer.
void SdlEngine::MousePosition(float* x, float* y) {
    float sceneX = mouseX_;
    float sceneY = mouseY_;
    if (window_ != nullptr) {
        int width = 0, height = 0;
        SDL_GetWindowSize(window_, &width, &height);
        WindowToScene(FitScene(width, height, sceneWidth_, sceneHeight_), sceneWidth_, sceneHeight_, mouseX_, mouseY_,
                      &sceneX, &sceneY);
    }
    if (x != nullptr) *x = sceneX;
    if (y != nullptr) *y = sceneY;
}

void SdlEngine::ToggleFullScreen() {
    const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
    if (SDL_SetWindowFullscreen(window_, full ? 0u : Uint32{SDL_WINDOW_FULLSCREEN_DESKTOP}) != 0) {
        Fail("VIDEO", StringState(kStateWindowTitle, ""), full ? "leaving full screen failed" : "full screen failed",
             SDL_GetError());
    }
}

bool SdlEngine::KeyState(int virtualKey) {
    const int button = MouseButtonForVirtualKey(virtualKey);
    if (button != 0) return mouseButtons_.IsDown(button);
    const KeycodeList keys = KeycodesForVirtualKey(virtualKey);
    for (int i = 0; i < keys.count; ++i) {
        if (keyboard_.IsDown(keys.codes[i])) return true;
    }
    return false;
}

// ---- Drawing -----------------------------------------------------------------------------------

bool SdlEngine::BeginScene(std::uint32_t target) {
    if (!Ready("BeginScene")) return false;
    if (target != 0) {
        Fail("RENDER", FormatText("target %u", target), "scene refused", "only the screen (0) can be drawn to");
        return false;
    }
    if (!ChooseTarget()) FailOnce("RENDER", "frame", "scene target refused", SDL_GetError());
    inScene_ = true;
    return true;
}

bool SdlEngine::EndScene() {
    if (!Ready("EndScene")) return false;
    if (snapshotPending_) WritePendingSnapshot();
    PresentScene();
    inScene_ = false;
    return true;
}

// The bars are cleared only when there are any: a window of the scene's shape is covered whole.
void SdlEngine::PresentScene() {
    if (drawingDirect_) {
        SDL_RenderPresent(renderer_);
        return;
    }
    if (SDL_SetRenderTarget(renderer_, nullptr) != 0) {
        FailOnce("RENDER", "frame", "window target refused", SDL_GetError());
        return;
    }
    int width = 0, height = 0;
    SDL_GetRendererOutputSize(renderer_, &width, &height);
    const ScreenRect shown = FitScene(width, height, sceneWidth_, sceneHeight_);
    if (shown.width != width || shown.height != height) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, SDL_ALPHA_OPAQUE);
        SDL_RenderClear(renderer_);
    }
    const SDL_Rect where{shown.x, shown.y, shown.width, shown.height};
    if (shown.width > 0 && SDL_RenderCopy(renderer_, scene_, nullptr, &where) != 0) {
        FailOnce("RENDER", "frame", "scaled copy failed", SDL_GetError());
    }
    SDL_RenderPresent(renderer_);
}

bool SdlEngine::Clear(std::uint32_t argb) {
    if (renderer_ == nullptr) return false;
    SDL_SetRenderDrawColor(renderer_, static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8),
                           static_cast<Uint8>(argb), static_cast<Uint8>(argb >> 24));
    if (SDL_RenderClear(renderer_) == 0) return true;
    FailOnce("RENDER", "frame", "clear failed", SDL_GetError());
    return false;
}

bool SdlEngine::RenderQuad(const Quad* quad) {
    if (renderer_ == nullptr || quad == nullptr) return false;
    const LoadedTexture* texture = nullptr;
    if (quad->texture != 0) {
        texture = textures_.Find(quad->texture);
        if (texture == nullptr) { // a freed or foreign handle: nothing sensible to draw
            FailOnce("RENDER", FormatText("texture %u", quad->texture), "quad not drawn", "no such texture");
            return false;
        }
    }
    if (DrawQuad(renderer_, *quad, texture)) return true;
    FailOnce("RENDER", "quad", "draw failed", SDL_GetError());
    return false;
}

// ---- Snapshots ---------------------------------------------------------------------------------

// Outside a scene the back buffer holds nothing reliable (it is undefined after a present), so the
// picture is taken of the next finished frame, just before it is shown.
bool SdlEngine::Snapshot(const char* fileName) {
    if (!Ready("Snapshot")) return false;
    snapshotPending_ = true;
    snapshotNamed_ = fileName != nullptr;
    snapshotName_ = fileName != nullptr ? fileName : "";
    if (inScene_) return WritePendingSnapshot();
    return true;
}

bool SdlEngine::WritePendingSnapshot() {
    snapshotPending_ = false;
    std::string written;
    std::string error;
    if (!WriteSnapshot(renderer_, snapshotNamed_ ? snapshotName_.c_str() : nullptr, &written, &error)) {
        Fail("SNAPSHOT", written.empty() ? std::string("(new name)") : written, "write failed", error);
        return false;
    }
    log_.Write(FormatText("SNAPSHOT: [%s] written", written.c_str()));
    return true;
}

// ---- Files and textures ------------------------------------------------------------------------

void* SdlEngine::LoadResource(const char* fileName, std::uint32_t* size) {
    if (size != nullptr) *size = 0;
    if (fileName == nullptr) return nullptr;
    std::string error;
    void* data = ReadWholeFile(ResolveDataFile(fileName, DataFolder()), size, &error);
    if (data == nullptr) FailToLoad("RESOURCE", fileName, error);
    return data;
}

void SdlEngine::FreeResource(void* data) { std::free(data); }

std::uint32_t SdlEngine::LoadTexture(const char* fileName, int size, bool) {
    const std::string name = fileName != nullptr ? fileName : "(null)";
    if (fileName == nullptr) {
        FailToLoad("TEXTURE", name, "no file name");
        return 0;
    }
    if (renderer_ == nullptr) {
        FailToLoad("TEXTURE", name, "Initiate has not succeeded");
        return 0;
    }
    if (size != 0) {
        FailToLoad("TEXTURE", name, "only files can be loaded (size must be 0)");
        return 0;
    }
    const std::string path = ResolveDataFile(fileName, DataFolder());
    SDL_Surface* image = IMG_Load(path.c_str());
    if (image == nullptr) {
        FailToLoad("TEXTURE", name, IMG_GetError());
        return 0;
    }
    std::string error;
    const std::uint32_t handle = textures_.Add(renderer_, image, &error);
    SDL_FreeSurface(image);
    if (handle == 0) FailToLoad("TEXTURE", name, error);
    return handle;
}

void SdlEngine::FreeTexture(std::uint32_t texture) { textures_.Free(texture); }

int SdlEngine::TextureWidth(std::uint32_t texture, bool) {
    const LoadedTexture* found = textures_.Find(texture);
    return found != nullptr ? found->width : 0;
}

int SdlEngine::TextureHeight(std::uint32_t texture, bool) {
    const LoadedTexture* found = textures_.Find(texture);
    return found != nullptr ? found->height : 0;
}

// Pixels made by the program, not read from a file: a failure goes to the log only, since there is
// no data file for a person to put back.
std::uint32_t SdlEngine::CreateTexture(int width, int height, const std::uint32_t* argbPixels) {
    const std::string name = FormatText("pixels %d x %d", width, height);
    std::string error;
    if (renderer_ == nullptr) {
        error = "Initiate has not succeeded";
    } else if (width <= 0 || height <= 0 || width > kMaxTextureSide || height > kMaxTextureSide) {
        error = FormatText("size out of range (1 to %d pixels a side)", kMaxTextureSide);
    } else if (argbPixels == nullptr) {
        error = "no pixels";
    } else {
        const std::uint32_t handle = textures_.AddPixels(renderer_, width, height, argbPixels, &error);
        if (handle != 0) return handle;
    }
    Fail("TEXTURE", name, "create failed", error);
    return 0;
}

bool SdlEngine::UpdateTexture(std::uint32_t texture, const std::uint32_t* argbPixels) {
    std::string error = "no pixels";
    if (argbPixels != nullptr && textures_.Replace(texture, argbPixels, &error)) return true;
    FailOnce("TEXTURE", FormatText("texture %u", texture), "update failed", error);
    return false;
}
