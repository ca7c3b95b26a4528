// The JSON descriptor.
#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "descriptor/descriptors.h"
#include "text/windows1252.h"

namespace {

void AppendHex4(std::string& out, unsigned value) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

// One code point inside a JSON string. Control characters, DEL and the two line
// separators that JavaScript source cannot hold raw are escaped; anything that is not a
// Unicode scalar value becomes U+FFFD.
void AppendJsonChar(std::string& out, char32_t cp) {
  switch (cp) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    default:
      break;
  }
  if (cp < 0x20 || cp == 0x7F || cp == 0x2028 || cp == 0x2029) {
    AppendHex4(out, static_cast<unsigned>(cp));
  } else if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    AppendUtf8(out, U'\uFFFD');
  } else {
    AppendUtf8(out, cp);
  }
}

// text as a JSON string; bytes that are not well-formed UTF-8 become U+FFFD.
void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (char32_t cp : DecodeUtf8(text)) AppendJsonChar(out, cp);
  out += '"';
}

void AppendMember(std::string& out, std::string_view key, long long value) {
  out += '"';
  out += key;
  out += "\": ";
  out += std::to_string(value);
}

}  // namespace

CellPlace PlaceOfCell(const SheetDescription& sheet, int cell) {
  const int gridCells = std::max(sheet.grid.columns * sheet.grid.rows, 1);
  CellPlace place;
  place.page = cell / gridCells;
  const int onPage = cell % gridCells;
  place.x = CellColumn(onPage, sheet.grid) * sheet.cellPx.widthPx;
  place.y = CellRow(onPage, sheet.grid) * sheet.cellPx.heightPx;
  if (place.page == 0) {
    place.coverage = sheet.coverage;
  } else if (place.page - 1 < static_cast<int>(sheet.laterPages.size())) {
    place.coverage = sheet.laterPages[place.page - 1].coverage;
  }
  return place;
}

const std::string& PageFileNameOf(const SheetDescription& sheet, int page) {
  return page == 0 ? sheet.sheetFileName : sheet.laterPages[page - 1].fileName;
}

std::optional<PixelRect> CellInkBox(const SheetDescription& sheet, int cell) {
  const CellPlace place = PlaceOfCell(sheet, cell);
  if (!place.coverage) return std::nullopt;
  const int x0 = place.x;
  const int y0 = place.y;
  const std::optional<PixelRect> ink =
      FindInkBox(*place.coverage, {x0, y0, x0 + sheet.cellPx.widthPx, y0 + sheet.cellPx.heightPx});
  if (!ink) return std::nullopt;
  return PixelRect{ink->left - x0, ink->top - y0, ink->right - x0, ink->bottom - y0};
}

std::vector<int> RepeatOf(const SheetDescription& sheet) {
  std::vector<int> repeatOf(sheet.cells.size(), -1);
  std::unordered_map<char32_t, int> firstCell;
  for (std::size_t i = 0; i < sheet.cells.size(); ++i) {
    const int cell = sheet.cells[i];
    if (cell < 0 || cell >= static_cast<int>(sheet.mapCells.size())) continue;
    const char32_t cp = sheet.mapCells[cell];
    if (cp == 0) continue;
    const auto [first, isNew] = firstCell.try_emplace(cp, cell);
    if (!isNew) repeatOf[i] = first->second;
  }
  return repeatOf;
}

std::string JsonDescriptor(const SheetDescription& sheet) {
  const int cellW = sheet.cellPx.widthPx;
  const int cellH = sheet.cellPx.heightPx;
  std::string out;
  out.reserve(256 + sheet.cells.size() * 140);
  out += "{\n  \"file\": ";
  AppendJsonString(out, sheet.sheetFileName);
  out += ",\n  ";
  AppendMember(out, "width", sheet.widthPx);
  out += ",\n  ";
  AppendMember(out, "height", sheet.heightPx);
  out += ",\n  \"cell\": {";
  AppendMember(out, "width", cellW);
  out += ", ";
  AppendMember(out, "height", cellH);
  out += "},\n  \"grid\": {";
  AppendMember(out, "columns", sheet.grid.columns);
  out += ", ";
  AppendMember(out, "rows", sheet.grid.rows);
  out += "},\n  \"map\": ";
  AppendJsonString(out, sheet.mapName);
  const bool pages = PageCount(sheet) > 1;
  if (pages) {
    out += ",\n  \"pages\": [";
    for (int page = 0; page < PageCount(sheet); ++page) {
      out += page == 0 ? "" : ", ";
      AppendJsonString(out, PageFileNameOf(sheet, page));
    }
    out += ']';
  }
  out += ",\n  \"cells\": [";

  bool first = true;
  const std::vector<int> repeatOf = RepeatOf(sheet);
  for (std::size_t i = 0; i < sheet.cells.size(); ++i) {
    const int cell = sheet.cells[i];
    if (cell < 0 || cell >= static_cast<int>(sheet.mapCells.size())) continue;
    const char32_t cp = sheet.mapCells[cell];
    if (cp == 0) continue;
    out += first ? "\n    {" : ",\n    {";
    first = false;
    AppendMember(out, "index", cell);
    out += ", ";
    AppendMember(out, "codePoint", cp);
    out += ", \"char\": \"";
    AppendJsonChar(out, cp);
    out += "\", ";
    if (repeatOf[i] >= 0) {
      AppendMember(out, "repeatOf", repeatOf[i]);
      out += ", ";
    }
    if (static_cast<std::size_t>(cell) < sheet.cellFaces.size() &&
        !sheet.cellFaces[static_cast<std::size_t>(cell)].empty()) {
      out += "\"face\": ";
      AppendJsonString(out, sheet.cellFaces[static_cast<std::size_t>(cell)]);
      out += ", ";
    }
    const CellPlace place = PlaceOfCell(sheet, cell);
    if (pages) {
      AppendMember(out, "page", place.page);
      out += ", ";
    }
    AppendMember(out, "x", place.x);
    out += ", ";
    AppendMember(out, "y", place.y);
    out += ", \"ink\": ";
    if (const std::optional<PixelRect> ink = CellInkBox(sheet, cell)) {
      out += '{';
      AppendMember(out, "x", ink->left);
      out += ", ";
      AppendMember(out, "y", ink->top);
      out += ", ";
      AppendMember(out, "width", ink->right - ink->left);
      out += ", ";
      AppendMember(out, "height", ink->bottom - ink->top);
      out += '}';
    } else {
      out += "null";
    }
    out += '}';
  }
  out += first ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}
