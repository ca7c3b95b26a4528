// Keeping the preview current: its start at dialog initialization, the font sample's
// redraws, the timer that catches selections made without a notification, and the
// "Font Preview" and zoom buttons.
#pragma once

#include "dialog/dialog.h"
#include "preview/preview_state.h"

// Dialog initialization: makes the canvas, draws the sample, shows it, starts the
// 100 ms timer and remembers the font list's current selection.
void StartPreview(Dialog& dlg, PreviewState& preview = Preview());

// The redraw of the font fields' notifications: when "Font Preview" (1045) is checked
// and the canvas exists, draws the sample and shows it; otherwise nothing.
void RedrawFontPreview(Dialog& dlg, PreviewState& preview = Preview());

// A timer tick: when a face is selected, it is not the one the timer saw last, and
// "Font Preview" is checked, remembers it and redraws the sample.
void PreviewTimerTick(Dialog& dlg, PreviewState& preview = Preview());

// "Font Preview" (1045), any notification: when it is checked, redraws the sample,
// moving the view back to the top-left corner at zoom 1. Unchecked, the canvas keeps
// what it shows.
void FontPreviewCommand(Dialog& dlg, PreviewState& preview = Preview());

// The zoom buttons (1048, 1049, 1050), any notification: takes the zoom from the
// checked button (1 when neither 2x nor 4x is checked, with the view back at the
// top-left corner for a font sample), clamps the pan and shows the canvas, which is
// not redrawn.
void ZoomCommand(Dialog& dlg, PreviewState& preview = Preview());

// "Grid" (1062), any notification: the cell lines over a shown sheet follow the check
// box; the canvas is shown again, not redrawn.
void PreviewGridCommand(Dialog& dlg, PreviewState& preview = Preview());
