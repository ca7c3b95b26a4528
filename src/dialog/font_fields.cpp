// Reads the font fields.
#include "dialog/font_fields.h"

#include "dialog/dialog_fields.h"
#include "options/control_ids.h"

std::optional<FontRequest> ReadFontRequest(Dialog& dlg) {
  const int selection = FontListSelection(dlg);
  if (selection < 0) return std::nullopt;
  FontRequest request;
  request.face = FontListEntry(dlg, selection);
  request.height = ReadInt(dlg, kIdCharHeight);
  request.width = ReadInt(dlg, kIdCharWidth);
  request.weight = IsChecked(dlg, kIdBold) ? 700 : 400;
  request.italic = IsChecked(dlg, kIdItalic);
  request.underline = IsChecked(dlg, kIdUnderline);
  return request;
}
