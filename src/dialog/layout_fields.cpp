// Reads the layout fields.
#include "dialog/layout_fields.h"

#include <limits>
#include <optional>

#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"

namespace {

constexpr int kWholeText = std::numeric_limits<int>::max();

// Two fields joined as "AxB", so that the layout parsers and their messages apply.
std::string PairText(Dialog& dlg, int firstId, int secondId) {
  return ReadText(dlg, firstId, kWholeText) + "x" + ReadText(dlg, secondId, kWholeText);
}

// A count field read on its own: digits only, 1 to max; none otherwise.
std::optional<int> ReadCountField(Dialog& dlg, int id, int max) {
  const std::optional<int> value = ParseCount(ReadText(dlg, id, kWholeText));
  if (!value || *value < 1 || *value > max) return std::nullopt;
  return value;
}

// "Cell height must be 1 to 64 pixels.": the window's message for a count field.
std::string RangeMessage(std::string_view field, int max, std::string_view unit) {
  return std::string(field) + " must be 1 to " + std::to_string(max) + std::string(unit) + ".";
}

}  // namespace

std::string ReadCharMapField(Dialog& dlg, CharMapChoice& choice) {
  const std::string name = ReadText(dlg, kIdCharMap, kWholeText);
  if (name.size() > kMaxCharMapNameBytes) {
    return "The character map path is longer than " + std::to_string(kMaxCharMapNameBytes) +
           " bytes.";
  }
  const Result<CharMapChoice> parsed = ParseCharMapName(name);
  if (parsed) choice = *parsed;
  return parsed.message();
}

std::string ReadGridFields(Dialog& dlg, Grid& grid) {
  if (!dlg.host.MessagesNameFields()) {
    const Result<Grid> parsed = ParseGrid(PairText(dlg, kIdGridColumns, kIdGridRows));
    if (parsed) grid = *parsed;
    return parsed.message();
  }
  const std::optional<int> columns = ReadCountField(dlg, kIdGridColumns, kMaxGridColumns);
  if (!columns) return RangeMessage("Columns", kMaxGridColumns, "");
  const std::optional<int> rows = ReadCountField(dlg, kIdGridRows, kMaxGridRows);
  if (!rows) return RangeMessage("Rows", kMaxGridRows, "");
  grid = {.columns = *columns, .rows = *rows};
  return "";
}

std::string ReadCellFields(Dialog& dlg, CellSize& cell) {
  const std::string width = ReadText(dlg, kIdCellWidth, kWholeText);
  const std::string height = ReadText(dlg, kIdCellHeight, kWholeText);
  if (width.empty() && height.empty()) {
    cell = {};
    return "";
  }
  if (!dlg.host.MessagesNameFields()) {
    const Result<CellSize> parsed = ParseCellSize(width + "x" + height);
    if (parsed) cell = *parsed;
    return parsed.message();
  }
  const std::optional<int> widthPx = ReadCountField(dlg, kIdCellWidth, kMaxCellPx);
  if (!widthPx) return RangeMessage("Cell width", kMaxCellPx, " pixels");
  const std::optional<int> heightPx = ReadCountField(dlg, kIdCellHeight, kMaxCellPx);
  if (!heightPx) return RangeMessage("Cell height", kMaxCellPx, " pixels");
  cell = {.widthPx = *widthPx, .heightPx = *heightPx};
  return "";
}

std::string CheckGridFieldsHoldMap(Dialog& dlg, const Grid& grid, int mapCells) {
  const std::string message = CheckGridHoldsMap(grid, mapCells).message;
  if (message.empty() || !dlg.host.MessagesNameFields()) return message;
  return std::to_string(grid.columns) + " columns by " + std::to_string(grid.rows) + " rows hold " +
         std::to_string(grid.columns * grid.rows) + " cells, but the character map has " +
         std::to_string(mapCells) + ": raise Columns or Rows.";
}

PixelSize ReadCellPixels(Dialog& dlg) {
  CellSize cell;
  if (!ReadCellFields(dlg, cell).empty()) cell = {};
  return CellPixels(cell, ReadInt(dlg, kIdTileSize));
}
