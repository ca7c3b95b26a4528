// Writing an image file without ever leaving a broken one behind.
#pragma once

#include <FreeImage.h>

#include <string>

#include "image/bitmap32.h"

// Encodes bitmap in format fif in memory and writes it to path with WriteFileReplacing,
// so that every byte is checked and a failed save leaves an existing file at path
// intact. Returns kOk or kFailed.
//
// A Bitmap32 is written as an RGBA PNG by our own writer, and in the other formats by
// the image library (opened then). A FreeImage bitmap is written by the image library
// in every format.
int SaveBitmapReplacing(Bitmap32* bitmap, FREE_IMAGE_FORMAT fif, const std::string& path);
int SaveBitmapReplacing(FIBITMAP* bitmap, FREE_IMAGE_FORMAT fif, const std::string& path);
