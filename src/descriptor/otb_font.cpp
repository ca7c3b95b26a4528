// The bitmap-only OpenType font of a sheet: one monochrome strike of the cells.
//
// The font is laid out as
//   table directory   the tables below, sorted by tag, each 4-byte aligned
//   head, hhea, maxp  units per em = 64 x cell height, so a pixel is 64 units
//   OS/2, post        weight, slant, typographic metrics, fixed pitch
//   name              family, style, full and PostScript names (Windows, UTF-16BE)
//   cmap              format 4 for the Basic Multilingual Plane, format 12 when needed
//   hmtx              one advance of the cell width for every glyph
//   EBLC, EBDT        one strike (ppem = cell height) of one index subtable of format 2
//                     (all glyphs alike) pointing to bit-aligned images of format 5
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "descriptor/font_file_parts.h"
#include "descriptor/font_files.h"
#include "text/windows1252.h"

namespace {

constexpr int kUnitsPerPixel = 64;
constexpr std::size_t kMaxFamilyBytes = 200;
// Glyph indices are 16-bit and glyph 0 is .notdef.
constexpr std::size_t kMaxOtbCharacters = 0xFFFE;
// The strike's metrics are signed bytes.
constexpr int kMaxOtbCellPx = 127;

// Big-endian writers: the sfnt byte order.
void U8(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF);
}
void U16(std::string& out, unsigned v) {
  U8(out, v >> 8), U8(out, v);
}
void U32(std::string& out, std::uint32_t v) {
  U16(out, v >> 16), U16(out, v & 0xFFFF);
}
void S16(std::string& out, int v) {
  U16(out, static_cast<unsigned>(v) & 0xFFFF);
}
void S8(std::string& out, int v) {
  U8(out, static_cast<unsigned>(v) & 0xFF);
}

std::uint32_t Checksum(std::string_view data) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < data.size(); i += 4) {
    std::uint32_t word = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      word = word << 8 | (i + k < data.size() ? static_cast<unsigned char>(data[i + k]) : 0u);
    }
    sum += word;
  }
  return sum;
}

struct Table {
  std::array<char, 4> tag;
  std::string data;
};

// What every table is made from.
struct Font {
  int cellW = 0;
  int cellH = 0;
  int ascent = 0;   // pixels above the baseline
  int descent = 0;  // pixels below it
  bool bold = false;
  bool italic = false;
  std::vector<FontCharacter> chars;  // glyph i + 1 is chars[i]
  int Glyphs() const { return static_cast<int>(chars.size()) + 1; }
  int Units(int px) const { return px * kUnitsPerPixel; }
};

std::string Head(const Font& f) {
  std::string t;
  U32(t, 0x00010000);  // version
  U32(t, 0x00010000);  // font revision 1.0
  U32(t, 0);           // checksum adjustment, set once the whole file is known
  U32(t, 0x5F0F3CF5);  // magic
  // Baseline at y = 0, left side bearing at x = 0, whole pixels per em.
  U16(t, 0x000B);
  U16(t, f.Units(f.cellH));               // units per em: the em is the cell height
  for (int k = 0; k < 4; ++k) U32(t, 0);  // created and modified: none, so files stay alike
  S16(t, 0);
  S16(t, -f.Units(f.descent));
  S16(t, f.Units(f.cellW));
  S16(t, f.Units(f.ascent));
  U16(t, (f.bold ? 1 : 0) | (f.italic ? 2 : 0));  // mac style
  U16(t, f.cellH);                                // smallest readable size
  S16(t, 2);                                      // left to right, with neutrals
  S16(t, 0);                                      // short offsets (there is no loca)
  S16(t, 0);                                      // glyph data format
  return t;
}

std::string Hhea(const Font& f) {
  std::string t;
  U32(t, 0x00010000);
  S16(t, f.Units(f.ascent));
  S16(t, -f.Units(f.descent));
  S16(t, 0);                 // line gap
  U16(t, f.Units(f.cellW));  // largest advance
  S16(t, 0);                 // smallest left side bearing
  S16(t, 0);                 // smallest right side bearing
  S16(t, f.Units(f.cellW));  // largest extent
  S16(t, 1);                 // caret rise: upright
  S16(t, 0);                 // caret run
  S16(t, 0);                 // caret offset
  for (int k = 0; k < 4; ++k) S16(t, 0);
  S16(t, 0);  // metric data format
  U16(t, 1);  // one long metric: every glyph has the same advance
  return t;
}

std::string Maxp(const Font& f) {
  std::string t;
  U32(t, 0x00005000);  // version 0.5: no outlines
  U16(t, f.Glyphs());
  return t;
}

std::string Hmtx(const Font& f) {
  std::string t;
  U16(t, f.Units(f.cellW));
  S16(t, 0);
  for (int g = 1; g < f.Glyphs(); ++g) S16(t, 0);  // left side bearings
  return t;
}

std::string Os2(const Font& f) {
  const int em = f.Units(f.cellH);
  char32_t first = 0xFFFF, last = 0;
  for (const FontCharacter& c : f.chars) {
    first = std::min<char32_t>(first, std::min<char32_t>(c.codePoint, 0xFFFF));
    last = std::max<char32_t>(last, std::min<char32_t>(c.codePoint, 0xFFFF));
  }
  std::string t;
  U16(t, 4);                 // version
  S16(t, f.Units(f.cellW));  // average advance
  U16(t, f.bold ? 700 : 400);
  U16(t, 5);  // normal width
  U16(t, 0);  // installable without restrictions
  // Sub- and superscript size and offset, strikeout size and position.
  for (int v : {em / 2, em / 2, 0, em / 8, em / 2, em / 2, 0, em / 3}) S16(t, v);
  S16(t, kUnitsPerPixel);
  S16(t, f.Units(f.ascent) / 2);
  S16(t, 0);  // family class
  // PANOSE: Latin text, any serif and weight, monospaced.
  for (int v : {2, 0, f.bold ? 8 : 5, 9, 0, 0, 0, 0, 0, 0}) U8(t, v);
  for (int k = 0; k < 4; ++k) U32(t, 0);  // Unicode ranges: not claimed
  t += "UKWN";                            // vendor: the usual code for an unknown one
  // Selection: italic, bold, or regular; typographic metrics are the ones to use.
  U16(t, (f.italic ? 0x01 : 0) | (f.bold ? 0x20 : 0) | (!f.bold && !f.italic ? 0x40 : 0) | 0x80);
  U16(t, first);
  U16(t, last);
  S16(t, f.Units(f.ascent));
  S16(t, -f.Units(f.descent));
  S16(t, 0);  // line gap
  U16(t, f.Units(f.ascent));
  U16(t, f.Units(f.descent));
  U32(t, 0);  // code page ranges: not claimed
  U32(t, 0);
  S16(t, 0);  // x height: not measured
  S16(t, 0);  // cap height: not measured
  U16(t, 0);  // default character: .notdef
  U16(t, ' ');
  U16(t, 1);  // longest context
  return t;
}

std::string Post(const Font& f) {
  std::string t;
  U32(t, 0x00030000);  // no glyph names
  U32(t, 0);           // italic angle
  S16(t, -f.Units(f.descent) / 2);
  S16(t, kUnitsPerPixel);
  U32(t, 1);  // fixed pitch
  for (int k = 0; k < 4; ++k) U32(t, 0);
  return t;
}

// name records on the Windows platform in UTF-16BE, sorted by name id.
std::string Name(const Font& f, const std::string& family) {
  const std::string style = f.bold && f.italic ? "Bold Italic"
                            : f.bold           ? "Bold"
                            : f.italic         ? "Italic"
                                               : "Regular";
  const std::string full = style == "Regular" ? family : family + " " + style;
  const std::string size = std::to_string(f.cellW) + "x" + std::to_string(f.cellH);
  // PostScript names are printable ASCII without spaces and delimiters, at most 63 bytes.
  std::string postScript;
  for (char c : family + size) {
    if (c > ' ' && c < 0x7F && std::string_view("[](){}<>/%").find(c) == std::string_view::npos) {
      postScript += c;
    }
  }
  postScript = postScript.substr(0, 50) + "-";
  for (char c : style) {
    if (c != ' ') postScript += c;
  }
  const std::string strings[] = {family, style,           full + " " + size,
                                 full,   "Version 1.000", postScript};

  std::string records, text;
  for (int id = 1; id <= 6; ++id) {
    const std::string& s = strings[id - 1];
    const std::size_t start = text.size();
    for (const char32_t cp : DecodeUtf8(s)) {
      if (cp > 0xFFFF) {
        U16(text, 0xD800 + ((cp - 0x10000) >> 10));
        U16(text, 0xDC00 + ((cp - 0x10000) & 0x3FF));
      } else {
        U16(text, cp);
      }
    }
    U16(records, 3);       // Windows
    U16(records, 1);       // Unicode BMP
    U16(records, 0x0409);  // English (United States)
    U16(records, id);
    U16(records, text.size() - start);
    U16(records, start);
  }
  std::string t;
  U16(t, 0);
  U16(t, 6);
  U16(t, 6 + 6 * 12);
  return t + records + text;
}

// Format 4 maps the BMP characters (runs of consecutive code points share a segment, as
// their glyphs are consecutive too); format 12 maps every character, and is written only
// when one lies past the BMP or format 4 would outgrow its 16-bit length.
std::string Cmap(const Font& f) {
  struct Run {
    char32_t first, last;
    int glyph;  // of first
  };
  std::vector<Run> runs;
  for (std::size_t i = 0; i < f.chars.size(); ++i) {
    const char32_t cp = f.chars[i].codePoint;
    if (!runs.empty() && runs.back().last + 1 == cp) {
      runs.back().last = cp;
    } else {
      runs.push_back({cp, cp, static_cast<int>(i) + 1});
    }
  }
  std::vector<Run> bmp;
  for (Run r : runs) {
    if (r.first > 0xFFFE) break;  // 0xFFFF closes format 4
    r.last = std::min<char32_t>(r.last, 0xFFFE);
    bmp.push_back(r);
  }
  const std::size_t segments = bmp.size() + 1;
  const bool format4Fits = 16 + 8 * segments <= 0xFFFF;
  const bool needs12 = !format4Fits || f.chars.back().codePoint > 0xFFFE;

  std::string format4;
  if (format4Fits) {
    unsigned power = 1, log = 0;
    while (power * 2 <= segments) power *= 2, ++log;
    U16(format4, 4);
    U16(format4, 16 + 8 * segments);
    U16(format4, 0);  // language
    U16(format4, 2 * segments);
    U16(format4, 2 * power);
    U16(format4, log);
    U16(format4, 2 * (segments - power));
    for (const Run& r : bmp) U16(format4, r.last);
    U16(format4, 0xFFFF);
    U16(format4, 0);  // reserved
    for (const Run& r : bmp) U16(format4, r.first);
    U16(format4, 0xFFFF);
    for (const Run& r : bmp) U16(format4, (r.glyph - r.first) & 0xFFFF);
    U16(format4, 1);
    for (std::size_t k = 0; k < segments; ++k) U16(format4, 0);  // no range offsets
  }
  std::string format12;
  if (needs12) {
    U16(format12, 12);
    U16(format12, 0);
    U32(format12, 16 + 12 * runs.size());
    U32(format12, 0);  // language
    U32(format12, runs.size());
    for (const Run& r : runs) {
      U32(format12, r.first);
      U32(format12, r.last);
      U32(format12, r.glyph);
    }
  }

  const unsigned count = (format4Fits ? 1 : 0) + (needs12 ? 1 : 0);
  std::string t;
  U16(t, 0);
  U16(t, count);
  std::uint32_t offset = 4 + 8 * count;
  if (format4Fits) {
    U16(t, 3), U16(t, 1), U32(t, offset);  // Windows, Unicode BMP
    offset += format4.size();
  }
  if (needs12) U16(t, 3), U16(t, 10), U32(t, offset);  // Windows, Unicode full
  return t + format4 + format12;
}

// A line of the strike's metrics, in pixels.
void LineMetrics(std::string& t, const Font& f) {
  S8(t, f.ascent);
  S8(t, -f.descent);
  U8(t, f.cellW);  // widest glyph
  S8(t, 1);        // caret slope: upright
  S8(t, 0);
  S8(t, 0);  // caret offset
  S8(t, 0);  // smallest origin side bearing
  S8(t, 0);  // smallest advance side bearing
  S8(t, f.ascent);
  S8(t, -f.descent);
  S8(t, 0);
  S8(t, 0);
}

std::string Eblc(const Font& f) {
  constexpr std::uint32_t kArrayOffset = 8 + 48;  // header, one size record
  constexpr std::uint32_t kArrayBytes = 8;        // one index subtable
  constexpr std::uint32_t kSubtableBytes = 8 + 4 + 8;
  std::string t;
  U32(t, 0x00020000);
  U32(t, 1);  // one strike
  U32(t, kArrayOffset);
  U32(t, kArrayBytes + kSubtableBytes);
  U32(t, 1);          // index subtables
  U32(t, 0);          // color reference
  LineMetrics(t, f);  // horizontal
  LineMetrics(t, f);  // vertical: the same, as nothing is set vertically
  U16(t, 0);
  U16(t, f.Glyphs() - 1);
  U8(t, f.cellH);  // pixels per em, both ways
  U8(t, f.cellH);
  U8(t, 1);     // bit depth
  S8(t, 0x01);  // horizontal metrics

  U16(t, 0);
  U16(t, f.Glyphs() - 1);
  U32(t, kArrayBytes);  // from the array to the subtable
  U16(t, 2);            // index format: every glyph the same size
  U16(t, 5);            // image format: bit-aligned, metrics here
  U32(t, 4);            // the images start after EBDT's version
  U32(t, (f.cellW * f.cellH + 7) / 8);
  U8(t, f.cellH);  // big glyph metrics: height, width
  U8(t, f.cellW);
  S8(t, 0);         // horizontal bearing x
  S8(t, f.ascent);  // horizontal bearing y
  U8(t, f.cellW);   // horizontal advance
  S8(t, -f.cellW / 2);
  S8(t, 0);
  U8(t, f.cellH);
  return t;
}

// Every glyph as cellW x cellH bits, row after row with no padding, most significant bit
// first, each glyph padded to a whole byte.
std::string Ebdt(const Font& f, const SheetDescription& sheet, int threshold) {
  const std::size_t bytes = static_cast<std::size_t>(f.cellW * f.cellH + 7) / 8;
  std::string t;
  U32(t, 0x00020000);
  t.resize(4 + bytes * f.Glyphs(), '\0');
  // Sets pixel y x width + x of glyph.
  const auto set = [&](int glyph, int bit) {
    char& byte = t[4 + bytes * glyph + bit / 8];
    byte = static_cast<char>(byte | 0x80 >> (bit % 8));
  };
  // .notdef: a box one pixel inside the cell, when the cell leaves room for one.
  if (f.cellW >= 3 && f.cellH >= 3) {
    for (int x = 1; x < f.cellW - 1; ++x) set(0, f.cellW + x), set(0, (f.cellH - 2) * f.cellW + x);
    for (int y = 1; y < f.cellH - 1; ++y)
      set(0, y * f.cellW + 1), set(0, y * f.cellW + f.cellW - 2);
  }
  std::vector<std::uint8_t> pixels;
  for (std::size_t i = 0; i < f.chars.size(); ++i) {
    MonoCellPixels(sheet, f.chars[i].cell, threshold, pixels);
    char* image = t.data() + 4 + bytes * (i + 1);
    for (std::size_t k = 0; k < pixels.size(); k += 8) {
      unsigned byte = 0;
      for (std::size_t bit = 0; bit < 8; ++bit) {
        byte = byte << 1 | (k + bit < pixels.size() ? pixels[k + bit] : 0u);
      }
      image[k / 8] = static_cast<char>(byte);
    }
  }
  return t;
}

// The tables behind a directory sorted by tag, with their checksums, and the head's
// checksum adjustment.
std::string Assemble(std::vector<Table> tables) {
  std::sort(tables.begin(), tables.end(),
            [](const Table& a, const Table& b) { return a.tag < b.tag; });
  const unsigned count = static_cast<unsigned>(tables.size());
  unsigned power = 1, log = 0;
  while (power * 2 <= count) power *= 2, ++log;
  std::string out;
  U32(out, 0x00010000);
  U16(out, count);
  U16(out, 16 * power);
  U16(out, log);
  U16(out, 16 * (count - power));
  std::uint32_t offset = 12 + 16 * count;
  std::size_t headOffset = 0;
  for (const Table& table : tables) {
    out.append(table.tag.data(), 4);
    U32(out, Checksum(table.data));
    U32(out, offset);
    U32(out, table.data.size());
    if (std::string_view(table.tag.data(), 4) == "head") headOffset = offset;
    offset += (table.data.size() + 3) & ~std::size_t{3};
  }
  for (const Table& table : tables) {
    out += table.data;
    out.resize((out.size() + 3) & ~std::size_t{3}, '\0');
  }
  const std::uint32_t adjustment = 0xB1B0AFBA - Checksum(out);
  for (int k = 0; k < 4; ++k)
    out[headOffset + 8 + k] = static_cast<char>(adjustment >> (24 - 8 * k));
  return out;
}

}  // namespace

Result<std::string> OtbFont(const SheetDescription& sheet, int threshold) {
  Font f;
  f.chars = FontCharacters(sheet);
  if (f.chars.empty()) return Failure(NoCharacterRefusal("OTB"));
  if (f.chars.size() > kMaxOtbCharacters) {
    return Failure("An OTB font holds at most " + std::to_string(kMaxOtbCharacters) +
                   " characters; the export has " + std::to_string(f.chars.size()) + ".");
  }
  f.cellW = sheet.cellPx.widthPx;
  f.cellH = sheet.cellPx.heightPx;
  if (f.cellW < 1 || f.cellH < 1 || f.cellW > kMaxOtbCellPx || f.cellH > kMaxOtbCellPx) {
    return Failure("An OTB font holds cells of 1 to " + std::to_string(kMaxOtbCellPx) +
                   " pixels a side; these are " + std::to_string(f.cellW) + "x" +
                   std::to_string(f.cellH) + ".");
  }
  f.ascent = std::clamp(sheet.baselineRow, 0, f.cellH);
  f.descent = f.cellH - f.ascent;
  f.bold = sheet.bold;
  f.italic = sheet.italic;
  const std::string family = FontFamilyName(sheet.face, kMaxFamilyBytes);

  std::vector<Table> tables;
  tables.push_back({{'h', 'e', 'a', 'd'}, Head(f)});
  tables.push_back({{'h', 'h', 'e', 'a'}, Hhea(f)});
  tables.push_back({{'m', 'a', 'x', 'p'}, Maxp(f)});
  tables.push_back({{'O', 'S', '/', '2'}, Os2(f)});
  tables.push_back({{'n', 'a', 'm', 'e'}, Name(f, family)});
  tables.push_back({{'c', 'm', 'a', 'p'}, Cmap(f)});
  tables.push_back({{'p', 'o', 's', 't'}, Post(f)});
  tables.push_back({{'h', 'm', 't', 'x'}, Hmtx(f)});
  tables.push_back({{'E', 'B', 'L', 'C'}, Eblc(f)});
  tables.push_back({{'E', 'B', 'D', 'T'}, Ebdt(f, sheet, threshold)});
  return Assemble(std::move(tables));
}
