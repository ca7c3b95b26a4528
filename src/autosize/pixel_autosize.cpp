// Autosize's suggestion for a pixel font.
#include "autosize/pixel_autosize.h"

#include "glyph/exact_font.h"

std::optional<SizeSuggestion> SuggestPixelFontSize(const std::optional<FontRequest>& font,
                                                   PixelSize cell, PixelFontMode mode,
                                                   std::u32string_view sample) {
  const ExactFont exact = ChooseExactFont(CreateGlyphFont(font), mode, sample, cell.heightPx);
  if (!exact.pixel) return std::nullopt;
  SizeSuggestion suggestion;
  suggestion.height = exact.pixel->ascentPx + exact.pixel->descentPx;
  suggestion.report = "Autosize (pixel font):\r\nsuggest height " +
                      std::to_string(suggestion.height) + ",\r\n" + PixelFontLogLine(*exact.pixel);
  return suggestion;
}
