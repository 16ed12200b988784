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

// Windows virtual-key codes, the key numbering the program speaks; mouse buttons have codes of
// their own in the same numbering and are asked with KeyState like keys.
constexpr int kKeyMouseLeft = 1;
constexpr int kKeyEscape = 27;
constexpr int kKeyR = 82;
constexpr int kKeyS = 83;
constexpr int kKeyV = 86;
constexpr int kKeyM = 77;
constexpr int kKeyP = 80;
constexpr int kKeyL = 76;
constexpr int kKeyPadPlus = 107;
constexpr int kKeyPadMinus = 109;
constexpr int kKeyMainPlus = 187;  // the "=/+" key of the main keyboard
constexpr int kKeyMainMinus = 189;

// Blend modes understood by RenderQuad.
constexpr std::int32_t kBlendAlpha = 2; // alpha blending, vertex colour multiplies the texture

// The version every holder passes to CreateEngine.
constexpr int kEngineVersion = 0x160;

// The engine's operations, each in its fixed slot of the table (the number after the name): an
// engine built to the same table must receive every call in the right slot. The slots in between
// belong to operations krondel never calls; they are placeholders that do nothing, so that an
// implementation need not define them.
class EngineInterface {
public:
    virtual void Release() = 0;    // 0
    virtual bool Initiate() = 0;   // 1: true: window and drawing ready
    virtual void Shutdown() = 0;   // 2
    virtual void Start() = 0;      // 3: frame loop; returns when the frame handler returns true
    virtual void ReservedSlot4() {}
    [[gnu::format(printf, 2, 3)]] virtual void Log(const char* format, ...) = 0; // 5
    virtual void ReservedSlot6() {}
    virtual bool Snapshot(const char* fileName) = 0; // 7: null: the engine picks a fresh name
    virtual void SetBoolState(int code, bool value) = 0;           // 8
    virtual void SetFuncState(int code, EngineHandler handler) = 0; // 9
    virtual void ReservedSlot10() {}
    virtual void SetIntState(int code, int value) = 0;             // 11
    virtual void SetStringState(int code, const char* text) = 0;   // 12
    virtual void ReservedSlot13() {} virtual void ReservedSlot14() {} virtual void ReservedSlot15() {}
    virtual void ReservedSlot16() {} virtual void ReservedSlot17() {}
    // 18: whole file in memory, or null. The caller hands the pointer back to FreeResource.
    virtual void* LoadResource(const char* fileName, std::uint32_t* size) = 0;
    virtual void FreeResource(void* data) = 0; // 19
    virtual void ReservedSlot20() {} virtual void ReservedSlot21() {} virtual void ReservedSlot22() {}
    virtual void ReservedSlot23() {} virtual void ReservedSlot24() {} virtual void ReservedSlot25() {}
    virtual void ReservedSlot26() {} virtual void ReservedSlot27() {} virtual void ReservedSlot28() {}
    virtual void ReservedSlot29() {} virtual void ReservedSlot30() {} virtual void ReservedSlot31() {}
    virtual void ReservedSlot32() {} virtual void ReservedSlot33() {} virtual void ReservedSlot34() {}
    virtual void ReservedSlot35() {}
    virtual float FrameDelta() = 0; // 36: seconds since the previous frame
    virtual void ReservedSlot37() {} virtual void ReservedSlot38() {} virtual void ReservedSlot39() {}
    virtual void ReservedSlot40() {} virtual void ReservedSlot41() {} virtual void ReservedSlot42() {}
    virtual void ReservedSlot43() {} virtual void ReservedSlot44() {} virtual void ReservedSlot45() {}
    virtual void ReservedSlot46() {} virtual void ReservedSlot47() {} virtual void ReservedSlot48() {}
    virtual void ReservedSlot49() {} virtual void ReservedSlot50() {} virtual void ReservedSlot51() {}
    virtual void ReservedSlot52() {} virtual void ReservedSlot53() {} virtual void ReservedSlot54() {}
    virtual void ReservedSlot55() {} virtual void ReservedSlot56() {} virtual void ReservedSlot57() {}
    virtual void ReservedSlot58() {}
    virtual void MousePosition(float* x, float* y) = 0; // 59: scene pixels, however the window is scaled
    virtual void ReservedSlot60() {} virtual void ReservedSlot61() {} virtual void ReservedSlot62() {}
    virtual bool KeyState(int virtualKey) = 0; // 63
    virtual void ReservedSlot64() {} virtual void ReservedSlot65() {} virtual void ReservedSlot66() {}
    virtual void ReservedSlot67() {}
    virtual bool BeginScene(std::uint32_t target) = 0; // 68: 0 = the screen
    virtual bool EndScene() = 0;                       // 69
    virtual bool Clear(std::uint32_t argb) = 0;        // 70
    virtual void ReservedSlot71() {} virtual void ReservedSlot72() {}
    virtual bool RenderQuad(const Quad* quad) = 0;     // 73
    virtual void ReservedSlot74() {} virtual void ReservedSlot75() {} virtual void ReservedSlot76() {}
    virtual void ReservedSlot77() {} virtual void ReservedSlot78() {} virtual void ReservedSlot79() {}
    virtual void ReservedSlot80() {} virtual void ReservedSlot81() {}
    virtual std::uint32_t LoadTexture(const char* fileName, int size, bool mipmap) = 0; // 82: 0 on failure
    virtual void FreeTexture(std::uint32_t texture) = 0;                 // 83
    virtual int TextureWidth(std::uint32_t texture, bool original) = 0;  // 84
    virtual int TextureHeight(std::uint32_t texture, bool original) = 0; // 85
    // 86: a width x height texture from ARGB pixels in memory, row after row; 0 on failure. It is
    // sampled at the nearest texel, so drawn at a whole number of pixels per texel it stays crisp.
    virtual std::uint32_t CreateTexture(int width, int height, const std::uint32_t* argbPixels) = 0;
    // 87: replaces every pixel of the texture with as many from memory; false, changing nothing,
    // for an unknown handle or no pixels.
    virtual bool UpdateTexture(std::uint32_t texture, const std::uint32_t* argbPixels) = 0;

protected:
    ~EngineInterface() = default; // holders call Release, never delete
};

// Returns the one engine object of the process and counts one more holder.
EngineInterface* CreateEngine(int version);
