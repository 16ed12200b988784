// text_drawing.cpp
// Measuring and drawing text with a BitmapFont: per-line alignment, line feeds, printf formatting
// into the font's own buffer and word wrapping inside a box.
// Rounding: products and quotients are rounded to float as formed, chains of additions are carried
// in double and rounded once when stored; "whole" values go to the nearest integer, halves to even
// (the default rounding mode, which nearbyint uses).
#include "gfx/bitmap_font.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr unsigned char kQuestionMark = '?';

float Whole(float value) { return std::nearbyint(value); }

// vsnprintf never writes past the buffer and cuts longer results at size - 1 characters.
void FormatInto(char* buffer, std::size_t size, const char* format, va_list args) {
    if (std::vsnprintf(buffer, size, format, args) < 0) buffer[0] = '\0';
}

}  // namespace

int BitmapFont::ChosenGlyph(unsigned char b) const {
    if (glyphs[b]) return b;
    if (glyphs[kQuestionMark]) return kQuestionMark;
    return -1;
}

float BitmapFont::MeasureLine(const char* begin, const char* end) const {
    double sum = 0.0;
    for (const char* p = begin; p != end && *p != '\0' && *p != '\n'; ++p) {
        const int g = ChosenGlyph(static_cast<unsigned char>(*p));
        if (g < 0) continue;
        sum += ((double{postOffset[g]} + preOffset[g]) + tracking) + glyphs[g]->Width();
    }
    return static_cast<float>(sum) * scale;
}

float BitmapFont::TextWidth(const char* text) const {
    return MeasureLine(text, text + std::strlen(text));
}

float BitmapFont::LineStartX(float x, int align, const char* lineText) const {
    switch (align & kAlignHorizontalMask) {
    case AlignRight:
        return static_cast<float>(double{x} - TextWidth(lineText));
    case AlignCenter:
        return static_cast<float>(double{x} - Whole(TextWidth(lineText) / 2.0f));
    default:
        return x;
    }
}

void BitmapFont::DrawText(float x, float y, int align, const char* text) {
    float penX = LineStartX(x, align, text);
    float penY = y;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\n') {
            const float lineStep = Whole(spacing * scale * height);
            penY = static_cast<float>(double{penY} + lineStep);
            penX = LineStartX(x, align, p + 1); // every line is aligned on its own
            continue;
        }
        const int g = ChosenGlyph(static_cast<unsigned char>(*p));
        if (g < 0) continue; // no glyph and no question mark: not drawn, the pen stays
        const float before = preOffset[g] * scale;
        penX = static_cast<float>(double{penX} + before);
        glyphs[g]->DrawTransformed(penX, penY, rotation, scale, 0.0f);
        const float advance =
            static_cast<float>(((double{postOffset[g]} + tracking) + glyphs[g]->Width()) * scale);
        penX = static_cast<float>(double{penX} + advance);
    }
}

void BitmapFont::DrawFormatted(float x, float y, int align, const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatInto(formatBuffer, sizeof formatBuffer, format, args);
    va_end(args);
    DrawText(x, y, align, formatBuffer);
}

void BitmapFont::WrapFormatBuffer(float boxWidth) {
    char* const text = formatBuffer;
    std::size_t lineStart = 0;
    std::size_t wordStart = 0;
    std::size_t breakCandidate = 0;
    bool haveCandidate = false;
    for (;;) {
        std::size_t e = wordStart;
        while (text[e] != '\0' && text[e] != ' ' && text[e] != '\n') ++e;
        if (MeasureLine(text + lineStart, text + e) > boxWidth) {
            if (wordStart == lineStart) {
                // A word wider than the box keeps a line of its own; it is never split.
                if (text[e] == ' ') text[e] = '\n';
            } else if (haveCandidate) {
                text[breakCandidate] = '\n';
                lineStart = breakCandidate + 1;
            }
        }
        if (text[e] == '\n') {
            breakCandidate = e;
            haveCandidate = true;
            lineStart = wordStart = e + 1;
        } else if (text[e] == ' ') {
            breakCandidate = e;
            haveCandidate = true;
            wordStart = e + 1;
        } else {
            return;
        }
    }
}

void BitmapFont::DrawFormattedInBox(float x, float y, float w, float h, int align, const char* format,
                                    ...) {
    va_list args;
    va_start(args, format);
    FormatInto(formatBuffer, sizeof formatBuffer, format, args);
    va_end(args);
    WrapFormatBuffer(w);

    int lines = 1;
    for (const char* p = formatBuffer; *p != '\0'; ++p) lines += *p == '\n' ? 1 : 0;
    const float blockHeight = static_cast<float>(lines) * spacing * scale * height;

    float anchorX = x;
    switch (align & kAlignHorizontalMask) {
    case AlignRight: anchorX = static_cast<float>(double{x} + w); break;
    case AlignCenter: anchorX = static_cast<float>(double{x} + Whole(w / 2.0f)); break;
    default: break;
    }
    float anchorY = y;
    switch (align & kAlignVerticalMask) {
    case AlignBottom: anchorY = static_cast<float>(double{y} + (double{h} - blockHeight)); break;
    case AlignMiddle: {
        const float spare = static_cast<float>(double{h} - blockHeight);
        anchorY = static_cast<float>(double{y} + Whole(spare / 2.0f));
        break;
    }
    default: break;
    }
    DrawText(anchorX, anchorY, align, formatBuffer);
}
