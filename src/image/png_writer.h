// Encoding a 32-bit sheet as an 8-bit RGBA PNG.
//
// The image library writes a 32-bit bitmap whose alpha is fully opaque as a 24-bit
// PNG, dropping the alpha channel; a sheet is a 32-bit image, so PNGs are encoded
// here, with libpng, keeping all four channels.
#pragma once

#include <FreeImage.h>

#include <string>

// Encodes bitmap (32 bits per pixel) as an RGBA PNG into out, in memory, so that the
// file is written by one checked path. Returns kOk or kFailed.
int EncodeRgbaPng(FIBITMAP* bitmap, std::string& out);
