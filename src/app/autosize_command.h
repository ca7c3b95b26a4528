// The two Autosize buttons.
#pragma once

#include "autosize/autosize.h"
#include "dialog/dialog.h"

// Checks the tile size, then suggests a size in mode. Returns 1 when validation
// stopped it, else 0.
int AutosizeCommand(Dialog& dlg, AutosizeMode mode);
