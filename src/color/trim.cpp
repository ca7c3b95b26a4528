// Overflow trimming of TooWide and TooHigh characters in the OutputBitmap.
#include "color/trim.h"

#include <cstdint>

#include "color/output_pixels.h"

namespace {

// One line of a cell: its first pixel, the step to the next, in sheet pixels, and its
// length.
struct TileLine {
  int x, y;    // first pixel
  int dx, dy;  // step along the line
  int length;  // pixels
};

// The sheet the lines are walked on: the bitmap, its grid and its cell.
struct TrimSheet {
  Bitmap32* bitmap;
  Grid grid;
  PixelSize cell;
  int height;                        // rows * cell height
  PixelSurface* coverage = nullptr;  // cleared where the bitmap is painted over; may be none
};

bool LineFits(const TrimSheet& sheet, int code) {
  const PixelSize size = SheetPixels(sheet.grid, sheet.cell);
  return code >= 0 && code < sheet.grid.columns * sheet.grid.rows && sheet.cell.widthPx >= 1 &&
         sheet.cell.heightPx >= 1 && sheet.height >= size.heightPx &&
         BitmapHoldsSheet(sheet.bitmap, size.widthPx, sheet.height);
}

bool IsGlyphPixel(const std::uint8_t* pixel, const ColorTriple& bg) {
  return pixel[0] != bg.blue || pixel[1] != bg.green || pixel[2] != bg.red;
}

std::uint8_t* SheetPixel(Bitmap32* bitmap, int height, int x, int y) {
  return ScanLine(bitmap, height - 1 - y) + 4 * x;
}

void ClearCoverage(PixelSurface* coverage, int x, int y) {
  if (!coverage || x >= coverage->width || y >= coverage->height) return;
  coverage->pixels[static_cast<std::size_t>(y) * coverage->width + x] = 0;
}

// Returns true when the line was trimmed (no two adjacent glyph pixels on it).
bool TrimLine(const TrimSheet& sheet, TileLine line, const ColorTriple& bg) {
  // Check walk: stop at the first glyph pixel that follows another.
  bool previousIsGlyph = false;
  for (int i = 0; i < line.length; ++i) {
    const std::uint8_t* pixel =
        SheetPixel(sheet.bitmap, sheet.height, line.x + i * line.dx, line.y + i * line.dy);
    const bool glyph = IsGlyphPixel(pixel, bg);
    if (glyph && previousIsGlyph) return false;
    previousIsGlyph = glyph;
  }
  // Every glyph pixel left is isolated: paint it over. Alpha keeps its value.
  for (int i = 0; i < line.length; ++i) {
    std::uint8_t* pixel =
        SheetPixel(sheet.bitmap, sheet.height, line.x + i * line.dx, line.y + i * line.dy);
    if (!IsGlyphPixel(pixel, bg)) continue;
    pixel[0] = LowByte(bg.blue);
    pixel[1] = LowByte(bg.green);
    pixel[2] = LowByte(bg.red);
    ClearCoverage(sheet.coverage, line.x + i * line.dx, line.y + i * line.dy);
  }
  return true;
}

void TrimRightColumn(const TrimSheet& sheet, int code, const ColorTriple& bg,
                     OverflowFlags& flags) {
  if (!LineFits(sheet, code)) return;
  // The cell's rightmost column, from its top row down.
  const TileLine line{sheet.cell.widthPx * (CellColumn(code, sheet.grid) + 1) - 1,
                      sheet.cell.heightPx * CellRow(code, sheet.grid), 0, 1, sheet.cell.heightPx};
  if (TrimLine(sheet, line, bg)) flags.tooWide[code] = 0;
}

void TrimBottomRow(const TrimSheet& sheet, int code, const ColorTriple& bg, OverflowFlags& flags) {
  if (!LineFits(sheet, code)) return;
  // The cell's bottom row, from its left column to the right.
  const TileLine line{sheet.cell.widthPx * CellColumn(code, sheet.grid),
                      sheet.cell.heightPx * (CellRow(code, sheet.grid) + 1) - 1, 1, 0,
                      sheet.cell.widthPx};
  if (TrimLine(sheet, line, bg)) flags.tooHigh[code] = 0;
}

void TrimSheetOverflow(const TrimSheet& sheet, const ColorTriple& bg, OverflowFlags& flags) {
  for (int code = 0; code < FlaggableCells(flags); ++code) {
    if (flags.tooWide[code]) TrimRightColumn(sheet, code, bg, flags);
  }
  for (int code = 0; code < static_cast<int>(flags.tooHigh.size()); ++code) {
    if (flags.tooHigh[code]) TrimBottomRow(sheet, code, bg, flags);
  }
}

}  // namespace

void TrimOverflow(Bitmap32* bitmap, const Grid& grid, PixelSize cell, const ColorTriple& bg,
                  OverflowFlags& flags, PixelSurface* coverage) {
  TrimSheetOverflow({bitmap, grid, cell, SheetPixels(grid, cell).heightPx, coverage}, bg, flags);
}
