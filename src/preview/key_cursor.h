// The Preview area from the keyboard: the arrow keys move a cursor cell over the shown
// sheet, the view following it and the status line naming it; over the font sample
// they pan the view.
#pragma once

#include <optional>

#include "dialog/dialog.h"
#include "preview/preview_state.h"

// Canvas pixels the view moves for one arrow key over the font sample.
inline constexpr int kKeyPanStep = 8;

// An arrow key on the focused Preview area. With a sheet shown, the first key puts the
// cursor on the top-left cell in view, later ones move it one cell (stopping at the
// grid's edges); the pan then brings the whole cell into view where the area holds it,
// and the status line names it. Over the font sample the view pans kKeyPanStep canvas
// pixels, clamped. Shows the canvas.
void PreviewKeyPress(Dialog& dlg, PreviewKey key, PreviewState& preview = Preview());

// Where cell lies in the area, in area pixels (it may reach past the area's edges); none
// without a shown sheet or for a cell beyond its grid.
struct AreaRect {
  int left = 0, top = 0, width = 0, height = 0;
};
std::optional<AreaRect> CellAreaRect(const PreviewState& preview, int areaWidth, int areaHeight,
                                     int cell);
