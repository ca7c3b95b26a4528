// The relief rule over the SheetSurface, for the two relief fillers.
#include "color/relief.h"

ReliefShade ReliefAt(const GlyphSurface& sheet, int x, int y, int tileSize) {
  return ChooseRelief(x, y, tileSize, [&sheet](int nx, int ny) { return IsLit(sheet, nx, ny); });
}
