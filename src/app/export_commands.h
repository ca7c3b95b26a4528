// The buttons that run the export: "Save bitmap" and "Image preview (once)".
#pragma once

#include <string>

#include "dialog/dialog.h"
#include "options/sheet_options.h"

// What ExportSheet returns when the user stopped the run: nothing was written or shown.
inline constexpr int kStopped = 2;

// The export run on the dialog with checked options: decides the file name's format (not
// for a preview), checks that the descriptors asked for can name the file (not for a
// preview), renders the sheet, then saves it to fileName (or, with preview set,
// shows it in the preview canvas), writes the descriptors the options ask for beside a
// saved sheet, and writes the overflow report into the log. Returns
// 0 on success, 1 on failure; every failure but a scratch surface that cannot be made
// shows its message, and a failed run leaves the log as it was, except a sheet that no
// character left ink on: its report goes to the log, then kNoneFitsMessage, and it is
// neither saved nor shown. Returns kStopped, after a line in the status, when the user
// stopped the drawing.
int ExportSheet(Dialog& dlg, const SheetOptions& options, const std::string& fileName,
                bool preview);
// The same with the dialog's options, after CheckedSheetOptions (which shows why they
// cannot be used, and the run then fails).
int ExportSheet(Dialog& dlg, const std::string& fileName, bool preview);

// Validates, asks for a file name, exports; after a failed export adds "An error
// occurred while saving!" (not when the user stopped it). Returns 0 when a sheet was
// saved; 1 when validation stopped it, the dialog was cancelled or the export failed.
int SaveBitmapCommand(Dialog& dlg);

// Validates, unchecks "Font Preview" so that nothing redraws the sample over the
// sheet, and shows the sheet in the preview. Returns the export's result, or 1 when
// validation stopped it.
int ImagePreviewCommand(Dialog& dlg);
