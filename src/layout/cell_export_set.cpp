// Builds the export set over a character map's cells.
#include "layout/cell_export_set.h"

#include <algorithm>

#include "text/windows1252.h"

namespace {

int CellCount(const CharMap& map) {
  return std::min(static_cast<int>(map.cells.size()), kMaxMapCells);
}

// Calls visit(cell) for each cell that holds one of the typed characters.
template <typename Visit>
void ForEachTypedCell(const CharMap& map, std::string_view utf8Text, Visit visit) {
  const std::u32string typed = DecodeUtf8(utf8Text);
  for (int cell = 0; cell < CellCount(map); ++cell) {
    const char32_t ch = map.cells[cell];
    if (ch != kEmptyCell && typed.find(ch) != std::u32string::npos) visit(cell);
  }
}

}  // namespace

CellSet BuildCellExportSet(const CharMap& map, CellExportMode mode, std::string_view utf8Text,
                           int from, int to) {
  CellSet set{};
  const int count = CellCount(map);
  const auto holds = [&](int cell) { return map.cells[cell] != kEmptyCell; };
  switch (mode) {
    case CellExportMode::kAll:
      for (int cell = 0; cell < count; ++cell) set[cell] = holds(cell);
      ForEachTypedCell(map, utf8Text, [&](int cell) { set[cell] = false; });
      break;
    case CellExportMode::kNormal:
      for (int cell = 0; cell < count; ++cell) {
        set[cell] = map.cells[cell] >= 0x21 && map.cells[cell] <= 0x7E;
      }
      ForEachTypedCell(map, utf8Text, [&](int cell) { set[cell] = false; });
      break;
    case CellExportMode::kRange:
      for (int cell = std::max(from, 0); cell <= std::min(to, count - 1); ++cell) {
        set[cell] = holds(cell);
      }
      ForEachTypedCell(map, utf8Text, [&](int cell) { set[cell] = cell < from || cell > to; });
      break;
    case CellExportMode::kUserDefined:
      ForEachTypedCell(map, utf8Text, [&](int cell) { set[cell] = true; });
      break;
  }
  return set;
}
