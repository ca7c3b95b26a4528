// The baseline probe: the row of the text cell that becomes every tile's first row.
#pragma once

#include "dialog/dialog.h"

// Draws the probe sample ("$", "?", "A".."C", "M", "W", "Y", "]", "`", "a".."c" in code
// order), each clipped to an 8 x 8 box, the boxes Tile size apart, and returns the
// first row from the top with at least 10 lit pixels among the first Tile size x 32
// columns: 0..7. When no row has that much ink it shows a message and returns 0; when
// its surface cannot be made it returns 1 without a message.
int FindHeightCorrection(Dialog& dlg);

inline constexpr int kHeightProbeThreshold = 10;  // lit pixels a row needs
inline constexpr int kHeightProbeRows = 128;      // rows scanned from the top
