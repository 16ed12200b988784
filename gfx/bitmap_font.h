// bitmap_font.h
// Text drawn with glyph sprites cut from one bitmap, described by a "[BITMAPFONT]" file.
// Limits: 8-bit text, one glyph per byte value; LF is the only control character; formatted text
// is cut at 1023 characters; one thread (the format buffer is shared by all calls on a font).
#pragma once

#include "app/engine_interface.h"
#include "gfx/shared_texture.h"
#include "gfx/sprite.h"
#include "gfx/text_align.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class BitmapFont {
public:
    static constexpr std::size_t kFormatBufferSize = 1024;

    // Loads the description file and its bitmap. A missing file gives an empty font silently; a
    // file without the header line is logged as "Font <name> has incorrect format.".
    explicit BitmapFont(const char* descriptionName);
    BitmapFont(const BitmapFont& other);            // shares the textures, copies the glyphs
    BitmapFont& operator=(const BitmapFont& other); // the same, into an existing font
    ~BitmapFont();

    void DrawText(float x, float y, int align, const char* text);
    [[gnu::format(printf, 5, 6)]] void DrawFormatted(float x, float y, int align, const char* format, ...);
    // Wraps words at spaces so that no line is wider than w (a word wider than w keeps a line of its
    // own) and aligns the block inside the box. Nothing is clipped.
    [[gnu::format(printf, 7, 8)]] void DrawFormattedInBox(float x, float y, float w, float h, int align,
                                                          const char* format, ...);
    // Width of the first line of text, in pixels at the current scale, trailing tracking included.
    float TextWidth(const char* text) const;

    void SetTextColor(std::uint32_t color);
    void SetTextZ(float z);
    void SetTextBlending(std::int32_t mode);
    void SetTextScale(float scale);
    // Stored only; read at the next draw.
    void SetTextRotation(float radians) { rotation = radians; }
    void SetTextTracking(float pixels) { tracking = pixels; }
    void SetTextSpacing(float multiplier) { spacing = multiplier; }

    std::uint32_t Texture() const { return texture; }
    float LineHeight() const { return height; }
    const Sprite* Glyph(unsigned char code) const { return glyphs[code].get(); }
    float PreOffset(unsigned char code) const { return preOffset[code]; }
    float PostOffset(unsigned char code) const { return postOffset[code]; }
    const char* FormatBuffer() const { return formatBuffer; }

private:
    void Load(const char* descriptionName);
    void CopySettingsFrom(const BitmapFont& other);
    // The glyph drawn for byte b with its offsets: its own, else the question mark's, else none.
    int ChosenGlyph(unsigned char b) const;
    // Sum of glyph advances over [begin, end), stopping early at a zero byte or LF; times the scale.
    float MeasureLine(const char* begin, const char* end) const;
    float LineStartX(float x, int align, const char* lineText) const;
    void WrapFormatBuffer(float boxWidth);

    char formatBuffer[kFormatBufferSize];
    std::uint32_t texture = 0; // bitmap of the latest bitmap line; 0 = none
    std::array<std::unique_ptr<Sprite>, 256> glyphs;
    std::array<float, 256> preOffset{};
    std::array<float, 256> postOffset{};
    float height = 0.0f; // tallest glyph of the description file: the line height at scale 1
    float scale = 1.0f;
    float rotation = 0.0f;
    float tracking = 0.0f;
    float spacing = 1.0f;
    std::uint32_t color = 0xFFFFFFFF;
    float z = 0.5f;
    std::int32_t blend = kBlendAlpha;
    // Every texture this font's glyphs or `texture` may use, shared with the font's copies.
    std::vector<SharedTextureRef> ownedTextures;

    // One slot for all fonts, separate from the sprites' slot.
    static inline EngineInterface* engine = nullptr;
};
