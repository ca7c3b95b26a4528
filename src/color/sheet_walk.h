// The pixel walk that every filler shares: rows top to bottom, pixels left to right,
// alpha 255 everywhere, BgColor (low 8 bits) on unlit pixels, and the mode's own
// color on lit ones.
#pragma once

#include <FreeImage.h>

#include <cstdint>

#include "color/color_triple.h"
#include "color/output_pixels.h"
#include "glyph/glyph_surface.h"

// beginRow(y) runs once before each sheet row (per-row work such as the band
// fraction); paintLit(x, y, pixel) writes the blue, green and red bytes of a lit pixel.
// Both are inlined: no call through a pointer per pixel. The caller has checked that
// bitmap holds width x height pixels.
template <typename BeginRow, typename PaintLit>
void WalkSheet(FIBITMAP* bitmap, const GlyphSurface& sheet, int width, int height,
               const ColorTriple& bg, BeginRow beginRow, PaintLit paintLit) {
  const std::uint8_t bgBlue = LowByte(bg.blue);
  const std::uint8_t bgGreen = LowByte(bg.green);
  const std::uint8_t bgRed = LowByte(bg.red);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* line = FreeImage_GetScanLine(bitmap, height - 1 - y);
    beginRow(y);
    for (int x = 0; x < width; ++x) {
      std::uint8_t* pixel = line + 4 * x;
      pixel[3] = 255;
      if (IsLit(sheet, x, y)) {
        paintLit(x, y, pixel);
      } else {
        pixel[0] = bgBlue;
        pixel[1] = bgGreen;
        pixel[2] = bgRed;
      }
    }
  }
}
