// The size check before decoding, FreeImage's decode and stb_image's after it.
#include "image/image_decode.h"

#include <memory>
#include <string>

#include "image/stb_decode.h"

namespace {

// What the header says about the size before any pixel exists.
struct HeaderSize {
  enum Kind { kKnown, kUnreadable, kNotCheckable } kind = kUnreadable;
  std::uint64_t width = 0;
  std::uint64_t height = 0;
};

HeaderSize Known(std::uint64_t width, std::uint64_t height) {
  return {HeaderSize::kKnown, width, height};
}

// FreeImage reads from a memory stream that it never writes to; the stream owns no
// bytes and is closed on every path.
struct MemoryCloser {
  void operator()(FIMEMORY* memory) const { OpenedFreeImage().CloseMemory(memory); }
};
using MemoryHandle = std::unique_ptr<FIMEMORY, MemoryCloser>;

BitmapHandle FreeImageLoad(FREE_IMAGE_FORMAT format, std::string_view bytes, int flags) {
  MemoryHandle memory(OpenedFreeImage().OpenMemory(
      reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), static_cast<DWORD>(bytes.size())));
  if (!memory) return {};
  return BitmapHandle(OpenedFreeImage().LoadFromMemory(format, memory.get(), flags));
}

}  // namespace

bool FreeImageDecodes(FREE_IMAGE_FORMAT format) {
  // FreeImage's TGA and GIF readers trust the file's layout: fuzzing found RLE TGA data
  // and GIF frames that make them read past their buffers, return freed bitmaps and
  // corrupt the heap. stb_image reads both formats on its own.
  return format != FIF_TARGA && format != FIF_GIF;
}

namespace {

HeaderSize ReadHeaderSize(FREE_IMAGE_FORMAT format, std::string_view bytes) {
  if (!FreeImageDecodes(format)) return {};
  if (OpenedFreeImage().FIFSupportsNoPixels(format)) {
    BitmapHandle header = FreeImageLoad(format, bytes, FIF_LOAD_NOPIXELS);
    if (!header) return {};
    return Known(OpenedFreeImage().GetWidth(header.get()),
                 OpenedFreeImage().GetHeight(header.get()));
  }
  if (format == FIF_KOALA) return Known(320, 200);  // Commodore 64 pictures have one size
  return {HeaderSize::kNotCheckable};
}

// stb_image's largest single allocation for an image of the allowed size: a PNG's
// inflated rows at up to 8 bytes a pixel plus a filter byte a row, in a buffer that
// grows by doubling.
std::uint64_t StbAllocationCap(const ImageLimits& limits) {
  return 2 * (8 * limits.maxPixels + limits.maxSide) + (std::uint64_t{1} << 20);
}

Status TooLarge(std::uint64_t width, std::uint64_t height, const ImageLimits& limits) {
  return Failure("It is " + std::to_string(width) + " x " + std::to_string(height) +
                     " pixels; at most " + std::to_string(limits.maxSide) + " pixels a side and " +
                     std::to_string(limits.maxPixels) + " pixels in all are loaded.",
                 kImageTooLarge);
}

// Why neither decoder made an image of bytes.
Status Refused(FREE_IMAGE_FORMAT format, std::string_view bytes, const HeaderSize& header) {
  if (!OpenFreeImage()) return Failure("The image library could not be loaded.");
  const std::string formatName = OpenedFreeImage().GetFormatFromFIF(format);
  if (header.kind == HeaderSize::kNotCheckable) {
    return Failure("The size of " + formatName +
                   " images cannot be checked before they are decoded, so they are not loaded.");
  }
  const char* decoders = !StbDecodes(format, bytes) ? "FreeImage"
                         : FreeImageDecodes(format) ? "FreeImage or stb_image"
                                                    : "stb_image";
  return Failure("It is damaged, or not a " + formatName + " image that " + decoders +
                 " can read.");
}

}  // namespace

bool WithinImageLimits(std::uint64_t width, std::uint64_t height, const ImageLimits& limits) {
  // Each side is checked first, so the product cannot overflow 64 bits.
  return width <= limits.maxSide && height <= limits.maxSide && width * height <= limits.maxPixels;
}

Result<BitmapHandle> DecodeImage(FREE_IMAGE_FORMAT format, std::string_view bytes,
                                 const ImageLimits& limits) {
  // FreeImage's memory streams take 32-bit sizes.
  if (bytes.size() > 0xffffffffu || !OpenFreeImage()) return Refused(format, bytes, {});

  // FreeImage, once the header's size is known to be acceptable.
  const HeaderSize header = ReadHeaderSize(format, bytes);
  if (header.kind == HeaderSize::kKnown) {
    if (!WithinImageLimits(header.width, header.height, limits)) {
      return TooLarge(header.width, header.height, limits);
    }
    BitmapHandle bitmap = FreeImageLoad(format, bytes, 0);
    if (bitmap) {
      // The header-only read and the decode went through the same plugin, but the
      // bitmap is what the fillers will walk: check what came out as well.
      const unsigned width = OpenedFreeImage().GetWidth(bitmap.get());
      const unsigned height = OpenedFreeImage().GetHeight(bitmap.get());
      if (!WithinImageLimits(width, height, limits)) return TooLarge(width, height, limits);
      return bitmap;
    }
  }

  // stb_image, for files FreeImage refuses in the formats it knows as well.
  if (StbDecodes(format, bytes)) {
    std::uint64_t width = 0, height = 0;
    if (StbImageSize(bytes, width, height)) {
      if (!WithinImageLimits(width, height, limits)) return TooLarge(width, height, limits);
      BitmapHandle bitmap = StbDecode(bytes, StbAllocationCap(limits));
      if (bitmap) return bitmap;
    }
  }
  return Refused(format, bytes, header);
}
