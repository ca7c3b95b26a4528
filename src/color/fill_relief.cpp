// The Relief color mode: TopColor or SubColor by the relief rule.
#include "color/fillers.h"
#include "color/relief.h"
#include "color/sheet_walk.h"

int FillRelief(FIBITMAP* bitmap, const GlyphSurface& sheet, int width, int height, int tileSize,
               const ColorTriple& top, const ColorTriple& sub, const ColorTriple& bg) {
  if (!BitmapHoldsSheet(bitmap, width, height) || tileSize < 1) return 1;
  auto paintLit = [&](int x, int y, std::uint8_t* pixel) {
    const ColorTriple& color = ReliefAt(sheet, x, y, tileSize) == ReliefShade::kTop ? top : sub;
    PutPixel(pixel, LowByte(color.blue), LowByte(color.green), LowByte(color.red));
  };
  WalkSheet(
      bitmap, sheet, width, height, bg, [](int) {}, paintLit);
  return 0;
}
