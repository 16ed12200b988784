// gfx_test.cpp
// Unit tests of the drawing helpers against the recording fake engine: sprite geometry bit for bit,
// engine references, BoundsRect, the font description loader, copies of fonts and text layout.
// Expected floats were worked out by hand or with an independent float32 model of the rounding
// rules (each product rounded to float, each chain of additions rounded once).
#include "gfx/bitmap_font.h"
#include "gfx/bounds_rect.h"
#include "gfx/sprite.h"
#include "tests/support/recording_engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>

namespace {

RecordingEngine& Engine() { return RecordingEngine::Instance(); }

class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override { Engine().Reset(); }
};
using SpriteDrawing = EngineFixture;
using BoundsRects = EngineFixture;

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Corner positions (x, y) of the last recorded quad, bit for bit.
void ExpectCorners(const Quad& q, const float (&xy)[8]) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(SameBits(q.corners[i].x, xy[2 * i])) << "corner " << i << " x " << q.corners[i].x;
        EXPECT_TRUE(SameBits(q.corners[i].y, xy[2 * i + 1])) << "corner " << i << " y " << q.corners[i].y;
    }
}

// Texture coordinates (tx, ty) per corner, bit for bit.
void ExpectTexCoords(const Quad& q, const float (&t)[8]) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(SameBits(q.corners[i].tx, t[2 * i])) << "corner " << i << " tx " << q.corners[i].tx;
        EXPECT_TRUE(SameBits(q.corners[i].ty, t[2 * i + 1])) << "corner " << i << " ty " << q.corners[i].ty;
    }
}

std::uint32_t LoadFakeTexture(const std::string& name, int w, int h) {
    Engine().textureFiles[name] = {w, h};
    return Engine().LoadTexture(name.c_str(), 0, false);
}

// ---- Sprite ---------------------------------------------------------------------------------

TEST_F(SpriteDrawing, WithoutTextureUsesPixelCoordinatesAndDefaults) {
    Sprite sprite(0, 0, 0, 29, 31);
    const Quad& q = sprite.GetQuad();
    ExpectTexCoords(q, {0, 0, 29, 0, 29, 31, 0, 31});
    EXPECT_EQ(q.texture, 0u);
    EXPECT_EQ(q.blend, 2);
    for (const Vertex& v : q.corners) {
        EXPECT_EQ(v.color, 0xFFFFFFFFu);
        EXPECT_EQ(v.z, 0.5f);
    }
}

TEST_F(SpriteDrawing, TenthScaleCellCovers51Point2Pixels) {
    const std::uint32_t tex = LoadFakeTexture("brushed-metal.jpg", 512, 512);
    Sprite cell(tex, 0, 0, 512, 512);
    cell.PlaceHotSpot(0, 0);
    cell.DrawTransformed(60, 60, 0, 0.1f, 0);
    ASSERT_EQ(Engine().quads.size(), 1u);
    // 60 + 51.2f is an exact tie between two floats and goes to the even one.
    const float far = 0x1.bccccc0000000p+6f; // 111.19999694824219
    ExpectCorners(Engine().quads[0], {60, 60, far, 60, far, far, 60, far});
    ExpectTexCoords(Engine().quads[0], {0, 0, 1, 0, 1, 1, 0, 1});
    EXPECT_EQ(Engine().quads[0].texture, tex);
}

TEST_F(SpriteDrawing, PanelWithVerticalScaleTwoCovers640By200) {
    const std::uint32_t tex = LoadFakeTexture("background1.png", 1024, 512);
    Sprite panel(tex, 0, 0, 640, 100);
    panel.DrawTransformed(0, 450, 0, 1, 2);
    ExpectCorners(Engine().quads.at(0), {0, 450, 640, 450, 640, 650, 0, 650});
    ExpectTexCoords(Engine().quads.at(0), {0, 0, 0.625f, 0, 0.625f, 0.1953125f, 0, 0.1953125f});
}

TEST_F(SpriteDrawing, QuarterTurnAboutCentreTurnsClockwise) {
    Sprite sprite(0, 0, 0, 100, 50);
    sprite.PlaceHotSpot(50, 25);
    const float quarterTurn = static_cast<float>(std::numbers::pi / 2);
    sprite.DrawTransformed(300, 200, quarterTurn, 1, 0);
    // Corner 0 lands at (x + h/2, y - w/2); the cosine's residue of -4.37e-8 vanishes in rounding.
    ExpectCorners(Engine().quads.at(0), {325, 150, 325, 250, 275, 250, 275, 150});
}

TEST_F(SpriteDrawing, DrawPutsHotSpotOnPosition) {
    Sprite sprite(0, 0, 0, 29, 31);
    sprite.PlaceHotSpot(5, 6);
    sprite.Draw(100, 100);
    ExpectCorners(Engine().quads.at(0), {95, 94, 124, 94, 124, 125, 95, 125});
    sprite.DrawTransformed(100, 100, 0, 2, 0); // scaled about the hot spot
    ExpectCorners(Engine().quads.at(1), {90, 88, 148, 88, 148, 150, 90, 150});
    sprite.DrawStretched(1, 2, 3, 4);
    ExpectCorners(Engine().quads.at(2), {1, 2, 3, 2, 3, 4, 1, 4});
    sprite.DrawCorners(1, 2, 3, 4, 5, 6, 7, 8);
    ExpectCorners(Engine().quads.at(3), {1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(Engine().CountCalls("RenderQuad"), 4);
}

TEST_F(SpriteDrawing, EdgeTexCoordIsOneQuotientOfTheSummedEdge) {
    const std::uint32_t tex = LoadFakeTexture("n.png", 90, 90);
    Sprite sprite(tex, 3, 3, 6, 6);
    const float near = 0x1.111112p-5f; // 3 / 90
    const float far = 0x1.99999ap-4f;  // (3 + 6) / 90 as one quotient; 3/90 + 6/90 is 0x1.99999cp-4
    ExpectTexCoords(sprite.GetQuad(), {near, near, far, near, far, far, near, far});
}

// The rotation rule written out: cosine and sine in double, each stored as a float; every product a
// float; each corner's a*c - b*s + x and a*s + b*c + y summed in double and rounded once.
void ExpectRotatedCorners(const Quad& q, float x, float y, float rotation, float hotX, float hotY, float w,
                          float h) {
    const float c = static_cast<float>(std::cos(double{rotation}));
    const float s = static_cast<float>(std::sin(double{rotation}));
    const float left = -hotX, top = -hotY, right = w - hotX, bottom = h - hotY; // exact at scale 1
    const auto placeX = [&](float a, float b) {
        const float ac = a * c, bs = b * s;
        return static_cast<float>(double{ac} - double{bs} + double{x});
    };
    const auto placeY = [&](float a, float b) {
        const float as = a * s, bc = b * c;
        return static_cast<float>(double{as} + double{bc} + double{y});
    };
    ExpectCorners(q, {placeX(left, top), placeY(left, top), placeX(right, top), placeY(right, top),
                      placeX(right, bottom), placeY(right, bottom), placeX(left, bottom), placeY(left, bottom)});
}

TEST_F(SpriteDrawing, RotatedCornersRoundEachProductAndEachSumOnce) {
    Sprite sprite(0, 0, 0, 30, 21);
    sprite.PlaceHotSpot(7.5f, 3.25f);
    sprite.DrawTransformed(100.3f, 50.7f, 0.03f, 1, 0);
    ASSERT_EQ(Engine().quads.size(), 1u);
    ExpectRotatedCorners(Engine().quads[0], 100.3f, 50.7f, 0.03f, 7.5f, 3.25f, 30, 21);
    // Summing in float instead would give 0x1.eb8ca8p+6 here.
    EXPECT_TRUE(SameBits(Engine().quads[0].corners[1].x, 122.887367f)) << Engine().quads[0].corners[1].x;

    // A nearly level draw where summing x or y in float, keeping the products or the cosine and
    // sine in double each move some corner by one float step.
    const float x = 0x1.96cccep+6f, y = 0x1.9a6666p+5f; // 101.700005, 51.2999992
    sprite.DrawTransformed(x, y, 0.001f, 1, 0);
    ExpectRotatedCorners(Engine().quads.at(1), x, y, 0.001f, 7.5f, 3.25f, 30, 21);
}

TEST_F(SpriteDrawing, FlipTwiceMirrorsOnceAndUnflipRestoresBits) {
    const std::uint32_t tex = LoadFakeTexture("t.png", 96, 80);
    Sprite sprite(tex, 7, 9, 30, 21);
    const Quad original = sprite.GetQuad();
    sprite.SetFlipped(true, false);
    const Quad once = sprite.GetQuad();
    sprite.SetFlipped(true, false);
    EXPECT_EQ(std::memcmp(&once, &sprite.GetQuad(), sizeof once), 0);
    EXPECT_TRUE(SameBits(once.corners[0].tx, original.corners[1].tx));
    EXPECT_TRUE(SameBits(once.corners[1].tx, original.corners[0].tx));
    EXPECT_TRUE(SameBits(once.corners[3].tx, original.corners[2].tx));
    EXPECT_TRUE(SameBits(once.corners[0].ty, original.corners[0].ty));
    sprite.SetFlipped(true, true);
    EXPECT_TRUE(SameBits(sprite.GetQuad().corners[0].tx, original.corners[2].tx));
    EXPECT_TRUE(SameBits(sprite.GetQuad().corners[0].ty, original.corners[2].ty));
    sprite.SetFlipped(false, false);
    EXPECT_EQ(std::memcmp(&original, &sprite.GetQuad(), sizeof original), 0);
    EXPECT_FALSE(sprite.FlippedX());
    EXPECT_FALSE(sprite.FlippedY());
}

TEST_F(SpriteDrawing, SourceRectKeepsBothFlips) {
    const std::uint32_t tex = LoadFakeTexture("t.png", 256, 128);
    Sprite sprite(tex, 0, 0, 32, 16);
    sprite.SetFlipped(true, true);
    sprite.SetSourceRect(64, 32, 16, 8);
    // Unflipped: left 0.25, right 0.3125, top 0.25, bottom 0.3125; both flips rotate it by half.
    ExpectTexCoords(sprite.GetQuad(), {0.3125f, 0.3125f, 0.25f, 0.3125f, 0.25f, 0.25f, 0.3125f, 0.25f});
    EXPECT_TRUE(sprite.FlippedX());
    EXPECT_TRUE(sprite.FlippedY());
    EXPECT_EQ(sprite.Width(), 16.0f);
    EXPECT_EQ(sprite.Height(), 8.0f);
}

TEST_F(SpriteDrawing, ChangeTextureRescalesOnlyWhenSizeDiffers) {
    const std::uint32_t small = LoadFakeTexture("a.png", 96, 80);
    const std::uint32_t twin = LoadFakeTexture("b.png", 96, 80);
    const std::uint32_t large = LoadFakeTexture("c.png", 192, 160);
    Sprite sprite(small, 10, 20, 30, 40);
    sprite.SetFlipped(true, false);
    const Quad before = sprite.GetQuad();
    sprite.ChangeTexture(twin);
    EXPECT_EQ(std::memcmp(&before.corners, &sprite.GetQuad().corners, sizeof before.corners), 0);
    EXPECT_EQ(sprite.GetQuad().texture, twin);
    sprite.ChangeTexture(large);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(sprite.GetQuad().corners[i].tx, before.corners[i].tx / 2) << "corner " << i;
        EXPECT_FLOAT_EQ(sprite.GetQuad().corners[i].ty, before.corners[i].ty / 2) << "corner " << i;
    }
    EXPECT_TRUE(sprite.FlippedX()); // still mirrored: corner 0 shows the right edge
    EXPECT_GT(sprite.GetQuad().corners[0].tx, sprite.GetQuad().corners[1].tx);
    sprite.ChangeTexture(0); // 1 x 1: back to pixel values
    EXPECT_FLOAT_EQ(sprite.GetQuad().corners[0].tx, 40);
    EXPECT_FLOAT_EQ(sprite.GetQuad().corners[1].tx, 10);
    EXPECT_FLOAT_EQ(sprite.GetQuad().corners[2].ty, 60);
}

TEST_F(SpriteDrawing, ChangeTextureRescalesEachAxisWhoseSizeDiffers) {
    const std::uint32_t base = LoadFakeTexture("a.png", 96, 80);
    const std::uint32_t taller = LoadFakeTexture("b.png", 96, 160);
    const std::uint32_t wider = LoadFakeTexture("c.png", 192, 160);
    Sprite sprite(base, 10, 20, 30, 40);
    const Quad before = sprite.GetQuad();
    sprite.ChangeTexture(taller); // same width: only ty changes
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(sprite.GetQuad().corners[i].tx, before.corners[i].tx) << "corner " << i;
    EXPECT_EQ(sprite.GetQuad().corners[0].ty, 0.125f); // 20 of 160 pixels
    EXPECT_EQ(sprite.GetQuad().corners[2].ty, 0.375f); // 60 of 160 pixels
    sprite.ChangeTexture(wider); // same height: only tx changes
    EXPECT_FLOAT_EQ(sprite.GetQuad().corners[0].tx, 10.0f / 192);
    EXPECT_FLOAT_EQ(sprite.GetQuad().corners[2].tx, 40.0f / 192);
    EXPECT_EQ(sprite.GetQuad().corners[0].ty, 0.125f);
    EXPECT_EQ(sprite.GetQuad().corners[2].ty, 0.375f);
}

TEST_F(SpriteDrawing, CornerSettersAndBlending) {
    Sprite sprite(0, 0, 0, 1, 1);
    sprite.SetCornerColor(0xFF000000, -1);
    sprite.SetCornerColor(0x12345678, 2);
    sprite.SetCornerColor(0xDEADBEEF, 4); // outside the quad: ignored
    sprite.SetCornerZ(0.0f, -1);
    sprite.SetCornerZ(0.25f, 1);
    sprite.SetBlending(5);
    const Quad& q = sprite.GetQuad();
    EXPECT_EQ(q.corners[0].color, 0xFF000000u);
    EXPECT_EQ(q.corners[2].color, 0x12345678u);
    EXPECT_EQ(q.corners[3].color, 0xFF000000u);
    EXPECT_EQ(q.corners[0].z, 0.0f);
    EXPECT_EQ(q.corners[1].z, 0.25f);
    EXPECT_EQ(q.blend, 5);
}

TEST_F(SpriteDrawing, TakesAndReleasesOneEngineReferenceEach) {
    {
        Sprite a(0, 0, 0, 1, 1);
        EXPECT_EQ(Engine().holders, 1);
        Sprite b(a);
        EXPECT_EQ(Engine().holders, 2);
        Sprite c(0, 0, 0, 5, 5);
        c = a; // assignment keeps the reference it has
        EXPECT_EQ(Engine().holders, 3);
        EXPECT_EQ(c.Width(), 1.0f);
    }
    EXPECT_EQ(Engine().holders, 0);
    EXPECT_EQ(Engine().createVersions, (std::vector<int>{0x160, 0x160, 0x160}));
    EXPECT_EQ(Engine().CountCalls("Release"), 3);
}

// A sprite with every field away from its default: 96 x 80 texture, source rectangle, hot spot,
// mirroring, one corner's colour and another's depth, blend mode.
void Dress(Sprite& sprite) {
    sprite.PlaceHotSpot(5, 6);
    sprite.SetFlipped(true, false);
    sprite.SetCornerColor(0x80112233, 2);
    sprite.SetCornerZ(0.125f, 3);
    sprite.SetBlending(1);
}

bool SameQuad(const Quad& a, const Quad& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Everything the copy took over shows in what it draws and in how it reacts afterwards: the hot
// spot and size in the corners, the flip state in the next SetFlipped, the texture size in the
// next ChangeTexture. `twin` is another 96 x 80 texture, `wide` one of another size.
void ExpectDrawsAlike(Sprite& source, Sprite& copy, std::uint32_t twin, std::uint32_t wide) {
    EXPECT_TRUE(SameQuad(source.GetQuad(), copy.GetQuad()));
    EXPECT_TRUE(copy.FlippedX());
    EXPECT_FALSE(copy.FlippedY());
    const auto drawBoth = [&](const char* step, auto draw) {
        Engine().quads.clear();
        draw(source);
        draw(copy);
        ASSERT_EQ(Engine().quads.size(), 2u) << step;
        EXPECT_TRUE(SameQuad(Engine().quads[0], Engine().quads[1])) << step;
    };
    drawBoth("Draw", [](Sprite& s) { s.Draw(100.25f, 50.5f); });
    drawBoth("DrawTransformed", [](Sprite& s) { s.DrawTransformed(100.25f, 50.5f, 0.3f, 1.5f, 0); });
    drawBoth("SetFlipped", [](Sprite& s) {
        s.SetFlipped(false, true);
        s.Draw(0, 0);
    });
    drawBoth("ChangeTexture same size", [twin](Sprite& s) {
        s.ChangeTexture(twin);
        s.Draw(0, 0);
    });
    drawBoth("ChangeTexture other size", [wide](Sprite& s) {
        s.ChangeTexture(wide);
        s.Draw(0, 0);
    });
    drawBoth("SetSourceRect", [](Sprite& s) {
        s.SetSourceRect(1, 2, 3, 4);
        s.DrawTransformed(7, 8, 0, 2, 0);
    });
}

TEST_F(SpriteDrawing, CopyIsTheSameSpriteBitForBit) {
    const std::uint32_t tex = LoadFakeTexture("t.png", 96, 80);
    const std::uint32_t twin = LoadFakeTexture("twin.png", 96, 80);
    const std::uint32_t wide = LoadFakeTexture("wide.png", 200, 50);
    Sprite source(tex, 7, 9, 30, 21);
    Dress(source);
    Sprite copy(source);
    EXPECT_EQ(Engine().holders, 2);
    ExpectDrawsAlike(source, copy, twin, wide);
}

TEST_F(SpriteDrawing, AssignedSpriteIsTheSameSpriteBitForBit) {
    const std::uint32_t tex = LoadFakeTexture("t.png", 96, 80);
    const std::uint32_t twin = LoadFakeTexture("twin.png", 96, 80);
    const std::uint32_t wide = LoadFakeTexture("wide.png", 200, 50);
    const std::uint32_t other = LoadFakeTexture("other.png", 64, 64);
    Sprite source(tex, 7, 9, 30, 21);
    Dress(source);
    // The target differs in every field first, flipped the other way.
    Sprite target(other, 1, 1, 10, 10);
    target.PlaceHotSpot(2, 3);
    target.SetFlipped(false, true);
    target.SetCornerColor(0xFF00FF00, -1);
    target.SetCornerZ(0.75f, -1);
    target.SetBlending(3);
    target = source;
    EXPECT_EQ(Engine().holders, 2);
    ExpectDrawsAlike(source, target, twin, wide);
}

// ---- BoundsRect -----------------------------------------------------------------------------

TEST_F(BoundsRects, EdgesAreHalfOpenAndOverlapIsStrict) {
    BoundsRect r;
    r.AddPoint(10, 20);
    EXPECT_FALSE(r.empty);
    r.AddPoint(5, 40);
    r.AddPoint(30, 25);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 30);
    EXPECT_EQ(r.bottom, 40);
    EXPECT_TRUE(r.Contains(5, 20));
    EXPECT_FALSE(r.Contains(30, 20));
    EXPECT_FALSE(r.Contains(5, 40));
    EXPECT_TRUE(r.Contains(29.99f, 39.99f));

    BoundsRect right{30, 20, 50, 40, false}; // shares the right edge only
    BoundsRect below{5, 40, 30, 60, false};  // shares the bottom edge only
    BoundsRect corner{30, 40, 50, 60, false};
    BoundsRect inside{29, 39, 50, 60, false};
    EXPECT_FALSE(r.Overlaps(right));
    EXPECT_FALSE(r.Overlaps(below));
    EXPECT_FALSE(r.Overlaps(corner));
    EXPECT_TRUE(r.Overlaps(inside));
    EXPECT_TRUE(inside.Overlaps(r));
}

TEST_F(BoundsRects, TransformedBoundsKeepsZeroVerticalScale) {
    Sprite sprite(0, 0, 0, 40, 30);
    BoundsRect rect{1, 2, 3, 4, false};
    sprite.TransformedBounds(100, 200, 0, 2, 0, rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.right, 180);
    EXPECT_EQ(rect.top, 200);
    EXPECT_EQ(rect.bottom, 200);
    EXPECT_TRUE(Engine().quads.empty());
    sprite.DrawTransformed(100, 200, 0, 2, 0);
    EXPECT_EQ(Engine().quads.at(0).corners[2].y, 260.0f); // drawn height 30 x 2

    sprite.PlaceHotSpot(20, 15);
    sprite.TransformedBounds(0, 0, static_cast<float>(std::numbers::pi / 2), 1, 1, rect);
    EXPECT_NEAR(rect.left, -15, 1e-4);
    EXPECT_NEAR(rect.right, 15, 1e-4);
    EXPECT_NEAR(rect.top, -20, 1e-4);
    EXPECT_NEAR(rect.bottom, 20, 1e-4);
}

// ---- Font loader ----------------------------------------------------------------------------

const char* const kBasicFont = "[BITMAPFONT]\nBitmap=font.png\nChar=41,2,2,14,20,0,1\nChar=\"j\",0,0,8,12,-1,3";

class FontLoading : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        Engine().textureFiles["font.png"] = {128, 64};
    }
};

void ExpectBasicFont(const BitmapFont& font, const std::string& variant) {
    EXPECT_NE(font.Texture(), 0u) << variant;
    ASSERT_NE(font.Glyph('A'), nullptr) << variant;
    ASSERT_NE(font.Glyph('j'), nullptr) << variant;
    EXPECT_EQ(font.Glyph('j')->Width(), 8.0f) << variant;
    EXPECT_EQ(font.PreOffset('j'), -1.0f) << variant;
    EXPECT_EQ(font.PostOffset('j'), 3.0f) << variant;
    EXPECT_EQ(font.PostOffset('A'), 1.0f) << variant;
    EXPECT_EQ(font.LineHeight(), 20.0f) << variant;
    EXPECT_FLOAT_EQ(font.Glyph('A')->GetQuad().corners[2].tx, 16.0f / 128) << variant;
    int glyphs = 0;
    for (int code = 0; code < 256; ++code) glyphs += font.Glyph(static_cast<unsigned char>(code)) ? 1 : 0;
    EXPECT_EQ(glyphs, 2) << variant;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
    }
    return text;
}

TEST_F(FontLoading, LineEndStylesBlankLinesAndFinalLineEndGiveTheSameFont) {
    const std::string base = kBasicFont;
    const std::string variants[] = {
        base,
        base + "\n",
        Replace(base, "\n", "\r\n") + "\r\n",
        Replace(base, "\n", "\r"),
        Replace(base, "\n", "\n\n\r\n\n"),
        base + "\n\n\n",
    };
    for (const std::string& text : variants) {
        Engine().Reset();
        Engine().textureFiles["font.png"] = {128, 64};
        Engine().files["f.fnt"] = text;
        BitmapFont font("f.fnt");
        ExpectBasicFont(font, text);
        EXPECT_TRUE(Engine().logLines.empty());
        EXPECT_EQ(Engine().outstandingResources, 0);
    }
}

TEST_F(FontLoading, BadHeaderIsLoggedAndLeavesFontEmpty) {
    const std::string bad[] = {"[BITMAPFONT] \nChar=41,2,2,14,20,0,1", "[bitmapfont]\nBitmap=font.png",
                               "\n[BITMAPFONT]\nBitmap=font.png", " [BITMAPFONT]", "", "\r\n\r\n",
                               "[BITMAPFONT"};
    for (const std::string& text : bad) {
        Engine().Reset();
        Engine().textureFiles["font.png"] = {128, 64};
        Engine().files["fonts\\f.fnt"] = text;
        BitmapFont font("fonts\\f.fnt");
        ASSERT_EQ(Engine().logLines.size(), 1u) << text;
        EXPECT_EQ(Engine().logLines[0], "Font fonts\\f.fnt has incorrect format.");
        EXPECT_EQ(font.Texture(), 0u);
        EXPECT_EQ(font.Glyph('A'), nullptr);
        EXPECT_EQ(Engine().CountCalls("LoadTexture"), 0);
        EXPECT_EQ(Engine().outstandingResources, 0);
    }
}

TEST_F(FontLoading, HeaderOnlyOrMissingFileGivesEmptyFontSilently) {
    for (const char* text : {"[BITMAPFONT]", "[BITMAPFONT]\r\n"}) {
        Engine().files["h.fnt"] = text;
        BitmapFont font("h.fnt");
        EXPECT_EQ(font.Texture(), 0u);
        EXPECT_EQ(font.LineHeight(), 0.0f);
    }
    BitmapFont missing("nowhere.fnt");
    EXPECT_EQ(missing.Glyph('?'), nullptr);
    EXPECT_TRUE(Engine().logLines.empty());
}

TEST_F(FontLoading, CodesInHexadecimalOrQuotes) {
    Engine().files["c.fnt"] =
        "[BITMAPFONT]\nBitmap=font.png\n"
        "Char=6a,0,0,1,1,0,0\nChar=6A,0,0,2,1,0,0\nChar=\"j\",0,0,3,1,0,0\n" // all byte 106
        "Char=100,0,0,1,1,0,0\n"         // above 0xFF: ignored
        "Char=FFFFFFFF,0,0,1,1,0,0\n"    // negative as a signed value: ignored
        "Char=100000041,0,0,4,1,0,0\n"   // the ninth digit pushes the leading 1 out: 0x41
        "Char=,0,0,5,1,0,0\n"            // no digits: code 0
        "Char=\"\"\",0,0,6,1,0,0\n"      // a quoted quote
        "Char=\" \",0,0,7,1,0,0\n"       // a quoted space
        "Char=\",\",0,0,8,1,0,0\n"       // a quoted comma
        "Char=\"\xE9\",0,0,9,1,0,0\n"    // a byte above 127
        "Char = 42 , +2 , 2 , 10 , 7 , -2 , 1\n"
        "Charlie=43,0,0,11,1,0,0\n"      // only the first four letters are compared
        " Char=44,0,0,12,1,0,0\n"        // a key after a blank is no key
        "char=45,0,0,13,1,0,0\n";        // keys are case-sensitive
    BitmapFont font("c.fnt");
    ASSERT_NE(font.Glyph(106), nullptr);
    EXPECT_EQ(font.Glyph(106)->Width(), 3.0f);
    EXPECT_EQ(font.Glyph(0xFF), nullptr);
    EXPECT_EQ(font.Glyph(0x41)->Width(), 4.0f);
    EXPECT_EQ(font.Glyph(0)->Width(), 5.0f);
    EXPECT_EQ(font.Glyph('"')->Width(), 6.0f);
    EXPECT_EQ(font.Glyph(' ')->Width(), 7.0f);
    EXPECT_EQ(font.Glyph(',')->Width(), 8.0f);
    EXPECT_EQ(font.Glyph(0xE9)->Width(), 9.0f);
    EXPECT_EQ(font.Glyph(0x42)->Width(), 10.0f);
    EXPECT_EQ(font.PreOffset(0x42), -2.0f);
    EXPECT_EQ(font.LineHeight(), 7.0f);
    EXPECT_EQ(font.Glyph(0x43)->Width(), 11.0f);
    EXPECT_EQ(font.Glyph(0x44), nullptr);
    EXPECT_EQ(font.Glyph(0x45), nullptr);
    EXPECT_FLOAT_EQ(font.Glyph(0x42)->GetQuad().corners[0].tx, 2.0f / 128);
}

TEST_F(FontLoading, HighestByteFFIsAGlyphCode) {
    Engine().files["ff.fnt"] = "[BITMAPFONT]\nBitmap=font.png\nChar=FF,0,0,3,1,0,0\nChar=ff,0,0,4,1,0,0";
    BitmapFont font("ff.fnt");
    ASSERT_NE(font.Glyph(0xFF), nullptr);
    EXPECT_EQ(font.Glyph(0xFF)->Width(), 4.0f); // the later line replaced the earlier one
}

TEST_F(FontLoading, GlyphNumbersMustFitThirtyTwoBits) {
    Engine().files["r.fnt"] =
        "[BITMAPFONT]\nBitmap=font.png\n"
        "Char=41,0,0,1,1,2147483647,-2147483648\n" // both ends of the range
        "Char=42,0,0,1,1,0,2147483648\n"           // one above it
        "Char=43,0,0,1,1,-2147483649,0\n";         // one below it
    BitmapFont font("r.fnt");
    ASSERT_NE(font.Glyph(0x41), nullptr);
    EXPECT_EQ(font.PreOffset(0x41), 2147483648.0f); // the float nearest to 2147483647
    EXPECT_EQ(font.PostOffset(0x41), -2147483648.0f);
    EXPECT_EQ(font.Glyph(0x42), nullptr);
    EXPECT_EQ(font.Glyph(0x43), nullptr);
}

TEST_F(FontLoading, MalformedGlyphLinesAreSkipped) {
    Engine().files["m.fnt"] =
        "[BITMAPFONT]\nBitmap=font.png\n"
        "Char41,0,0,1,1,0,0\n"          // no '='
        "Char=41,0,0,1,1,0\n"           // five numbers
        "Char=41,0,0,1,1,0,\n"          // a sixth comma with no number
        "Char=41 0,0,1,1,0,0\n"         // a missing comma
        "Char=41,0,0,1,99999999999,0,0\n" // a number outside the int range
        "Char=\"\n"                     // quoted code cut short
        "Char=\"A\n"                    // quoted code without its closing character
        "Char=42,1,1,1,1,1,1";
    BitmapFont font("m.fnt");
    EXPECT_EQ(font.Glyph(0x41), nullptr);
    EXPECT_EQ(font.Glyph('A'), nullptr);
    EXPECT_NE(font.Glyph(0x42), nullptr);
    EXPECT_EQ(Engine().holders, 2); // the font and its one glyph
}

TEST_F(FontLoading, BitmapPathIsBuiltBesideTheDescriptionFile) {
    const std::pair<std::string, std::string> cases[] = {
        {"fonts\\small.fnt", "fonts\\small.png"},
        {"data/fonts/small.fnt", "data/fonts/small.png"},
        {"small.fnt", "small.png"},
        {"a\\b/small.fnt", "a\\small.png"}, // a backslash wins over a later slash
    };
    for (const auto& [description, bitmap] : cases) {
        Engine().Reset();
        Engine().textureFiles[bitmap] = {64, 64};
        Engine().files[description] = "[BITMAPFONT]\r\nBitmap = small.png\r\nChar=41,0,0,1,1,0,0\r\n";
        BitmapFont font(description.c_str());
        EXPECT_EQ(Engine().CountCalls("LoadTexture " + bitmap + " 0 false"), 1) << description;
        EXPECT_NE(font.Texture(), 0u) << description;
    }
}

TEST_F(FontLoading, BitmapLinesThatNameNothingAreSkipped) {
    Engine().files["n.fnt"] = "[BITMAPFONT]\nBitmap\nBitmap=\nBitmap =  \nBitmapX=font.png\nBitmap:font.png\n"
                              "Bitmap=font.png trailing words\nChar=41,0,0,1,1,0,0";
    BitmapFont font("n.fnt");
    EXPECT_EQ(Engine().CountCalls("LoadTexture"), 1);
    EXPECT_EQ(Engine().CountCalls("LoadTexture font.png 0 false"), 1);
    EXPECT_EQ(font.Glyph('A')->GetQuad().texture, font.Texture());
}

TEST_F(FontLoading, FailedBitmapStopsReadingAndKeepsEarlierGlyphs) {
    Engine().files["b.fnt"] = "[BITMAPFONT]\nChar=41,0,0,4,9,0,0\nBitmap=absent.png\nChar=42,0,0,4,30,0,0";
    {
        BitmapFont font("b.fnt");
        EXPECT_EQ(font.Texture(), 0u);
        ASSERT_NE(font.Glyph(0x41), nullptr);
        EXPECT_EQ(font.Glyph(0x41)->GetQuad().texture, 0u);
        EXPECT_EQ(font.Glyph(0x42), nullptr);
        EXPECT_EQ(font.LineHeight(), 9.0f);
        EXPECT_TRUE(Engine().logLines.empty());
    }
    EXPECT_TRUE(Engine().freedTextures.empty());
    EXPECT_EQ(Engine().holders, 0);
}

TEST_F(FontLoading, TallestGlyphSetsLineHeightAndZeroByteEndsText) {
    Engine().files["t.fnt"] = std::string("[BITMAPFONT]\nBitmap=font.png\nChar=41,0,0,1,5,0,0\n"
                                          "Char=42,0,0,1,25,0,0\nChar=43,0,0,1,7,0,0\n") +
                              std::string(1, '\0') + "Char=44,0,0,1,90,0,0\n";
    BitmapFont font("t.fnt");
    EXPECT_EQ(font.LineHeight(), 25.0f);
    EXPECT_EQ(font.Glyph(0x44), nullptr);
}

TEST_F(FontLoading, OverlongLinesAndPathsAreReadInFull) {
    const std::string longName(300, 'd');
    const std::string folder = std::string(280, 'p') + "/";
    Engine().textureFiles[folder + longName + ".png"] = {64, 64};
    Engine().files[folder + "f.fnt"] = "[BITMAPFONT]\n; " + std::string(1000, 'x') + "\nBitmap=" + longName +
                                       ".png\nChar=41" + std::string(400, ' ') + ",1,2,3,4,5,6\n";
    BitmapFont font((folder + "f.fnt").c_str());
    EXPECT_NE(font.Texture(), 0u);
    ASSERT_NE(font.Glyph(0x41), nullptr);
    EXPECT_EQ(font.Glyph(0x41)->Width(), 3.0f);
    EXPECT_EQ(font.PostOffset(0x41), 6.0f);
}

TEST_F(FontLoading, ReplacedGlyphsAndEarlierBitmapsAreReleased) {
    Engine().textureFiles["second.png"] = {32, 32};
    Engine().files["r.fnt"] =
        "[BITMAPFONT]\nBitmap=font.png\nChar=41,0,0,1,1,0,0\nChar=41,0,0,2,1,0,0\n"
        "Bitmap=second.png\nChar=42,0,0,3,1,0,0";
    {
        BitmapFont font("r.fnt");
        EXPECT_EQ(Engine().holders, 3); // the font and two live glyphs: the replaced one is gone
        EXPECT_EQ(font.Glyph(0x41)->Width(), 2.0f);
        EXPECT_EQ(font.Glyph(0x41)->GetQuad().texture, Engine().TextureNamed("font.png"));
        EXPECT_EQ(font.Texture(), Engine().TextureNamed("second.png"));
        EXPECT_TRUE(Engine().freedTextures.empty()); // glyph A still draws from the first bitmap
    }
    EXPECT_EQ(Engine().holders, 0);
    EXPECT_EQ(Engine().freedTextures.size(), 2u);
    EXPECT_TRUE(Engine().loadedTextures.empty());
}

TEST_F(FontLoading, CopiesShareTheTextureWhichIsFreedOnce) {
    Engine().files["f.fnt"] = kBasicFont;
    auto source = std::make_unique<BitmapFont>("f.fnt");
    source->SetTextScale(0.5f);
    const std::uint32_t tex = source->Texture();
    auto copy = std::make_unique<BitmapFont>(*source);
    ExpectBasicFont(*copy, "copy");
    EXPECT_NE(copy->Glyph('A'), source->Glyph('A')); // its own glyph sprites
    EXPECT_EQ(Engine().holders, 6);                  // two fonts, four glyphs
    source.reset();
    EXPECT_TRUE(Engine().freedTextures.empty());
    copy->DrawText(0, 0, AlignLeft, "A"); // still valid after the source is gone
    EXPECT_EQ(Engine().quads.at(0).texture, tex);
    EXPECT_EQ(Engine().quads.at(0).corners[1].x, 7.0f); // the copied scale: 14 x 0.5
    copy.reset();
    EXPECT_EQ(Engine().freedTextures, (std::vector<std::uint32_t>{tex}));
    EXPECT_EQ(Engine().holders, 0);
}

TEST_F(FontLoading, AssignmentReleasesTheTargetsOldTextureAndGlyphs) {
    Engine().textureFiles["other.png"] = {16, 16};
    Engine().files["f.fnt"] = kBasicFont;
    Engine().files["o.fnt"] = "[BITMAPFONT]\nBitmap=other.png\nChar=5A,0,0,1,1,0,0\nChar=59,0,0,1,1,0,0\n"
                              "Char=58,0,0,1,1,0,0";
    {
        BitmapFont source("f.fnt");
        BitmapFont target("o.fnt");
        const std::uint32_t otherTex = target.Texture();
        target = source;
        EXPECT_EQ(Engine().freedTextures, (std::vector<std::uint32_t>{otherTex}));
        ExpectBasicFont(target, "assigned");
        EXPECT_EQ(target.Glyph('Z'), nullptr);
        EXPECT_EQ(Engine().holders, 2 + 2 + 2);
        target = target; // self-assignment changes nothing
        ExpectBasicFont(target, "self-assigned");
        EXPECT_EQ(Engine().freedTextures.size(), 1u);
    }
    EXPECT_EQ(Engine().freedTextures.size(), 2u);
    EXPECT_TRUE(Engine().loadedTextures.empty());
    EXPECT_EQ(Engine().holders, 0);
}

// ---- Text -----------------------------------------------------------------------------------

class TextDrawing : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        Engine().textureFiles["t.png"] = {256, 256};
    }
    // A, B and ? with distinct offsets, a few wide glyphs for centring, byte 200, no space glyph
    // unless asked for.
    static std::string Description(const std::string& extra) {
        return "[BITMAPFONT]\nBitmap=t.png\n"
               "Char=41,0,0,10,20,1,2\nChar=42,20,0,6,16,0,0\nChar=\"?\",40,0,8,20,3,1\n"
               "Char=43,0,40,51,5,0,0\nChar=44,0,40,53,5,0,0\nChar=C8,60,0,5,5,0,0\n" +
               extra;
    }
    static float PenX(std::size_t quad) { return Engine().quads.at(quad).corners[0].x; }
    static float PenY(std::size_t quad) { return Engine().quads.at(quad).corners[0].y; }
};

TEST_F(TextDrawing, PenAdvancesByOffsetsAndWidth) {
    Engine().files["f.fnt"] = Description("");
    BitmapFont font("f.fnt");
    font.DrawText(100, 50, AlignLeft, "AB");
    ASSERT_EQ(Engine().quads.size(), 2u);
    EXPECT_EQ(PenX(0), 101.0f); // pre offset 1
    EXPECT_EQ(PenY(0), 50.0f);
    EXPECT_EQ(PenX(1), 113.0f); // 101 + post 2 + width 10
    EXPECT_EQ(font.TextWidth("AB"), 19.0f);
    font.SetTextTracking(1);
    EXPECT_EQ(font.TextWidth("AB"), 21.0f); // tracking after every glyph, the last included
}

TEST_F(TextDrawing, ScaledPenPositionsBitForBit) {
    Engine().files["f.fnt"] = Description("");
    BitmapFont font("f.fnt");
    font.SetTextScale(0.65f);
    font.DrawText(480, 10, AlignLeft, "AB");
    ASSERT_EQ(Engine().quads.size(), 2u);
    const float aLeft = 0x1.e0a666p+8f;  // 480 + 0.65f
    const float aRight = 0x1.e72666p+8f; // + 10 x 0.65f
    const float bLeft = 0x1.e87332p+8f;  // + 12 x 0.65f
    ExpectCorners(Engine().quads[0], {aLeft, 10, aRight, 10, aRight, 23, aLeft, 23});
    EXPECT_TRUE(SameBits(PenX(1), bLeft));
    EXPECT_TRUE(SameBits(font.TextWidth("AB"), 12.349999427795410f));
}

TEST_F(TextDrawing, LineFeedStepsAreWholePixelsWithHalvesToEven) {
    Engine().files["f.fnt"] = Description(""); // tallest glyph 20
    BitmapFont font("f.fnt");
    font.DrawText(0, 0, AlignLeft, "A\nA\n");
    ASSERT_EQ(Engine().quads.size(), 2u); // nothing after the final line feed
    EXPECT_EQ(PenY(1), 20.0f);
    EXPECT_EQ(PenX(1), 1.0f);

    Engine().files["h25.fnt"] = Description("Char=45,0,0,1,25,0,0");
    Engine().files["h27.fnt"] = Description("Char=45,0,0,1,27,0,0");
    BitmapFont font25("h25.fnt"), font27("h27.fnt");
    font25.SetTextScale(0.5f);
    font27.SetTextScale(0.5f);
    Engine().quads.clear();
    font25.DrawText(0, 100, AlignLeft, "A\nA");
    font27.DrawText(0, 100, AlignLeft, "A\nA");
    EXPECT_EQ(PenY(1), 112.0f); // 12.5 goes to 12
    EXPECT_EQ(PenY(3), 114.0f); // 13.5 goes to 14

    Engine().quads.clear();
    font.DrawText(0, 0, AlignLeft, "\n");
    EXPECT_TRUE(Engine().quads.empty());
    EXPECT_EQ(font.TextWidth(""), 0.0f);
    EXPECT_EQ(font.TextWidth("\nAB"), 0.0f);
}

TEST_F(TextDrawing, RightAndCentreAlignmentMeasureEachLine) {
    Engine().files["f.fnt"] = Description("");
    BitmapFont font("f.fnt");
    font.DrawText(200, 0, AlignRight, "A\nAB");
    ASSERT_EQ(Engine().quads.size(), 3u);
    EXPECT_EQ(PenX(0), 188.0f); // line width 13: pen 187, pre 1
    EXPECT_EQ(PenX(1), 182.0f); // line width 19: pen 181
    EXPECT_EQ(PenX(2), 194.0f);
    EXPECT_EQ(Engine().quads[2].corners[1].x, 200.0f); // the line ends on x

    Engine().quads.clear();
    font.DrawText(100, 0, AlignCenter, "C\nD"); // widths 51 and 53
    EXPECT_EQ(PenX(0), 74.0f); // 25.5 goes to the even 26
    EXPECT_EQ(PenX(1), 74.0f); // 26.5 goes to the even 26
    font.DrawText(100, 0, AlignRight | AlignCenter, "C"); // 3 acts as left
    EXPECT_EQ(PenX(2), 100.0f);
}

TEST_F(TextDrawing, MissingGlyphFallsBackToQuestionMark) {
    Engine().files["f.fnt"] = Description("");
    BitmapFont font("f.fnt");
    font.DrawText(0, 0, AlignLeft, "ZA\xC8");
    ASSERT_EQ(Engine().quads.size(), 3u);
    EXPECT_EQ(PenX(0), 3.0f); // the question mark's pre offset
    EXPECT_FLOAT_EQ(Engine().quads[0].corners[0].tx, 40.0f / 256);
    EXPECT_EQ(PenX(1), 13.0f); // 3 + post 1 + width 8, then A's pre 1
    EXPECT_FLOAT_EQ(Engine().quads[2].corners[0].tx, 60.0f / 256); // byte 200 has its own glyph
    EXPECT_EQ(font.TextWidth("Z"), 12.0f);

    Engine().files["nq.fnt"] = "[BITMAPFONT]\nBitmap=t.png\nChar=41,0,0,10,20,1,2";
    BitmapFont bare("nq.fnt");
    Engine().quads.clear();
    bare.DrawText(0, 0, AlignLeft, "\x01Z\xFF" "A");
    ASSERT_EQ(Engine().quads.size(), 1u);
    EXPECT_EQ(PenX(0), 1.0f); // the skipped bytes did not move the pen
    EXPECT_EQ(bare.TextWidth("ZZ"), 0.0f);
}

TEST_F(TextDrawing, EmptyFontDrawsNothingAndMeasuresEveryTextAsZero) {
    BitmapFont empty("missing.fnt");
    empty.DrawText(50, 50, AlignRight, "abc\ndef");
    empty.DrawFormattedInBox(0, 0, 10, 10, AlignCenter | AlignMiddle, "x %d", 1);
    EXPECT_TRUE(Engine().quads.empty());
    for (const char* text : {"abc", "?", "\xC8 x"}) EXPECT_EQ(empty.TextWidth(text), 0.0f) << text;
}

TEST_F(TextDrawing, SettersReachEveryGlyphAndScaleAppliesAtDrawTime) {
    Engine().files["f.fnt"] = Description("");
    BitmapFont font("f.fnt");
    font.SetTextColor(0xFF000000);
    font.SetTextZ(0.25f);
    font.SetTextBlending(1);
    font.SetTextScale(2);
    font.DrawText(0, 0, AlignLeft, "A?");
    ASSERT_EQ(Engine().quads.size(), 2u);
    for (const Quad& q : Engine().quads) {
        EXPECT_EQ(q.blend, 1);
        for (const Vertex& v : q.corners) {
            EXPECT_EQ(v.color, 0xFF000000u);
            EXPECT_EQ(v.z, 0.25f);
        }
    }
    EXPECT_EQ(Engine().quads[0].corners[2].y, 40.0f);
    EXPECT_EQ(PenX(1), 2.0f + 24.0f + 6.0f);
}

TEST_F(TextDrawing, RotatedGlyphsTurnAboutTheirCornerWhileThePenStaysLevel) {
    Engine().files["f.fnt"] = Description("");
    BitmapFont font("f.fnt");
    font.SetTextRotation(static_cast<float>(std::numbers::pi / 2));
    font.DrawText(0, 0, AlignLeft, "AA");
    ASSERT_EQ(Engine().quads.size(), 2u);
    EXPECT_EQ(PenX(1), 14.0f);
    EXPECT_EQ(PenY(1), 0.0f);
    EXPECT_NEAR(Engine().quads[0].corners[1].y, 10.0f, 1e-5); // the top edge now points down
}

// Every drawing setting away from its default.
void DressFont(BitmapFont& font) {
    font.SetTextScale(1.5f);
    font.SetTextRotation(0.25f);
    font.SetTextTracking(2.5f);
    font.SetTextSpacing(1.5f);
    font.SetTextColor(0x80402010);
    font.SetTextZ(0.125f);
    font.SetTextBlending(1);
}

// The copy measures, draws and steps lines exactly like the dressed source.
void ExpectWritesAlike(BitmapFont& source, BitmapFont& copy) {
    // ((2 + 1 + 2.5) + 10 + (0 + 0 + 2.5) + 6) x 1.5: tracking and scale both count.
    EXPECT_EQ(source.TextWidth("AB"), 36.0f);
    EXPECT_EQ(copy.TextWidth("AB"), 36.0f);
    Engine().quads.clear();
    source.DrawText(10, 20, AlignLeft, "AB\nB?");
    copy.DrawText(10, 20, AlignLeft, "AB\nB?");
    ASSERT_EQ(Engine().quads.size(), 8u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(std::memcmp(&Engine().quads[i], &Engine().quads[i + 4], sizeof(Quad)) == 0) << "glyph " << i;
    }
    // Line step: 1.5 x 1.5 x 20 = 45. A glyph's top-left corner is its pen position at any rotation.
    EXPECT_EQ(Engine().quads[6].corners[0].y, 65.0f);
    EXPECT_EQ(Engine().quads[6].corners[0].x, 10.0f);
    const Quad& a = Engine().quads[4];
    EXPECT_EQ(a.blend, 1);
    EXPECT_EQ(a.corners[3].color, 0x80402010u);
    EXPECT_EQ(a.corners[3].z, 0.125f);
    EXPECT_GT(a.corners[1].y, a.corners[0].y) << "the top edge turns clockwise";
}

TEST_F(TextDrawing, CopiedFontWritesLikeItsSource) {
    Engine().files["f.fnt"] = Description("");
    BitmapFont source("f.fnt");
    DressFont(source);
    BitmapFont copy(source);
    ExpectWritesAlike(source, copy);
}

TEST_F(TextDrawing, AssignedFontWritesLikeItsSource) {
    Engine().files["f.fnt"] = Description("");
    Engine().files["o.fnt"] = "[BITMAPFONT]\nBitmap=t.png\nChar=41,5,5,3,40,7,7\nChar=42,5,5,3,40,7,7";
    BitmapFont source("f.fnt");
    DressFont(source);
    BitmapFont target("o.fnt");
    target.SetTextScale(3);
    target.SetTextSpacing(0.5f);
    target.SetTextTracking(-1);
    target.SetTextRotation(-1);
    target = source;
    ExpectWritesAlike(source, target);
}

TEST_F(TextDrawing, FormattedTextFillsTheBufferAndIsCutAt1023) {
    Engine().files["f.fnt"] = Description("");
    BitmapFont font("f.fnt");
    font.DrawFormatted(480, 10, AlignLeft, "Velikost kvadrata: %d\nProcent zeleza: %d\n", 6, 50);
    EXPECT_STREQ(font.FormatBuffer(), "Velikost kvadrata: 6\nProcent zeleza: 50\n");
    Engine().quads.clear();
    const std::string longText(2000, 'A');
    font.DrawFormatted(0, 0, AlignLeft, "%s", longText.c_str());
    EXPECT_EQ(std::strlen(font.FormatBuffer()), 1023u);
    EXPECT_EQ(Engine().quads.size(), 1023u);
    Engine().quads.clear();
    font.DrawFormattedInBox(0, 0, 5000, 10, AlignLeft, "%s B", longText.c_str());
    EXPECT_EQ(std::strlen(font.FormatBuffer()), 1023u);
    EXPECT_EQ(Engine().quads.size(), 1023u);
}

class BoxedText : public TextDrawing {
protected:
    void SetUp() override {
        TextDrawing::SetUp();
        // Lower-case letters 10 pixels wide, the space 5, all 20 high, no offsets.
        std::string text = "[BITMAPFONT]\nBitmap=t.png\nChar=\" \",0,0,5,20,0,0\n";
        for (char c = 'a'; c <= 'z'; ++c) text += std::string("Char=\"") + c + "\",0,0,10,20,0,0\n";
        Engine().files["box.fnt"] = text;
    }
};

TEST_F(BoxedText, TwoWordsWrapInANarrowBox) {
    BitmapFont font("box.fnt");
    font.DrawFormattedInBox(10, 100, 64, 100, AlignLeft, "%s %s", "one", "two"); // pair 65 wide
    EXPECT_STREQ(font.FormatBuffer(), "one\ntwo");
    ASSERT_EQ(Engine().quads.size(), 6u);
    EXPECT_EQ(PenX(3), 10.0f);
    EXPECT_EQ(PenY(3), 120.0f);

    Engine().quads.clear();
    font.DrawFormattedInBox(10, 100, 65, 100, AlignLeft, "one two"); // exactly fits: no wrap
    EXPECT_STREQ(font.FormatBuffer(), "one two");
}

TEST_F(BoxedText, VerticalAlignmentUsesTheWrappedLineCount) {
    BitmapFont font("box.fnt");
    font.DrawFormattedInBox(0, 100, 64, 100, AlignBottom, "one two");
    EXPECT_EQ(PenY(0), 160.0f); // hh = 2 x 20
    Engine().quads.clear();
    font.DrawFormattedInBox(0, 100, 64, 101, AlignMiddle, "one two");
    EXPECT_EQ(PenY(0), 130.0f); // 30.5 goes to 30
    Engine().quads.clear();
    font.DrawFormattedInBox(0, 100, 64, 103, AlignMiddle, "one two");
    EXPECT_EQ(PenY(0), 132.0f); // 31.5 goes to 32
    Engine().quads.clear();
    font.DrawFormattedInBox(0, 100, 64, 103, AlignTop, "one two");
    EXPECT_EQ(PenY(0), 100.0f);
    Engine().quads.clear();
    font.SetTextScale(0.5f);
    font.DrawFormattedInBox(0, 100, 32, 100, AlignBottom, "one two");
    EXPECT_EQ(PenY(0), 180.0f); // hh = 2 x 1 x 0.5 x 20
}

TEST_F(BoxedText, WideWordKeepsItsOwnLine) {
    BitmapFont font("box.fnt");
    font.DrawFormattedInBox(0, 0, 45, 100, AlignBottom, "ab abcdefghij cd ef");
    EXPECT_STREQ(font.FormatBuffer(), "ab\nabcdefghij\ncd ef");
    EXPECT_EQ(PenY(0), 40.0f); // three lines: 100 - 60
    EXPECT_EQ(PenY(2), 60.0f);
    EXPECT_EQ(PenY(12), 80.0f);

    font.DrawFormattedInBox(0, 0, 30, 100, AlignLeft, "aa  bb");
    EXPECT_STREQ(font.FormatBuffer(), "aa \nbb"); // the earlier space stays on the first line
    font.DrawFormattedInBox(0, 0, 30, 100, AlignLeft, "abcdefgh");
    EXPECT_STREQ(font.FormatBuffer(), "abcdefgh"); // a lone word is never split
}

TEST_F(BoxedText, BoxedLinesAlignOnTheBoxEdgesEachOnItsOwn) {
    BitmapFont font("box.fnt");
    font.DrawFormattedInBox(100, 0, 64, 50, AlignRight, "one two ab");
    EXPECT_STREQ(font.FormatBuffer(), "one\ntwo ab");
    EXPECT_EQ(PenX(0), 134.0f);  // 164 - 30
    EXPECT_EQ(PenX(3), 109.0f);  // 164 - 55
    Engine().quads.clear();
    font.DrawFormattedInBox(100, 0, 65, 50, AlignCenter, "one");
    EXPECT_EQ(PenX(0), 117.0f); // anchor 100 + 32 (32.5 to even), line 30 wide: 132 - 15
}

}  // namespace
