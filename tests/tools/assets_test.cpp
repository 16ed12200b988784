// assets_test.cpp
// Runs krondel_assets into a temporary folder and compares with data/, then checks what the
// committed files promise. The font checks parse font1.fnt on their own, as the program's loader does.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tools/image_files.h"

namespace {

namespace fs = std::filesystem;

const fs::path kData = KRONDEL_DATA_FOLDER;
const std::vector<std::string> kGeneratedFiles = {
    "284.jpg",   "brushed-metal.jpg", "background1.png", "Arrow.png",       "font1.fnt",
    "font1.png", "krondel.png",       "krondel.desktop", "DejaVu-LICENSE.txt"};

constexpr float kTextScale = 0.65f; // the program's text scale

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// One shell word in single quotes. Built by appending: GCC 12 at -O3 reports a false -Wrestrict
// overlap in the inlined memcpy of "'" + string + "'".
std::string ShellQuoted(const fs::path& path) {
    std::string quoted;
    quoted.reserve(path.native().size() + 2);
    quoted.push_back('\'');
    quoted.append(path.native());
    quoted.push_back('\'');
    return quoted;
}

// Runs the generator through the shell; returns its exit code, or -1 if it did not exit normally.
int RunGenerator(const std::string& arguments) {
    std::string command = std::string("'") + KRONDEL_ASSETS_PROGRAM + "' " + arguments + " >/dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "krondel-assets-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()) != nullptr) path_ = buffer.data();
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

struct Glyph {
    int x, y, w, h, pre, post;
};

struct FontFile {
    std::vector<std::string> lines;
    std::map<int, Glyph> glyphs;
    int height = 0;
};

FontFile ParseFont(const fs::path& path) {
    FontFile font;
    std::istringstream in(ReadFile(path));
    std::string line;
    while (std::getline(in, line)) {
        font.lines.push_back(line);
        unsigned code = 0;
        Glyph g{};
        if (line.rfind("Char=", 0) == 0 &&
            std::sscanf(line.c_str(), "Char=%x,%d,%d,%d,%d,%d,%d", &code, &g.x, &g.y, &g.w, &g.h, &g.pre,
                        &g.post) == 7) {
            font.glyphs[static_cast<int>(code)] = g;
            font.height = std::max(font.height, g.h);
        }
    }
    return font;
}

// Width of a line as the program measures it: glyphs missing from the font count as '?'.
float TextWidth(const FontFile& font, const std::string& text) {
    float width = 0.0f;
    for (char c : text) {
        auto it = font.glyphs.find(static_cast<unsigned char>(c));
        if (it == font.glyphs.end()) it = font.glyphs.find('?');
        if (it == font.glyphs.end()) continue;
        width += static_cast<float>(it->second.post + it->second.pre) + static_cast<float>(it->second.w);
    }
    return width * kTextScale;
}

float LineStep(const FontFile& font) { return std::nearbyint(kTextScale * static_cast<float>(font.height)); }

double Luminance(const std::uint8_t* p) { return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]; }

// Mean RGB over the whole image.
std::vector<double> MeanColour(const RasterImage& image) {
    std::vector<double> sum(3, 0.0);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            for (int c = 0; c < 3; ++c) sum[c] += image.At(x, y)[c];
    for (double& s : sum) s /= static_cast<double>(image.width) * image.height;
    return sum;
}

// Box-filters a 512 x 512 texture to 51 x 51 luminance, as a cell drawn at 0.1 roughly shows it.
std::vector<double> ReduceTo51(const RasterImage& image) {
    std::vector<double> out(51 * 51, 0.0);
    for (int by = 0; by < 51; ++by)
        for (int bx = 0; bx < 51; ++bx) {
            double sum = 0.0;
            for (int y = by * 10; y < by * 10 + 10; ++y)
                for (int x = bx * 10; x < bx * 10 + 10; ++x) sum += Luminance(image.At(x, y));
            out[by * 51 + bx] = sum / 100.0;
        }
    return out;
}

// Mean luminance step between horizontal neighbours in the reduced image's interior (the bevel
// excluded): large when bands run vertically and survive the reduction, small for smooth sheen.
double StepAcrossColumns(const std::vector<double>& reduced) {
    double total = 0.0;
    int steps = 0;
    for (int y = 3; y < 48; ++y)
        for (int x = 3; x < 47; ++x, ++steps) total += std::abs(reduced[y * 51 + x + 1] - reduced[y * 51 + x]);
    return total / steps;
}

} // namespace

TEST(AssetGenerator, RegeneratesTheCommittedDataByteForByte) {
    TemporaryFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    ASSERT_EQ(RunGenerator(ShellQuoted(folder.Path())), 0);
    std::set<std::string> written;
    for (const auto& entry : fs::directory_iterator(folder.Path())) written.insert(entry.path().filename());
    EXPECT_EQ(written, std::set<std::string>(kGeneratedFiles.begin(), kGeneratedFiles.end()));
    for (const std::string& name : kGeneratedFiles) {
        std::string fresh = ReadFile(folder.Path() / name);
        std::string committed = ReadFile(kData / name);
        EXPECT_FALSE(fresh.empty()) << name;
        EXPECT_TRUE(fresh == committed) << name << " differs from data/" << name << " (" << fresh.size()
                                        << " bytes against " << committed.size() << ")";
    }
}

TEST(AssetGenerator, RefusesAMissingOrUnusableOutputFolder) {
    EXPECT_EQ(RunGenerator(""), 2);
    EXPECT_EQ(RunGenerator("a b"), 2);
    TemporaryFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    fs::path plainFile = folder.Path() / "not-a-folder";
    std::ofstream(plainFile) << "x";
    EXPECT_EQ(RunGenerator(ShellQuoted(plainFile)), 1);
    EXPECT_EQ(RunGenerator(ShellQuoted(plainFile / "below")), 1);
}

TEST(FontFile, StartsWithTheHeaderAndNamesItsBitmap) {
    FontFile font = ParseFont(kData / "font1.fnt");
    ASSERT_GE(font.lines.size(), 2u);
    EXPECT_EQ(font.lines[0], "[BITMAPFONT]");
    EXPECT_EQ(font.lines[1], "Bitmap=font1.png");
    for (std::size_t i = 2; i < font.lines.size(); ++i)
        EXPECT_EQ(font.lines[i].rfind("Char=", 0), 0u) << "line " << i + 1 << ": " << font.lines[i];
    EXPECT_EQ(ReadFile(kData / "font1.fnt").find('\r'), std::string::npos);
}

TEST(FontFile, DefinesEveryPrintableAsciiCharacterOnceWithOneHeight) {
    FontFile font = ParseFont(kData / "font1.fnt");
    EXPECT_EQ(font.lines.size(), 2u + 95u);
    std::set<int> codes;
    for (const auto& [code, glyph] : font.glyphs) {
        codes.insert(code);
        EXPECT_EQ(glyph.h, font.height) << "glyph " << code;
        EXPECT_GT(glyph.w, 0) << "glyph " << code;
        EXPECT_GT(glyph.pre + glyph.w + glyph.post, 0) << "glyph " << code << " has no advance";
    }
    ASSERT_EQ(codes.size(), 95u);
    EXPECT_EQ(*codes.begin(), 32);
    EXPECT_EQ(*codes.rbegin(), 126);
    // Proportional: an i is narrower than an m, and digits share one advance (tables line up).
    auto advance = [&](int c) { return font.glyphs[c].pre + font.glyphs[c].w + font.glyphs[c].post; };
    EXPECT_LT(advance('i'), advance('m'));
    for (int d = '1'; d <= '9'; ++d) EXPECT_EQ(advance(d), advance('0')) << char(d);
}

TEST(FontFile, GlyphsSitApartInsideTheBitmapWithInkOnlyInsideTheirPadding) {
    FontFile font = ParseFont(kData / "font1.fnt");
    auto bitmap = ReadPng((kData / "font1.png").string());
    ASSERT_TRUE(bitmap.has_value());
    ASSERT_EQ(font.glyphs.size(), 95u);
    std::vector<int> owner(static_cast<std::size_t>(bitmap->width) * bitmap->height, -1);
    for (const auto& [code, g] : font.glyphs) {
        ASSERT_GE(g.x, 0);
        ASSERT_GE(g.y, 0);
        ASSERT_LE(g.x + g.w, bitmap->width) << "glyph " << code;
        ASSERT_LE(g.y + g.h, bitmap->height) << "glyph " << code;
        for (int y = g.y; y < g.y + g.h; ++y)
            for (int x = g.x; x < g.x + g.w; ++x) owner[static_cast<std::size_t>(y) * bitmap->width + x] = code;
        for (const auto& [other, o] : font.glyphs) {
            if (other <= code) continue;
            bool apart = g.x + g.w + 2 <= o.x || o.x + o.w + 2 <= g.x || g.y + g.h + 2 <= o.y || o.y + o.h + 2 <= g.y;
            EXPECT_TRUE(apart) << "glyphs " << code << " and " << other << " are closer than 2 px";
        }
        // 1 px of empty padding left and right of the ink.
        for (int y = g.y; y < g.y + g.h; ++y) {
            EXPECT_EQ(bitmap->At(g.x, y)[3], 0) << "glyph " << code << " row " << y;
            EXPECT_EQ(bitmap->At(g.x + g.w - 1, y)[3], 0) << "glyph " << code << " row " << y;
        }
    }
    int inkPixels = 0;
    for (int y = 0; y < bitmap->height; ++y)
        for (int x = 0; x < bitmap->width; ++x) {
            const std::uint8_t* p = bitmap->At(x, y);
            ASSERT_TRUE(p[0] == 255 && p[1] == 255 && p[2] == 255) << "not white at " << x << "," << y;
            if (p[3] == 0) continue;
            ++inkPixels;
            EXPECT_NE(owner[static_cast<std::size_t>(y) * bitmap->width + x], -1) << "stray ink at " << x << "," << y;
        }
    EXPECT_GT(inkPixels, 1000);
    // The space has no ink; every other glyph has some.
    for (const auto& [code, g] : font.glyphs) {
        int ink = 0;
        for (int y = g.y; y < g.y + g.h; ++y)
            for (int x = g.x; x < g.x + g.w; ++x) ink += bitmap->At(x, y)[3] > 0;
        if (code == ' ') {
            EXPECT_EQ(ink, 0);
        } else {
            EXPECT_GT(ink, 0) << "glyph " << code;
        }
    }
}

TEST(FontFile, ProgramTextsFitTheirPlacesAtTheProgramScale) {
    FontFile font = ParseFont(kData / "font1.fnt");
    ASSERT_EQ(font.glyphs.size(), 95u);
    const float sideLeft = 480.0f, windowWidth = 640.0f, windowHeight = 480.0f;
    EXPECT_LE(TextWidth(font, "R - nakljucna postavitev"), 150.0f);
    for (const char* line : {"Velikost kvadrata: 8", "Procent zeleza: 100", "Navodila za tipke:", "+ - Vecje polje",
                             "- - Majnse polje", "V - vec kovine", "M - vec lesa"})
        EXPECT_LE(sideLeft + TextWidth(font, line), windowWidth - 10.0f) << line;
    EXPECT_LE(15.0f + TextWidth(font, "Matrika trenutno ne prevaja!"), 465.0f);
    // Line height: the bottom strip is 30 px tall and the status line starts 7 px into it.
    EXPECT_LT(kTextScale * static_cast<float>(font.height), 30.0f);
    EXPECT_LE(457.0f + kTextScale * static_cast<float>(font.height), windowHeight);
    // The six instruction lines start at y = 360 and must end inside the window.
    EXPECT_LE(360.0f + 5.0f * LineStep(font) + kTextScale * static_cast<float>(font.height), windowHeight);
    // Still readable: at least 12 screen pixels per line.
    EXPECT_GE(kTextScale * static_cast<float>(font.height), 12.0f);
}

TEST(BoardTextures, AreSquareWarmWoodAndCoolMetal) {
    auto wood = ReadJpeg((kData / "284.jpg").string());
    auto metal = ReadJpeg((kData / "brushed-metal.jpg").string());
    ASSERT_TRUE(wood.has_value());
    ASSERT_TRUE(metal.has_value());
    ASSERT_EQ(wood->width, 512);
    ASSERT_EQ(wood->height, 512);
    ASSERT_EQ(metal->width, 512);
    ASSERT_EQ(metal->height, 512);
    std::vector<double> w = MeanColour(*wood), m = MeanColour(*metal);
    EXPECT_GT(w[0] - w[2], 60.0) << "wood is not warm";
    EXPECT_GT(w[0], w[1]);
    EXPECT_GT(m[2], m[0] + 5.0) << "metal is not cool";
    EXPECT_LT(std::abs(m[0] - m[1]) + std::abs(m[1] - m[2]), 40.0) << "metal is not grey";
    EXPECT_GT(std::abs(w[0] - m[0]) + std::abs(w[2] - m[2]), 80.0) << "the materials look alike";
}

TEST(BoardTextures, WoodGrainSurvivesTheReductionToACell) {
    auto wood = ReadJpeg((kData / "284.jpg").string());
    auto metal = ReadJpeg((kData / "brushed-metal.jpg").string());
    ASSERT_TRUE(wood && metal);
    double woodStep = StepAcrossColumns(ReduceTo51(*wood));
    double metalStep = StepAcrossColumns(ReduceTo51(*metal));
    std::printf("mean step across columns at 51 px: wood %.2f, metal %.2f\n", woodStep, metalStep);
    EXPECT_GT(woodStep, 4.0);
    EXPECT_GT(woodStep, 3.0 * metalStep);
}

TEST(BoardTextures, MetalStreaksRunHorizontally) {
    auto metal = ReadJpeg((kData / "brushed-metal.jpg").string());
    ASSERT_TRUE(metal.has_value());
    double alongX = 0.0, alongY = 0.0;
    for (int y = 20; y < 491; ++y)
        for (int x = 20; x < 491; ++x) {
            alongX += std::abs(Luminance(metal->At(x + 1, y)) - Luminance(metal->At(x, y)));
            alongY += std::abs(Luminance(metal->At(x, y + 1)) - Luminance(metal->At(x, y)));
        }
    EXPECT_GT(alongY, 2.0 * alongX);
}

TEST(PanelBackground, IsLightAndCalmInsideTheRectanglesThePanelsUse) {
    auto panel = ReadPng((kData / "background1.png").string());
    ASSERT_TRUE(panel.has_value());
    ASSERT_EQ(panel->width, 640);
    ASSERT_EQ(panel->height, 240);
    struct Rect {
        int w, h;
    };
    for (Rect r : {Rect{180, 240}, Rect{640, 100}}) {
        double darkest = 255.0, steepest = 0.0;
        for (int y = 0; y < r.h; ++y)
            for (int x = 0; x < r.w; ++x) {
                EXPECT_EQ(panel->At(x, y)[3], 255);
                double l = Luminance(panel->At(x, y));
                darkest = std::min(darkest, l);
                if (x + 1 < r.w) steepest = std::max(steepest, std::abs(Luminance(panel->At(x + 1, y)) - l));
                if (y + 1 < r.h) steepest = std::max(steepest, std::abs(Luminance(panel->At(x, y + 1)) - l));
            }
        EXPECT_GE(darkest, 190.0) << r.w << " x " << r.h;
        EXPECT_LE(steepest, 10.0) << r.w << " x " << r.h;
    }
}

TEST(ArrowCursor, PointsFromTheTopLeftPixelOnATransparentGround) {
    auto arrow = ReadPng((kData / "Arrow.png").string());
    ASSERT_TRUE(arrow.has_value());
    ASSERT_EQ(arrow->width, 29);
    ASSERT_EQ(arrow->height, 31);
    EXPECT_GT(arrow->At(0, 0)[3], 64);
    EXPECT_EQ(arrow->At(28, 0)[3], 0);
    EXPECT_EQ(arrow->At(0, 30)[3], 0);
    EXPECT_EQ(arrow->At(28, 30)[3], 0);
    int white = 0, black = 0, partial = 0;
    for (int y = 0; y < arrow->height; ++y)
        for (int x = 0; x < arrow->width; ++x) {
            const std::uint8_t* p = arrow->At(x, y);
            // Nothing above the diagonal from the tip: the tip is the image's corner.
            if (x > y + 2) {
                EXPECT_EQ(p[3], 0) << x << "," << y;
            }
            if (p[3] == 255 && p[0] > 200) ++white;
            if (p[3] > 200 && p[0] < 60) ++black;
            if (p[3] > 0 && p[3] < 255) ++partial;
        }
    EXPECT_GT(white, 80);
    EXPECT_GT(black, 40);
    EXPECT_GT(partial, 20) << "edges are not anti-aliased";
}

TEST(DesktopFiles, IconIsASquareImageWithRoundedTransparentCorners) {
    auto icon = ReadPng((kData / "krondel.png").string());
    ASSERT_TRUE(icon.has_value());
    ASSERT_EQ(icon->width, 64);
    ASSERT_EQ(icon->height, 64);
    EXPECT_EQ(icon->At(0, 0)[3], 0);
    EXPECT_EQ(icon->At(63, 63)[3], 0);
    EXPECT_EQ(icon->At(32, 32)[3], 255);
    EXPECT_EQ(icon->At(32, 0)[3], 255);
}

TEST(DesktopFiles, DesktopEntryLaunchesKrondel) {
    std::istringstream in(ReadFile(kData / "krondel.desktop"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "[Desktop Entry]");
    for (const char* expected : {"Type=Application", "Name=Krondel", "Exec=krondel", "Icon=krondel",
                                 "Terminal=false", "Categories=Education;Science;"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
    EXPECT_NE(std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("Comment=", 0) == 0; }),
              lines.end());
}
