// The radio groups of the export and color modes.
#include "dialog/mode_buttons.h"

#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"

namespace {

// In the order a reader decides when several buttons are checked.
constexpr ExportMode kExportPriority[] = {ExportMode::kAll, ExportMode::kNormal,
                                          ExportMode::kRange};
constexpr OutputKind kOutputKinds[] = {OutputKind::kColor, OutputKind::kAlpha, OutputKind::kGray,
                                       OutputKind::kMono};
constexpr ColorMode kColorPriority[] = {ColorMode::kGradient, ColorMode::kImageOnly,
                                        ColorMode::kRelief, ColorMode::kGradientOverImage,
                                        ColorMode::kReliefOverImage};

}  // namespace

int ExportModeButton(ExportMode mode) {
  switch (mode) {
    case ExportMode::kNormal:
      return kIdExportNormal;
    case ExportMode::kAll:
      return kIdExportAll;
    case ExportMode::kRange:
      return kIdExportRange;
    case ExportMode::kUserDefined:
      break;
  }
  return kIdExportUser;
}

int ColorModeButton(ColorMode mode) {
  switch (mode) {
    case ColorMode::kGradient:
      return kIdColorGradient;
    case ColorMode::kRelief:
      return kIdColorRelief;
    case ColorMode::kImageOnly:
      return kIdColorImageOnly;
    case ColorMode::kGradientOverImage:
      return kIdColorGradientOverImage;
    case ColorMode::kReliefOverImage:
      break;
  }
  return kIdColorReliefOverImage;
}

ExportMode ReadExportMode(Dialog& dlg) {
  for (ExportMode mode : kExportPriority) {
    if (IsChecked(dlg, ExportModeButton(mode))) return mode;
  }
  return ExportMode::kUserDefined;
}

std::optional<ColorMode> ReadColorMode(Dialog& dlg) {
  for (ColorMode mode : kColorPriority) {
    if (IsChecked(dlg, ColorModeButton(mode))) return mode;
  }
  return std::nullopt;
}

void CheckExportMode(Dialog& dlg, ExportMode mode) {
  for (ExportMode m :
       {ExportMode::kNormal, ExportMode::kAll, ExportMode::kUserDefined, ExportMode::kRange}) {
    SetChecked(dlg, ExportModeButton(m), false);
  }
  SetChecked(dlg, ExportModeButton(mode), true);
}

void CheckColorMode(Dialog& dlg, ColorMode mode) {
  for (ColorMode m : kColorPriority) SetChecked(dlg, ColorModeButton(m), false);
  SetChecked(dlg, ColorModeButton(mode), true);
}

int OutputKindButton(OutputKind kind) {
  switch (kind) {
    case OutputKind::kAlpha:
      return kIdOutputAlpha;
    case OutputKind::kGray:
      return kIdOutputGray;
    case OutputKind::kMono:
      return kIdOutputMono;
    case OutputKind::kColor:
      break;
  }
  return kIdOutputColor;
}

OutputKind ReadOutputKind(Dialog& dlg) {
  for (OutputKind kind : kOutputKinds) {
    if (IsChecked(dlg, OutputKindButton(kind))) return kind;
  }
  return OutputKind::kColor;
}

int ReadMonoThreshold(Dialog& dlg) {
  const int threshold = ReadInt(dlg, kIdMonoThreshold);
  return threshold >= kMinMonoThreshold && threshold <= kMaxMonoThreshold ? threshold
                                                                          : kDefaultMonoThreshold;
}

void CheckOutputKind(Dialog& dlg, OutputKind kind) {
  for (OutputKind k : kOutputKinds) SetChecked(dlg, OutputKindButton(k), false);
  SetChecked(dlg, OutputKindButton(kind), true);
}
