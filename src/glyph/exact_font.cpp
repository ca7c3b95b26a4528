// Choosing the pixel font's exact size.
#include "glyph/exact_font.h"

ExactFont ChooseExactFont(const GlyphFont& font, PixelFontMode mode, std::u32string_view sample,
                          int cellHeightPx) {
  if (!font || mode == PixelFontMode::kOff) return {font, std::nullopt};
  if (const std::optional<PixelGrid> grid = FindPixelGrid(*font, sample)) {
    const PixelFontSize size = PickPixelFontSize(*grid, cellHeightPx);
    if (GlyphFont exact = OpenMonoTextFont(*font, size)) return {std::move(exact), size};
    return {font, std::nullopt};
  }
  if (mode == PixelFontMode::kOn) {
    if (GlyphFont mono = OpenMonoTextFont(*font, std::nullopt)) return {std::move(mono), {}};
  }
  return {font, std::nullopt};
}
