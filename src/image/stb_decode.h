// The second decoder, stb_image, behind a small interface: the header's size first,
// then the pixels as a 32-bit FreeImage bitmap (blue, green, red, alpha; bottom-up
// scanlines), so the rest of the program sees one kind of bitmap.
#pragma once

#include <FreeImage.h>

#include <cstdint>
#include <string_view>

#include "base/status.h"
#include "image/bitmap_handle.h"

// Whether stb_image is to be tried for bytes named as format: BMP, PNG and GIF when
// the bytes begin with that format's signature, TGA when they begin with none of them.
bool StbDecodes(FREE_IMAGE_FORMAT format, std::string_view bytes);

// Reads the size from the header alone; fails when stb_image cannot read it.
Status StbImageSize(std::string_view bytes, std::uint64_t& width, std::uint64_t& height);

// Decodes the pixels; an empty handle when stb_image fails. No single allocation of
// stb_image's may exceed maxAllocation bytes (a compressed stream that expands beyond
// what the checked size needs fails instead of taking the memory).
BitmapHandle StbDecode(std::string_view bytes, std::uint64_t maxAllocation);
