// A whole PNG file from rows of packed samples, compressed with libdeflate.
//
// The writers of each pixel layout pack their rows; this module filters, compresses and
// frames them, so every layout is encoded the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The image header's fields. colorType and bitDepth take the PNG format's codes
// (for example 6 and 8 for RGBA with 8 bits a channel); they are written as given.
struct PngHeader {
  std::uint32_t width = 0;   // pixels, 1 to 2^31 - 1
  std::uint32_t height = 0;  // pixels, 1 to 2^31 - 1
  std::uint8_t bitDepth = 8;
  std::uint8_t colorType = 6;
};

// Encodes height rows of rowBytes bytes each, top row first, starting at rows, as a
// non-interlaced PNG into out. Returns kOk, or kFailed for a size out of range or when
// memory runs out.
int EncodePng(const PngHeader& header, const std::uint8_t* rows, std::size_t rowBytes,
              std::string& out);
