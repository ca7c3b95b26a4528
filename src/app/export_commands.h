// The buttons that run the export: "Save bitmap" and "Image preview (once)".
#pragma once

#include "dialog/dialog.h"

// Validates, asks for a file name, exports; after a failed export adds "An error
// occurred while saving!". Returns 0 when a sheet was saved; 1 when validation
// stopped it, the dialog was cancelled or the export failed.
int SaveBitmapCommand(Dialog& dlg);

// Validates, unchecks "Font Preview" so that nothing redraws the sample over the
// sheet, and shows the sheet in the preview. Returns the export's result, or 1 when
// validation stopped it.
int ImagePreviewCommand(Dialog& dlg);
