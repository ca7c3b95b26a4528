// Sheets and bitmaps built by hand for the color tests: a SheetSurface with chosen lit
// pixels, an OutputBitmap pre-filled with a marker, and pixel access by sheet position.
#pragma once

#include <FreeImage.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>

#include <gtest/gtest.h>
#include <vector>

#include "glyph/glyph_surface.h"
#include "image/bitmap32.h"
#include "image/bitmap_handle.h"
#include "text/pixel_surface.h"

using Bgra = std::array<int, 4>;

// A SheetSurface for tile size T, sized like the export run's (W + 50 by H + 50) so the
// stride differs from W. Lit pixels get value 1 + (x + y) % 255: any nonzero value is lit.
inline GlyphSurface MakeSheet(int tileSize, const std::function<bool(int, int)>& lit) {
  GlyphSurface sheet;
  const int width = 32 * tileSize, height = 8 * tileSize;
  EXPECT_TRUE(ResizePixelSurface(sheet.pixels, width + 50, height + 50));
  for (int y = 0; y < height + 50; ++y) {
    for (int x = 0; x < width + 50; ++x) {
      // The margin beyond W x H is lit throughout: the fillers must not look there.
      const bool on = (x >= width || y >= height) ? true : lit(x, y);
      if (on) sheet.pixels.pixels[y * sheet.pixels.width + x] = 1 + (x + y) % 255;
    }
  }
  return sheet;
}

// A 32-bit bitmap whose every byte is 0xAB, so unwritten pixels show.
inline Bitmap32Handle MakeMarkedBitmap(int width, int height) {
  Bitmap32Handle bitmap = AllocateBitmap32(width, height);
  for (int line = 0; line < height; ++line) {
    std::memset(ScanLine(bitmap.get(), line), 0xAB, 4 * width);
  }
  return bitmap;
}

// Sheet pixel (x, y): scanline H - 1 - y, bytes blue, green, red, alpha.
inline Bgra SheetPixel(Bitmap32* bitmap, int x, int y) {
  const int height = bitmap->height;
  const std::uint8_t* p = ScanLine(bitmap, height - 1 - y) + 4 * x;
  return {p[0], p[1], p[2], p[3]};
}

inline std::vector<std::uint8_t> BitmapBytes(Bitmap32* bitmap) {
  std::vector<std::uint8_t> bytes;
  const int height = bitmap->height;
  const unsigned rowBytes = 4 * bitmap->width;
  for (int line = 0; line < height; ++line) {
    const std::uint8_t* row = ScanLine(bitmap, line);
    bytes.insert(bytes.end(), row, row + rowBytes);
  }
  return bytes;
}

// A test pattern with strokes, blocks and isolated pixels, so the relief rule meets
// every case and tile edges are crossed.
inline bool PatternLit(int x, int y) {
  return (x * 7 + y * 13 + (x * y) % 5) % 3 == 0;
}

// Compares every sheet pixel of bitmap with expected(x, y); reports the first few misses.
template <typename Expected>
void ExpectEveryPixel(Bitmap32* bitmap, int width, int height, Expected expected) {
  int misses = 0;
  for (int y = 0; y < height && misses < 5; ++y) {
    for (int x = 0; x < width && misses < 5; ++x) {
      const Bgra want = expected(x, y), got = SheetPixel(bitmap, x, y);
      if (got != want && ++misses) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << "): got " << got[0] << "," << got[1] << ","
                      << got[2] << "," << got[3] << " want " << want[0] << "," << want[1] << ","
                      << want[2] << "," << want[3];
      }
    }
  }
}
