// Reads the layout fields.
#include "dialog/layout_fields.h"

#include <limits>

#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"

namespace {

constexpr int kWholeText = std::numeric_limits<int>::max();

// Two fields joined as "AxB", so that the layout parsers and their messages apply.
std::string PairText(Dialog& dlg, int firstId, int secondId) {
  return ReadText(dlg, firstId, kWholeText) + "x" + ReadText(dlg, secondId, kWholeText);
}

}  // namespace

std::string ReadCharMapField(Dialog& dlg, CharMapChoice& choice) {
  const std::string name = ReadText(dlg, kIdCharMap, kWholeText);
  if (name.size() > kMaxCharMapNameBytes) {
    return "The character map path is longer than " + std::to_string(kMaxCharMapNameBytes) +
           " bytes.";
  }
  return ParseCharMapName(name, choice);
}

std::string ReadGridFields(Dialog& dlg, Grid& grid) {
  return ParseGrid(PairText(dlg, kIdGridColumns, kIdGridRows), grid);
}

std::string ReadCellFields(Dialog& dlg, CellSize& cell) {
  const std::string width = ReadText(dlg, kIdCellWidth, kWholeText);
  const std::string height = ReadText(dlg, kIdCellHeight, kWholeText);
  if (width.empty() && height.empty()) {
    cell = {};
    return "";
  }
  return ParseCellSize(width + "x" + height, cell);
}

PixelSize ReadCellPixels(Dialog& dlg) {
  CellSize cell;
  if (!ReadCellFields(dlg, cell).empty()) cell = {};
  return CellPixels(cell, ReadInt(dlg, kIdTileSize));
}
