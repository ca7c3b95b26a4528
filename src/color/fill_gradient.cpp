// The Gradient color mode: bands from TopColor toward SubColor down each tile.
#include "color/band_fraction.h"
#include "color/fillers.h"
#include "color/sheet_walk.h"

namespace {

std::uint8_t BandComponent(int top, int sub, float e) {
  const double value = top + (static_cast<double>(sub) - top) * e;
  return LowByte(TruncToInteger(value));
}

}  // namespace

int FillGradient(FIBITMAP* bitmap, const GlyphSurface& sheet, int width, int height, int tileSize,
                 float colorSteps, const ColorTriple& top, const ColorTriple& sub,
                 const ColorTriple& bg) {
  if (!BitmapHoldsSheet(bitmap, width, height) || tileSize < 1) return 1;
  const BandScale scale = MakeBandScale(tileSize, colorSteps);

  // Every lit pixel of a row has the same color: work it out once per row.
  std::uint8_t blue = 0, green = 0, red = 0;
  auto beginRow = [&](int y) {
    const float e = BandFraction(scale, y % tileSize);
    blue = BandComponent(top.blue, sub.blue, e);
    green = BandComponent(top.green, sub.green, e);
    red = BandComponent(top.red, sub.red, e);
  };
  auto paintLit = [&](int, int, std::uint8_t* pixel) { PutPixel(pixel, blue, green, red); };
  WalkSheet(bitmap, sheet, width, height, bg, beginRow, paintLit);
  return 0;
}
