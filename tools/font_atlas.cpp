// font_atlas.cpp
// Light hinting keeps DejaVu's shapes while snapping advances to whole pixels, which the description
// format needs (its offsets are integers). Each rectangle is the glyph's ink plus 1 px on either side.
#include "tools/font_atlas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

constexpr int kInkPadding = 1;

struct RenderedGlyph {
    int code = 0;
    int left = 0, top = 0;    // bitmap offset from the pen and above the baseline
    int inkWidth = 0, inkRows = 0;
    int advance = 0;
    std::vector<std::uint8_t> coverage; // inkWidth * inkRows
};

struct LibraryCloser {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceCloser {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

int NextPowerOfTwo(int value) {
    int result = 1;
    while (result < value) result *= 2;
    return result;
}

} // namespace

std::optional<FontAtlas> BuildFontAtlas(const std::string& fontPath, double pixelSize, std::string& error) {
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) {
        error = "FreeType could not start";
        return std::nullopt;
    }
    std::unique_ptr<FT_LibraryRec_, LibraryCloser> library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), fontPath.c_str(), 0, &rawFace) != 0) {
        error = "cannot open the font " + fontPath;
        return std::nullopt;
    }
    std::unique_ptr<FT_FaceRec_, FaceCloser> face(rawFace);
    auto size26 = static_cast<FT_F26Dot6>(std::lround(pixelSize * 64.0));
    if (FT_Set_Char_Size(face.get(), 0, size26, 72, 72) != 0) {
        error = "the font cannot be set to the requested size";
        return std::nullopt;
    }

    std::vector<RenderedGlyph> rendered;
    int ascent = static_cast<int>((face->size->metrics.ascender + 63) / 64);
    int descent = static_cast<int>((-face->size->metrics.descender + 63) / 64);
    for (int code = kFirstGlyphCode; code <= kLastGlyphCode; ++code) {
        if (FT_Load_Char(face.get(), static_cast<FT_ULong>(code), FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
            error = "the font has no glyph for code " + std::to_string(code);
            return std::nullopt;
        }
        FT_GlyphSlot slot = face->glyph;
        if (slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && slot->bitmap.width > 0) {
            error = "unexpected glyph bitmap format";
            return std::nullopt;
        }
        RenderedGlyph glyph;
        glyph.code = code;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.inkWidth = static_cast<int>(slot->bitmap.width);
        glyph.inkRows = static_cast<int>(slot->bitmap.rows);
        glyph.advance = static_cast<int>((slot->advance.x + 32) / 64);
        glyph.coverage.resize(static_cast<std::size_t>(glyph.inkWidth) * glyph.inkRows);
        for (int row = 0; row < glyph.inkRows; ++row) {
            const unsigned char* source = slot->bitmap.buffer + static_cast<std::ptrdiff_t>(row) * slot->bitmap.pitch;
            std::copy(source, source + glyph.inkWidth, glyph.coverage.begin() + static_cast<std::ptrdiff_t>(row) * glyph.inkWidth);
        }
        if (glyph.inkRows > 0) {
            ascent = std::max(ascent, glyph.top);
            descent = std::max(descent, glyph.inkRows - glyph.top);
        }
        rendered.push_back(std::move(glyph));
    }

    FontAtlas atlas;
    atlas.pixelSize = pixelSize;
    atlas.lineHeight = ascent + descent;
    // Shelf packing in code order: predictable, and the bitmap stays small.
    int penX = kGlyphGap, penY = kGlyphGap;
    for (const RenderedGlyph& glyph : rendered) {
        AtlasGlyph placed;
        placed.code = glyph.code;
        placed.w = glyph.inkWidth + 2 * kInkPadding;
        placed.h = atlas.lineHeight;
        if (penX + placed.w + kGlyphGap > kAtlasWidth) {
            penX = kGlyphGap;
            penY += atlas.lineHeight + kGlyphGap;
        }
        placed.x = penX;
        placed.y = penY;
        placed.pre = glyph.left - kInkPadding;
        placed.post = glyph.advance - placed.pre - placed.w;
        penX += placed.w + kGlyphGap;
        atlas.glyphs.push_back(placed);
    }
    int height = NextPowerOfTwo(penY + atlas.lineHeight + kGlyphGap);
    atlas.bitmap = RasterImage(kAtlasWidth, height, 4);
    for (std::size_t i = 0; i < atlas.bitmap.pixels.size(); i += 4) {
        // White even where transparent, so filtering at the glyph edges never darkens the tint.
        atlas.bitmap.pixels[i] = atlas.bitmap.pixels[i + 1] = atlas.bitmap.pixels[i + 2] = 255;
    }
    for (std::size_t i = 0; i < rendered.size(); ++i) {
        const RenderedGlyph& glyph = rendered[i];
        const AtlasGlyph& placed = atlas.glyphs[i];
        int originY = placed.y + (ascent - glyph.top);
        for (int row = 0; row < glyph.inkRows; ++row)
            for (int column = 0; column < glyph.inkWidth; ++column)
                atlas.bitmap.At(placed.x + kInkPadding + column, originY + row)[3] =
                    glyph.coverage[static_cast<std::size_t>(row) * glyph.inkWidth + column];
    }
    return atlas;
}

std::string DescribeFont(const FontAtlas& atlas, const std::string& bitmapName) {
    std::string text = "[BITMAPFONT]\nBitmap=" + bitmapName + "\n";
    char line[128];
    for (const AtlasGlyph& glyph : atlas.glyphs) {
        std::snprintf(line, sizeof line, "Char=%X,%d,%d,%d,%d,%d,%d\n", static_cast<unsigned>(glyph.code), glyph.x,
                      glyph.y, glyph.w, glyph.h, glyph.pre, glyph.post);
        text += line;
    }
    return text;
}

double MeasureText(const FontAtlas& atlas, std::string_view text, double scale) {
    const AtlasGlyph* table[256] = {};
    for (const AtlasGlyph& glyph : atlas.glyphs) table[glyph.code] = &glyph;
    double width = 0.0;
    for (char c : text) {
        if (c == '\n') break;
        const AtlasGlyph* glyph = table[static_cast<unsigned char>(c)];
        if (glyph == nullptr) glyph = table['?'];
        if (glyph != nullptr) width += glyph->pre + glyph->w + glyph->post;
    }
    return width * scale;
}
