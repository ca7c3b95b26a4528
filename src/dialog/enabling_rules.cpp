// The export-mode and color-mode enabling rules.
#include "dialog/enabling_rules.h"

#include "dialog/dialog_fields.h"
#include "dialog/mode_buttons.h"
#include "options/control_ids.h"

void ApplyExportModeRule(Dialog& dlg) {
  const ExportMode mode = ReadExportMode(dlg);
  const bool range = mode == ExportMode::kRange;
  // In the user-defined mode the text lists what to export; in the others, what to
  // leave out (in the range mode, what to add to or take from the range).
  if (mode == ExportMode::kUserDefined) {
    SetText(dlg, kIdCharactersLabel, "Export the following chars:");
  } else if (range) {
    SetText(dlg, kIdCharactersLabel, "In- / Exclude the following chars:");
  } else {
    SetText(dlg, kIdCharactersLabel, "Exclude the following chars:");
  }
  Enable(dlg, kIdRangeFrom, range);
  Enable(dlg, kIdRangeTo, range);
}

void ApplyColorModeRule(Dialog& dlg) {
  const std::optional<ColorMode> mode = ReadColorMode(dlg);
  const bool imageOnly = mode == ColorMode::kImageOnly;

  // The texture is used by the three image modes.
  const bool usesImage = mode && UsesTexture(*mode);
  Enable(dlg, kIdTexturePath, usesImage);
  Enable(dlg, kIdBrowseTexture, usesImage);

  // Every mode but the bare image colors the glyphs with Top and Sub.
  for (int id : {kIdTopRed, kIdTopGreen, kIdTopBlue, kIdChooseTop, kIdSubRed, kIdSubGreen,
                 kIdSubBlue, kIdChooseSub}) {
    Enable(dlg, id, !imageOnly);
  }

  // Only the gradients have bands.
  Enable(dlg, kIdColorSteps, mode == ColorMode::kGradient || mode == ColorMode::kGradientOverImage);
}

void ApplyOutputKindRule(Dialog& dlg) {
  const OutputKind kind = ReadOutputKind(dlg);
  // The threshold sets the bits of the mono output, the C header and the font files.
  bool threshold = kind == OutputKind::kMono;
  for (int id : {kIdDescriptorC, kIdFontFileBdf, kIdFontFilePsf, kIdFontFileOtb}) {
    threshold = threshold || IsChecked(dlg, id);
  }
  Enable(dlg, kIdMonoThreshold, threshold);
  Enable(dlg, kIdSdfSpread, kind == OutputKind::kSdf);
}
