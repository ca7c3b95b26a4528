// The text bitmap-font descriptor.
#include <string>
#include <vector>

#include "descriptor/descriptors.h"

namespace {

bool IsControl(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// The format has no escapes: a value runs from one double quote to the next and a line
// ends at a line break, so neither may appear inside one.
std::string FntQuoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') {
      out += '\'';
    } else if (IsControl(c)) {
      out += ' ';
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

void AppendField(std::string& out, std::string_view key, long long value) {
  out += ' ';
  out += key;
  out += '=';
  out += std::to_string(value);
}

}  // namespace

bool FntCanHold(std::string_view text) {
  for (char c : text) {
    if (c == '"' || IsControl(c)) return false;
  }
  return true;
}

std::string FntDescriptor(const SheetDescription& sheet) {
  const int cellW = sheet.cellPx.widthPx;
  const int cellH = sheet.cellPx.heightPx;
  std::string out;
  out.reserve(128 + sheet.cells.size() * 100);

  // Readers take some fields by position, so each line keeps the usual order and fields.
  out += "info face=" + FntQuoted(sheet.face);
  AppendField(out, "size", sheet.fontSizePx);
  AppendField(out, "bold", sheet.bold ? 1 : 0);
  AppendField(out, "italic", sheet.italic ? 1 : 0);
  out += " charset=\"\" unicode=1 stretchH=100 smooth=1 aa=1 padding=0,0,0,0 spacing=0,0\n";

  out += "common";
  AppendField(out, "lineHeight", cellH);
  AppendField(out, "base", sheet.baselineRow);
  AppendField(out, "scaleW", sheet.widthPx);
  AppendField(out, "scaleH", sheet.heightPx);
  AppendField(out, "pages", PageCount(sheet));
  out += " packed=0\n";
  for (int page = 0; page < PageCount(sheet); ++page) {
    out += "page";
    AppendField(out, "id", page);
    out += " file=" + FntQuoted(PageFileNameOf(sheet, page)) + "\n";
  }

  std::string chars;
  int count = 0;
  const std::vector<int> repeatOf = RepeatOf(sheet);
  for (std::size_t i = 0; i < sheet.cells.size(); ++i) {
    const int cell = sheet.cells[i];
    if (cell < 0 || cell >= static_cast<int>(sheet.mapCells.size())) continue;
    const char32_t cp = sheet.mapCells[cell];
    if (cp == 0 || repeatOf[i] >= 0) continue;  // a reader keeps one line per character
    ++count;
    chars += "char";
    AppendField(chars, "id", cp);
    const CellPlace place = PlaceOfCell(sheet, cell);
    AppendField(chars, "x", place.x);
    AppendField(chars, "y", place.y);
    AppendField(chars, "width", cellW);
    AppendField(chars, "height", cellH);
    chars += " xoffset=0 yoffset=0";
    AppendField(chars, "xadvance", cellW);
    AppendField(chars, "page", place.page);
    chars += " chnl=15\n";
  }
  out += "chars count=" + std::to_string(count) + "\n";
  out += chars;
  return out;
}
