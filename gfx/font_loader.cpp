// font_loader.cpp
// Reads a font description file through the engine and builds the glyph sprites.
// Limits: the whole file is held in memory once; text after a zero byte is not read; a bitmap that
// fails to load stops the reading, keeping the glyphs made before it.
#include "gfx/bitmap_font.h"
#include "gfx/font_description.h"

#include <string>

void BitmapFont::Load(const char* descriptionName) {
    std::uint32_t size = 0;
    void* resource = engine->LoadResource(descriptionName, &size);
    if (resource == nullptr) return; // a missing file leaves an empty font, without a message
    std::string text(static_cast<const char*>(resource), size);
    engine->FreeResource(resource);

    std::size_t position = 0;
    std::string line;
    if (!ReadLine(text, position, line) || line != kFontHeader) {
        engine->Log("Font %s has incorrect format.", descriptionName);
        return;
    }

    while (ReadLine(text, position, line)) {
        switch (ClassifyLine(line)) {
        case FontLineKind::Bitmap: {
            const std::optional<std::string> name = ParseBitmapName(line);
            if (!name) break;
            const std::string path = BitmapPath(descriptionName, *name);
            texture = engine->LoadTexture(path.c_str(), 0, false);
            if (texture == 0) return;
            ownedTextures.push_back(std::make_shared<const SharedTexture>(engine, texture));
            break;
        }
        case FontLineKind::Glyph: {
            const std::optional<GlyphLine> glyph = ParseGlyphLine(line);
            if (!glyph) break;
            // A later line for the same code replaces the earlier glyph, which is destroyed now.
            glyphs[glyph->code] = std::make_unique<Sprite>(
                texture, static_cast<float>(glyph->x), static_cast<float>(glyph->y),
                static_cast<float>(glyph->w), static_cast<float>(glyph->h));
            preOffset[glyph->code] = static_cast<float>(glyph->pre);
            postOffset[glyph->code] = static_cast<float>(glyph->post);
            if (static_cast<float>(glyph->h) > height) height = static_cast<float>(glyph->h);
            break;
        }
        case FontLineKind::Other:
            break;
        }
    }
}
