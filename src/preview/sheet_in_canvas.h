// Showing a colored sheet in the preview instead of saving it.
#pragma once

#include <FreeImage.h>

#include "dialog/dialog.h"

// Clears the canvas black, copies the sheet's top-left part (at most 512 x 185 pixels)
// into it, and shows the canvas. Zoom and pan stay as they are.
void ShowSheetInCanvas(Dialog& dlg, FIBITMAP* bitmap, int width, int height);
