// The sheet's image in memory: 32 bits a pixel, laid out as FreeImage lays out a 32-bit
// bitmap, so that the code that walks it keeps FreeImage's arithmetic and a copy into
// FreeImage for the formats it writes is one row copy each.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// width x height pixels of four bytes, blue, green, red, alpha; rows of exactly
// 4 * width bytes, the bottom row first (image row y is scanline height - 1 - y).
struct Bitmap32 {
  int width = 0;   // pixels
  int height = 0;  // pixels
  std::vector<std::uint8_t> bytes;
};

using Bitmap32Handle = std::unique_ptr<Bitmap32>;

// A width x height bitmap with every byte 0; empty when a size is not positive or the
// memory cannot be had.
Bitmap32Handle AllocateBitmap32(int width, int height);

// Scanline line, 0 <= line < height: the first of its 4 * width bytes.
inline std::uint8_t* ScanLine(Bitmap32* bitmap, int line) {
  return bitmap->bytes.data() + static_cast<std::size_t>(line) * 4 * bitmap->width;
}
inline const std::uint8_t* ScanLine(const Bitmap32* bitmap, int line) {
  return bitmap->bytes.data() + static_cast<std::size_t>(line) * 4 * bitmap->width;
}
