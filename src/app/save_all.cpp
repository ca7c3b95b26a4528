// The "Save all" batch.
#include "app/save_all.h"

#include "autosize/autosize.h"
#include "dialog/dialog_fields.h"
#include "dialog/validation.h"
#include "render/export_sheet.h"

std::string SafeFileName(std::string_view face) {
  std::string name(face);
  for (char& c : name) {
    if (c == '/' || c == '\\' || c == '\0') c = '_';
  }
  if (name.empty()) return "_";
  if (name[0] == '.') name[0] = '_';
  return name;
}

int SaveAllFonts(Dialog& dlg) {
  // 1. One validation for the whole batch.
  if (ValidateParameters(dlg, false)) return 1;

  // 2. The folder.
  const std::optional<std::string> folder = dlg.host.AskFolder("Select the output folder");
  if (!folder) return 1;
  std::string prefix = *folder;
  if (prefix.empty() || prefix.back() != '/') prefix += '/';

  // 3. Each face in list order; a failing face does not stop the batch.
  const int count = FontListCount(dlg);
  dlg.host.BeginProgress("Save all", count);
  for (int i = 0; i < count; ++i) {
    FontListSelect(dlg, i);
    dlg.host.DispatchPendingMessages();
    const std::string face = FontListEntry(dlg, i);
    if (!dlg.host.UpdateProgress(i, face)) break;
    Autosize(dlg, AutosizeMode::kProportional);
    ExportSheet(dlg, prefix + SafeFileName(face) + ".png", false);
  }
  dlg.host.UpdateProgress(count, "");
  dlg.host.EndProgress();

  // 4.
  dlg.host.MessageBox("Save all has finished!", "Finished", MessageIcon::kInformation);
  return 0;
}
