// "Save all": one sheet for every face of the font list, in a folder the user picks.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

// Validates once, asks for the folder, then for each face: selects it, lets the
// dialog catch up (the preview timer), autosizes proportionally and exports
// "FOLDER/FACE.png", whatever the result; the user may cancel between faces. Ends
// with the "finished" message. Returns 1 when validation stopped it or the folder
// prompt was cancelled, else 0.
int SaveAllFonts(Dialog& dlg);

// A face name as a file name: path separators and NULs become "_", and a leading dot
// becomes "_" so that the file is not hidden; an empty name becomes "_".
std::string SafeFileName(std::string_view face);
