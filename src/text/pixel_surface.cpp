// The 8-bit memory surface: sizing and filling.
#include "text/pixel_surface.h"

#include "base/status.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

int ResizePixelSurface(PixelSurface& surface, int width, int height) {
  surface.width = 0;
  surface.height = 0;
  surface.pixels.clear();
  if (width <= 0 || height <= 0) return kFailed;
  const auto count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  try {
    surface.pixels.assign(count, 0);
  } catch (const std::bad_alloc&) {
    surface.pixels = {};
    return kFailed;
  } catch (const std::length_error&) {
    surface.pixels = {};
    return kFailed;
  }
  surface.width = width;
  surface.height = height;
  return kOk;
}

void FillPixelSurface(PixelSurface& surface, std::uint8_t value) {
  std::fill(surface.pixels.begin(), surface.pixels.end(), value);
}

void FillPixelRect(PixelSurface& surface, PixelRect rect, std::uint8_t value) {
  const int left = std::max(rect.left, 0);
  const int top = std::max(rect.top, 0);
  const int right = std::min(rect.right, surface.width);
  const int bottom = std::min(rect.bottom, surface.height);
  if (left >= right || top >= bottom) return;
  for (int y = top; y < bottom; ++y) {
    std::uint8_t* row = surface.pixels.data() + static_cast<std::size_t>(y) * surface.width;
    std::memset(row + left, value, static_cast<std::size_t>(right - left));
  }
}
