// The two Autosize buttons.
#pragma once

#include "autosize/autosize.h"
#include "dialog/dialog.h"

// Suggests a size for Tile size (1051) and the selected face and style, and writes Char
// height (1003), Char width (1002; emptied in the proportional mode) and the report
// into the log (1022). When the scratch surface cannot be made nothing is changed. The
// caller validates the fields first.
// Returns what it suggested.
std::optional<SizeSuggestion> Autosize(Dialog& dlg, AutosizeMode mode);

// Checks the tile size, then suggests a size in mode and says what it found on the
// status line. Returns 1 when validation stopped it, else 0.
int AutosizeCommand(Dialog& dlg, AutosizeMode mode);
