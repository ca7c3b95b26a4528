// "Autosize (proportional)" and "Autosize (full)".
#include "app/autosize_command.h"

#include <vector>

#include "app/read_sheet_options.h"
#include "app/status_text.h"
#include "render/sheet_pipeline.h"

#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"
#include "dialog/font_fields.h"
#include "dialog/layout_fields.h"
#include "dialog/validation.h"
#include "text/windows1252.h"

namespace {

// The characters the sheet would hold, which a cell that is not square must fit across;
// none when the map cannot be read (the export says why).
std::vector<SheetChar> SheetChars(Dialog& dlg) {
  const SheetOptions options = ReadSheetOptions(dlg);
  const Result<CharMap> map = LoadCharMap(options.charMap);
  if (!map) return {};
  std::vector<SheetChar> chars;
  for (const CellChar& c : CellsToDraw(options, *map)) chars.push_back(c.c);
  return chars;
}

}  // namespace

std::optional<SizeSuggestion> Autosize(Dialog& dlg, AutosizeMode mode) {
  // The cell: square of the tile size unless the cell fields say otherwise.
  const PixelSize cell = ReadCellPixels(dlg);
  std::vector<SheetChar> chars;
  if (cell.widthPx != cell.heightPx) chars = SheetChars(dlg);
  const std::optional<SizeSuggestion> suggestion =
      SuggestSize(ReadFontRequest(dlg), cell, mode, chars);
  if (!suggestion) return suggestion;
  SetInt(dlg, kIdCharHeight, suggestion->height);
  if (suggestion->width) {
    SetInt(dlg, kIdCharWidth, *suggestion->width);
  } else {
    SetText(dlg, kIdCharWidth, "");
  }
  SetText(dlg, kIdLog, Cp1252ToUtf8(suggestion->report));
  return suggestion;
}

int AutosizeCommand(Dialog& dlg, AutosizeMode mode) {
  if (ValidateParameters(dlg, true)) return 1;
  if (const std::optional<SizeSuggestion> suggestion = Autosize(dlg, mode)) {
    dlg.host.ShowStatus(AutosizeStatus(*suggestion, mode));
  }
  return 0;
}
