// The ExportSet: which of the 256 character codes the export run draws, from the
// export mode, the characters text and the From/To range.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/char_codes.h"
#include "base/sheet_modes.h"
#include "options/sheet_options.h"

// One flag per unsigned character code. Code 0 is never drawn, whatever its flag: the
// composition starts at code 1.
using ExportSet = std::array<bool, kCodes>;

// The flags of a mode, given the Windows-1252 characters text (each byte one code):
//   All:         32..255 set, then the text's codes cleared;
//   Normal:      32..127 set, then the text's codes cleared;
//   Range:       from..to set, then each code of the text set when outside from..to
//                and cleared when inside (from and to are read only in this mode);
//   UserDefined: exactly the text's codes.
// Out-of-range from/to are kept to 0..255; the dialog refuses such a range before a run.
ExportSet BuildExportSetFrom(ExportMode mode, std::string_view cp1252Text, int from, int to);

// The set of options' export mode, characters and range.
ExportSet BuildExportSet(const SheetOptions& options);
