// RGBA PNG encoding through libpng, into memory.
#include "image/png_writer.h"

#include "base/status.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdint>
#include <new>
#include <string_view>
#include <vector>

namespace {

// libpng's output: appends to the string given as its I/O pointer. No exception may
// cross libpng's C frames, so running out of memory becomes libpng's own error.
void AppendToString(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  bool appended = true;
  try {
    out->append(reinterpret_cast<const char*>(data), length);
  } catch (const std::bad_alloc&) {
    appended = false;
  }
  if (!appended) png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

// Everything that libpng may jump out of lives in this one function, with no objects
// that need destructors between setjmp and the jump.
// The layout of the rows handed to WriteRows.
struct PngRows {
  png_bytepp rows;
  png_uint_32 width, height;
  int bitDepth;   // 8, or 1 for packed rows, leftmost pixel in the high bit
  int colorType;  // PNG_COLOR_TYPE_RGB_ALPHA (blue, green, red, alpha bytes) or _GRAY
};

int WriteRows(std::string* out, const PngRows& image) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return kFailed;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return kFailed;
  }
  png_set_write_fn(png, out, AppendToString, FlushNothing);
  png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colorType,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  // Sheets are mostly flat color. Each row as its difference from the row above turns
  // the background and the tiles' repeated rows into runs of zeros, and run-length
  // matching finds those about four times faster than the default compression, for
  // files about a third larger.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
  png_set_compression_level(png, 1);
  png_set_compression_strategy(png, Z_RLE);
  png_write_info(png, info);
  // The bitmap's bytes are blue, green, red, alpha.
  if (image.colorType == PNG_COLOR_TYPE_RGB_ALPHA) png_set_bgr(png);
  png_write_image(png, image.rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return kOk;
}

}  // namespace

int EncodeRgbaPng(Bitmap32* bitmap, std::string& out) {
  if (!bitmap || bitmap->width <= 0 || bitmap->height <= 0) return kFailed;
  const unsigned width = static_cast<unsigned>(bitmap->width);
  const unsigned height = static_cast<unsigned>(bitmap->height);
  std::vector<png_bytep> rows(height);
  for (unsigned y = 0; y < height; ++y) rows[y] = ScanLine(bitmap, height - 1 - y);
  out.clear();
  return WriteRows(&out, {rows.data(), width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA});
}

int EncodeGrayPng(const GrayImage& image, GrayDepth depth, std::string& out) {
  if (!GrayImageIsWhole(image)) return kFailed;
  const auto width = static_cast<unsigned>(image.width);
  const auto height = static_cast<unsigned>(image.height);
  // One bit a pixel needs its rows packed first; eight bits are written as they are.
  std::vector<std::uint8_t> packed;
  const std::size_t stride = depth == GrayDepth::k1Bit ? PackedRowBytes(image.width) : width;
  if (depth == GrayDepth::k1Bit) packed = PackGrayRows(image);
  // libpng takes the rows as non-const pointers but only reads them.
  std::uint8_t* first =
      depth == GrayDepth::k1Bit ? packed.data() : const_cast<std::uint8_t*>(image.pixels.data());
  std::vector<png_bytep> rows(height);
  for (unsigned y = 0; y < height; ++y) rows[y] = first + y * stride;
  out.clear();
  return WriteRows(
      &out, {rows.data(), width, height, depth == GrayDepth::k1Bit ? 1 : 8, PNG_COLOR_TYPE_GRAY});
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
