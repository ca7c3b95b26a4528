// Reads the layout fields.
#include "dialog/layout_fields.h"

#include <limits>
#include <optional>

#include "dialog/dialog_fields.h"
#include "options/control_ids.h"

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

Result<CharMapChoice> ReadCharMapField(Dialog& dlg) {
  const std::string name = ReadText(dlg, kIdCharMap, kWholeText);
  if (name.size() > kMaxCharMapNameBytes) {
    return Failure("The character map path is longer than " + std::to_string(kMaxCharMapNameBytes) +
                   " bytes.");
  }
  return ParseCharMapName(name);
}

Result<Grid> ReadGridFields(Dialog& dlg) {
  if (ReadText(dlg, kIdGridColumns, kWholeText).empty() &&
      ReadText(dlg, kIdGridRows, kWholeText).empty()) {
    return kAutoGrid;
  }
  if (!dlg.host.MessagesNameFields()) return ParseGrid(PairText(dlg, kIdGridColumns, kIdGridRows));
  const std::optional<int> columns = ReadCountField(dlg, kIdGridColumns, kMaxGridColumns);
  if (!columns) return Failure(RangeMessage("Columns", kMaxGridColumns, ""));
  const std::optional<int> rows = ReadCountField(dlg, kIdGridRows, kMaxGridRows);
  if (!rows) return Failure(RangeMessage("Rows", kMaxGridRows, ""));
  return Grid{.columns = *columns, .rows = *rows};
}

void WriteGridFields(Dialog& dlg, const Grid& grid) {
  const bool left = IsAutoGrid(grid);
  SetText(dlg, kIdGridColumns, left ? "" : std::to_string(grid.columns));
  SetText(dlg, kIdGridRows, left ? "" : std::to_string(grid.rows));
}

Result<CellSize> ReadCellFields(Dialog& dlg) {
  const std::string width = ReadText(dlg, kIdCellWidth, kWholeText);
  const std::string height = ReadText(dlg, kIdCellHeight, kWholeText);
  if (width.empty() && height.empty()) return CellSize{};
  if (!dlg.host.MessagesNameFields()) return ParseCellSize(width + "x" + height);
  const std::optional<int> widthPx = ReadCountField(dlg, kIdCellWidth, kMaxCellPx);
  if (!widthPx) return Failure(RangeMessage("Cell width", kMaxCellPx, " pixels"));
  const std::optional<int> heightPx = ReadCountField(dlg, kIdCellHeight, kMaxCellPx);
  if (!heightPx) return Failure(RangeMessage("Cell height", kMaxCellPx, " pixels"));
  return CellSize{.widthPx = *widthPx, .heightPx = *heightPx};
}

PixelSize ReadCellPixels(Dialog& dlg) {
  const Result<CellSize> cell = ReadCellFields(dlg);
  return CellPixels(cell ? *cell : CellSize{}, ReadInt(dlg, kIdTileSize));
}
