// The TextureImage of the image color modes: the file named in the Path field (1027),
// loaded afresh for each fill and converted to 32 bits per pixel.
#pragma once

#include <cstdint>
#include <optional>

#include "color/bitmap_handle.h"
#include "dialog/dialog.h"

struct TextureImage {
  BitmapHandle bitmap;  // 32 bits per pixel: blue, green, red, alpha; alpha is ignored
  int width = 0;        // TW, at least 1
  int height = 0;       // TH, at least 1
};

// Loads the texture. Reads the Path field with a 256-byte buffer; the path is UTF-8
// and is handed to FreeImage as it is. On failure it shows one message (title "Error",
// warning icon) and returns nothing:
//   - the name designates no format, or one FreeImage cannot read:
//     "Unknown Image Format of the font image!";
//   - the file cannot be loaded (missing, unreadable, damaged):
//     "Could not load the font image file!";
//   - the image cannot be converted to 32 bits: "Could not convert the font image to 32 bits!";
//   - the image has no pixels: "The font image is empty!".
// FreeImage, linked as a shared library, initializes itself when it is loaded.
std::optional<TextureImage> LoadTextureImage(Dialog& dlg);

// The texel row v counted from the texture's top (scanline TH - 1 - v), 0 <= v < TH.
inline const std::uint8_t* TextureRow(const TextureImage& texture, int v) {
  return FreeImage_GetScanLine(texture.bitmap.get(), texture.height - 1 - v);
}
