// PNG encoding: the sheet's rows in the file's order and channel order, and gray rows as
// they are or packed one bit a pixel.
#include "image/png_writer.h"

#include "image/png_stream.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

Status EncodeRgbaPng(Bitmap32* bitmap, std::string& out) {
  if (!bitmap || bitmap->width <= 0 || bitmap->height <= 0) return Failure(kNoPixelsMessage);
  const std::size_t width = static_cast<std::size_t>(bitmap->width);
  const std::size_t height = static_cast<std::size_t>(bitmap->height);
  if (bitmap->bytes.size() / 4 / width < height) return Failure(kNoPixelsMessage);
  // Top row first, red, green, blue, alpha: the bitmap holds its bottom row first and
  // blue, green, red, alpha.
  const auto fillRow = [bitmap, width, height](std::uint32_t y, std::uint8_t* dest) {
    const std::uint8_t* src = ScanLine(bitmap, static_cast<int>(height - 1 - y));
    for (std::size_t x = 0; x < width; ++x, src += 4, dest += 4) {
      dest[0] = src[2];
      dest[1] = src[1];
      dest[2] = src[0];
      dest[3] = src[3];
    }
  };
  const PngHeader header{static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 8,
                         6};
  return EncodePng(header, 4 * width, fillRow, out);
}

Status EncodeGrayPng(const GrayImage& image, GrayDepth depth, std::string& out) {
  if (!GrayImageIsWhole(image)) return Failure(kNoPixelsMessage);
  const std::size_t width = static_cast<std::size_t>(image.width);
  const bool oneBit = depth == GrayDepth::k1Bit;
  const std::size_t rowBytes = oneBit ? PackedRowBytes(image.width) : width;
  const auto fillRow = [&image, width, oneBit](std::uint32_t y, std::uint8_t* dest) {
    const std::uint8_t* src = image.pixels.data() + y * width;
    if (!oneBit) {
      std::copy(src, src + width, dest);
      return;
    }
    PackGrayRow(src, static_cast<int>(width), dest);
  };
  const PngHeader header{static_cast<std::uint32_t>(image.width),
                         static_cast<std::uint32_t>(image.height),
                         static_cast<std::uint8_t>(oneBit ? 1 : 8), 0};
  return EncodePng(header, rowBytes, fillRow, out);
}

bool FileNameMeansPng(const std::string& fileName) {
  // The image library's rule: the extension is what follows the last dot anywhere in the
  // name, folders included, compared ignoring ASCII case.
  const std::size_t dot = fileName.rfind('.');
  const std::string_view extension = dot == std::string::npos
                                         ? std::string_view(fileName)
                                         : std::string_view(fileName).substr(dot + 1);
  if (extension.size() != 3) return false;
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return lower(extension[0]) == 'p' && lower(extension[1]) == 'n' && lower(extension[2]) == 'g';
}
