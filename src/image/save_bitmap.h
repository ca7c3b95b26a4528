// Writing an image file without ever leaving a broken one behind.
#pragma once

#include <FreeImage.h>

#include <string>

// Encodes bitmap in format fif in memory and writes it to path with WriteFileReplacing,
// so that every byte is checked and a failed save leaves an existing file at path
// intact. Returns kOk or kFailed.
int SaveBitmapReplacing(FIBITMAP* bitmap, FREE_IMAGE_FORMAT fif, const std::string& path);
