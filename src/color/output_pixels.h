// Byte-level helpers for writing OutputBitmap pixels: the low-8-bit and clamped
// stores, and the check that a bitmap can hold a sheet.
//
// An OutputBitmap pixel is four bytes, blue, green, red, alpha; sheet row y lives in
// scanline H - 1 - y, because the bitmap stores the bottom row first.
#pragma once

#include <cmath>
#include <cstdint>

#include "base/color_triple.h"
#include "image/bitmap32.h"

// The low 8 bits of an integer component: 300 gives 44, -1 gives 255.
inline std::uint8_t LowByte(long long value) {
  return static_cast<std::uint8_t>(static_cast<unsigned long long>(value) & 0xFFu);
}

// A double truncated toward zero to an integer; values past the 64-bit range saturate
// and NaN gives 0, so that no conversion is undefined.
inline long long TruncToInteger(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9.2e18) return 9'200'000'000'000'000'000LL;
  if (value <= -9.2e18) return -9'200'000'000'000'000'000LL;
  return static_cast<long long>(value);
}

// Clamps to 0..255, then truncates toward zero: the store of the image modes.
inline std::uint8_t ClampToByte(double value) {
  if (!(value > 0.0)) return 0;  // NaN too
  if (value > 255.0) return 255;
  return static_cast<std::uint8_t>(value);
}

// Writes blue, green, red and alpha 255.
inline void PutPixel(std::uint8_t* pixel, std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
  pixel[0] = blue;
  pixel[1] = green;
  pixel[2] = red;
  pixel[3] = 255;
}

// True when bitmap has room for width x height sheet pixels.
inline bool BitmapHoldsSheet(Bitmap32* bitmap, int width, int height) {
  return bitmap != nullptr && width > 0 && height > 0 && bitmap->width >= width &&
         bitmap->height >= height;
}
