// "Save bitmap" and "Image preview (once)".
#include "app/export_commands.h"

#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"
#include "dialog/validation.h"
#include "render/export_sheet.h"

int SaveBitmapCommand(Dialog& dlg) {
  if (ValidateParameters(dlg, false)) return 1;
  FileDialogRequest request;
  request.title = "Save bitmap";
  request.filters = {{"PNG - Portable Network Graphics", "*.png"},
                     {"BMP - Windows Bitmaps", "*.bmp"},
                     {"TGA - Truevision Targa files", "*.tga"},
                     {"All Files", "*.*"}};
  request.defaultExtension = ".bmp";
  request.confirmOverwrite = true;
  const std::optional<std::string> file = dlg.host.AskSaveFile(request);
  if (!file) return 1;
  if (ExportSheet(dlg, *file, false) != 0) {
    dlg.host.MessageBox("An error occurred while saving!", "Error", MessageIcon::kWarning);
    return 1;
  }
  return 0;
}

int ImagePreviewCommand(Dialog& dlg) {
  if (ValidateParameters(dlg, false)) return 1;
  SetChecked(dlg, kIdFontPreview, false);
  return ExportSheet(dlg, "", true);
}
