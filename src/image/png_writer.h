// Encoding a 32-bit sheet as an 8-bit RGBA PNG, and a gray or 1-bit sheet as a gray PNG.
//
// The image library writes a 32-bit bitmap whose alpha is fully opaque as a 24-bit
// PNG, dropping the alpha channel; a sheet is a 32-bit image, so PNGs are encoded
// here, keeping all four channels.
#pragma once

#include <string>

#include "image/bitmap32.h"
#include "image/encode_status.h"
#include "image/gray_image.h"

// Encodes bitmap as an RGBA PNG into out, in memory, so that the
// file is written by one checked path. Fails for want of memory (IsNoMemory), or for a
// bitmap without pixels.
Status EncodeRgbaPng(Bitmap32* bitmap, std::string& out);

// Encodes image as a grayscale PNG (color type 0) of 8 bits a pixel, or of 1 bit a
// pixel set where the value is not 0. Fails as EncodeRgbaPng does.
Status EncodeGrayPng(const GrayImage& image, GrayDepth depth, std::string& out);

// Whether the image library takes fileName for a PNG file: the text after the last dot
// (the whole name when it has none) is "png" in any case. Such names need no library.
bool FileNameMeansPng(const std::string& fileName);
