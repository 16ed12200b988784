// krondel_assets_main.cpp
// Writes krondel's data files into the folder given as the only argument. Same inputs, same bytes:
// fixed seeds, fixed JPEG quality, no time stamps. Reads the DejaVu Sans font and its licence from
// the fonts-dejavu-core package; the output depends on the FreeType, libpng and libjpeg versions.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "tools/app_icon.h"
#include "tools/arrow_cursor.h"
#include "tools/board_textures.h"
#include "tools/font_atlas.h"
#include "tools/image_files.h"
#include "tools/panel_background.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kJpegQuality = 90;

constexpr const char* kFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kLicencePath = "/usr/share/doc/fonts-dejavu-core/copyright";

// The program draws its texts at this scale; its longest line starts at x = 480 in a 640-wide
// window, so it gets this many screen pixels.
constexpr double kTextScale = 0.65;
constexpr double kLongestLineRoom = 150.0;
constexpr std::string_view kLongestLine = "R - nakljucna postavitev";
constexpr double kLargestPixelSize = 24.0;
constexpr double kSmallestPixelSize = 12.0;
constexpr double kPixelSizeStep = 0.25;

constexpr const char* kDesktopEntry =
    "[Desktop Entry]\n"
    "Type=Application\n"
    "Name=Krondel\n"
    "Comment=Explore site percolation on a board of metal and wood squares\n"
    "Exec=krondel\n"
    "Icon=krondel\n"
    "Terminal=false\n"
    "Categories=Education;Science;\n";

bool WriteText(const std::filesystem::path& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}

bool Report(bool ok, const std::filesystem::path& path, const std::string& error) {
    if (!ok) std::fprintf(stderr, "krondel_assets: cannot write %s: %s\n", path.c_str(), error.c_str());
    return ok;
}

// The largest size, in quarter pixels, at which the longest line still fits its room.
std::optional<FontAtlas> ChooseFont(std::string& error) {
    for (double size = kLargestPixelSize; size >= kSmallestPixelSize; size -= kPixelSizeStep) {
        auto atlas = BuildFontAtlas(kFontPath, size, error);
        if (!atlas) return std::nullopt;
        if (MeasureText(*atlas, kLongestLine, kTextScale) <= kLongestLineRoom) return atlas;
    }
    error = "no size fits the longest line";
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '\0') {
        std::fprintf(stderr, "usage: krondel_assets OUTPUT_FOLDER\n"
                             "Writes krondel's textures, cursor, font, icon and desktop entry there.\n");
        return kExitUsage;
    }
    const std::filesystem::path folder(argv[1]);
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (code || !std::filesystem::is_directory(folder)) {
        std::fprintf(stderr, "krondel_assets: cannot use %s as the output folder: %s\n", folder.c_str(),
                     code ? code.message().c_str() : "not a folder");
        return kExitFailure;
    }

    std::string error;
    auto font = ChooseFont(error);
    if (!font) {
        std::fprintf(stderr, "krondel_assets: font: %s\n", error.c_str());
        return kExitFailure;
    }
    std::ifstream licenceIn(kLicencePath, std::ios::binary);
    if (!licenceIn) {
        std::fprintf(stderr, "krondel_assets: cannot read the font licence %s\n", kLicencePath);
        return kExitFailure;
    }
    std::string licence((std::istreambuf_iterator<char>(licenceIn)), {});

    RasterImage wood = MakeWoodTexture();
    RasterImage metal = MakeMetalTexture();
    bool ok = true;
    ok = ok && Report(WriteJpeg(folder / "284.jpg", wood, kJpegQuality, error), folder / "284.jpg", error);
    ok = ok && Report(WriteJpeg(folder / "brushed-metal.jpg", metal, kJpegQuality, error),
                      folder / "brushed-metal.jpg", error);
    ok = ok && Report(WritePng(folder / "background1.png", MakePanelBackground(), error),
                      folder / "background1.png", error);
    ok = ok && Report(WritePng(folder / "Arrow.png", MakeArrowCursor(), error), folder / "Arrow.png", error);
    ok = ok && Report(WritePng(folder / "font1.png", font->bitmap, error), folder / "font1.png", error);
    ok = ok && Report(WriteText(folder / "font1.fnt", DescribeFont(*font, "font1.png")), folder / "font1.fnt",
                      "write failed");
    ok = ok && Report(WriteText(folder / "DejaVu-LICENSE.txt", licence), folder / "DejaVu-LICENSE.txt",
                      "write failed");
    ok = ok && Report(WritePng(folder / "krondel.png", MakeAppIcon(wood, metal), error), folder / "krondel.png",
                      error);
    ok = ok && Report(WriteText(folder / "krondel.desktop", kDesktopEntry), folder / "krondel.desktop",
                      "write failed");
    if (!ok) return kExitFailure;

    std::printf("font: DejaVu Sans at %.2f px, line height %d px (%.2f px at scale %.2f)\n", font->pixelSize,
                font->lineHeight, font->lineHeight * kTextScale, kTextScale);
    for (std::string_view line : {kLongestLine, std::string_view("Velikost kvadrata: 8"),
                                  std::string_view("Matrika trenutno ne prevaja!")})
        std::printf("width at scale %.2f: \"%.*s\" = %.2f px\n", kTextScale, static_cast<int>(line.size()),
                    line.data(), MeasureText(*font, line, kTextScale));
    return 0;
}
