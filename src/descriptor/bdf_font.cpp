// The BDF 2.1 character-cell font of a sheet.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "descriptor/font_file_parts.h"
#include "descriptor/font_files.h"

namespace {

// X11 bitmap fonts are described at 75 dpi; XLFD counts a point as 1/72.27 inch.
constexpr int kResolutionDpi = 75;

// Long enough for any family; readers keep lines to 1024 bytes.
constexpr std::size_t kMaxFamilyBytes = 200;

// A BDF string property: a double quote inside is written twice.
std::string BdfQuoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    out += c;
    if (c == '"') out += '"';
  }
  out += '"';
  return out;
}

// XLFD separates its fields with "-" and reserves "?", "*", "," and '"'.
std::string XlfdField(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '-' || c == '?' || c == '*' || c == ',' || c == '"') c = ' ';
  }
  return out;
}

void AppendLine(std::string& out, std::string_view key, long long value) {
  out += key;
  out += ' ';
  out += std::to_string(value);
  out += '\n';
}

void AppendLine(std::string& out, std::string_view key, std::string_view quoted) {
  out += key;
  out += ' ';
  out += BdfQuoted(quoted);
  out += '\n';
}

// "uni0041", or "u1F600" past the Basic Multilingual Plane: the usual glyph names.
std::string GlyphName(char32_t cp) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string digits;
  for (char32_t v = cp; v != 0 || digits.size() < 4; v >>= 4)
    digits.insert(digits.begin(), kHex[v & 0xF]);
  return (cp <= 0xFFFF ? "uni" : "u") + digits;
}

}  // namespace

Result<std::string> BdfFont(const SheetDescription& sheet, int threshold) {
  const std::vector<FontCharacter> chars = FontCharacters(sheet);
  if (chars.empty()) return Failure(NoCharacterRefusal("BDF"));

  const int cellW = sheet.cellPx.widthPx;
  const int cellH = sheet.cellPx.heightPx;
  const int ascent = std::clamp(sheet.baselineRow, 0, cellH);
  const int descent = cellH - ascent;
  const int rowBytes = (cellW + 7) / 8;
  // POINT_SIZE in decipoints: PIXEL_SIZE x 722.7 / dpi, rounded. SIZE takes whole points
  // and must be at least 1.
  const long long dpi = kResolutionDpi;
  const long long pointSize = std::max(1LL, (cellH * 7227LL * 2 + 10 * dpi) / (20 * dpi));
  const long long sizePoints = std::max(1LL, (pointSize + 5) / 10);
  // SWIDTH, the advance in 1/1000 em at that size: DWIDTH x 1000 x 72 / (points x dpi).
  const long long sWidth = (cellW * 720000LL * 2 + pointSize * dpi) / (2 * pointSize * dpi);
  const std::string family = FontFamilyName(sheet.face, kMaxFamilyBytes);
  const char* weight = sheet.bold ? "Bold" : "Medium";
  const char* slant = sheet.italic ? "I" : "R";
  const bool hasSpace = std::any_of(chars.begin(), chars.end(),
                                    [](const FontCharacter& c) { return c.codePoint == U' '; });
  const std::string box =
      std::to_string(cellW) + " " + std::to_string(cellH) + " 0 " + std::to_string(-descent);

  std::string out;
  out.reserve(1024 + chars.size() * (80 + static_cast<std::size_t>(cellH) * (2 * rowBytes + 1)));
  out += "STARTFONT 2.1\n";
  out += "FONT -misc-" + XlfdField(family) + "-" + weight + "-" + slant + "-Normal--" +
         std::to_string(cellH) + "-" + std::to_string(pointSize) + "-" + std::to_string(dpi) + "-" +
         std::to_string(dpi) + "-C-" + std::to_string(10 * cellW) + "-ISO10646-1\n";
  out += "SIZE " + std::to_string(sizePoints) + " " + std::to_string(dpi) + " " +
         std::to_string(dpi) + "\n";
  out += "FONTBOUNDINGBOX " + box + "\n";

  std::string props;
  AppendLine(props, "FOUNDRY", "misc");
  AppendLine(props, "FAMILY_NAME", family);
  AppendLine(props, "WEIGHT_NAME", weight);
  AppendLine(props, "SLANT", slant);
  AppendLine(props, "SETWIDTH_NAME", "Normal");
  AppendLine(props, "PIXEL_SIZE", cellH);
  AppendLine(props, "POINT_SIZE", pointSize);
  AppendLine(props, "RESOLUTION_X", kResolutionDpi);
  AppendLine(props, "RESOLUTION_Y", kResolutionDpi);
  AppendLine(props, "SPACING", "C");
  AppendLine(props, "AVERAGE_WIDTH", 10 * cellW);
  AppendLine(props, "CHARSET_REGISTRY", "ISO10646");
  AppendLine(props, "CHARSET_ENCODING", "1");
  AppendLine(props, "FONT_ASCENT", ascent);
  AppendLine(props, "FONT_DESCENT", descent);
  if (hasSpace) AppendLine(props, "DEFAULT_CHAR", 32);
  out += "STARTPROPERTIES " + std::to_string(std::count(props.begin(), props.end(), '\n')) + "\n";
  out += props;
  out += "ENDPROPERTIES\n";

  static constexpr char kHex[] = "0123456789ABCDEF";
  AppendLine(out, "CHARS", static_cast<long long>(chars.size()));
  std::vector<std::uint8_t> pixels, row(static_cast<std::size_t>(rowBytes));
  for (const FontCharacter& c : chars) {
    out += "STARTCHAR " + GlyphName(c.codePoint) + "\n";
    AppendLine(out, "ENCODING", static_cast<long long>(c.codePoint));
    out += "SWIDTH " + std::to_string(sWidth) + " 0\n";
    out += "DWIDTH " + std::to_string(cellW) + " 0\n";
    out += "BBX " + box + "\nBITMAP\n";
    MonoCellPixels(sheet, c.cell, threshold, pixels);
    for (int y = 0; y < cellH; ++y) {
      PackCellRow(pixels, cellW, y, row.data());
      for (std::uint8_t byte : row) {
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
      }
      out += '\n';
    }
    out += "ENDCHAR\n";
  }
  out += "ENDFONT\n";
  return out;
}
