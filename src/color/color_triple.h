// The three-field colors of the dialog (BgColor, TopColor, SubColor) as plain integers.
#pragma once

#include "dialog/dialog.h"

// Red, green and blue as the fields hold them. The fields are labeled 0..255 but
// nothing enforces it: where a component is written without clamping, its low 8 bits
// are stored (300 gives 44, -1 gives 255).
struct ColorTriple {
  int red = 0;
  int green = 0;
  int blue = 0;
};

// Reads red from firstId, green from firstId + 1 and blue from firstId + 2, each as an
// integer, without range checks.
ColorTriple ReadColorTriple(Dialog& dlg, int firstId);
