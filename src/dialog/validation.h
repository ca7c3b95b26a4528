// Checking the dialog's numbers before an operation computes with them.
#pragma once

#include "base/status.h"
#include "dialog/dialog.h"

// Checks, in order, the tile size (1..16), then, unless forAutosize, the export range
// (0 <= From <= To <= 255, only in range mode) and the color steps (1..tile size). The
// first check that fails shows its message and the result is kFailed (1); kOk (0)
// when every check passed.
int ValidateParameters(Dialog& dlg, bool forAutosize);
