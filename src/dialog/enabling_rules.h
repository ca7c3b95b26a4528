// The rules that keep the dialog's controls in step with the chosen export mode, color
// mode and output kind. They only relabel and enable: no radio button, text or value changes.
#pragma once

#include "dialog/dialog.h"

// Labels the characters field (1052) after what its text does in the checked export
// mode, and enables From (1055) and To (1056) exactly in the range mode (1054).
void ApplyExportModeRule(Dialog& dlg);

// Enables the texture path (1027) and "Browse ..." (1028) in the three image modes,
// the Top and Sub color fields and their "Choose ..." buttons in every mode but
// "Only Image" (1025), and Color steps (1037) in the two gradient modes.
void ApplyColorModeRule(Dialog& dlg);

// Enables the threshold field (1069) exactly when something uses it: the mono output
// (1068), the C header (1072) or a font file (1077..1079); and the spread field (1074)
// exactly when the distance-field output (1073) is chosen.
void ApplyOutputKindRule(Dialog& dlg);
