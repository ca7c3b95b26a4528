// Builds the export set over a character map's cells.
#include "layout/export_set.h"

#include <algorithm>
#include <string>

#include "text/windows1252.h"

namespace {

int CellCount(const CharMap& map) {
  return static_cast<int>(std::min(map.cells.size(), static_cast<std::size_t>(kMaxMapCells)));
}

bool Holds(const CharMap& map, int cell) {
  return map.cells[cell] != kEmptyCell;
}

// The cells a mode starts from before the typed characters change it. The cp1252 map
// keeps the classic code ranges, which take in space and DEL; the other maps choose by
// what their cells hold.
bool InModeBase(const CharMap& map, ExportMode mode, int cell, int from, int to) {
  const bool cp1252 = map.kind == CharMapKind::kCp1252;
  switch (mode) {
    case ExportMode::kAll:
      return cp1252 ? cell >= 32 : Holds(map, cell);
    case ExportMode::kNormal:
      if (cp1252) return cell >= 32 && cell <= 127;
      return map.cells[cell] >= 0x21 && map.cells[cell] <= 0x7E;
    case ExportMode::kRange:
      return cell >= from && cell <= to && Holds(map, cell);
    case ExportMode::kUserDefined:
      break;
  }
  return false;
}

}  // namespace

CellSet BuildExportSet(const CharMap& map, ExportMode mode, std::string_view utf8Text, int from,
                       int to) {
  // The typed characters, sorted so that each cell is looked up in log time however
  // long the text.
  std::u32string typed = DecodeUtf8(utf8Text);
  std::sort(typed.begin(), typed.end());

  CellSet set(static_cast<std::size_t>(CellCount(map)), false);
  for (int cell = 0; cell < CellCount(map); ++cell) {
    if (!Holds(map, cell)) continue;
    set[cell] = InModeBase(map, mode, cell, from, to);
    if (!std::binary_search(typed.begin(), typed.end(), map.cells[cell])) continue;
    switch (mode) {
      case ExportMode::kAll:
      case ExportMode::kNormal:
        set[cell] = false;
        break;
      case ExportMode::kRange:
        set[cell] = cell < from || cell > to;
        break;
      case ExportMode::kUserDefined:
        set[cell] = true;
        break;
    }
  }
  return set;
}
