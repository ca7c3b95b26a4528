// Ownership of FreeImage bitmaps: a unique_ptr that unloads its bitmap.
#pragma once

#include <FreeImage.h>

#include <memory>

struct FreeImageUnloader {
  void operator()(FIBITMAP* bitmap) const {
    if (bitmap) FreeImage_Unload(bitmap);
  }
};

using BitmapHandle = std::unique_ptr<FIBITMAP, FreeImageUnloader>;
