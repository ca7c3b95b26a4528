// "Autosize (proportional)" and "Autosize (full)".
#include "app/autosize_command.h"

#include <vector>

#include "app/read_sheet_options.h"
#include "app/status_text.h"
#include "autosize/pixel_autosize.h"
#include "render/sheet_pipeline.h"

#include "dialog/dialog_fields.h"
#include "options/control_ids.h"
#include "text/windows1252.h"

std::optional<SizeSuggestion> Autosize(Dialog& dlg, const SheetOptions& options,
                                       AutosizeMode mode) {
  // A pixel font drawn exactly has only the sizes its grid allows.
  const PixelSize cell = CellPixels(options.cell, options.tileSize);
  const std::vector<CellChar> cells = CellsToDraw(options, options.charMap);
  std::optional<SizeSuggestion> suggestion;
  if (options.pixelFont != PixelFontMode::kOff) {
    const GlyphFont font = CreateGlyphFont(options.font);
    suggestion = SuggestPixelFontSize(options.font, cell, options.pixelFont,
                                      FaceSample(cells, font, options.builtinBoxes));
  }
  // A cell that is not square must fit the characters the sheet would hold across.
  if (!suggestion) {
    std::vector<SheetChar> chars;
    if (cell.widthPx != cell.heightPx) {
      for (const CellChar& c : cells) chars.push_back(c.c);
    }
    suggestion = SuggestSize(options.font, cell, mode, chars);
  }
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

std::optional<SizeSuggestion> Autosize(Dialog& dlg, AutosizeMode mode) {
  const std::optional<SheetOptions> options = CheckedSheetOptions(dlg, OptionCheck::kAutosize);
  if (!options) return std::nullopt;
  return Autosize(dlg, *options, mode);
}

int AutosizeCommand(Dialog& dlg, AutosizeMode mode) {
  const std::optional<SheetOptions> options = CheckedSheetOptions(dlg, OptionCheck::kAutosize);
  if (!options) return 1;
  if (const std::optional<SizeSuggestion> suggestion = Autosize(dlg, *options, mode)) {
    dlg.host.ShowStatus(AutosizeStatus(*suggestion, mode));
  }
  return 0;
}
