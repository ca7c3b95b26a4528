// Unifont's glyphs as the .hex bitmaps of Debian's unifont package: the reference the
// pixel font and box drawing tests compare with. Each line is "XXXX:" and 32 or 64 hex
// digits, 16 rows of 8 or 16 pixels, most significant bit leftmost, top row first; the
// baseline lies under row 13.
#pragma once

#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

inline constexpr const char* kUnifontHexPath = "/usr/share/unifont/unifont.hex";
inline constexpr const char* kUnifontOtfPath = "/usr/share/fonts/opentype/unifont/unifont.otf";

struct HexGlyph {
  int width = 0;                   // 8 or 16
  std::vector<unsigned char> lit;  // 16 rows of width, 1 where lit
  bool At(int x, int y) const { return lit[static_cast<std::size_t>(y) * width + x] != 0; }
};

// The value of a hex digit, -1 for any other character.
inline int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The glyphs of the .hex file at path whose code point is in wanted; empty when the file
// cannot be read. Lines that are not well formed are skipped.
inline std::map<char32_t, HexGlyph> ReadUnifontHex(const std::string& path,
                                                   const std::vector<char32_t>& wanted) {
  std::map<char32_t, HexGlyph> glyphs;
  for (char32_t ch : wanted) glyphs[ch];
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 6) continue;
    char32_t ch = 0;
    for (std::size_t i = 0; i < colon && HexDigit(line[i]) >= 0; ++i)
      ch = ch * 16 + HexDigit(line[i]);
    const auto found = glyphs.find(ch);
    const std::string digits = line.substr(colon + 1);
    if (found == glyphs.end() || (digits.size() != 32 && digits.size() != 64)) continue;
    HexGlyph glyph;
    glyph.width = static_cast<int>(digits.size()) / 4;
    for (char digit : digits) {
      const int nibble = HexDigit(digit);
      for (int bit = 3; bit >= 0; --bit) glyph.lit.push_back(nibble >= 0 && ((nibble >> bit) & 1));
    }
    found->second = std::move(glyph);
  }
  std::erase_if(glyphs, [](const auto& entry) { return entry.second.width == 0; });
  return glyphs;
}
