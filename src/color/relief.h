// The relief rule: whether a lit sheet pixel takes TopColor or SubColor, from the
// lit state of three neighbors in its own tile.
//
// The effect is a bevel: SubColor falls on lit pixels that continue a stroke from the
// upper left but end on their right or lower right. Neighbors in another tile never
// count, so every lit pixel in a tile's left column or top row is TopColor, and a
// position outside the sheet is never read.
#pragma once

#include "glyph/glyph_surface.h"

enum class ReliefShade { kTop, kSub };

// The choice for the lit pixel (x, y), with x, y >= 0 and tileSize >= 1. isLit(x, y)
// is asked about a neighbor only when it lies in the same tile and the decision has
// got that far, in this order:
//   1. up-left (x-1, y-1) does not count: TopColor;
//   2. right (x+1, y) does not count: SubColor;
//   3. down-right (x+1, y+1) does not count: SubColor;
//   4. otherwise TopColor.
template <typename IsLitFn>
inline ReliefShade ChooseRelief(int x, int y, int tileSize, IsLitFn&& isLit) {
  const int column = x % tileSize;  // position within the tile
  const int row = y % tileSize;
  if (column == 0 || row == 0 || !isLit(x - 1, y - 1)) return ReliefShade::kTop;
  if (column + 1 == tileSize || !isLit(x + 1, y)) return ReliefShade::kSub;
  if (row + 1 == tileSize || !isLit(x + 1, y + 1)) return ReliefShade::kSub;
  return ReliefShade::kTop;
}

// The relief rule over the SheetSurface.
ReliefShade ReliefAt(const GlyphSurface& sheet, int x, int y, int tileSize);
