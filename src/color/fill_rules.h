// The two rules the fillers color by: the gradient bands of a tile and the relief
// choice between TopColor and SubColor.
#pragma once

#include "glyph/glyph_surface.h"
#include "layout/grid.h"

// Bands. The gradient bands of a tile: which band a pixel row falls in and how far that band
// lies from TopColor toward SubColor.
//
// The precision of every step is fixed on purpose (single where a value is held,
// double where it is divided): rounding the band height to single precision decides
// the band of rows that sit exactly on a band edge, and the sheet colors follow it.

struct BandScale {
  float bandHeight;  // d = TileSize / ColorSteps, rounded to single precision, in rows
  float bandCount;   // f = TileSize / d, rounded to single precision (ColorSteps or next to it)
};

// Worked out once per fill from TileSize and ColorSteps.
BandScale MakeBandScale(int tileSize, float colorSteps);

// The band of a row within its tile (0 .. TileSize - 1): rowInTile / d in double
// precision, truncated toward zero. Kept as a double so that no band count can
// overflow an int.
double BandOf(const BandScale& scale, int rowInTile);

// The BandFraction e of a row: band / f in double precision, rounded to single
// precision. 0 for band 0 (also when ColorSteps is 0 and f is 0); runs up to
// (ColorSteps - 1) / ColorSteps, so the last band never reaches SubColor.
float BandFraction(const BandScale& scale, int rowInTile);

// Relief. The relief rule: whether a lit sheet pixel takes TopColor or SubColor, from the
// lit state of three neighbors in its own tile.
//
// The effect is a bevel: SubColor falls on lit pixels that continue a stroke from the
// upper left but end on their right or lower right. Neighbors in another tile never
// count, so every lit pixel in a tile's left column or top row is TopColor, and a
// position outside the sheet is never read.

enum class ReliefShade { kTop, kSub };

// The choice for the lit pixel (x, y), with x, y >= 0 and a cell of at least 1 x 1. isLit(x, y)
// is asked about a neighbor only when it lies in the same tile and the decision has
// got that far, in this order:
//   1. up-left (x-1, y-1) does not count: TopColor;
//   2. right (x+1, y) does not count: SubColor;
//   3. down-right (x+1, y+1) does not count: SubColor;
//   4. otherwise TopColor.
// In a cell that need not be square, columns count against its width and rows against
// its height.
template <typename IsLitFn>
inline ReliefShade ChooseRelief(int x, int y, PixelSize cell, IsLitFn&& isLit) {
  const int column = x % cell.widthPx;  // position within the cell
  const int row = y % cell.heightPx;
  if (column == 0 || row == 0 || !isLit(x - 1, y - 1)) return ReliefShade::kTop;
  if (column + 1 == cell.widthPx || !isLit(x + 1, y)) return ReliefShade::kSub;
  if (row + 1 == cell.heightPx || !isLit(x + 1, y + 1)) return ReliefShade::kSub;
  return ReliefShade::kTop;
}

// The relief rule over the SheetSurface.
ReliefShade ReliefAt(const GlyphSurface& sheet, int x, int y, PixelSize cell);
