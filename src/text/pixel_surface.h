// An 8-bit memory surface that glyphs are drawn into and read back from.
//
// Each byte is a coverage value, 0 (black) to 255 (white). The surfaces of the
// measuring code are read pixel by pixel, so IsLitAt is inline and costs one load.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/status.h"

struct PixelRect {
  int left = 0;    // inclusive
  int top = 0;     // inclusive
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive
};

struct PixelSurface {
  int width = 0;                     // pixels
  int height = 0;                    // pixels; the stride is width
  std::vector<std::uint8_t> pixels;  // row-major, width * height bytes
};

// Resizes the surface to width x height, all black. Fails (the surface left empty) when
// a size is not positive, or with ENOMEM when the memory cannot be had.
Status ResizePixelSurface(PixelSurface& surface, int width, int height);

// Sets every pixel to value.
void FillPixelSurface(PixelSurface& surface, std::uint8_t value);

// Fills the part of rect that lies on the surface with value.
void FillPixelRect(PixelSurface& surface, PixelRect rect, std::uint8_t value);

// A pixel is lit when it is anything but black. Positions off the surface read as
// unlit. Reading stays inside the buffer whatever the caller passes.
inline bool IsLitAt(const PixelSurface& surface, int x, int y) {
  if (x < 0 || y < 0 || x >= surface.width || y >= surface.height) return false;
  return surface.pixels[static_cast<std::size_t>(y) * surface.width + x] != 0;
}

// The smallest rectangle holding every lit pixel of area (the part of it on the surface),
// found row by row from both ends, eight dark bytes at a time; nothing without ink.
std::optional<PixelRect> FindInkBox(const PixelSurface& surface, PixelRect area);
