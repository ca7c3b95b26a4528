// A whole PNG file from rows of packed samples, compressed with libdeflate (an image of
// more than 16 MiB with zlib, a row at a time).
//
// The writers of each pixel layout pack their rows; this module filters, compresses and
// frames them, so every layout is encoded the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "image/encode_status.h"

// The image header's fields. colorType and bitDepth take the PNG format's codes
// (for example 6 and 8 for RGBA with 8 bits a channel); they are written as given.
struct PngHeader {
  std::uint32_t width = 0;   // pixels, 1 to 2^31 - 1
  std::uint32_t height = 0;  // pixels, 1 to 2^31 - 1
  std::uint8_t bitDepth = 8;
  std::uint8_t colorType = 6;
};

// Writes image row y (0 is the top row) into dest: all rowBytes bytes of it, packed as the
// header's color type and bit depth say.
using PngRowFiller = std::function<void(std::uint32_t y, std::uint8_t* dest)>;

// Encodes header.height rows of rowBytes bytes each, asked for from fillRow in order, as
// a non-interlaced PNG into out. Fails for want of memory (IsNoMemory) or for a size
// out of range. The rows are written straight into the buffer that is compressed, so
// a caller converting its pixels needs no copy of its own; an image of more than 16 MiB
// is compressed as its rows come, holding two of them.
Status EncodePng(const PngHeader& header, std::size_t rowBytes, const PngRowFiller& fillRow,
                 std::string& out);
