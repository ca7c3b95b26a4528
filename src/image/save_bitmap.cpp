// Saving a bitmap: encoded in memory, then written by the checked replacing path.
#include "image/save_bitmap.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "base/status.h"
#include "fileio/replace_file.h"
#include "image/bitmap_handle.h"
#include "image/freeimage_library.h"
#include "image/png_writer.h"

namespace {

struct MemoryCloser {
  void operator()(FIMEMORY* memory) const { OpenFreeImage()->CloseMemory(memory); }
};

// The image library's encoder for fif, writing into memory: its file writer ignores
// write and close errors, its memory writer has none to ignore.
int EncodeWithImageLibrary(const FreeImageLibrary& fi, FIBITMAP* bitmap, FREE_IMAGE_FORMAT fif,
                           std::string& out) {
  std::unique_ptr<FIMEMORY, MemoryCloser> memory(fi.OpenMemory(nullptr, 0));
  if (!memory || !fi.SaveToMemory(fif, bitmap, memory.get(), 0)) return kFailed;
  BYTE* data = nullptr;
  DWORD size = 0;
  if (!fi.AcquireMemory(memory.get(), &data, &size)) return kFailed;
  out.assign(reinterpret_cast<const char*>(data), size);
  return kOk;
}

// The same pixels in a FreeImage bitmap, allocated as the sheet's own bitmap once was.
BitmapHandle CopyToImageLibrary(const FreeImageLibrary& fi, Bitmap32* bitmap) {
  BitmapHandle copy(fi.Allocate(bitmap->width, bitmap->height, 32, 0, 0, 0));
  if (!copy) return {};
  for (int line = 0; line < bitmap->height; ++line) {
    std::memcpy(fi.GetScanLine(copy.get(), line), ScanLine(bitmap, line),
                4 * std::size_t(bitmap->width));
  }
  return copy;
}

// The gray image in a FreeImage bitmap of 8 bits with a gray ramp for a palette, or
// of 1 bit with black then white.
BitmapHandle GrayToImageLibrary(const FreeImageLibrary& fi, const GrayImage& image,
                                GrayDepth depth) {
  const bool oneBit = depth == GrayDepth::k1Bit;
  BitmapHandle copy(fi.Allocate(image.width, image.height, oneBit ? 1 : 8, 0, 0, 0));
  if (!copy) return {};
  RGBQUAD* palette = fi.GetPalette(copy.get());
  if (!palette) return {};
  const int entries = oneBit ? 2 : 256;
  for (int i = 0; i < entries; ++i) {
    const auto level = static_cast<BYTE>(oneBit ? i * 255 : i);
    palette[i] = RGBQUAD{level, level, level, 0};
  }
  const std::vector<std::uint8_t> packed =
      oneBit ? PackGrayRows(image) : std::vector<std::uint8_t>{};
  const std::size_t stride = oneBit ? PackedRowBytes(image.width) : std::size_t(image.width);
  const std::uint8_t* first = oneBit ? packed.data() : image.pixels.data();
  // The library's scanlines run bottom up.
  for (int y = 0; y < image.height; ++y) {
    std::memcpy(fi.GetScanLine(copy.get(), image.height - 1 - y),
                first + static_cast<std::size_t>(y) * stride, stride);
  }
  return copy;
}

}  // namespace

int EncodeBitmap(Bitmap32* bitmap, FREE_IMAGE_FORMAT fif, std::string& out) {
  if (!bitmap) return kFailed;
  if (fif == FIF_PNG) return EncodeRgbaPng(bitmap, out);
  const FreeImageLibrary* fi = OpenFreeImage();
  if (!fi) return kFailed;
  BitmapHandle copy = CopyToImageLibrary(*fi, bitmap);
  if (!copy) return kFailed;
  return EncodeWithImageLibrary(*fi, copy.get(), fif, out);
}

int EncodeGrayImage(const GrayImage& image, GrayDepth depth, FREE_IMAGE_FORMAT fif,
                    std::string& out) {
  if (!GrayImageIsWhole(image)) return kFailed;
  if (fif == FIF_PNG) return EncodeGrayPng(image, depth, out);
  if (fif == FIF_TARGA) {
    // One bit a pixel is written as 0 for a clear pixel and 255 for a set one.
    if (depth == GrayDepth::k8Bit) return EncodeGrayTga(image, out);
    GrayImage levels = image;
    for (std::uint8_t& value : levels.pixels) value = value != 0 ? 255 : 0;
    return EncodeGrayTga(levels, out);
  }
  const FreeImageLibrary* fi = OpenFreeImage();
  if (!fi) return kFailed;
  BitmapHandle copy = GrayToImageLibrary(*fi, image, depth);
  if (!copy) return kFailed;
  return EncodeWithImageLibrary(*fi, copy.get(), fif, out);
}

int SaveBitmapReplacing(Bitmap32* bitmap, FREE_IMAGE_FORMAT fif, const std::string& path) {
  std::string bytes;
  if (EncodeBitmap(bitmap, fif, bytes) != kOk) return kFailed;
  return WriteFileReplacing(path, bytes) == 0 ? kOk : kFailed;
}

int SaveBitmapReplacing(FIBITMAP* bitmap, FREE_IMAGE_FORMAT fif, const std::string& path) {
  const FreeImageLibrary* fi = OpenFreeImage();
  if (!fi || !bitmap) return kFailed;
  std::string bytes;
  if (EncodeWithImageLibrary(*fi, bitmap, fif, bytes) != kOk) return kFailed;
  return WriteFileReplacing(path, bytes) == 0 ? kOk : kFailed;
}
