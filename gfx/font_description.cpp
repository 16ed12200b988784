// font_description.cpp
// Parsers for the lines of a font description file. They follow the formatted-input rules the format
// was designed around (" " matches any run of white space, %d takes an optional sign) but work on
// the line as a string, so neither a long line nor a short one can read or write out of bounds.
#include "gfx/font_description.h"

#include <cctype>
#include <cstdint>
#include <limits>

namespace {

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

void SkipBlanks(std::string_view line, std::size_t& p) {
    while (p < line.size() && IsBlank(line[p])) ++p;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// " , %d": white space, a comma, white space, then an optionally signed decimal number.
std::optional<int> ReadCommaNumber(std::string_view line, std::size_t& p) {
    SkipBlanks(line, p);
    if (p >= line.size() || line[p] != ',') return std::nullopt;
    ++p;
    SkipBlanks(line, p);
    bool negative = false;
    if (p < line.size() && (line[p] == '+' || line[p] == '-')) negative = line[p++] == '-';
    if (p >= line.size() || !std::isdigit(static_cast<unsigned char>(line[p]))) return std::nullopt;
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    while (p < line.size() && std::isdigit(static_cast<unsigned char>(line[p]))) {
        value = value * 10 + (line[p++] - '0');
        if (value > kLimit) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max()) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

bool ReadLine(std::string_view text, std::size_t& position, std::string& line) {
    if (position >= text.size() || text[position] == '\0') return false;
    std::size_t end = position;
    while (end < text.size() && text[end] != '\0' && !IsLineEnd(text[end])) ++end;
    line.assign(text.substr(position, end - position));
    while (end < text.size() && IsLineEnd(text[end])) ++end;
    position = end;
    return true;
}

FontLineKind ClassifyLine(std::string_view line) {
    if (line.starts_with("Bitmap")) return FontLineKind::Bitmap;
    if (line.starts_with("Char")) return FontLineKind::Glyph;
    return FontLineKind::Other;
}

std::optional<std::string> ParseBitmapName(std::string_view line) {
    constexpr std::string_view kKey = "Bitmap";
    if (!line.starts_with(kKey)) return std::nullopt;
    std::size_t p = kKey.size();
    SkipBlanks(line, p);
    if (p >= line.size() || line[p] != '=') return std::nullopt;
    ++p;
    SkipBlanks(line, p);
    const std::size_t start = p;
    while (p < line.size() && !IsBlank(line[p])) ++p;
    if (p == start) return std::nullopt; // a line that names no file is malformed
    return std::string(line.substr(start, p - start));
}

std::string BitmapPath(std::string_view descriptionName, std::string_view bitmapName) {
    // A backslash wins even when a slash comes after it.
    std::size_t cut = descriptionName.rfind('\\');
    if (cut == std::string_view::npos) cut = descriptionName.rfind('/');
    std::string path;
    if (cut != std::string_view::npos) path.assign(descriptionName.substr(0, cut + 1));
    path.append(bitmapName);
    return path;
}

std::optional<GlyphLine> ParseGlyphLine(std::string_view line) {
    std::size_t p = line.find('=');
    if (p == std::string_view::npos) return std::nullopt;
    ++p;
    while (p < line.size() && line[p] == ' ') ++p;

    GlyphLine glyph{};
    if (p < line.size() && line[p] == '"') {
        // The quoted character may be anything, a quote included; the closing character is not
        // checked, but it must be there.
        if (p + 2 >= line.size()) return std::nullopt;
        glyph.code = static_cast<unsigned char>(line[p + 1]);
        p += 3;
    } else {
        std::uint32_t value = 0; // digits past the eighth push the leading ones out
        for (int digit; p < line.size() && (digit = HexValue(line[p])) >= 0; ++p) {
            value = (value << 4) | static_cast<std::uint32_t>(digit);
        }
        const auto code = static_cast<std::int32_t>(value);
        if (code < 0 || code > 0xFF) return std::nullopt;
        glyph.code = code;
    }

    int* const fields[6] = {&glyph.x, &glyph.y, &glyph.w, &glyph.h, &glyph.pre, &glyph.post};
    for (int* field : fields) {
        const std::optional<int> number = ReadCommaNumber(line, p);
        if (!number) return std::nullopt;
        *field = *number;
    }
    return glyph;
}
