// Autosize for pixel fonts: the only sizes that draw a face designed on a pixel grid
// exactly are whole multiples of its grid, so those are the only ones suggested.
#pragma once

#include <optional>
#include <string_view>

#include "autosize/autosize.h"
#include "base/sheet_modes.h"

// For a face that mode draws as a pixel font (ChooseExactFont's rule, with sample), the
// Char height of the largest whole multiple of its grid that fits the cell height: its
// design height at that multiple, no width (the grid is square), and the report
// "Autosize (pixel font):\r\nsuggest height N,\r\npixel font: grid G units = M px".
// Nothing for any other face.
std::optional<SizeSuggestion> SuggestPixelFontSize(const std::optional<FontRequest>& font,
                                                   PixelSize cell, PixelFontMode mode,
                                                   std::u32string_view sample);
