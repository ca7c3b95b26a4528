// The one read of the dialog that a sheet is made from.
#pragma once

#include <string>

#include "dialog/dialog.h"
#include "glyph/sheet_options.h"

// Reads every option of a sheet: the font request, Tile size (1051), the cell size, grid
// and character map (each at its default when its fields cannot be used), Color steps,
// the Bg, Top and Sub colors, the export mode with the characters text (UTF-8; with the cp1252
// map only what its first 511 Windows-1252 bytes hold, characters it cannot hold dropped) and, in
// the range mode, From and To, the color mode, centering, trimming and the texture path. Shows
// nothing: the messages come from what the options are used for.
SheetOptions ReadSheetOptions(Dialog& dlg);

// The Path field (1027), read with room to spare so that a path too long for the field
// is refused rather than cut.
std::string ReadTexturePath(Dialog& dlg);
