// stb_image, compiled here with only the formats the fallback needs, and its pixels
// moved into a FreeImage bitmap.
#include "image/stb_decode.h"

#include "base/status.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// The allocation cap of the decode running on this thread (see StbDecode).
thread_local std::uint64_t tMaxAllocation = 0;

// Sets the cap for one call into stb_image and puts 0 back after it, on every path.
struct AllocationCap {
  explicit AllocationCap(std::uint64_t cap) { tMaxAllocation = cap; }
  ~AllocationCap() { tMaxAllocation = 0; }
  AllocationCap(const AllocationCap&) = delete;
  AllocationCap& operator=(const AllocationCap&) = delete;
};

// Reading a header allocates too: the GIF reader's state (its LZW tables) is some
// 40 KiB.
constexpr std::uint64_t kHeaderAllocationCap = std::uint64_t{1} << 20;

void* StbMalloc(std::size_t size) {
  return size > tMaxAllocation ? nullptr : std::malloc(size);
}
void* StbRealloc(void* block, std::size_t size) {
  return size > tMaxAllocation ? nullptr : std::realloc(block, size);
}

}  // namespace

// The implementation stays private to this file (STB_IMAGE_STATIC); reading from
// memory only, and no format beyond the four the fallback serves.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_ONLY_GIF
#define STBI_MALLOC(size) StbMalloc(size)
#define STBI_REALLOC(block, size) StbRealloc(block, size)
#define STBI_FREE(block) std::free(block)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#include <stb_image.h>
#pragma GCC diagnostic pop
#if defined(__GNUC__) && !defined(__clang__)
// g++ sees stb_image's context fields as maybe uninitialized once they are inlined
// into the functions below; stb_image sets them before use.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

namespace {

const char kUnreadable[] = "stb_image cannot read the image's size.";

bool StartsWith(std::string_view bytes, std::string_view signature) {
  return bytes.substr(0, signature.size()) == signature;
}

bool IsBmp(std::string_view bytes) {
  return StartsWith(bytes, "BM");
}
bool IsPng(std::string_view bytes) {
  return StartsWith(bytes, std::string_view("\x89PNG\r\n\x1a\n", 8));
}
bool IsGif(std::string_view bytes) {
  return StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a");
}

// stb_image takes the length as an int; the callers' files are far below that.
bool FitsInt(std::string_view bytes) {
  return bytes.size() <= 0x7fffffff;
}

struct StbFree {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

}  // namespace

bool StbDecodes(FREE_IMAGE_FORMAT format, std::string_view bytes) {
  switch (format) {
    case FIF_BMP:
      return IsBmp(bytes);
    case FIF_PNG:
      return IsPng(bytes);
    case FIF_GIF:
      return IsGif(bytes);
    case FIF_TARGA:
      // stb_image tries the other formats before TGA, which has no signature.
      return !IsBmp(bytes) && !IsPng(bytes) && !IsGif(bytes);
    default:
      return false;
  }
}

Status StbImageSize(std::string_view bytes, std::uint64_t& width, std::uint64_t& height) {
  if (!FitsInt(bytes)) return Failure(kUnreadable);
  const AllocationCap cap(kHeaderAllocationCap);
  int w = 0, h = 0, channels = 0;
  if (!stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                             static_cast<int>(bytes.size()), &w, &h, &channels) ||
      w <= 0 || h <= 0) {
    return Failure(kUnreadable);
  }
  width = static_cast<std::uint64_t>(w);
  height = static_cast<std::uint64_t>(h);
  return {};
}

BitmapHandle StbDecode(std::string_view bytes, std::uint64_t maxAllocation) {
  if (!FitsInt(bytes) || !OpenFreeImage()) return {};
  int w = 0, h = 0, channels = 0;
  std::unique_ptr<stbi_uc, StbFree> rgba;
  {
    const AllocationCap cap(maxAllocation);
    rgba.reset(stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                     static_cast<int>(bytes.size()), &w, &h, &channels, 4));
  }
  if (!rgba || w <= 0 || h <= 0) return {};

  // stb_image gives rows top first as red, green, blue, alpha; FreeImage keeps the
  // bottom row in scanline 0 and orders the bytes of a pixel by its FI_RGBA_ indices.
  BitmapHandle bitmap(OpenedFreeImage().Allocate(w, h, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK,
                                                 FI_RGBA_BLUE_MASK));
  if (!bitmap) return {};
  const std::size_t rowBytes = 4 * static_cast<std::size_t>(w);
  for (int y = 0; y < h; ++y) {
    const stbi_uc* in = rgba.get() + rowBytes * static_cast<std::size_t>(y);
    BYTE* out = OpenedFreeImage().GetScanLine(bitmap.get(), h - 1 - y);
    for (int x = 0; x < w; ++x, in += 4, out += 4) {
      out[FI_RGBA_RED] = in[0];
      out[FI_RGBA_GREEN] = in[1];
      out[FI_RGBA_BLUE] = in[2];
      out[FI_RGBA_ALPHA] = in[3];
    }
  }
  return bitmap;
}
