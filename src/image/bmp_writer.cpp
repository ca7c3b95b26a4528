// The alpha BMP: a file header, a BITMAPV5HEADER, then the bitmap's bytes as they are
// (bottom row first, blue, green, red, alpha, rows of 4 * width bytes need no padding).
#include "image/bmp_writer.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kV5HeaderBytes = 124;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kLcsSrgb = 0x73524742;   // 'sRGB'
constexpr std::uint32_t kLcsGmImages = 4;        // perceptual rendering intent
constexpr std::uint32_t kPixelsPerMeter = 2835;  // 72 dpi, the image library's default

void Append(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

Status EncodeAlphaBmp(const Bitmap32* bitmap, std::string& out) {
  if (!bitmap || bitmap->width <= 0 || bitmap->height <= 0) return Failure(kNoPixelsMessage);
  const std::uint64_t pixelBytes = std::uint64_t{4} * static_cast<std::uint64_t>(bitmap->width) *
                                   static_cast<std::uint64_t>(bitmap->height);
  const std::uint32_t offset = kFileHeaderBytes + kV5HeaderBytes;
  if (bitmap->bytes.size() != pixelBytes || pixelBytes > UINT32_MAX - offset) {
    return Failure("A BMP file cannot hold an image that large.");
  }
  return EncodeWithoutThrowing([&] {
    out.clear();
    out.reserve(offset + pixelBytes);
    out += "BM";
    Append(out, static_cast<std::uint32_t>(offset + pixelBytes), 4);  // file size
    Append(out, 0, 4);                                                // reserved
    Append(out, offset, 4);                                           // where the pixels start
    Append(out, kV5HeaderBytes, 4);
    Append(out, static_cast<std::uint32_t>(bitmap->width), 4);
    Append(out, static_cast<std::uint32_t>(bitmap->height), 4);  // positive: bottom up
    Append(out, 1, 2);                                           // planes
    Append(out, 32, 2);                                          // bits a pixel
    Append(out, kBiBitfields, 4);
    Append(out, static_cast<std::uint32_t>(pixelBytes), 4);
    Append(out, kPixelsPerMeter, 4);
    Append(out, kPixelsPerMeter, 4);
    Append(out, 0, 4);  // colors used: no palette
    Append(out, 0, 4);  // important colors
    for (std::uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) {
      Append(out, mask, 4);
    }
    Append(out, kLcsSrgb, 4);
    out.append(36 + 12, '\0');  // endpoints and gammas, unused with sRGB
    Append(out, kLcsGmImages, 4);
    out.append(12, '\0');  // no profile; reserved
    out.append(reinterpret_cast<const char*>(bitmap->bytes.data()), bitmap->bytes.size());
    return Status{};
  });
}
