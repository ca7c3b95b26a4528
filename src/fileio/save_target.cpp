// Resolving symbolic links at a save's target, refusing those that are not safe.
#include "fileio/save_target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace {

// As many links as the kernel follows in one path name.
constexpr int kMaxLinks = 40;

// Whether the link described by link, in folder, may be followed.
bool MayFollow(const struct stat& link, const std::string& folder) {
  if (link.st_uid == geteuid()) return true;
  struct stat dir {};
  if (stat(folder.c_str(), &dir) != 0) return false;
  const bool shared = (dir.st_mode & S_IWOTH) != 0 && (dir.st_mode & S_ISVTX) != 0;
  return !shared;
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::optional<std::string> ResolveSaveTarget(const std::string& path) {
  std::string current = path;
  for (int links = 0;; ++links) {
    struct stat st {};
    // Nothing there (a new file) or not a link: this is the name to write. A name that
    // cannot be examined is left to the save itself to fail on.
    if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      return current;
    }
    const std::string folder = FolderOf(current);
    if (links == kMaxLinks || !MayFollow(st, folder)) return std::nullopt;
    // The link's stored size is not trusted: a text that fills the buffer is refused.
    char text[PATH_MAX];
    const ssize_t length = readlink(current.c_str(), text, sizeof text);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof text) return std::nullopt;
    const std::string next(text, static_cast<std::size_t>(length));
    current = next.front() == '/' ? next : folder + "/" + next;
  }
}
