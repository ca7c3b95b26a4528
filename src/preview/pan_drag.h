// Panning the Preview area over the canvas: the clamp that keeps the view on the
// canvas, and dragging with the left mouse button.
#pragma once

#include "dialog/dialog.h"
#include "preview/preview_state.h"

// Keeps the pan offset on the canvas for the Preview area's size at the current zoom:
// with w = A_w div zoom and h = A_h div zoom, 0 <= panX <= max(0, C_w - w) and
// 0 <= panY <= max(0, C_h - h) for the canvas's C_w x C_h (512 x 185 at least).
void ClampPan(Dialog& dlg, PreviewState& preview = Preview());

// A press of the left button on the Preview area: starts a drag from the cursor's
// screen position and captures the mouse, except for a font sample at zoom 1, which
// is not dragged.
void PreviewPress(Dialog& dlg, PreviewState& preview = Preview());

// A mouse move during a drag: the picture follows the cursor, so the offset moves by
// minus the cursor's movement divided by the zoom; then clamps and shows the canvas.
// The cursor position is read from the host, not taken from the message.
void PreviewMouseMove(Dialog& dlg, PreviewState& preview = Preview());

// The left button's release during a drag: releases the mouse, ends the drag and shows
// the canvas.
void PreviewButtonUp(Dialog& dlg, PreviewState& preview = Preview());
