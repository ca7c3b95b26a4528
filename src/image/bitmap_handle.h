// Ownership of FreeImage bitmaps: a unique_ptr that unloads its bitmap. A bitmap exists
// only once the library is open.
#pragma once

#include <memory>

#include "image/freeimage_library.h"

struct FreeImageUnloader {
  void operator()(FIBITMAP* bitmap) const {
    if (bitmap) OpenFreeImage()->Unload(bitmap);
  }
};

using BitmapHandle = std::unique_ptr<FIBITMAP, FreeImageUnloader>;
