// Placement and overflow rules for one measured glyph.
#include "render/placement.h"

#include <algorithm>

namespace {

// Division rounding toward negative infinity.
int FloorDiv(int numerator, int denominator) {
  const int quotient = numerator / denominator;
  return (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) ? quotient - 1
                                                                                : quotient;
}

OverflowKind KindOf(bool wide, bool high) {
  if (wide && high) return OverflowKind::kWideAndHigh;
  if (wide) return OverflowKind::kWide;
  if (high) return OverflowKind::kHigh;
  return OverflowKind::kNone;
}

bool IsWide(OverflowKind kind) {
  return kind == OverflowKind::kWide || kind == OverflowKind::kWideAndHigh;
}

bool IsHigh(OverflowKind kind) {
  return kind == OverflowKind::kHigh || kind == OverflowKind::kWideAndHigh;
}

}  // namespace

int AnchorRow(const GlyphBox& box, int tileSize, int heightCorrection) {
  if (box.top > heightCorrection && box.bottom - heightCorrection >= tileSize - 1) {
    return std::min(box.top, box.bottom - tileSize + 2);
  }
  return std::min(box.top, heightCorrection);
}

OverflowKind Classify(const GlyphBox& box, int anchorRow, PixelSize cell) {
  if (!HasInk(box)) return OverflowKind::kNone;
  return KindOf(box.right - box.left >= cell.widthPx - 1,
                box.bottom - anchorRow >= cell.heightPx - 1);
}

OverflowKind InkOutsideCell(const GlyphBox& box, int anchorRow, int anchorColumn, PixelSize cell) {
  if (!HasInk(box)) return OverflowKind::kNone;
  // In 64 bits: an inkless measure anchors 99999 columns away.
  const long long left = static_cast<long long>(box.left) - anchorColumn;
  const long long right = static_cast<long long>(box.right) - anchorColumn;
  const long long top = static_cast<long long>(box.top) - anchorRow;
  const long long bottom = static_cast<long long>(box.bottom) - anchorRow;
  return KindOf(left < 0 || right >= cell.widthPx, top < 0 || bottom >= cell.heightPx);
}

OverflowKind CombineOverflow(OverflowKind a, OverflowKind b) {
  return KindOf(IsWide(a) || IsWide(b), IsHigh(a) || IsHigh(b));
}

int AnchorColumn(const GlyphBox& box, int tileSize, bool center) {
  const int span = box.right - box.left;  // ink width - 1
  if (center && span < tileSize - 3) return box.left - FloorDiv(tileSize - 1 - span, 2);
  return box.left;
}

PixelRect DrawRect(int cell, const Grid& grid, PixelSize cellPx, int anchorRow, int anchorColumn) {
  const int tileX = cellPx.widthPx * CellColumn(cell, grid);
  const int tileY = cellPx.heightPx * CellRow(cell, grid);
  return PixelRect{tileX - anchorColumn, tileY - anchorRow, tileX + cellPx.widthPx,
                   tileY + cellPx.heightPx};
}

int CommonAnchorRow(int textHeightPx, int heightCorrection, int cellHeightPx) {
  const int excess = textHeightPx - cellHeightPx;
  if (excess <= 0) return -((-excess) / 2);
  return std::min(excess, std::max(heightCorrection, 0));
}

int BaselineAnchorColumn(const GlyphBox& box, int cellWidthPx, bool center) {
  if (!HasInk(box)) return 0;
  const int span = box.right - box.left;  // ink width - 1
  if (center && span < cellWidthPx - 3) return AnchorColumn(box, cellWidthPx, true);
  if (span >= cellWidthPx) return 0;  // wider than the cell: cut where it stands
  if (box.left < 0) return box.left;
  if (box.right >= cellWidthPx) return box.right - cellWidthPx + 1;
  return 0;
}

CutSides InkCutOff(const GlyphBox& box, int anchorRow, int anchorColumn, PixelSize cell) {
  if (!HasInk(box)) return {};
  const long long left = static_cast<long long>(box.left) - anchorColumn;
  const long long right = static_cast<long long>(box.right) - anchorColumn;
  const long long top = static_cast<long long>(box.top) - anchorRow;
  const long long bottom = static_cast<long long>(box.bottom) - anchorRow;
  return {
      .wide = left < 0 || right >= cell.widthPx, .high = top < 0, .low = bottom >= cell.heightPx};
}

void FlagCut(OverflowFlags& flags, int code, CutSides sides) {
  if (code < 0 || code >= FlaggableCells(flags)) return;
  if (sides.wide) flags.tooWide[code] = 1;
  if (sides.high) flags.tooHigh[code] = 1;
  if (sides.low) flags.tooLow[code] = 1;
}

void FlagOverflow(OverflowFlags& flags, int code, OverflowKind kind) {
  if (code < 0 || code >= FlaggableCells(flags)) return;
  switch (kind) {
    case OverflowKind::kWide:
      flags.tooWide[code] = 1;
      break;
    case OverflowKind::kHigh:
      flags.tooHigh[code] = 1;
      break;
    case OverflowKind::kWideAndHigh:
      flags.tooWideAndHigh[code] = 1;
      break;
    case OverflowKind::kNone:
      break;
  }
}
