// Fuzzes the texture loader from the point where the file's bytes are in memory: the
// header checks, FreeImage, stb_image after it, the 32-bit conversion and the empty
// check. The first byte chooses the format that the file name would have designated.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "image/texture_image.h"

namespace {

constexpr FREE_IMAGE_FORMAT kFormats[] = {FIF_PNG, FIF_BMP, FIF_TARGA, FIF_GIF};

// Smaller than the loader's limits, so that an input declaring the largest allowed
// image costs milliseconds rather than a second; the checks are the same code.
constexpr ImageLimits kFuzzLimits{.maxSide = 2048, .maxPixels = std::uint64_t{1} << 20};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const FREE_IMAGE_FORMAT format = kFormats[data[0] % std::size(kFormats)];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  const Result<TextureImage> decoded = DecodeTexture(format, bytes, "fuzz", kFuzzLimits);
  if (!decoded) {
    if (decoded.message().empty()) std::abort();
    return 0;
  }
  // A texture is what the fillers may walk: 32 bits, within the limits, not empty,
  // and every scanline there.
  const TextureImage& texture = *decoded;
  FIBITMAP* bitmap = texture.bitmap.get();
  if (FreeImage_GetBPP(bitmap) != 32 || texture.width <= 0 || texture.height <= 0 ||
      !WithinImageLimits(texture.width, texture.height, kFuzzLimits) ||
      FreeImage_GetWidth(bitmap) != static_cast<unsigned>(texture.width) ||
      FreeImage_GetHeight(bitmap) != static_cast<unsigned>(texture.height)) {
    std::abort();
  }
  // Touch the first and last texel of every row: AddressSanitizer checks the reads.
  unsigned sum = 0;
  for (int v = 0; v < texture.height; ++v) {
    const std::uint8_t* row = TextureRow(texture, v);
    sum += row[0] + row[4 * (texture.width - 1) + 3];
  }
  volatile unsigned sink = sum;
  (void)sink;
  return 0;
}
