// The radio groups of the export mode, the color mode and the output kind, through
// their options.
#include "dialog/mode_buttons.h"

#include "dialog/dialog_fields.h"
#include "dialog/option_fields.h"
#include "options/control_ids.h"

namespace {

const OptionDef& GroupOption(int firstButton) {
  return *FindOptionByControl(firstButton);
}
const OptionDef& ExportOption() {
  return GroupOption(kIdExportNormal);
}
const OptionDef& ColorOption() {
  return GroupOption(kIdColorGradient);
}
const OptionDef& OutputOption() {
  return GroupOption(kIdOutputColor);
}

int ButtonOf(const OptionDef& option, int value) {
  return FindChoiceOfValue(option, value)->control;
}

}  // namespace

int ExportModeButton(ExportMode mode) {
  return ButtonOf(ExportOption(), static_cast<int>(mode));
}

int ColorModeButton(ColorMode mode) {
  return ButtonOf(ColorOption(), static_cast<int>(mode));
}

int OutputKindButton(OutputKind kind) {
  return ButtonOf(OutputOption(), static_cast<int>(kind));
}

ExportMode ReadExportMode(Dialog& dlg) {
  return static_cast<ExportMode>(ReadChoiceValue(dlg, ExportOption()));
}

std::optional<ColorMode> ReadColorMode(Dialog& dlg) {
  const int value = ReadChoiceValue(dlg, ColorOption());
  if (value < 0) return std::nullopt;
  return static_cast<ColorMode>(value);
}

OutputKind ReadOutputKind(Dialog& dlg) {
  return static_cast<OutputKind>(ReadChoiceValue(dlg, OutputOption()));
}

void CheckExportMode(Dialog& dlg, ExportMode mode) {
  CheckChoiceValue(dlg, ExportOption(), static_cast<int>(mode));
}

void CheckColorMode(Dialog& dlg, ColorMode mode) {
  CheckChoiceValue(dlg, ColorOption(), static_cast<int>(mode));
}

void CheckOutputKind(Dialog& dlg, OutputKind kind) {
  CheckChoiceValue(dlg, OutputOption(), static_cast<int>(kind));
}
