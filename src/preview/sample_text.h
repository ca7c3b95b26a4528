// The font sample: the preview Text drawn in the dialog's font, one line, white on
// black, centered in the Preview area's rectangle of the canvas.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dialog/dialog.h"
#include "preview/preview_state.h"

// One character of the sample after prefix handling.
struct SampleChar {
  char32_t ch = 0;
  bool underline = false;  // it followed a single ampersand
};

// Applies the ampersand prefix rule: "&x" gives x underlined and hides the ampersand,
// "&&" gives one ampersand, and a trailing "&" gives nothing.
std::vector<SampleChar> ApplyPrefixes(std::u32string_view text);

// Draws the preview Text (1015, read with a 256-byte buffer) into the canvas in the
// font of the font fields (the default font when no face is selected): the canvas goes
// black, and the text is drawn as one line centered horizontally (by the sum of the
// advances) and vertically (by the cell height) in the rectangle (0, 0)-(A_w, A_h) of
// the Preview area's size, clipped to it. The canvas takes the area's size first, never
// less than its smallest (the pan clamped to it). Does nothing before the canvas exists.
void DrawSampleText(Dialog& dlg, PreviewState& preview);
