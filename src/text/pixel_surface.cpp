// The 8-bit memory surface: sizing and filling.
#include "text/pixel_surface.h"

#include "base/status.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>

Status ResizePixelSurface(PixelSurface& surface, int width, int height) {
  surface.width = 0;
  surface.height = 0;
  surface.pixels = {};  // freed, so that the new pixels come fresh from calloc
  if (width <= 0 || height <= 0) return Failure("A surface needs a positive width and height.");
  const auto count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  try {
    surface.pixels.resize(count);
  } catch (const std::bad_alloc&) {
    surface.pixels = {};
    return Failure("Out of memory.", ENOMEM);
  } catch (const std::length_error&) {
    surface.pixels = {};
    return Failure("Out of memory.", ENOMEM);
  }
  surface.width = width;
  surface.height = height;
  return {};
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

namespace {

// The first lit byte of [p, end), or end. Most of a row is dark: eight bytes are
// tested at a time until one of them is lit.
const std::uint8_t* FirstLit(const std::uint8_t* p, const std::uint8_t* end) {
  for (; end - p >= 8; p += 8) {
    std::uint64_t eight;
    std::memcpy(&eight, p, 8);
    if (eight != 0) break;
  }
  while (p != end && *p == 0) ++p;
  return p;
}

// The last lit byte of [begin, end), which holds one; the same from the other end.
const std::uint8_t* LastLit(const std::uint8_t* begin, const std::uint8_t* end) {
  for (; end - begin >= 8; end -= 8) {
    std::uint64_t eight;
    std::memcpy(&eight, end - 8, 8);
    if (eight != 0) break;
  }
  while (*(end - 1) == 0) --end;
  return end - 1;
}

}  // namespace

std::optional<PixelRect> FindInkBox(const PixelSurface& surface, PixelRect area) {
  const int left = std::max(area.left, 0), right = std::min(area.right, surface.width);
  const int top = std::max(area.top, 0), bottom = std::min(area.bottom, surface.height);
  PixelRect box{right, bottom, left, top};
  for (int y = top; y < bottom; ++y) {
    const std::uint8_t* row = surface.pixels.data() + static_cast<std::size_t>(y) * surface.width;
    const std::uint8_t* first = FirstLit(row + left, row + right);
    if (first == row + right) continue;
    const std::uint8_t* last = LastLit(first, row + right);
    box.left = std::min(box.left, static_cast<int>(first - row));
    box.right = std::max(box.right, static_cast<int>(last - row) + 1);
    box.top = std::min(box.top, y);
    box.bottom = y + 1;
  }
  if (box.left >= box.right) return std::nullopt;
  return box;
}
