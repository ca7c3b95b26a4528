// Unifont's glyphs as the .hex bitmaps of Debian's unifont package, the reference of the
// pixel font and box drawing tests: lines "XXXX:" and 32 or 64 hex digits, 16 rows of 8
// or 16 pixels, top row first, most significant bit leftmost; the baseline under row 13.
#pragma once

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

inline constexpr const char* kUnifontHexPath = "/usr/share/unifont/unifont.hex";
inline constexpr const char* kUnifontOtfPath = "/usr/share/fonts/opentype/unifont/unifont.otf";

struct HexGlyph {
  int width = 0;                   // 8 or 16
  std::vector<unsigned char> lit;  // 16 rows of width, 1 where lit
};

// The glyphs of wanted that the .hex file holds; none when it cannot be read.
inline std::map<char32_t, HexGlyph> ReadUnifontHex(std::vector<char32_t> wanted) {
  std::sort(wanted.begin(), wanted.end());
  std::map<char32_t, HexGlyph> glyphs;
  std::ifstream in(kUnifontHexPath);
  unsigned code = 0;
  char colon = 0;
  std::string digits;
  while (in >> std::hex >> code >> colon >> digits) {
    if (!std::binary_search(wanted.begin(), wanted.end(), code)) continue;
    HexGlyph& glyph = glyphs[code];
    glyph.width = static_cast<int>(digits.size()) / 4;
    for (const char digit : digits) {
      const int nibble = std::stoi(std::string(1, digit), nullptr, 16);
      for (int bit = 3; bit >= 0; --bit) glyph.lit.push_back((nibble >> bit) & 1);
    }
  }
  return glyphs;
}
