// The font list's entries, and font files that are not installed: their typefaces
// join the font list for the rest of the session.
#pragma once

#include <string>

#include "dialog/dialog.h"

// Fills the font list with the installed typefaces and the session's font files.
void FillFontList(Dialog& dlg);

// Adds every face of the font file at path, refills the font list and selects the
// file's first typeface. A file that cannot be added gets an "Error" message naming
// it and leaves the list as it was. Returns 0 when added, else 1.
int OpenFontFile(Dialog& dlg, const std::string& path);

// The font file opened in this session that holds the selected typeface; empty when
// the selected typeface is installed only, or nothing is selected.
std::string SelectedFontFile(Dialog& dlg);
