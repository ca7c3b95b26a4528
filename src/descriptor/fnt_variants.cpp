// The XML and binary forms of the bitmap-font descriptor: the records of the text form
// (fnt_descriptor.cpp), built once here and written in either form.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "descriptor/font_file_parts.h"
#include "descriptor/font_files.h"
#include "text/windows1252.h"

namespace {

// What the text form writes as fixed values (charset "", unicode 1, stretchH 100, smooth
// 1, aa 1, no padding or spacing, unpacked pages, every char in all four channels with no
// offsets) is written as the same constants in both forms.
constexpr int kStretchH = 100;
constexpr int kAllChannels = 15;

struct FntChar {
  char32_t id = 0;
  int x = 0, y = 0;
  int page = 0;
};

struct FntRecords {
  std::string face;                // control characters made spaces
  std::vector<std::string> files;  // each page's, control characters made spaces
  int size = 0;
  bool bold = false, italic = false;
  int lineHeight = 0, base = 0, scaleW = 0, scaleH = 0;
  int cellW = 0;  // each char's width and advance
  std::vector<FntChar> chars;
};

// Control characters cannot be held by either form (a NUL would end a binary string).
std::string WithoutControls(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return out;
}

FntRecords Records(const SheetDescription& sheet) {
  FntRecords r;
  r.face = WithoutControls(sheet.face);
  for (int page = 0; page < PageCount(sheet); ++page) {
    r.files.push_back(WithoutControls(PageFileNameOf(sheet, page)));
  }
  r.size = sheet.fontSizePx;
  r.bold = sheet.bold;
  r.italic = sheet.italic;
  r.lineHeight = sheet.cellPx.heightPx;
  r.base = sheet.baselineRow;
  r.scaleW = sheet.widthPx;
  r.scaleH = sheet.heightPx;
  r.cellW = sheet.cellPx.widthPx;
  for (const FontCharacter& c : CellCharacters(sheet)) {
    const CellPlace place = PlaceOfCell(sheet, c.cell);
    r.chars.push_back({c.codePoint, place.x, place.y, place.page});
  }
  return r;
}

// An XML attribute value: markup characters as references; text that is not UTF-8 has
// its bad bytes replaced, as an XML document must be.
std::string XmlAttribute(std::string_view text) {
  std::string out = "\"";
  for (const char32_t cp : DecodeUtf8(text)) {
    switch (cp) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        AppendUtf8(out, cp);
    }
  }
  out += '"';
  return out;
}

void Attribute(std::string& out, std::string_view key, long long value) {
  out += ' ';
  out += key;
  out += "=\"" + std::to_string(value) + "\"";
}

void U8(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF);
}
void U16(std::string& out, unsigned v) {
  U8(out, v), U8(out, v >> 8);
}
void U32(std::string& out, std::uint32_t v) {
  U16(out, v & 0xFFFF), U16(out, v >> 16);
}
void Block(std::string& out, unsigned type, const std::string& data) {
  U8(out, type);
  U32(out, static_cast<std::uint32_t>(data.size()));
  out += data;
}

}  // namespace

std::optional<std::vector<std::string>> BinaryPageNames(const std::vector<std::string>& names) {
  std::size_t longest = 0;
  for (const std::string& name : names) longest = std::max(longest, name.size());
  std::vector<std::string> padded;
  for (const std::string& name : names) {
    const std::size_t missing = longest - name.size();
    if (missing % 2 != 0) return std::nullopt;
    std::string same;
    for (std::size_t i = 0; i < missing / 2; ++i) same += "./";
    padded.push_back(same + name);
  }
  return padded;
}

std::string FntXmlDescriptor(const SheetDescription& sheet) {
  const FntRecords r = Records(sheet);
  std::string out;
  out.reserve(512 + r.chars.size() * 120);
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<font>\n";
  out += "  <info face=" + XmlAttribute(r.face);
  Attribute(out, "size", r.size);
  Attribute(out, "bold", r.bold ? 1 : 0);
  Attribute(out, "italic", r.italic ? 1 : 0);
  out += " charset=\"\" unicode=\"1\"";
  Attribute(out, "stretchH", kStretchH);
  out += " smooth=\"1\" aa=\"1\" padding=\"0,0,0,0\" spacing=\"0,0\"/>\n";
  out += "  <common";
  Attribute(out, "lineHeight", r.lineHeight);
  Attribute(out, "base", r.base);
  Attribute(out, "scaleW", r.scaleW);
  Attribute(out, "scaleH", r.scaleH);
  Attribute(out, "pages", static_cast<int>(r.files.size()));
  out += " packed=\"0\"/>\n  <pages>\n";
  for (std::size_t page = 0; page < r.files.size(); ++page) {
    out += "    <page";
    Attribute(out, "id", static_cast<int>(page));
    out += " file=" + XmlAttribute(r.files[page]) + "/>\n";
  }
  out += "  </pages>\n";
  out += "  <chars count=\"" + std::to_string(r.chars.size()) + "\">\n";
  for (const FntChar& c : r.chars) {
    out += "    <char";
    Attribute(out, "id", c.id);
    Attribute(out, "x", c.x);
    Attribute(out, "y", c.y);
    Attribute(out, "width", r.cellW);
    Attribute(out, "height", r.lineHeight);
    out += " xoffset=\"0\" yoffset=\"0\"";
    Attribute(out, "xadvance", r.cellW);
    Attribute(out, "page", c.page);
    Attribute(out, "chnl", kAllChannels);
    out += "/>\n";
  }
  out += "  </chars>\n</font>\n";
  return out;
}

// Sizes and positions fit their 16-bit fields: a sheet is at most 256 columns and 256
// rows of cells of at most 64 pixels, 16,384 pixels a side. Ids are 32-bit, and the
// chars block's 32-bit length holds 65,536 records of 20 bytes.
std::string FntBinaryDescriptor(const SheetDescription& sheet) {
  const FntRecords r = Records(sheet);
  std::string out = "BMF\x03";

  std::string info;
  U16(info, static_cast<unsigned>(r.size));
  // smooth, unicode, italic, bold, from the high bit down
  U8(info, 0x80 | 0x40 | (r.italic ? 0x20 : 0) | (r.bold ? 0x10 : 0));
  U8(info, 0);  // character set: none, as the ids are Unicode
  U16(info, kStretchH);
  U8(info, 1);                              // aa
  for (int k = 0; k < 4; ++k) U8(info, 0);  // padding
  for (int k = 0; k < 2; ++k) U8(info, 0);  // spacing
  U8(info, 0);                              // outline
  info += r.face;
  info += '\0';
  Block(out, 1, info);

  std::string common;
  for (int v : {r.lineHeight, r.base, r.scaleW, r.scaleH, static_cast<int>(r.files.size())}) {
    U16(common, static_cast<unsigned>(v));
  }
  U8(common, 0);                              // not packed
  for (int k = 0; k < 4; ++k) U8(common, 0);  // alpha, red, green, blue: the glyph itself
  Block(out, 2, common);

  // Readers take every page name to be as long as the first: shorter ones are made as
  // long with "./" in front (BinaryPageNames).
  std::string names;
  const std::optional<std::vector<std::string>> padded = BinaryPageNames(r.files);
  for (const std::string& name : padded ? *padded : r.files) names += name + '\0';
  Block(out, 3, names);

  std::string chars;
  chars.reserve(20 * r.chars.size());
  for (const FntChar& c : r.chars) {
    U32(chars, c.id);
    for (int v : {c.x, c.y, r.cellW, r.lineHeight, 0, 0, r.cellW})
      U16(chars, static_cast<unsigned>(v));
    U8(chars, static_cast<unsigned>(c.page));
    U8(chars, kAllChannels);
  }
  Block(out, 4, chars);
  return out;
}
