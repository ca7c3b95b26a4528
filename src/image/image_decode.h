// Decoding an image held in memory without trusting the size it declares: the size is
// read from the header first and checked against limits before any pixel is
// allocated. FreeImage decodes first; stb_image decodes the files FreeImage refuses
// (BMP files with V4 or V5 headers, for one) in the formats both know.
#pragma once

#include <FreeImage.h>

#include <cerrno>
#include <cstdint>
#include <string_view>

#include "base/status.h"
#include "image/bitmap_handle.h"

// The largest image accepted: 16384 pixels a side and 2^26 pixels in all, which at
// 4 bytes a pixel is 256 MiB for each copy the loader holds.
struct ImageLimits {
  std::uint64_t maxSide = 16384;                     // pixels, width and height each
  std::uint64_t maxPixels = std::uint64_t{1} << 26;  // width * height
};

// Whether a width x height image stays within limits (computed in 64 bits).
bool WithinImageLimits(std::uint64_t width, std::uint64_t height, const ImageLimits& limits);

// Whether FreeImage is trusted with the format's bytes at all: TGA and GIF are decoded
// by stb_image alone.
bool FreeImageDecodes(FREE_IMAGE_FORMAT format);

// Decodes bytes as format (chosen by the caller, from the file name): FreeImage's bitmap
// in the file's pixel type, or stb_image's pixels as 32-bit blue, green, red, alpha.
// Formats whose FreeImage plugin cannot read the header alone are checked by a reader of
// their own here (Koala: always 320 x 200); the others are refused unread. stb_image is
// tried for BMP and PNG when FreeImage refuses, and for TGA and GIF in its place, only
// when the bytes carry that format's signature (TGA has none: then they must carry none
// of the other three).
//
// A failure's message says why in a sentence: "It is W x H pixels; at most ... are
// loaded." with error kImageTooLarge when the header declares a size beyond limits;
// "The size of FORMAT images cannot be checked before they are decoded, so they are not
// loaded."; or "It is damaged, or not a FORMAT image that DECODERS can read."
Result<BitmapHandle> DecodeImage(FREE_IMAGE_FORMAT format, std::string_view bytes,
                                 const ImageLimits& limits);

// The error of DecodeImage's failure for an image beyond the limits.
inline constexpr int kImageTooLarge = EFBIG;
