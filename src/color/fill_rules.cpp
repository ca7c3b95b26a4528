// The band arithmetic of the two gradient fillers, in its fixed precision, and the
// relief rule over the SheetSurface for the two relief fillers.
#include "color/fill_rules.h"

#include <cmath>

BandScale MakeBandScale(int tileSize, float colorSteps) {
  BandScale scale;
  scale.bandHeight = static_cast<float>(static_cast<double>(tileSize) / colorSteps);
  scale.bandCount = static_cast<float>(static_cast<double>(tileSize) / scale.bandHeight);
  return scale;
}

double BandOf(const BandScale& scale, int rowInTile) {
  return std::trunc(static_cast<double>(rowInTile) / scale.bandHeight);
}

float BandFraction(const BandScale& scale, int rowInTile) {
  const double band = BandOf(scale, rowInTile);
  if (band == 0.0) return 0.0f;  // also keeps 0 / 0 out when ColorSteps is 0
  const float e = static_cast<float>(band / scale.bandCount);
  return std::isfinite(e) ? e : 0.0f;
}

ReliefShade ReliefAt(const GlyphSurface& sheet, int x, int y, PixelSize cell) {
  return ChooseRelief(x, y, cell, [&sheet](int nx, int ny) { return IsLit(sheet, nx, ny); });
}
