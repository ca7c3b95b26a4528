// A TrueType font written by the tests themselves: one glyph, a box without any
// instructions, served for a range of characters. Its sizes are the test's to choose, so
// that it can be an ordinary face or one whose glyphs reach far beyond its em.
#pragma once

#include <cstdint>
#include <string>

struct BoxFontShape {
  int unitsPerEm = 1000;
  int ascender = 800;  // hhea; the font has no OS/2 table, so these size its cells
  int descender = -200;
  int left = 50, bottom = 0, right = 550, top = 650;  // the box, font units
  int slant = 0;  // the top edge moved this far right: the sides slant (a parallelogram)
  int advance = 600;
  char32_t first = U'H', last = U'H';  // the characters that get the box
  std::string family = "Glyphex Box";  // ASCII
};

namespace box_font {

inline void Put16(std::string& out, int v) {
  out += static_cast<char>((v >> 8) & 0xFF);
  out += static_cast<char>(v & 0xFF);
}
inline void Put32(std::string& out, std::uint32_t v) {
  Put16(out, static_cast<int>(v >> 16));
  Put16(out, static_cast<int>(v & 0xFFFF));
}

}  // namespace box_font

inline std::string BoxTrueTypeFont(const BoxFontShape& s) {
  using box_font::Put16;
  using box_font::Put32;
  const char* tags[] = {"cmap", "glyf", "head", "hhea", "hmtx", "loca", "maxp", "name"};
  std::string tables[8];
  std::string& cmap = tables[0];
  for (int v : {0, 1, 3, 1, 0, 12}) Put16(cmap, v);  // one (3, 1) subtable at 12
  const int first = static_cast<int>(s.first), last = static_cast<int>(s.last);
  for (int v : {4, 32 + 2 * (last - first + 1), 0, 4, 4, 1, 0}) Put16(cmap, v);
  // Format 4 with two segments, first..last and the closing one: ends, pad, starts,
  // deltas, range offsets, and the glyph array the first segment's offset points to.
  for (int v : {last, 0xFFFF, 0, first, 0xFFFF, 0, 1, 4, 0}) Put16(cmap, v);
  for (int c = first; c <= last; ++c) Put16(cmap, 1);
  std::string& glyf = tables[1];  // glyph 0 empty; glyph 1 one contour, no instructions
  for (int v : {1, s.left, s.bottom, s.right, s.top, 3, 0}) Put16(glyf, v);
  glyf += std::string(4, '\x01');
  for (int v : {s.left, s.slant, s.right - s.left, -s.slant, s.bottom, s.top - s.bottom, 0,
                s.bottom - s.top, 0}) {
    Put16(glyf, v);  // x, then y deltas; pad
  }
  std::string& head = tables[2];
  Put32(head, 0x10000);
  Put32(head, 0x10000);
  Put32(head, 0);
  Put32(head, 0x5F0F3CF5);
  Put16(head, 3);
  Put16(head, s.unitsPerEm);
  head += std::string(16, '\0');
  for (int v : {s.left, s.bottom, s.right, s.top, 0, 8, 2, 0, 0}) Put16(head, v);
  std::string& hhea = tables[3];
  Put32(hhea, 0x10000);
  for (int v : {s.ascender, s.descender, 0, s.advance, 0, 0, s.right, 1, 0, 0, 0, 0, 0, 0, 0, 2}) {
    Put16(hhea, v);
  }
  for (int v : {s.advance, 0, s.advance, s.left}) Put16(tables[4], v);  // hmtx
  for (int v : {0, 0, 18}) Put16(tables[5], v);                         // loca, short offsets
  std::string& maxp = tables[6];
  Put32(maxp, 0x10000);
  for (int v : {2, 4, 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0}) Put16(maxp, v);
  std::string& name = tables[7];  // the family name (ID 1), Windows platform, UTF-16BE
  const int nameBytes = 2 * static_cast<int>(s.family.size());
  for (int v : {0, 1, 18, 3, 1, 0x409, 1, nameBytes, 0}) Put16(name, v);
  for (char c : s.family) Put16(name, c);

  std::string font;
  Put32(font, 0x10000);
  for (int v : {8, 128, 3, 0}) Put16(font, v);
  const std::uint32_t offset = 12 + 16 * 8;
  std::string body;
  for (std::size_t i = 0; i < 8; ++i) {
    font += tags[i];
    Put32(font, 0);
    Put32(font, offset + static_cast<std::uint32_t>(body.size()));
    Put32(font, static_cast<std::uint32_t>(tables[i].size()));
    body += tables[i];
    body.resize((body.size() + 3) & ~std::size_t{3}, '\0');
  }
  return font + body;
}
