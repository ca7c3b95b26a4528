// Parameter validation.
#include "dialog/validation.h"

#include "base/status.h"

#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"
#include "dialog/mode_buttons.h"

namespace {

int Fail(Dialog& dlg, const char* text) {
  dlg.host.MessageBox(text, "Error", MessageIcon::kWarning);
  return kFailed;
}

// lo <= value <= hi as one unsigned comparison, so negative values fail too.
bool InRange(int value, int lo, int hi) {
  return static_cast<unsigned>(value) - static_cast<unsigned>(lo) <= static_cast<unsigned>(hi - lo);
}

}  // namespace

int ValidateParameters(Dialog& dlg, bool forAutosize) {
  const int tileSize = ReadInt(dlg, kIdTileSize);
  if (!InRange(tileSize, 1, 16)) {
    return Fail(dlg, "Wrong value for tile size, must be from 1 to 16!");
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
  if (colorSteps < 1 || colorSteps > tileSize) {
    return Fail(dlg, "Wrong value for color steps, must be from 1 to tile_height!");
  }
  return kOk;
}
