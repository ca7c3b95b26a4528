// Packing gray rows into bits, and the grayscale TGA encoder.
#include "image/gray_image.h"

#include <algorithm>

#include "base/status.h"

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

std::vector<std::uint8_t> PackGrayRows(const GrayImage& image) {
  if (!GrayImageIsWhole(image)) return {};
  const std::size_t stride = PackedRowBytes(image.width);
  std::vector<std::uint8_t> packed(stride * static_cast<std::size_t>(image.height), 0);
  for (int y = 0; y < image.height; ++y) {
    PackGrayRow(image.pixels.data() + static_cast<std::size_t>(y) * image.width, image.width,
                packed.data() + static_cast<std::size_t>(y) * stride);
  }
  return packed;
}

int EncodeGrayTga(const GrayImage& image, std::string& out) {
  if (!GrayImageIsWhole(image) || image.width > kMaxTgaSide || image.height > kMaxTgaSide) {
    return kFailed;
  }
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
  for (int y = image.height - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const char*>(image.pixels.data()) +
                      static_cast<std::size_t>(y) * image.width;
    out.append(row, static_cast<std::size_t>(image.width));
  }
  return kOk;
}
