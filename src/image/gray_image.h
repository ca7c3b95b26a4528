// Single-channel sheets: the coverage as 8-bit gray, or one bit a pixel. They are kept
// as one byte a pixel in memory and packed only when encoded, and written as a
// grayscale TGA by our own encoder, since the image library writes 8-bit TGA files
// color-mapped and cannot write 1-bit ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "image/encode_status.h"

// width x height bytes, top row first, rows of exactly width bytes.
struct GrayImage {
  int width = 0;   // pixels
  int height = 0;  // pixels
  std::vector<std::uint8_t> pixels;
};

// How a gray image is stored: its bytes as they are, or one bit a pixel that is set
// where the byte is not 0.
enum class GrayDepth { k8Bit, k1Bit };

// Whether the sizes are positive and the pixels fill exactly width x height.
bool GrayImageIsWhole(const GrayImage& image);

// The bytes of one packed 1-bit row: ceil(width / 8).
inline std::size_t PackedRowBytes(int width) {
  return (static_cast<std::size_t>(width) + 7) / 8;
}

// One row of width bytes packed one bit a pixel into PackedRowBytes(width) bytes at out.
void PackGrayRow(const std::uint8_t* row, int width, std::uint8_t* out);

// Encodes image as an uncompressed grayscale TGA (image type 3, 8 bits a pixel, bottom
// row first); a 1-bit image is written as 0 for a clear pixel and 255 for a set one,
// since TGA has no 1-bit form. Fails for want of memory (IsNoMemory) or for a size TGA
// cannot hold.
Status EncodeGrayTga(const GrayImage& image, GrayDepth depth, std::string& out);
