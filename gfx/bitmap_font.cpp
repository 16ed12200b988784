// bitmap_font.cpp
// BitmapFont's life: construction, copying, assignment, destruction and the glyph setters.
// Copies share the bitmap textures through reference counts, so each is freed once, by the last
// font that uses it.
#include "gfx/bitmap_font.h"

BitmapFont::BitmapFont(const char* descriptionName) {
    engine = CreateEngine(kEngineVersion);
    formatBuffer[0] = '\0'; // read as an empty text until the first formatted draw
    Load(descriptionName);
}

BitmapFont::BitmapFont(const BitmapFont& other) {
    engine = CreateEngine(kEngineVersion);
    formatBuffer[0] = '\0'; // the source's formatted text is not copied
    CopySettingsFrom(other);
    for (std::size_t code = 0; code < glyphs.size(); ++code) {
        if (other.glyphs[code]) glyphs[code] = std::make_unique<Sprite>(*other.glyphs[code]);
    }
}

BitmapFont& BitmapFont::operator=(const BitmapFont& other) {
    if (this == &other) return *this;
    CopySettingsFrom(other);
    for (std::size_t code = 0; code < glyphs.size(); ++code) {
        glyphs[code].reset();
        if (other.glyphs[code]) glyphs[code] = std::make_unique<Sprite>(*other.glyphs[code]);
    }
    return *this;
}

BitmapFont::~BitmapFont() {
    for (auto& glyph : glyphs) glyph.reset();
    ownedTextures.clear(); // frees the textures no other font shares, while the engine is held
    engine->Release();
}

void BitmapFont::CopySettingsFrom(const BitmapFont& other) {
    texture = other.texture;
    ownedTextures = other.ownedTextures; // drops this font's old textures, freeing unshared ones
    height = other.height;
    scale = other.scale;
    rotation = other.rotation;
    tracking = other.tracking;
    spacing = other.spacing;
    color = other.color;
    z = other.z;
    blend = other.blend;
    preOffset = other.preOffset;
    postOffset = other.postOffset;
}

void BitmapFont::SetTextColor(std::uint32_t newColor) {
    color = newColor;
    for (auto& glyph : glyphs) {
        if (glyph) glyph->SetCornerColor(newColor, -1);
    }
}

void BitmapFont::SetTextZ(float newZ) {
    z = newZ;
    for (auto& glyph : glyphs) {
        if (glyph) glyph->SetCornerZ(newZ, -1);
    }
}

void BitmapFont::SetTextBlending(std::int32_t mode) {
    blend = mode;
    for (auto& glyph : glyphs) {
        if (glyph) glyph->SetBlending(mode);
    }
}

void BitmapFont::SetTextScale(float newScale) { scale = newScale; }
