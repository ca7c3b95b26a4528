// Packing gray rows into bits, and the grayscale TGA encoder.
#include "image/gray_image.h"

#include <algorithm>

namespace {

// The largest side a TGA header can hold (16-bit fields).
constexpr int kMaxTgaSide = 65535;

void AppendU16(std::string& out, int value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

}  // namespace

bool GrayImageIsWhole(const GrayImage& image) {
  return image.width > 0 && image.height > 0 &&
         image.pixels.size() ==
             static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
}

void PackGrayRow(const std::uint8_t* row, int width, std::uint8_t* out) {
  std::fill(out, out + PackedRowBytes(width), std::uint8_t{0});
  for (int x = 0; x < width; ++x) {
    if (row[x] != 0) out[x / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
  }
}

Status EncodeGrayTga(const GrayImage& image, GrayDepth depth, std::string& out) {
  if (!GrayImageIsWhole(image) || image.width > kMaxTgaSide || image.height > kMaxTgaSide) {
    return Failure("A TGA image cannot have that size.");
  }
  return EncodeWithoutThrowing([&] {
    out.clear();
    out.reserve(18 + image.pixels.size());
    out.push_back(0);     // no image ID
    out.push_back(0);     // no color map
    out.push_back(3);     // uncompressed grayscale
    out.append(5, '\0');  // color map specification, unused
    AppendU16(out, 0);    // x origin
    AppendU16(out, 0);    // y origin
    AppendU16(out, image.width);
    AppendU16(out, image.height);
    out.push_back(8);  // bits a pixel
    out.push_back(0);  // no alpha bits; origin at the bottom left, so rows go bottom up
    const bool oneBit = depth == GrayDepth::k1Bit;
    for (int y = image.height - 1; y >= 0; --y) {
      const std::size_t at = out.size();
      out.append(reinterpret_cast<const char*>(image.pixels.data()) +
                     static_cast<std::size_t>(y) * image.width,
                 static_cast<std::size_t>(image.width));
      if (!oneBit) continue;
      for (std::size_t x = at; x < out.size(); ++x) {
        if (out[x] != 0) out[x] = '\xFF';
      }
    }
    return Status{};
  });
}
