// The GradientOverImage color mode: the band color added to the TextureImage.
#include "color/band_fraction.h"
#include "color/fillers.h"
#include "color/sheet_walk.h"
#include "color/texture_image.h"

int FillGradientOverImage(FIBITMAP* bitmap, const GlyphSurface& sheet, Dialog& dlg, int width,
                          int height, int tileSize, float colorSteps, const ColorTriple& top,
                          const ColorTriple& sub, const ColorTriple& bg) {
  if (!BitmapHoldsSheet(bitmap, width, height) || tileSize < 1) return 1;
  const std::optional<TextureImage> texture = LoadTextureImage(dlg);
  if (!texture) return 1;
  const BandScale scale = MakeBandScale(tileSize, colorSteps);

  // The band offset (SubColor - TopColor) * e is the same for a whole row.
  const std::uint8_t* texRow = nullptr;
  double blueShift = 0, greenShift = 0, redShift = 0;
  auto beginRow = [&](int y) {
    texRow = TextureRow(*texture, y % texture->height);
    const float e = BandFraction(scale, y % tileSize);
    blueShift = (static_cast<double>(sub.blue) - top.blue) * e;
    greenShift = (static_cast<double>(sub.green) - top.green) * e;
    redShift = (static_cast<double>(sub.red) - top.red) * e;
  };
  // texel + TopColor is an integer sum; doubles hold it exactly whatever the fields say.
  auto paintLit = [&](int x, int, std::uint8_t* pixel) {
    const std::uint8_t* texel = texRow + 4 * (x % texture->width);
    PutPixel(pixel, ClampToByte(static_cast<double>(texel[0]) + top.blue + blueShift),
             ClampToByte(static_cast<double>(texel[1]) + top.green + greenShift),
             ClampToByte(static_cast<double>(texel[2]) + top.red + redShift));
  };
  WalkSheet(bitmap, sheet, width, height, bg, beginRow, paintLit);
  return 0;
}
