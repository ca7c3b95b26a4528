// Saving through a temporary file and a rename.
#include "render/save_bitmap.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "render/png_writer.h"

namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

bool SaveBitmapReplacing(FIBITMAP* bitmap, FREE_IMAGE_FORMAT fif, const std::string& path) {
  if (path.empty()) return false;
  std::string pattern = FolderOf(path) + "/.glyphex-save-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) return false;
  // mkstemp makes the file private; give it the mode a newly created file would get.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  close(fd);

  const std::string temporary(name.data());
  const bool written = fif == FIF_PNG && FreeImage_GetBPP(bitmap) == 32
                           ? WriteRgbaPng(bitmap, temporary.c_str())
                           : FreeImage_Save(fif, bitmap, temporary.c_str(), 0) != 0;
  if (!written ||
      std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}
