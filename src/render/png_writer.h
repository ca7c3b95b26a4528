// Writing a 32-bit sheet as an 8-bit RGBA PNG.
//
// The image library writes a 32-bit bitmap whose alpha is fully opaque as a 24-bit
// PNG, dropping the alpha channel; a sheet is a 32-bit image, so PNGs are written
// here, with libpng, keeping all four channels.
#pragma once

#include <FreeImage.h>

// Writes bitmap (32 bits per pixel) to path as an RGBA PNG. Returns true on success.
bool WriteRgbaPng(FIBITMAP* bitmap, const char* path);
