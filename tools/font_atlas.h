// font_atlas.h
// Renders printable ASCII (32..126) from a TrueType font into one white-on-transparent bitmap and
// writes the text description that krondel's font loader reads. No kerning: the format has none.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/raster_image.h"

// One glyph as the description file states it; pre + w + post is the glyph's advance.
struct AtlasGlyph {
    int code = 0;
    int x = 0, y = 0, w = 0, h = 0; // rectangle in the bitmap, pixels
    int pre = 0, post = 0;          // pen moves before and after the rectangle, pixels
};

struct FontAtlas {
    double pixelSize = 0;     // the em size the glyphs were rendered at
    int lineHeight = 0;       // every rectangle's h: ascender to descender, covering all ink
    RasterImage bitmap;       // RGBA: white everywhere, alpha = coverage
    std::vector<AtlasGlyph> glyphs; // in code order
};

constexpr int kFirstGlyphCode = 32;
constexpr int kLastGlyphCode = 126;
constexpr int kAtlasWidth = 256;
constexpr int kGlyphGap = 2; // pixels between rectangles and around the bitmap's border

// Renders the glyphs at pixelSize (fractions allowed). Empty with a reason on failure.
std::optional<FontAtlas> BuildFontAtlas(const std::string& fontPath, double pixelSize, std::string& error);

// The description file: header, bitmap line, one hexadecimal Char line per glyph, LF line ends.
std::string DescribeFont(const FontAtlas& atlas, const std::string& bitmapName);

// Width of the text's first line as the program measures it: the sum of pre + w + post over its
// glyphs (a missing glyph counts as '?'), times scale.
double MeasureText(const FontAtlas& atlas, std::string_view text, double scale);
