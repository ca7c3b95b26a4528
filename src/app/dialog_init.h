// Setting up the dialog: title, font list, defaults, welcome text.
#pragma once

#include "dialog/dialog.h"

// Sets the title, fills the font list, selects entry 0 and sets every default in
// the order the dialog has always used.
void InitializeDialog(Dialog& dlg);
