// RGBA PNG output through libpng.
#include "render/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include "fileio/file_handle.h"

namespace {

// Everything that libpng may jump out of lives in this one function, with no objects
// that need destructors between setjmp and the jump.
bool WriteRows(std::FILE* file, png_bytepp rows, png_uint_32 width, png_uint_32 height) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  // Sheets are mostly flat color: unfiltered rows compress as well and much faster.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_write_info(png, info);
  png_set_bgr(png);  // the bitmap's bytes are blue, green, red, alpha
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WriteRgbaPng(FIBITMAP* bitmap, const char* path) {
  if (!bitmap || FreeImage_GetBPP(bitmap) != 32) return false;
  const unsigned width = FreeImage_GetWidth(bitmap);
  const unsigned height = FreeImage_GetHeight(bitmap);
  std::vector<png_bytep> rows(height);
  for (unsigned y = 0; y < height; ++y) rows[y] = FreeImage_GetScanLine(bitmap, height - 1 - y);
  FileHandle file(std::fopen(path, "wb"));
  if (!file) return false;
  if (!WriteRows(file.get(), rows.data(), width, height)) return false;
  return std::fflush(file.get()) == 0 && std::fclose(file.release()) == 0;
}
