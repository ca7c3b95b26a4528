// An 8-bit memory surface that glyphs are drawn into and read back from.
//
// Each byte is a coverage value, 0 (black) to 255 (white). The surfaces of the
// measuring code are read pixel by pixel, so IsLitAt is inline and costs one load.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "base/status.h"

struct PixelRect {
  int left = 0;    // inclusive
  int top = 0;     // inclusive
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive
};

// Bytes that come from calloc and are not written when value-initialized: the kernel
// hands out a large allocation as pages of zeros that cost no memory until touched, so a
// sheet-sized surface costs memory only where something is drawn or read. Value
// initialization is only correct on fresh storage: grow a SurfaceBytes with resize only
// when it is empty and freed (ResizePixelSurface does), or with assign(n, value).
template <typename T>
struct ZeroedAllocator {
  using value_type = T;
  ZeroedAllocator() = default;
  template <typename U>
  ZeroedAllocator(const ZeroedAllocator<U>&) {}
  T* allocate(std::size_t n) {
    void* p = std::calloc(n, sizeof(T));
    if (!p) throw std::bad_alloc();
    return static_cast<T*>(p);
  }
  void deallocate(T* p, std::size_t) { std::free(p); }
  // Value-initialization leaves calloc's zeros untouched.
  void construct(T*) {}
  template <typename... Args>
  void construct(T* p, Args&&... args) {
    ::new (static_cast<void*>(p)) T(std::forward<Args>(args)...);
  }
  friend bool operator==(const ZeroedAllocator&, const ZeroedAllocator&) { return true; }
};
using SurfaceBytes = std::vector<std::uint8_t, ZeroedAllocator<std::uint8_t>>;

struct PixelSurface {
  int width = 0;        // pixels
  int height = 0;       // pixels; the stride is width
  SurfaceBytes pixels;  // row-major, width * height bytes
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
