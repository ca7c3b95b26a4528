// The export run: the whole road from the dialog's settings to a colored sheet saved
// as an image file, or shown in the preview.
#pragma once

#include <string>

#include "dialog/dialog.h"

// Reads every option from the dialog, draws each character of the export set into its
// tile, colors the sheet with the chosen color mode, trims overflow when asked, then
// saves it to fileName in the format its extension names (or, with preview set, shows
// it in the preview canvas) and writes the overflow report into the log. Returns 0 on
// success, 1 on failure; every failure but a scratch surface that cannot be made shows
// its message, and a failed run leaves the log as it was.
int ExportSheet(Dialog& dlg, const std::string& fileName, bool preview);
