// Saving a bitmap: encoded in memory, then written by the checked replacing path.
#include "image/save_bitmap.h"

#include <memory>

#include "base/status.h"
#include "fileio/replace_file.h"
#include "image/png_writer.h"

namespace {

struct MemoryCloser {
  void operator()(FIMEMORY* memory) const { FreeImage_CloseMemory(memory); }
};

// The image library's encoder for fif, writing into memory: its file writer ignores
// write and close errors, its memory writer has none to ignore.
int EncodeWithImageLibrary(FIBITMAP* bitmap, FREE_IMAGE_FORMAT fif, std::string& out) {
  std::unique_ptr<FIMEMORY, MemoryCloser> memory(FreeImage_OpenMemory(nullptr, 0));
  if (!memory || !FreeImage_SaveToMemory(fif, bitmap, memory.get(), 0)) return kFailed;
  BYTE* data = nullptr;
  DWORD size = 0;
  if (!FreeImage_AcquireMemory(memory.get(), &data, &size)) return kFailed;
  out.assign(reinterpret_cast<const char*>(data), size);
  return kOk;
}

}  // namespace

int SaveBitmapReplacing(FIBITMAP* bitmap, FREE_IMAGE_FORMAT fif, const std::string& path) {
  std::string bytes;
  const int encoded = fif == FIF_PNG && FreeImage_GetBPP(bitmap) == 32
                          ? EncodeRgbaPng(bitmap, bytes)
                          : EncodeWithImageLibrary(bitmap, fif, bytes);
  if (encoded != kOk) return kFailed;
  return WriteFileReplacing(path, bytes) == 0 ? kOk : kFailed;
}
