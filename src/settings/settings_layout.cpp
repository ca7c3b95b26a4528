// The export and color mode codes of the settings file.
#include "settings/settings_layout.h"

#include "dialog/mode_buttons.h"

std::uint8_t ExportModeCode(Dialog& dlg) {
  return ModeCode(ReadExportMode(dlg));
}

void CheckExportModeOfCode(Dialog& dlg, std::uint8_t code) {
  CheckExportMode(dlg, ExportModeOfCode(code));
}

// No checked button is written as the last mode's code.
std::uint8_t ColorModeCode(Dialog& dlg) {
  return ModeCode(ReadColorMode(dlg).value_or(ColorMode::kReliefOverImage));
}

void CheckColorModeOfCode(Dialog& dlg, std::uint8_t code) {
  CheckColorMode(dlg, ColorModeOfCode(code));
}
