// Showing a colored sheet in the preview instead of saving it.
#pragma once

#include "dialog/dialog.h"
#include "image/bitmap32.h"

// Makes the canvas the sheet's size (512 x 185 at least), black, copies the sheet into
// it and shows it. The zoom stays; the pan stays unless the canvas's size changed, when
// it is clamped to the new canvas.
void ShowSheetInCanvas(Dialog& dlg, Bitmap32* bitmap, int width, int height);
