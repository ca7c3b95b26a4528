// The two Autosize buttons.
#pragma once

#include "autosize/autosize.h"
#include "dialog/dialog.h"
#include "options/sheet_options.h"

// Suggests a size for the options' cell, face and style, and writes Char
// height (1003), Char width (1002; emptied in the proportional mode) and the report
// into the log (1022). When the scratch surface cannot be made nothing is changed. The
// caller validates the fields first.
// Returns what it suggested.
std::optional<SizeSuggestion> Autosize(Dialog& dlg, const SheetOptions& options, AutosizeMode mode);
// The same with the dialog's options as Autosize checks them (nothing, after the
// message, when they cannot be used).
std::optional<SizeSuggestion> Autosize(Dialog& dlg, AutosizeMode mode);

// Checks the tile size, then suggests a size in mode and says what it found on the
// status line. Returns 1 when validation stopped it, else 0.
int AutosizeCommand(Dialog& dlg, AutosizeMode mode);
