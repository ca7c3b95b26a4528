// Saving through a temporary file and a rename.
#include "render/save_bitmap.h"

#include "fileio/replace_file.h"
#include "render/png_writer.h"

bool SaveBitmapReplacing(FIBITMAP* bitmap, FREE_IMAGE_FORMAT fif, const std::string& path) {
  return ReplaceFile(path, [&](const std::string& temporary) {
           if (fif == FIF_PNG && FreeImage_GetBPP(bitmap) == 32) {
             return WriteRgbaPng(bitmap, temporary.c_str());
           }
           return FreeImage_Save(fif, bitmap, temporary.c_str(), 0) != 0;
         }) == 0;
}
