// The export and color mode codes of the settings file.
#include "settings/settings_layout.h"

#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"

namespace {

constexpr int kExportButtons[] = {kIdExportNormal, kIdExportAll, kIdExportUser, kIdExportRange};
constexpr int kColorButtons[] = {kIdColorGradient, kIdColorRelief, kIdColorImageOnly,
                                 kIdColorGradientOverImage, kIdColorReliefOverImage};

}  // namespace

std::uint8_t ExportModeCode(Dialog& dlg) {
  if (IsChecked(dlg, kIdExportNormal)) return 1;
  if (IsChecked(dlg, kIdExportAll)) return 2;
  if (IsChecked(dlg, kIdExportRange)) return 4;
  return 3;
}

void CheckExportModeOfCode(Dialog& dlg, std::uint8_t code) {
  for (int id : kExportButtons) SetChecked(dlg, id, false);
  switch (code) {
    case 1:
      SetChecked(dlg, kIdExportNormal, true);
      break;
    case 2:
      SetChecked(dlg, kIdExportAll, true);
      break;
    case 4:
      SetChecked(dlg, kIdExportRange, true);
      break;
    default:
      SetChecked(dlg, kIdExportUser, true);
      break;
  }
}

std::uint8_t ColorModeCode(Dialog& dlg) {
  if (IsChecked(dlg, kIdColorGradient)) return 1;
  if (IsChecked(dlg, kIdColorRelief)) return 2;
  if (IsChecked(dlg, kIdColorImageOnly)) return 3;
  if (IsChecked(dlg, kIdColorGradientOverImage)) return 4;
  return 5;
}

void CheckColorModeOfCode(Dialog& dlg, std::uint8_t code) {
  for (int id : kColorButtons) SetChecked(dlg, id, false);
  switch (code) {
    case 1:
      SetChecked(dlg, kIdColorGradient, true);
      break;
    case 2:
      SetChecked(dlg, kIdColorRelief, true);
      break;
    case 3:
      SetChecked(dlg, kIdColorImageOnly, true);
      break;
    case 4:
      SetChecked(dlg, kIdColorGradientOverImage, true);
      break;
    default:
      SetChecked(dlg, kIdColorReliefOverImage, true);
      break;
  }
}
