// Overflow trimming of TooWide and TooHigh characters in the OutputBitmap.
#include "color/trim.h"

#include <cstdint>

#include "color/output_pixels.h"
#include "glyph/sheet_geometry.h"

namespace {

// One line of a tile: its first pixel and the step to the next, in sheet pixels.
struct TileLine {
  int x, y;    // first pixel
  int dx, dy;  // step along the line
};

bool LineFits(FIBITMAP* bitmap, int code, int height, int tileSize) {
  return code >= 0 && code < kCodes && tileSize >= 1 && height >= kSheetRows * tileSize &&
         BitmapHoldsSheet(bitmap, kSheetColumns * tileSize, height);
}

bool IsGlyphPixel(const std::uint8_t* pixel, const ColorTriple& bg) {
  return pixel[0] != bg.blue || pixel[1] != bg.green || pixel[2] != bg.red;
}

std::uint8_t* SheetPixel(FIBITMAP* bitmap, int height, int x, int y) {
  return FreeImage_GetScanLine(bitmap, height - 1 - y) + 4 * x;
}

// Returns true when the line was trimmed (no two adjacent glyph pixels on it).
bool TrimLine(FIBITMAP* bitmap, int height, int tileSize, TileLine line, const ColorTriple& bg) {
  // Check walk: stop at the first glyph pixel that follows another.
  bool previousIsGlyph = false;
  for (int i = 0; i < tileSize; ++i) {
    const std::uint8_t* pixel =
        SheetPixel(bitmap, height, line.x + i * line.dx, line.y + i * line.dy);
    const bool glyph = IsGlyphPixel(pixel, bg);
    if (glyph && previousIsGlyph) return false;
    previousIsGlyph = glyph;
  }
  // Every glyph pixel left is isolated: paint it over. Alpha keeps its value.
  for (int i = 0; i < tileSize; ++i) {
    std::uint8_t* pixel = SheetPixel(bitmap, height, line.x + i * line.dx, line.y + i * line.dy);
    if (!IsGlyphPixel(pixel, bg)) continue;
    pixel[0] = LowByte(bg.blue);
    pixel[1] = LowByte(bg.green);
    pixel[2] = LowByte(bg.red);
  }
  return true;
}

}  // namespace

void TrimTooWide(FIBITMAP* bitmap, int code, int height, int tileSize, const ColorTriple& bg,
                 OverflowFlags& flags) {
  if (!LineFits(bitmap, code, height, tileSize)) return;
  // The tile's rightmost column, from its top row down.
  const TileLine line{tileSize * (code % kSheetColumns + 1) - 1, tileSize * (code / kSheetColumns),
                      0, 1};
  if (TrimLine(bitmap, height, tileSize, line, bg)) flags.tooWide[code] = 0;
}

void TrimTooHigh(FIBITMAP* bitmap, int code, int height, int tileSize, const ColorTriple& bg,
                 OverflowFlags& flags) {
  if (!LineFits(bitmap, code, height, tileSize)) return;
  // The tile's bottom row, from its left column to the right.
  const TileLine line{tileSize * (code % kSheetColumns), tileSize * (code / kSheetColumns + 1) - 1,
                      1, 0};
  if (TrimLine(bitmap, height, tileSize, line, bg)) flags.tooHigh[code] = 0;
}

void TrimOverflow(FIBITMAP* bitmap, int height, int tileSize, const ColorTriple& bg,
                  OverflowFlags& flags) {
  for (int code = 0; code < kCodes; ++code) {
    if (flags.tooWide[code]) TrimTooWide(bitmap, code, height, tileSize, bg, flags);
  }
  for (int code = 0; code < kCodes; ++code) {
    if (flags.tooHigh[code]) TrimTooHigh(bitmap, code, height, tileSize, bg, flags);
  }
}

void TrimTooWide(FIBITMAP* bitmap, int code, int height, int tileSize, const ColorTriple& bg) {
  TrimTooWide(bitmap, code, height, tileSize, bg, SheetOverflowFlags());
}

void TrimTooHigh(FIBITMAP* bitmap, int code, int height, int tileSize, const ColorTriple& bg) {
  TrimTooHigh(bitmap, code, height, tileSize, bg, SheetOverflowFlags());
}

void TrimOverflow(FIBITMAP* bitmap, int height, int tileSize, const ColorTriple& bg) {
  TrimOverflow(bitmap, height, tileSize, bg, SheetOverflowFlags());
}
