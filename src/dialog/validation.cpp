// Parameter validation.
#include "dialog/validation.h"

#include <optional>
#include <span>

#include "base/status.h"
#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"
#include "dialog/layout_fields.h"
#include "dialog/mode_buttons.h"
#include "layout/grid.h"

namespace {

int Fail(Dialog& dlg, std::string_view text) {
  dlg.host.MessageBox(text, "Error", MessageIcon::kWarning);
  return kFailed;
}

// lo <= value <= hi as one unsigned comparison, so negative values fail too.
bool InRange(int value, int lo, int hi) {
  return static_cast<unsigned>(value) - static_cast<unsigned>(lo) <= static_cast<unsigned>(hi - lo);
}

// A color field's names in its message: the caption of its row and its column.
struct ColorField {
  int id;
  const char* name;
};
constexpr ColorField kBgFields[] = {
    {kIdBgRed, "bg color red"}, {kIdBgGreen, "bg color green"}, {kIdBgBlue, "bg color blue"}};
constexpr ColorField kTopSubFields[] = {
    {kIdTopRed, "top color red"}, {kIdTopGreen, "top color green"}, {kIdTopBlue, "top color blue"},
    {kIdSubRed, "sub color red"}, {kIdSubGreen, "sub color green"}, {kIdSubBlue, "sub color blue"}};

// A color value: a whole number from 0 to 255, white space around it allowed. It is
// not read like atoi, which would take "abc" for a valid 0.
bool IsColorValue(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  text = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
  const std::optional<int> value = ParseCount(text);
  return value && *value <= 255;
}

int CheckColorFields(Dialog& dlg, std::span<const ColorField> fields) {
  for (const ColorField& field : fields) {
    if (!IsColorValue(ReadText(dlg, field.id))) {
      return Fail(dlg, std::string("Wrong value for ") + field.name + ", must be from 0 to 255!");
    }
  }
  return kOk;
}

// The map's cell count for the grid check: 256 for the built-in maps, the token count
// of a user file (read here, so that a bad file is refused before anything is drawn).
// A map that repeats characters gets a warning and passes.
int CheckLayout(Dialog& dlg) {
  Grid grid;
  std::string message = ReadGridFields(dlg, grid);
  if (!message.empty()) return Fail(dlg, message);
  CharMapChoice choice;
  message = ReadCharMapField(dlg, choice);
  if (!message.empty()) return Fail(dlg, message);
  const Result<CharMap> map = LoadCharMap(choice);
  if (!map) return Fail(dlg, map.message());
  message = CheckGridFieldsHoldMap(dlg, grid, static_cast<int>(map->cells.size()));
  if (!message.empty()) return Fail(dlg, message);
  // A repeated character is allowed, but a descriptor can name only one of its cells.
  message = RepeatedCharsWarning(*map);
  if (!message.empty()) dlg.host.MessageBox(message, "Warning", MessageIcon::kWarning);
  return kOk;
}

}  // namespace

int ValidateParameters(Dialog& dlg, bool forAutosize) {
  // The cell: the cell fields, or square cells of the tile size when both are empty.
  CellSize cell;
  const std::string cellMessage = ReadCellFields(dlg, cell);
  if (!cellMessage.empty()) return Fail(dlg, cellMessage);
  int cellHeight = cell.heightPx;
  if (IsSquareTileCell(cell)) {
    const int tileSize = ReadInt(dlg, kIdTileSize);
    if (!InRange(tileSize, 1, 16)) {
      return Fail(dlg, "Wrong value for tile size, must be from 1 to 16!");
    }
    cellHeight = tileSize;
  }
  if (forAutosize) return kOk;

  if (ReadExportMode(dlg) == ExportMode::kRange) {
    const int from = ReadInt(dlg, kIdRangeFrom);
    const int to = ReadInt(dlg, kIdRangeTo);
    if (!InRange(from, 0, 255) || !InRange(to, 0, 255) || from > to) {
      return Fail(dlg, "Wrong value for export range - can't be greater than 0 - 255!");
    }
  }

  const int colorSteps = ReadInt(dlg, kIdColorSteps);
  if (colorSteps < 1 || colorSteps > cellHeight) {
    return Fail(dlg, "Wrong value for color steps, must be from 1 to tile_height!");
  }
  // The background always counts; top and sub color every mode but the bare image.
  if (CheckColorFields(dlg, kBgFields) != kOk) return kFailed;
  if (ReadColorMode(dlg) != ColorMode::kImageOnly && CheckColorFields(dlg, kTopSubFields) != kOk) {
    return kFailed;
  }
  if (CheckLayout(dlg) != kOk) return kFailed;

  if (ReadOutputKind(dlg) == OutputKind::kMono) {
    const int threshold = ReadInt(dlg, kIdMonoThreshold);
    if (!InRange(threshold, kMinMonoThreshold, kMaxMonoThreshold)) {
      return Fail(dlg, kMonoThresholdMessage);
    }
  }
  return kOk;
}
