// Writing an image file without ever leaving a broken one behind.
#pragma once

#include <FreeImage.h>

#include <string>

// Saves bitmap in format fif to path through a temporary file in the same folder,
// renamed over path only once it is complete, so that a failed save leaves an existing
// file at path intact. Returns true on success.
bool SaveBitmapReplacing(FIBITMAP* bitmap, FREE_IMAGE_FORMAT fif, const std::string& path);
