// engine_interface.h
// The only door between krondel and its 2-D engine: the operations, state codes, key codes and the
// Quad record. No platform header may be included here; engine2d/ implements it over SDL2 and the
// tests implement it with a recording fake.
#pragma once

#include <cstdint>

// One corner of a quad. The engine reads this record as it is: six 4-byte fields, 24 bytes.
struct Vertex {
    float x;             // screen pixels, to the right
    float y;             // screen pixels, downward
    float z;             // depth, default 0.5
    std::uint32_t color; // ARGB, alpha in the top byte
    float tx;            // 0 at the texture's left edge, 1 at its right edge
    float ty;            // 0 at the texture's top edge, 1 at its bottom edge
};
static_assert(sizeof(Vertex) == 24, "Vertex layout is read by the engine");

// Corners 0..3 are top-left, top-right, bottom-right, bottom-left of the unrotated, unflipped image.
struct Quad {
    Vertex corners[4];
    std::uint32_t texture; // handle from LoadTexture, 0 = no texture
    std::int32_t blend;    // blend mode, passed through unchanged; 2 = alpha blending
};
static_assert(sizeof(Quad) == 104, "Quad layout is read by the engine");

// The engine calls these once per frame; returning true from the frame handler ends Start.
using EngineHandler = bool (*)();

// State codes for the Set...State operations.
constexpr int kStateLogFile = 16;      // string
constexpr int kStateWindowTitle = 7;   // string
constexpr int kStateWindowed = 11;     // bool
constexpr int kStateUseSound = 18;     // bool
constexpr int kStateScreenWidth = 8;   // int, pixels
constexpr int kStateScreenHeight = 9;  // int, pixels
constexpr int kStateColourDepth = 10;  // int, bits per pixel
constexpr int kStateFrameRateCap = 23; // int, frames per second
constexpr int kStateFrameHandler = 1;  // function
constexpr int kStateRenderHandler = 2; // function

// Windows virtual-key codes, the key numbering the program speaks.
constexpr int kKeyEscape = 27;
constexpr int kKeyR = 82;
constexpr int kKeyS = 83;
constexpr int kKeyV = 86;
constexpr int kKeyM = 77;
constexpr int kKeyPadPlus = 107;
constexpr int kKeyPadMinus = 109;
constexpr int kKeyMainPlus = 187;  // the "=/+" key of the main keyboard
constexpr int kKeyMainMinus = 189;

// Blend modes understood by RenderQuad.
constexpr std::int32_t kBlendAlpha = 2; // alpha blending, vertex colour multiplies the texture

// The version every holder passes to CreateEngine.
constexpr int kEngineVersion = 0x160;

// The engine's operations, in the order of its table. One object per process; every holder takes a
// reference with CreateEngine and gives it back with Release.
class EngineInterface {
public:
    virtual void Release() = 0;
    virtual bool Initiate() = 0;   // true: window and drawing ready
    virtual void Shutdown() = 0;
    virtual void Start() = 0;      // frame loop; returns when the frame handler returns true
    [[gnu::format(printf, 2, 3)]] virtual void Log(const char* format, ...) = 0;
    virtual bool Snapshot(const char* fileName) = 0; // null: the engine picks a fresh name
    virtual void SetBoolState(int code, bool value) = 0;
    virtual void SetFuncState(int code, EngineHandler handler) = 0;
    virtual void SetIntState(int code, int value) = 0;
    virtual void SetStringState(int code, const char* text) = 0;
    // Whole file in memory, or null. The caller hands the pointer back to FreeResource.
    virtual void* LoadResource(const char* fileName, std::uint32_t* size) = 0;
    virtual void FreeResource(void* data) = 0;
    virtual float FrameDelta() = 0; // seconds since the previous frame
    virtual void MousePosition(float* x, float* y) = 0; // window pixels
    virtual bool KeyState(int virtualKey) = 0;
    virtual bool BeginScene(std::uint32_t target) = 0; // 0 = the screen
    virtual bool EndScene() = 0;
    virtual bool Clear(std::uint32_t argb) = 0;
    virtual bool RenderQuad(const Quad* quad) = 0;
    virtual std::uint32_t LoadTexture(const char* fileName, int size, bool mipmap) = 0; // 0 on failure
    virtual void FreeTexture(std::uint32_t texture) = 0;
    virtual int TextureWidth(std::uint32_t texture, bool original) = 0;
    virtual int TextureHeight(std::uint32_t texture, bool original) = 0;

protected:
    ~EngineInterface() = default; // holders call Release, never delete
};

// Returns the one engine object of the process and counts one more holder.
EngineInterface* CreateEngine(int version);
