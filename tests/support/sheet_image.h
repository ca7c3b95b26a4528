// Reading an exported sheet back as plain pixels, top row first.
#pragma once

#include <FreeImage.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct SheetImage {
  int width = 0;
  int height = 0;
  int bpp = 0;
  std::vector<std::array<std::uint8_t, 4>> pixels;  // blue, green, red, alpha; row-major

  const std::array<std::uint8_t, 4>& At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * width + x];
  }
};

// Loads path with FreeImage (format from its contents); an empty image on failure.
inline SheetImage LoadSheetImage(const std::string& path) {
  SheetImage image;
  FREE_IMAGE_FORMAT fif = FreeImage_GetFileType(path.c_str(), 0);
  if (fif == FIF_UNKNOWN) fif = FreeImage_GetFIFFromFilename(path.c_str());
  if (fif == FIF_UNKNOWN) return image;
  FIBITMAP* bitmap = FreeImage_Load(fif, path.c_str(), 0);
  if (!bitmap) return image;
  image.width = static_cast<int>(FreeImage_GetWidth(bitmap));
  image.height = static_cast<int>(FreeImage_GetHeight(bitmap));
  image.bpp = static_cast<int>(FreeImage_GetBPP(bitmap));
  if (image.bpp == 32) {
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
      const BYTE* line = FreeImage_GetScanLine(bitmap, image.height - 1 - y);
      for (int x = 0; x < image.width; ++x) {
        for (int k = 0; k < 4; ++k)
          image.pixels[static_cast<std::size_t>(y) * image.width + x][k] = line[4 * x + k];
      }
    }
  }
  FreeImage_Unload(bitmap);
  return image;
}
