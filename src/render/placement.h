// Where a measured glyph goes in its tile, and whether it overflows it.
//
// The ProbeSurface row AnchorRow and column AnchorColumn land on the first row and
// column of the character's tile; the draw rectangle reaches left of and above the
// tile by those amounts and ends at the tile's right and bottom edges, so ink beyond
// the tile is cut off and never reaches the next one.
#pragma once

#include "color/overflow_flags.h"
#include "layout/grid.h"
#include "text/pixel_surface.h"

// The ink box of one character on the ProbeSurface, inclusive pixel positions.
// Without ink it keeps its starting values, left = top = 99999, right = bottom = 0.
struct GlyphBox {
  int left = 99999;
  int top = 99999;
  int right = 0;
  int bottom = 0;
};

// True when the box holds at least one lit pixel.
inline bool HasInk(const GlyphBox& box) {
  return box.left <= box.right;
}

enum class OverflowKind { kNone, kWide, kHigh, kWideAndHigh };

// AnchorRow, Classify and AnchorColumn take the cell height as T where they measure
// rows and the cell width where they measure columns; with square cells both are the
// tile size.
//
// The AnchorRow for TileSize T and HeightCorrection h: min(top, h), so ink above the
// text cell's row h moves the glyph down until its top ink row is tile row 0. A glyph
// that starts below h and would reach the tile's last row (bottom - h >= T - 1) is
// lifted instead: min(top, bottom - T + 2) puts its lowest ink row on tile row T - 2,
// but never lifts its top ink row out of the tile.
int AnchorRow(const GlyphBox& box, int tileSize, int heightCorrection);

// Wide: ink at least as wide as the cell (right - left >= W - 1). High: ink reaching the
// cell's last row or beyond (bottom - anchorRow >= H - 1). A box without ink is never
// flagged.
OverflowKind Classify(const GlyphBox& box, int anchorRow, PixelSize cell);

// Whether the ink of box, drawn with anchorRow and anchorColumn on the cell's first row
// and column, lands outside the cell: wide when it leaves on the left or right, high
// above or below. For a box the measure saw whole, Classify already flags all of this;
// this catches ink beyond the probe's scan area.
OverflowKind InkOutsideCell(const GlyphBox& box, int anchorRow, int anchorColumn, PixelSize cell);

// Both kinds' directions together: wide from either, high from either.
OverflowKind CombineOverflow(OverflowKind a, OverflowKind b);

// The AnchorColumn: left, so the leftmost ink column lands on tile column 0. With
// centering and an ink width w of at most T - 3 columns, left - floor((T - w) / 2),
// which puts the leftmost ink on tile column floor((T - w) / 2).
int AnchorColumn(const GlyphBox& box, int tileSize, bool center);

// The SheetSurface rectangle that cell index `cell` of a grid of cells of cellPx is
// drawn into, clipped: from (tx - anchorColumn, ty - anchorRow) to the cell's right and
// bottom edges (tx + W, ty + H, exclusive), where (tx, ty) =
// (W * (cell mod columns), H * (cell div columns)).
PixelRect DrawRect(int cell, const Grid& grid, PixelSize cellPx, int anchorRow, int anchorColumn);

// The maps other than cp1252 keep one baseline: every glyph's text cell row anchorRow
// lands on the cell's first row. When the text cell (ascent + descent) fits the cell it
// is centred in it, rounded up (anchorRow <= 0); when it is taller, its top rows are cut
// up to heightCorrection, the empty rows above the tallest letters, and the rest of the
// excess from its bottom.
int CommonAnchorRow(int textHeightPx, int heightCorrection, int cellHeightPx);

// The column of the pen's position that lands on the cell's first column, on one
// baseline: the pen on the cell's left edge (0), so that glyphs keep the face's own
// spacing; ink that leaves the cell on one side but is no wider than it is brought
// just inside; with centering, ink as narrow as AnchorColumn centres is centred.
int BaselineAnchorColumn(const GlyphBox& box, int cellWidthPx, bool center);

// The sides of the cell that box, drawn with anchorRow and anchorColumn on the cell's
// first row and column, leaves.
struct CutSides {
  bool wide = false;  // left or right
  bool high = false;  // above
  bool low = false;   // below
};
CutSides InkCutOff(const GlyphBox& box, int anchorRow, int anchorColumn, PixelSize cell);

// Records each side in its table (tooWide, tooHigh, tooLow).
void FlagCut(OverflowFlags& flags, int code, CutSides sides);

// Records kind for code in the matching table; kNone records nothing.
void FlagOverflow(OverflowFlags& flags, int code, OverflowKind kind);
