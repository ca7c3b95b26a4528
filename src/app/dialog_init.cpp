// Setting up the main dialog.
#include "app/dialog_init.h"

#include "dialog/control_table.h"
#include "dialog/dialog_fields.h"
#include "dialog/enabling_rules.h"
#include "dialog/font_file.h"
#include "dialog/mode_buttons.h"
#include "dialog/option_fields.h"
#include "options/control_ids.h"

namespace {

void SetDefaultText(Dialog& dlg, int id) {
  SetText(dlg, id, FindControl(id)->defaultText);
}

}  // namespace

void InitializeDialog(Dialog& dlg) {
  // The title.
  dlg.host.SetTitle(kDialogTitle);

  // The font list, first entry selected.
  FillFontList(dlg);
  FontListSelect(dlg, 0);

  // The defaults, in the order the dialog has always set them.
  for (int id : {kIdCharWidth, kIdCharHeight, kIdBgRed, kIdBgGreen, kIdBgBlue, kIdTopRed,
                 kIdTopGreen, kIdTopBlue, kIdSubRed, kIdSubGreen, kIdSubBlue, kIdColorSteps,
                 kIdTileSize, kIdRangeFrom, kIdRangeTo}) {
    SetDefaultText(dlg, id);
  }
  SetChecked(dlg, ExportModeButton(ExportMode::kNormal), true);
  SetChecked(dlg, kIdCenter, false);
  SetDefaultText(dlg, kIdPreviewText);
  SetText(dlg, kIdLog, kWelcomeText);
  SetChecked(dlg, ColorModeButton(ColorMode::kGradient), true);
  SetChecked(dlg, kIdFontPreview, true);
  SetChecked(dlg, kIdZoom1, true);

  // 5. The layout: Windows-1252 in 32 x 8 square cells of the tile size, as many pages as
  // a map needs.
  for (int id : {kIdCharMap, kIdGridColumns, kIdGridRows, kIdCellWidth, kIdCellHeight, kIdPages}) {
    SetDefaultText(dlg, id);
  }

  // 6. The output: the colored sheet; the threshold and the spread wait for the outputs
  // that use them.
  CheckOutputKind(dlg, OutputKind::kColor);
  SetDefaultText(dlg, kIdMonoThreshold);
  SetDefaultText(dlg, kIdSdfSpread);
  ApplyOutputKindRule(dlg);

  // 7. How cells are drawn: the box drawing and pixel font choices at their defaults, and
  // no fallback face.
  for (int id : {kIdBoxDrawingAuto, kIdPixelFontAuto}) {
    const OptionDef& option = *FindOptionByControl(id);
    CheckChoiceValue(dlg, option, FindChoice(option, option.defaultValue)->value);
  }
  SetDefaultText(dlg, kIdFallbackFaces);
}
