// Saving a bitmap: encoded in memory, then written by the checked replacing path.
#include "image/save_bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "base/status.h"
#include "fileio/replace_file.h"
#include "image/bitmap_handle.h"
#include "image/bmp_writer.h"
#include "image/freeimage_library.h"
#include "image/png_writer.h"

namespace {

const char kNoLibraryMessage[] = "The image library could not be loaded.";

// The image library writes into a string of ours rather than into its own memory
// stream, which doubles its buffer as it grows (up to three times the file at once) and
// cannot say why a write failed. The string is given room for the whole file first; a
// write that finds no memory is remembered, so that the encoder reports it as such.
struct StringStream {
  std::string& bytes;
  std::size_t at = 0;
  bool noMemory = false;
};

unsigned DLL_CALLCONV WriteToString(void* buffer, unsigned size, unsigned count, fi_handle handle) {
  auto& stream = *static_cast<StringStream*>(handle);
  const std::size_t length = std::size_t{size} * count;
  if (length == 0) return count;
  if (!EncodeWithoutThrowing([&] {
        if (stream.bytes.size() < stream.at + length) stream.bytes.resize(stream.at + length);
        return Status{};
      })) {
    stream.noMemory = true;
    return 0;
  }
  std::memcpy(stream.bytes.data() + stream.at, buffer, length);
  stream.at += length;
  return count;
}

unsigned DLL_CALLCONV ReadFromString(void* buffer, unsigned size, unsigned count,
                                     fi_handle handle) {
  auto& stream = *static_cast<StringStream*>(handle);
  if (size == 0 || stream.at >= stream.bytes.size()) return 0;
  const std::size_t whole = std::min<std::size_t>(count, (stream.bytes.size() - stream.at) / size);
  std::memcpy(buffer, stream.bytes.data() + stream.at, whole * size);
  stream.at += whole * size;
  return static_cast<unsigned>(whole);
}

int DLL_CALLCONV SeekInString(fi_handle handle, long offset, int origin) {
  auto& stream = *static_cast<StringStream*>(handle);
  const long long base = origin == SEEK_SET   ? 0
                         : origin == SEEK_CUR ? static_cast<long long>(stream.at)
                                              : static_cast<long long>(stream.bytes.size());
  if (base + offset < 0) return -1;
  stream.at = static_cast<std::size_t>(base + offset);
  return 0;
}

long DLL_CALLCONV TellInString(fi_handle handle) {
  return static_cast<long>(static_cast<StringStream*>(handle)->at);
}

// The image library's encoder for fif, writing into out: its file writer ignores
// write and close errors, a stream of ours has none to ignore.
Status EncodeWithImageLibrary(const FreeImageLibrary& fi, FIBITMAP* bitmap, FREE_IMAGE_FORMAT fif,
                              std::string& out) {
  out.clear();
  // Room for an uncompressed file: the pixels as the library holds them, and headers.
  const std::size_t pixelBytes =
      std::size_t{fi.GetHeight(bitmap)} *
      ((std::size_t{fi.GetWidth(bitmap)} * fi.GetBPP(bitmap) + 31) / 32 * 4);
  if (Status reserved = EncodeWithoutThrowing([&] {
        out.reserve(pixelBytes + 4096);
        return Status{};
      });
      !reserved) {
    return reserved;
  }
  StringStream stream{out};
  FreeImageIO io{ReadFromString, WriteToString, SeekInString, TellInString};
  if (fi.SaveToHandle(fif, bitmap, &io, &stream, 0)) return {};
  out.clear();
  if (stream.noMemory) return NoMemoryFailure();
  return Failure("The image library could not write the image in that format.");
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
// of 1 bit with black then white. Empty when the memory cannot be had.
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
  // The library's scanlines run bottom up.
  for (int y = 0; y < image.height; ++y) {
    const std::uint8_t* row = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
    BYTE* line = fi.GetScanLine(copy.get(), image.height - 1 - y);
    if (oneBit) {
      PackGrayRow(row, image.width, line);
    } else {
      std::memcpy(line, row, static_cast<std::size_t>(image.width));
    }
  }
  return copy;
}

}  // namespace

Status EncodeBitmap(Bitmap32* bitmap, FREE_IMAGE_FORMAT fif, std::string& out) {
  if (!bitmap) return Failure(kNoPixelsMessage);
  if (fif == FIF_PNG) return EncodeRgbaPng(bitmap, out);
  const FreeImageLibrary* fi = OpenFreeImage();
  if (!fi) return Failure(kNoLibraryMessage);
  BitmapHandle copy = CopyToImageLibrary(*fi, bitmap);
  if (!copy) return NoMemoryFailure();
  return EncodeWithImageLibrary(*fi, copy.get(), fif, out);
}

Status EncodeAlphaBitmap(Bitmap32* bitmap, FREE_IMAGE_FORMAT fif, std::string& out) {
  if (fif == FIF_BMP) return EncodeAlphaBmp(bitmap, out);
  return EncodeBitmap(bitmap, fif, out);
}

Status EncodeGrayImage(const GrayImage& image, GrayDepth depth, FREE_IMAGE_FORMAT fif,
                       std::string& out) {
  if (!GrayImageIsWhole(image)) return Failure(kNoPixelsMessage);
  if (fif == FIF_PNG) return EncodeGrayPng(image, depth, out);
  if (fif == FIF_TARGA) return EncodeGrayTga(image, depth, out);
  const FreeImageLibrary* fi = OpenFreeImage();
  if (!fi) return Failure(kNoLibraryMessage);
  BitmapHandle copy = GrayToImageLibrary(*fi, image, depth);
  if (!copy) return NoMemoryFailure();
  return EncodeWithImageLibrary(*fi, copy.get(), fif, out);
}

Status SaveBitmapReplacing(Bitmap32* bitmap, FREE_IMAGE_FORMAT fif, const std::string& path) {
  std::string bytes;
  if (Status encoded = EncodeBitmap(bitmap, fif, bytes); !encoded) return encoded;
  return WriteFileReplacing(path, bytes);
}

Status SaveBitmapReplacing(FIBITMAP* bitmap, FREE_IMAGE_FORMAT fif, const std::string& path) {
  const FreeImageLibrary* fi = OpenFreeImage();
  if (!fi) return Failure(kNoLibraryMessage);
  if (!bitmap) return Failure(kNoPixelsMessage);
  std::string bytes;
  if (Status encoded = EncodeWithImageLibrary(*fi, bitmap, fif, bytes); !encoded) return encoded;
  return WriteFileReplacing(path, bytes);
}
