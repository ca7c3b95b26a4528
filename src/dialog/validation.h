// Checking the dialog's numbers before an operation computes with them.
#pragma once

#include "base/status.h"
#include "dialog/dialog.h"

// Checks, in order, the cell size (both cell fields empty, or each 1..64) and, for
// square cells of the tile size, the tile size (1..16); then, unless forAutosize, the
// export range (0 <= From <= To <= 255, only in range mode), the color steps (1..cell
// height), the color values (each a whole number 0..255; top and sub only where the
// color mode uses them), the grid (1..256 each way), the character map (a user file is read) and
// that the grid holds the map's cells. The first check that fails shows its message
// (title "Error", warning icon) and the result is kFailed (1); kOk (0) when every
// check passed. Last, with the mono output, the threshold (1..255). A character map
// that holds a character in several cells passes, after RepeatedCharsWarning's message
// (title "Warning", warning icon).
int ValidateParameters(Dialog& dlg, bool forAutosize);

inline constexpr char kMonoThresholdMessage[] =
    "Wrong value for the threshold, must be from 1 to 255!";
