// web_engine.cpp
// The engine's operations in the browser. Failures are logged as "TAG: [subject] what: reason" and
// answered with the same fallbacks as on the desktop (false, 0 or null); a data file that does not
// load is also told once on standard error, which the page shows in the console too.
#include "engine2d/web/web_engine.h"

#include "engine2d/data_folder.h"
#include "engine2d/engine_log.h"
#include "engine2d/resource_file.h"
#include "engine2d/scene_scaling.h"
#include "engine2d/web/web_image_files.h"
#include "engine2d/web/web_key_map.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* kCanvas = "#canvas";
constexpr const char* kDataFolder = "/data"; // where the page's data files are preloaded
constexpr const char* kProgram = "krondel";
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;
constexpr int kMaxSide = 16384;
constexpr int kDefaultFrameRateCap = 60;

// The page shows its own line when the program ends, and counts frames for whoever watches.
EM_JS(void, TellPageEnded, (), { if (Module.krondelEnded) Module.krondelEnded(); });
EM_JS(void, CountFrameForPage, (), {
    Module.krondelFrames = (Module.krondelFrames || 0) + 1;
    if (Module.krondelFrames == 1) Module.krondelFirstFrameAt = performance.now(); // since the page began to load
});

// A download of the bytes under the name, as a browser saves a file.
EM_JS(void, DownloadFile, (const char* name, const unsigned char* bytes, int size), {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([HEAPU8.slice(bytes, bytes + size)], {type : 'image/png'}));
    link.download = UTF8ToString(name);
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
});

// Within a key's own event, which is what the browser asks of a page that goes full screen.
EM_JS(void, ToggleFullScreen, (const char* title), {
    const said = UTF8ToString(title);
    const failed = (what) => (error) => console.log('VIDEO: [' + said + '] ' + what + ': ' + error);
    if (document.fullscreenElement) {
        document.exitFullscreen().catch(failed('leaving full screen failed'));
    } else {
        document.documentElement.requestFullscreen().catch(failed('full screen failed'));
    }
});

} // namespace

WebEngine& WebEngine::Instance() {
    static WebEngine* engine = new WebEngine; // never destroyed, as on the desktop
    return *engine;
}

EngineInterface* CreateEngine(int version) {
    if (version != kEngineVersion) {
        std::fprintf(stderr, "ENGINE: interface version 0x%X requested, this engine is 0x%X\n",
                     static_cast<unsigned>(version), static_cast<unsigned>(kEngineVersion));
        return nullptr;
    }
    WebEngine& engine = WebEngine::Instance();
    engine.AddHolder();
    return &engine;
}

// ---- States and log ----------------------------------------------------------------------------

void WebEngine::SetBoolState(int, bool) {}
void WebEngine::SetFuncState(int code, EngineHandler handler) { handlers_[code] = handler; }
void WebEngine::SetIntState(int code, int value) { ints_[code] = value; }

void WebEngine::SetStringState(int code, const char* text) {
    if (text == nullptr) {
        strings_.erase(code);
    } else {
        strings_[code] = text;
    }
    if (code == kStateWindowTitle && context_ != 0) emscripten_set_window_title(Title().c_str());
}

std::string WebEngine::Title() const {
    const auto found = strings_.find(kStateWindowTitle);
    return found != strings_.end() ? found->second : std::string();
}

int WebEngine::IntState(int code, int fallback) const {
    const auto found = ints_.find(code);
    return found != ints_.end() ? found->second : fallback;
}

// The page has no files a person could open, so every line goes to the console.
void WebEngine::Log(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string line = FormatText(format, args);
    va_end(args);
    std::printf("%s\n", line.c_str());
}

void WebEngine::Fail(const char* tag, const std::string& subject, const std::string& what, const std::string& reason) {
    Log("%s: [%s] %s: %s", tag, subject.c_str(), what.c_str(), reason.c_str());
}

void WebEngine::FailOnce(const char* tag, const std::string& subject, const std::string& what, const std::string& reason) {
    if (reportedFailures_.insert(std::string(tag) + subject + what).second) Fail(tag, subject, what, reason);
}

void WebEngine::FailToLoad(const char* tag, const std::string& fileName, const std::string& reason) {
    Fail(tag, fileName, "load failed", reason);
    if (toldMissingFiles_.insert(fileName).second) {
        std::fprintf(stderr, "%s\n", MissingFileNotice(kProgram, fileName, kDataFolder, reason).c_str());
    }
}

bool WebEngine::FailInitiate(const std::string& what, const std::string& reason) {
    const std::string line = FormatText("VIDEO: [%s] %s: %s", Title().c_str(), what.c_str(), reason.c_str());
    std::printf("%s\n", line.c_str());
    std::fprintf(stderr, "%s\n", line.c_str());
    Shutdown();
    return false;
}

bool WebEngine::Ready(const char* operation) {
    if (context_ != 0) return true;
    Fail("ENGINE", operation, "refused", "Initiate has not succeeded");
    return false;
}

// ---- Life cycle --------------------------------------------------------------------------------

bool WebEngine::Initiate() {
    if (context_ != 0) return true;
    const int width = IntState(kStateScreenWidth, kDefaultWidth);
    const int height = IntState(kStateScreenHeight, kDefaultHeight);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        return FailInitiate("window size refused", FormatText("%d x %d pixels", width, height));
    }
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = false; // the page under the canvas never shows through
    attributes.depth = false;
    attributes.stencil = false;
    attributes.antialias = false;
    attributes.premultipliedAlpha = false;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context(kCanvas, &attributes);
    if (context <= 0) return FailInitiate("WebGL context refused", FormatText("error %d", static_cast<int>(context)));
    context_ = static_cast<int>(context);
    emscripten_webgl_make_context_current(context);
    std::string error;
    if (!renderer_.Create(width, height, &error)) return FailInitiate("scene target refused", error);
    sceneWidth_ = width;
    sceneHeight_ = height;
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, true, OnKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, true, OnKey);
    emscripten_set_mousedown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, true, OnMouse);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, true, OnMouse);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, true, OnMouse);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, true, OnBlur);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, true, OnResize);
    emscripten_set_window_title(Title().c_str());
    FitCanvas();
    Log("VIDEO: [%s] %d x %d scene, WebGL renderer, browser video", Title().c_str(), width, height);
    Log("DATA: [%s] data folder", kDataFolder);
    pageTold_ = false;
    return true;
}

void WebEngine::Shutdown() {
    if (context_ != 0) {
        emscripten_html5_remove_all_event_listeners();
        for (auto& [handle, texture] : textures_) {
            for (const unsigned level : texture.levels) renderer_.FreeTexture(level);
        }
        renderer_.Destroy();
        emscripten_webgl_destroy_context(context_);
    }
    context_ = 0;
    textures_.clear();
    keyboard_ = KeyboardState{};
    mouseButtons_ = KeyboardState{};
    inScene_ = snapshotPending_ = false;
    reportedFailures_.clear();
    if (!pageTold_) TellPageEnded();
    pageTold_ = true;
}

void WebEngine::Release() {
    if (holders_ > 0) --holders_;
}

// ---- Frame loop and input ----------------------------------------------------------------------

void WebEngine::Start() {
    if (!Ready("Start")) return;
    const int cap = IntState(kStateFrameRateCap, kDefaultFrameRateCap);
    pacer_.Begin(cap);
    emscripten_set_main_loop_arg(RunFrame, this, cap > 0 ? cap : kDefaultFrameRateCap, true);
}

// Keys and buttons arrive between frames, so the frame's taps are settled at its end: a tap made
// after it counts for the next.
void WebEngine::RunFrame(void* self) {
    WebEngine& engine = *static_cast<WebEngine*>(self);
    engine.pacer_.StartFrame();
    const auto frame = engine.handlers_.find(kStateFrameHandler);
    if (frame != engine.handlers_.end() && frame->second != nullptr && frame->second()) {
        emscripten_cancel_main_loop();
        engine.Shutdown();
        return;
    }
    const auto render = engine.handlers_.find(kStateRenderHandler);
    if (render != engine.handlers_.end() && render->second != nullptr) render->second();
    engine.keyboard_.BeginFrame();
    engine.mouseButtons_.BeginFrame();
    CountFrameForPage();
}

// The canvas fills the page (its style says so); its own pixels follow its size on the screen,
// which changes only with the window's (full screen and zoom included).
int WebEngine::OnResize(int, const EmscriptenUiEvent*, void* self) {
    static_cast<WebEngine*>(self)->FitCanvas();
    return false;
}

void WebEngine::FitCanvas() {
    double cssWidth = 0.0, cssHeight = 0.0;
    emscripten_get_element_css_size(kCanvas, &cssWidth, &cssHeight);
    const double ratio = emscripten_get_device_pixel_ratio();
    const int width = static_cast<int>(std::lround(cssWidth * ratio));
    const int height = static_cast<int>(std::lround(cssHeight * ratio));
    if (width == canvasWidth_ && height == canvasHeight_) return;
    emscripten_set_canvas_element_size(kCanvas, width, height);
    canvasWidth_ = width;
    canvasHeight_ = height;
}

int WebEngine::OnKey(int type, const EmscriptenKeyboardEvent* event, void* self) {
    WebEngine& engine = *static_cast<WebEngine*>(self);
    const int code = static_cast<int>(event->keyCode);
    if (type == EMSCRIPTEN_EVENT_KEYUP) {
        engine.keyboard_.Release(code);
        return false;
    }
    if (code == kDomKeyF11) { // full screen is the engine's business, as on the desktop
        if (!event->repeat) ToggleFullScreen(engine.Title().c_str());
        return true;
    }
    engine.keyboard_.Press(code, event->repeat);
    return false;
}

// The canvas covers the page from its top-left corner, so page positions are canvas positions.
int WebEngine::OnMouse(int type, const EmscriptenMouseEvent* event, void* self) {
    WebEngine& engine = *static_cast<WebEngine*>(self);
    const double ratio = emscripten_get_device_pixel_ratio();
    engine.mouseX_ = static_cast<float>(static_cast<double>(event->clientX) * ratio);
    engine.mouseY_ = static_cast<float>(static_cast<double>(event->clientY) * ratio);
    if (type == EMSCRIPTEN_EVENT_MOUSEDOWN) engine.mouseButtons_.Press(event->button, false);
    if (type == EMSCRIPTEN_EVENT_MOUSEUP) engine.mouseButtons_.Release(event->button);
    return false;
}

int WebEngine::OnBlur(int, const EmscriptenFocusEvent*, void* self) {
    WebEngine& engine = *static_cast<WebEngine*>(self);
    engine.keyboard_.ReleaseAll(); // the releases would go to another window
    engine.mouseButtons_.ReleaseAll();
    return false;
}

float WebEngine::FrameDelta() { return pacer_.LastDelta(); }

void WebEngine::MousePosition(float* x, float* y) {
    float sceneX = mouseX_, sceneY = mouseY_;
    if (context_ != 0) {
        WindowToScene(FitScene(canvasWidth_, canvasHeight_, sceneWidth_, sceneHeight_), sceneWidth_, sceneHeight_,
                      mouseX_, mouseY_, &sceneX, &sceneY);
    }
    if (x != nullptr) *x = sceneX;
    if (y != nullptr) *y = sceneY;
}

bool WebEngine::KeyState(int virtualKey) {
    const int button = DomButtonForVirtualKey(virtualKey);
    if (button >= 0) return mouseButtons_.IsDown(button);
    const DomKeyList keys = DomKeyCodesForVirtualKey(virtualKey);
    for (int i = 0; i < keys.count; ++i) {
        if (keyboard_.IsDown(keys.codes[i])) return true;
    }
    return false;
}

// ---- Drawing -----------------------------------------------------------------------------------

bool WebEngine::BeginScene(std::uint32_t target) {
    if (!Ready("BeginScene")) return false;
    if (target != 0) {
        Fail("RENDER", FormatText("target %u", target), "scene refused", "only the screen (0) can be drawn to");
        return false;
    }
    inScene_ = true;
    return true;
}

bool WebEngine::EndScene() {
    if (!Ready("EndScene")) return false;
    if (snapshotPending_) WritePendingSnapshot();
    renderer_.Present(canvasWidth_, canvasHeight_);
    inScene_ = false;
    return true;
}

bool WebEngine::Clear(std::uint32_t argb) {
    if (context_ == 0) return false;
    renderer_.Clear(argb);
    return true;
}

bool WebEngine::RenderQuad(const Quad* quad) {
    if (context_ == 0 || quad == nullptr) return false;
    unsigned sampled = 0;
    int width = 1, height = 1; // of the level sampled; untextured quads are snapped alike
    if (quad->texture != 0) {
        const auto found = textures_.find(quad->texture);
        if (found == textures_.end()) {
            FailOnce("RENDER", FormatText("texture %u", quad->texture), "quad not drawn", "no such texture");
            return false;
        }
        const Texture& texture = found->second;
        const int level = ChooseMipLevel(TexelsPerPixel(*quad, texture.width, texture.height),
                                         static_cast<int>(texture.levels.size()));
        sampled = texture.levels[static_cast<std::size_t>(level)];
        width = std::max(1, texture.width >> level);
        height = std::max(1, texture.height >> level);
    }
    renderer_.DrawQuad(*quad, sampled, (quad->blend & kBlendAlpha) != 0, width, height);
    return true;
}

// ---- Snapshots ---------------------------------------------------------------------------------

// As on the desktop, a snapshot asked between frames pictures the next finished frame.
bool WebEngine::Snapshot(const char* fileName) {
    if (!Ready("Snapshot")) return false;
    snapshotPending_ = true;
    snapshotName_ = fileName != nullptr ? fileName : "";
    if (inScene_) WritePendingSnapshot();
    return true;
}

void WebEngine::WritePendingSnapshot() {
    snapshotPending_ = false;
    std::string name = snapshotName_;
    if (name.empty()) name = FormatText("snapshot-%04d.png", ++snapshotsPicked_);
    const std::size_t slash = name.find_last_of('/');
    if (slash != std::string::npos) name = name.substr(slash + 1); // a download has a name, not a folder
    const std::vector<unsigned char> png = EncodeOpaquePng(renderer_.ReadScene());
    DownloadFile(name.c_str(), png.data(), static_cast<int>(png.size()));
    Log("SNAPSHOT: [%s] written", name.c_str());
}

// ---- Files and textures ------------------------------------------------------------------------

void* WebEngine::LoadResource(const char* fileName, std::uint32_t* size) {
    if (size != nullptr) *size = 0;
    if (fileName == nullptr) return nullptr;
    std::string error;
    void* data = ReadWholeFile(ResolveDataFile(fileName, kDataFolder), size, &error);
    if (data == nullptr) FailToLoad("RESOURCE", fileName, error);
    return data;
}

void WebEngine::FreeResource(void* data) { std::free(data); }

std::uint32_t WebEngine::AddTexture(const PixelImage& image, bool withSmallerCopies, std::string* error) {
    Texture texture;
    texture.width = image.width;
    texture.height = image.height;
    std::vector<PixelImage> smaller;
    if (withSmallerCopies) smaller = BuildMipChain(image);
    for (std::size_t level = 0; level <= smaller.size(); ++level) {
        const unsigned made = renderer_.MakeTexture(level == 0 ? image : smaller[level - 1], !withSmallerCopies);
        if (made == 0) {
            for (const unsigned earlier : texture.levels) renderer_.FreeTexture(earlier);
            *error = "WebGL refused the texture";
            return 0;
        }
        texture.levels.push_back(made);
    }
    textures_.emplace(nextTexture_, std::move(texture));
    return nextTexture_++;
}

std::uint32_t WebEngine::LoadTexture(const char* fileName, int size, bool) {
    const std::string name = fileName != nullptr ? fileName : "(null)";
    std::string error = fileName == nullptr ? "no file name" : context_ == 0 ? "Initiate has not succeeded" : "";
    if (error.empty() && size != 0) error = "only files can be loaded (size must be 0)";
    std::uint32_t bytes = 0;
    void* data = error.empty() ? ReadWholeFile(ResolveDataFile(name, kDataFolder), &bytes, &error) : nullptr;
    PixelImage image;
    const bool decoded = data != nullptr && DecodeImage(static_cast<const unsigned char*>(data), bytes, &image, &error);
    std::free(data);
    const std::uint32_t handle = decoded ? AddTexture(image, true, &error) : 0;
    if (handle == 0) FailToLoad("TEXTURE", name, error);
    return handle;
}

std::uint32_t WebEngine::CreateTexture(int width, int height, const std::uint32_t* argbPixels) {
    std::string error;
    if (context_ == 0) {
        error = "Initiate has not succeeded";
    } else if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        error = FormatText("size out of range (1 to %d pixels a side)", kMaxSide);
    } else if (argbPixels == nullptr) {
        error = "no pixels";
    } else {
        PixelImage image;
        image.width = width;
        image.height = height;
        image.pixels.assign(argbPixels, argbPixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        const std::uint32_t handle = AddTexture(image, false, &error);
        if (handle != 0) return handle;
    }
    Fail("TEXTURE", FormatText("pixels %d x %d", width, height), "create failed", error);
    return 0;
}

bool WebEngine::UpdateTexture(std::uint32_t texture, const std::uint32_t* argbPixels) {
    const auto found = textures_.find(texture);
    if (found == textures_.end() || argbPixels == nullptr) {
        FailOnce("TEXTURE", FormatText("texture %u", texture), "update failed",
                 argbPixels == nullptr ? "no pixels" : "no such texture");
        return false;
    }
    Texture& target = found->second;
    PixelImage image;
    image.width = target.width;
    image.height = target.height;
    image.pixels.assign(argbPixels, argbPixels + static_cast<std::size_t>(target.width) * static_cast<std::size_t>(target.height));
    renderer_.ReplaceTexture(target.levels[0], image);
    if (target.levels.size() > 1) {
        const std::vector<PixelImage> smaller = BuildMipChain(image);
        for (std::size_t level = 1; level < target.levels.size() && level <= smaller.size(); ++level) {
            renderer_.ReplaceTexture(target.levels[level], smaller[level - 1]);
        }
    }
    return true;
}

void WebEngine::FreeTexture(std::uint32_t texture) {
    const auto found = textures_.find(texture);
    if (found == textures_.end()) return;
    for (const unsigned level : found->second.levels) renderer_.FreeTexture(level);
    textures_.erase(found);
}

int WebEngine::TextureWidth(std::uint32_t texture, bool) {
    const auto found = textures_.find(texture);
    return found != textures_.end() ? found->second.width : 0;
}

int WebEngine::TextureHeight(std::uint32_t texture, bool) {
    const auto found = textures_.find(texture);
    return found != textures_.end() ? found->second.height : 0;
}
