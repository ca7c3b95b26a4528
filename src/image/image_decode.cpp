// The size check before decoding, FreeImage's decode and stb_image's after it.
#include "image/image_decode.h"

#include <algorithm>
#include <memory>

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

unsigned Le16(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

// FreeImage's GIF plugin decodes the frame at the first image descriptor into a
// bitmap of that frame's size; stb_image decodes into one of the logical screen's.
// The larger of the two in each direction is the size. Every byte needed must be
// there: FreeImage would take a cut descriptor's missing fields from uninitialized
// memory.
HeaderSize GifSize(std::string_view bytes) {
  if (bytes.size() < 13 || (bytes.substr(0, 6) != "GIF87a" && bytes.substr(0, 6) != "GIF89a")) {
    return {};
  }
  const unsigned screenWidth = Le16(bytes, 6), screenHeight = Le16(bytes, 8);
  const unsigned char packed = static_cast<unsigned char>(bytes[10]);
  std::size_t at = 13;
  if (packed & 0x80) at += 3 * (std::size_t{2} << (packed & 7));  // global color table
  while (at < bytes.size()) {
    const unsigned char block = static_cast<unsigned char>(bytes[at++]);
    if (block == 0x2C) {  // image descriptor: left, top, width, height
      if (bytes.size() - at < 8) return {};
      const unsigned frameWidth = Le16(bytes, at + 4), frameHeight = Le16(bytes, at + 6);
      return Known(std::max(screenWidth, frameWidth), std::max(screenHeight, frameHeight));
    }
    if (block != 0x21 || at >= bytes.size()) return {};  // only extensions come before it
    ++at;                                                // the extension's label
    // Data sub-blocks, each led by its length, up to a zero length.
    while (true) {
      if (at >= bytes.size()) return {};
      const unsigned char length = static_cast<unsigned char>(bytes[at++]);
      if (length == 0) break;
      at += length;
    }
  }
  return {};
}

std::uint32_t Le32(std::string_view bytes, std::size_t at) {
  return Le16(bytes, at) | static_cast<std::uint32_t>(Le16(bytes, at + 2)) << 16;
}

// FreeImage's TGA reader trusts the file's layout in ways that crash or read past its
// buffers (even for the header alone, which reads the footer's thumbnail): an RLE
// image whose data begins past the end of the file makes it return a bitmap it has
// already freed; less than one pixel of RLE data per row makes it read past its cache;
// a TGA 2.0 extension area or postage stamp beyond the file is read from
// uninitialized memory. Such files go to stb_image instead.
bool TgaLayoutIsSafeForFreeImage(std::string_view bytes) {
  constexpr std::size_t kHeader = 18, kFooter = 26, kExtensionArea = 495;
  constexpr std::size_t kStampOffsetInExtension = 486;
  const std::size_t size = bytes.size();
  if (size < kHeader) return false;
  const unsigned idLength = static_cast<unsigned char>(bytes[0]);
  const unsigned colorMapType = static_cast<unsigned char>(bytes[1]);
  const unsigned imageType = static_cast<unsigned char>(bytes[2]);
  const unsigned mapLength = Le16(bytes, 5), mapEntryBits = static_cast<unsigned char>(bytes[7]);
  const unsigned width = Le16(bytes, 12), height = Le16(bytes, 14);
  const unsigned depth = static_cast<unsigned char>(bytes[16]);
  if (width == 0 || height == 0) return false;

  // The TGA 2.0 footer, its extension area and the postage stamp in it.
  if (bytes.substr(size - 18) == std::string_view("TRUEVISION-XFILE.\0", 18)) {
    if (size < kFooter) return false;
    const std::size_t footer = size - kFooter;
    const std::uint64_t extension = Le32(bytes, footer);
    if (extension > 0) {
      if (extension + kExtensionArea > size) return false;
      const std::uint64_t stamp = Le32(bytes, extension + kStampOffsetInExtension);
      if (stamp > 0 && stamp < footer) {
        if (footer - stamp < 2) return false;
        const std::uint64_t stampWidth = static_cast<unsigned char>(bytes[stamp]);
        const std::uint64_t stampHeight = static_cast<unsigned char>(bytes[stamp + 1]);
        if (stampHeight * (depth * stampWidth / 8) > footer - stamp - 2) return false;
      }
    }
  }

  // Where the RLE reader starts, as FreeImage computes it for each depth.
  if (imageType != 9 && imageType != 10 && imageType != 11) return true;
  std::uint64_t pixels = kHeader + idLength;
  if (depth == 8 && colorMapType > 0) pixels += std::uint64_t{mapLength} * mapEntryBits / 8;
  if ((depth == 15 || depth == 16) && colorMapType != 0) {
    pixels += std::uint64_t{(mapEntryBits + 7) / 8} * mapLength;
  }
  if (pixels > size) return false;
  const std::uint64_t cachePerRow = (size - pixels) / height;
  return cachePerRow >= std::max(1u, (depth + 7) / 8);
}

bool FreeImageReadsSafely(FREE_IMAGE_FORMAT format, std::string_view bytes) {
  return format != FIF_TARGA || TgaLayoutIsSafeForFreeImage(bytes);
}

HeaderSize ReadHeaderSize(FREE_IMAGE_FORMAT format, std::string_view bytes) {
  if (!FreeImageReadsSafely(format, bytes)) return {};
  if (OpenedFreeImage().FIFSupportsNoPixels(format)) {
    BitmapHandle header = FreeImageLoad(format, bytes, FIF_LOAD_NOPIXELS);
    if (!header) return {};
    return Known(OpenedFreeImage().GetWidth(header.get()),
                 OpenedFreeImage().GetHeight(header.get()));
  }
  switch (format) {
    case FIF_GIF:
      return GifSize(bytes);
    case FIF_KOALA:  // Commodore 64 pictures have one size
      return Known(320, 200);
    default:
      return {HeaderSize::kNotCheckable};
  }
}

// stb_image's largest single allocation for an image of the allowed size: a PNG's
// inflated rows at up to 8 bytes a pixel plus a filter byte a row, in a buffer that
// grows by doubling.
std::uint64_t StbAllocationCap(const ImageLimits& limits) {
  return 2 * (8 * limits.maxPixels + limits.maxSide) + (std::uint64_t{1} << 20);
}

DecodedImage TooLarge(std::uint64_t width, std::uint64_t height) {
  DecodedImage result;
  result.status = DecodeStatus::kTooLarge;
  result.width = width;
  result.height = height;
  return result;
}

DecodedImage Decoded(BitmapHandle bitmap) {
  DecodedImage result;
  result.status = DecodeStatus::kDecoded;
  result.bitmap = std::move(bitmap);
  return result;
}

}  // namespace

bool WithinImageLimits(std::uint64_t width, std::uint64_t height, const ImageLimits& limits) {
  // Each side is checked first, so the product cannot overflow 64 bits.
  return width <= limits.maxSide && height <= limits.maxSide && width * height <= limits.maxPixels;
}

DecodedImage DecodeImage(FREE_IMAGE_FORMAT format, std::string_view bytes,
                         const ImageLimits& limits) {
  // FreeImage's memory streams take 32-bit sizes.
  if (bytes.size() > 0xffffffffu || !OpenFreeImage()) return {};

  // FreeImage, once the header's size is known to be acceptable.
  const HeaderSize header = ReadHeaderSize(format, bytes);
  if (header.kind == HeaderSize::kKnown) {
    if (!WithinImageLimits(header.width, header.height, limits)) {
      return TooLarge(header.width, header.height);
    }
    BitmapHandle bitmap = FreeImageLoad(format, bytes, 0);
    if (bitmap) {
      // The header-only read and the decode went through the same plugin, but the
      // bitmap is what the fillers will walk: check what came out as well.
      const unsigned width = OpenedFreeImage().GetWidth(bitmap.get());
      const unsigned height = OpenedFreeImage().GetHeight(bitmap.get());
      if (!WithinImageLimits(width, height, limits)) return TooLarge(width, height);
      return Decoded(std::move(bitmap));
    }
  }

  // stb_image, for files FreeImage refuses in the formats it knows as well.
  if (StbDecodes(format, bytes)) {
    std::uint64_t width = 0, height = 0;
    if (StbImageSize(bytes, width, height) == kOk) {
      if (!WithinImageLimits(width, height, limits)) return TooLarge(width, height);
      BitmapHandle bitmap = StbDecode(bytes, StbAllocationCap(limits));
      if (bitmap) return Decoded(std::move(bitmap));
    }
  }

  DecodedImage refused;
  refused.status = header.kind == HeaderSize::kNotCheckable ? DecodeStatus::kSizeNotCheckable
                                                            : DecodeStatus::kRefused;
  return refused;
}
