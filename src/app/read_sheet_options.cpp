// Reads a sheet's options from the dialog.
#include "app/read_sheet_options.h"

#include <limits>

#include "dialog/dialog_fields.h"
#include "options/control_ids.h"

std::optional<SheetOptions> CheckedSheetOptions(Dialog& dlg, OptionCheck check) {
  Result<SheetOptions> options = ReadOptions(dlg, check);
  if (!options) {
    dlg.host.MessageBox(options.message(), "Error", MessageIcon::kWarning);
    return std::nullopt;
  }
  return std::move(*options);
}

std::string ReadTexturePath(Dialog& dlg) {
  return ReadText(dlg, kIdTexturePath, std::numeric_limits<int>::max());
}
