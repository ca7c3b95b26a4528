// The font a sheet is drawn with once pixel fonts are considered: a face designed on a
// pixel grid is drawn at a whole multiple of its grid, in 1 bit and unhinted, so that
// every design pixel lands on whole pixels; any other face as it is.
#pragma once

#include <optional>
#include <string_view>

#include "base/sheet_modes.h"
#include "glyph/glyph_font.h"
#include "text/pixel_font.h"

struct ExactFont {
  GlyphFont font;                      // what to draw with
  std::optional<PixelFontSize> pixel;  // the multiple drawn, when the face is on a grid
};

// font as mode draws it. kAuto: when FindPixelGrid finds font's face on a grid (sample:
// the characters the sheet draws from the face), the mono font at the largest multiple
// of the grid whose design height fits cellHeightPx; else font itself. kOn: the same,
// or for a scalable face on no grid the mono font at font's own size. kOff, no font, or
// a face that cannot be drawn so: font itself.
ExactFont ChooseExactFont(const GlyphFont& font, PixelFontMode mode, std::u32string_view sample,
                          int cellHeightPx);
