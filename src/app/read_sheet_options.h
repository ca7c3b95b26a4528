// The one read of the dialog that a sheet is made from.
#pragma once

#include <optional>
#include <string>

#include "dialog/dialog.h"
#include "dialog/option_fields.h"
#include "options/sheet_options.h"

// Reads and checks every option (ReadOptions): the record, with the character map
// loaded, or nothing after the failing option's message (title "Error", warning icon).
std::optional<SheetOptions> CheckedSheetOptions(Dialog& dlg, OptionCheck check = OptionCheck::kRun);

// The Path field (1027), whole, so that a path too long for the field is refused
// rather than cut.
std::string ReadTexturePath(Dialog& dlg);
