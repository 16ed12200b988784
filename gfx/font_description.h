// font_description.h
// Reading the lines of a font description file: line splitting, the header, bitmap and glyph lines,
// and the bitmap's path beside the description file.
// Limits: lines and paths have no length limit; every parser only reads inside the line it is given.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kFontHeader = "[BITMAPFONT]";

// Cuts one line from `text` at `position`: up to the first zero byte, LF or CR, then steps over the
// whole run of LF and CR that follows. Returns false when no line starts at `position` (end of
// text or a zero byte there).
bool ReadLine(std::string_view text, std::size_t& position, std::string& line);

enum class FontLineKind { Bitmap, Glyph, Other };
// Keys stand at the very start of the line and are case-sensitive; "Bitmap" is tested first.
FontLineKind ClassifyLine(std::string_view line);

// The file name of a bitmap line "Bitmap = name" (blanks optional around '='; the name runs to the
// next white space). Nothing when the line does not match or names nothing.
std::optional<std::string> ParseBitmapName(std::string_view line);

// The bitmap's path: the description file's folder (up to its last backslash, or failing that its
// last slash) followed by the bitmap's name.
std::string BitmapPath(std::string_view descriptionName, std::string_view bitmapName);

struct GlyphLine {
    int code;        // byte value 0..255
    int x, y, w, h;  // rectangle in the bitmap, pixels
    int pre, post;   // pixels moved before and after the glyph
};
// A glyph line: anything up to '=', then a quoted character or a hexadecimal code, then six
// comma-separated integers. Nothing for a line without '=', a code outside 0..0xFF, a quoted code
// cut short, fewer than six numbers or a number outside the int range.
std::optional<GlyphLine> ParseGlyphLine(std::string_view line);
