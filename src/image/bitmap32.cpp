// Allocating the sheet's bitmap without letting an exception out.
#include "image/bitmap32.h"

#include <new>

Bitmap32Handle AllocateBitmap32(int width, int height) {
  if (width <= 0 || height <= 0) return {};
  const std::uint64_t size =
      std::uint64_t{4} * static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  Bitmap32Handle bitmap(new (std::nothrow) Bitmap32);
  if (!bitmap || size > bitmap->bytes.max_size()) return {};
  try {
    bitmap->bytes.assign(static_cast<std::size_t>(size), 0);
  } catch (const std::bad_alloc&) {
    return {};
  }
  bitmap->width = width;
  bitmap->height = height;
  return bitmap;
}
