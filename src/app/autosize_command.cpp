// "Autosize (proportional)" and "Autosize (full)".
#include "app/autosize_command.h"

#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"
#include "dialog/font_fields.h"
#include "dialog/layout_fields.h"
#include "dialog/validation.h"
#include "text/windows1252.h"

void Autosize(Dialog& dlg, AutosizeMode mode) {
  // The cell: square of the tile size unless the cell fields say otherwise.
  const std::optional<SizeSuggestion> suggestion =
      SuggestSize(ReadFontRequest(dlg), ReadCellPixels(dlg), mode);
  if (!suggestion) return;
  SetInt(dlg, kIdCharHeight, suggestion->height);
  if (suggestion->width) {
    SetInt(dlg, kIdCharWidth, *suggestion->width);
  } else {
    SetText(dlg, kIdCharWidth, "");
  }
  SetText(dlg, kIdLog, Cp1252ToUtf8(suggestion->report));
}

int AutosizeCommand(Dialog& dlg, AutosizeMode mode) {
  if (ValidateParameters(dlg, true)) return 1;
  Autosize(dlg, mode);
  return 0;
}
