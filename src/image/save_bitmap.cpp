// Saving a bitmap: encoded in memory, then written by the checked replacing path.
#include "image/save_bitmap.h"

#include <cstring>
#include <memory>

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

}  // namespace

int SaveBitmapReplacing(Bitmap32* bitmap, FREE_IMAGE_FORMAT fif, const std::string& path) {
  if (!bitmap) return kFailed;
  std::string bytes;
  if (fif == FIF_PNG) {
    if (EncodeRgbaPng(bitmap, bytes) != kOk) return kFailed;
  } else {
    const FreeImageLibrary* fi = OpenFreeImage();
    if (!fi) return kFailed;
    BitmapHandle copy = CopyToImageLibrary(*fi, bitmap);
    if (!copy || EncodeWithImageLibrary(*fi, copy.get(), fif, bytes) != kOk) return kFailed;
  }
  return WriteFileReplacing(path, bytes) == 0 ? kOk : kFailed;
}

int SaveBitmapReplacing(FIBITMAP* bitmap, FREE_IMAGE_FORMAT fif, const std::string& path) {
  const FreeImageLibrary* fi = OpenFreeImage();
  if (!fi || !bitmap) return kFailed;
  std::string bytes;
  if (EncodeWithImageLibrary(*fi, bitmap, fif, bytes) != kOk) return kFailed;
  return WriteFileReplacing(path, bytes) == 0 ? kOk : kFailed;
}
