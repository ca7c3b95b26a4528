// The font of the dialog's font fields.
#include "glyph/glyph_font.h"

#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"

FontRequest GlyphFontRequest(Dialog& dlg, std::optional<int> height, std::optional<int> width) {
  FontRequest request;
  request.face = FontListEntry(dlg, FontListSelection(dlg));
  if (height) {
    request.height = *height;
    request.width = width.value_or(0);
  } else {
    request.height = ReadInt(dlg, kIdCharHeight);
    request.width = ReadInt(dlg, kIdCharWidth);
  }
  request.weight = IsChecked(dlg, kIdBold) ? 700 : 400;
  request.italic = IsChecked(dlg, kIdItalic);
  request.underline = IsChecked(dlg, kIdUnderline);
  return request;
}

GlyphFont CreateGlyphFont(Dialog& dlg, std::optional<int> height, std::optional<int> width) {
  if (FontListSelection(dlg) < 0) return nullptr;
  return OpenTextFont(GlyphFontRequest(dlg, height, width));
}
