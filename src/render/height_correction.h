// The baseline probe: the row of the text cell that becomes every tile's first row.
#pragma once

#include <optional>

#include "base/message_sink.h"
#include "glyph/glyph_font.h"

// Draws the probe sample ("$", "?", "A".."C", "M", "W", "Y", "]", "`", "a".."c" in code
// order) with font, each clipped to an 8 x 8 box, the boxes tileSize apart (the cell
// height when cells are not square), and returns
// the first row from the top with at least 10 lit pixels among the first tileSize x 32
// columns: 0..7. When no row has that much ink it shows a message on sink and returns 0.
// Returns nothing, without a message, when its surface cannot be made.
std::optional<int> FindHeightCorrection(int tileSize, const GlyphFont& font, MessageSink& sink);

inline constexpr int kHeightProbeThreshold = 10;  // lit pixels a row needs
inline constexpr int kHeightProbeRows = 128;      // rows scanned from the top
