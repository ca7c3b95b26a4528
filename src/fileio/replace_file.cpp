// Writing through a temporary file and a rename.
#include "fileio/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "fileio/write_seams.h"

namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Where the bytes finally go: the file a symbolic link points to, so the link stays.
std::string FinalTarget(const std::string& path) {
  struct stat link {};
  if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
  std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
  return resolved ? std::string(resolved.get()) : path;
}

// The mode of the file being replaced, or that of a new file (0666 less the umask).
mode_t ModeFor(const std::string& target) {
  struct stat existing {};
  if (stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    return existing.st_mode & 07777;
  }
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = CurrentWriteSeams().write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Flushes the file at name to disk.
bool SyncFile(const std::string& name) {
  const int fd = open(name.c_str(), O_RDONLY);
  if (fd < 0) return false;
  const bool synced = CurrentWriteSeams().fsync(fd) == 0;
  return CurrentWriteSeams().close(fd) == 0 && synced;
}

}  // namespace

int ReplaceFile(const std::string& path, const std::function<bool(const std::string&)>& write) {
  if (path.empty()) return 1;
  const std::string target = FinalTarget(path);
  std::string name = FolderOf(target) + "/.glyphex-XXXXXX";
  const int fd = mkstemp(name.data());
  if (fd < 0) return 1;
  // mkstemp makes the file private; give it the mode the saved file should have (a
  // folder that keeps no modes refuses, which does not matter).
  fchmod(fd, ModeFor(target));
  close(fd);
  if (CurrentWriteSeams().temporaryCreated) CurrentWriteSeams().temporaryCreated(name.c_str());
  const bool ok = write(name) && SyncFile(name) && std::rename(name.c_str(), target.c_str()) == 0;
  if (!ok) unlink(name.c_str());
  return ok ? 0 : 1;
}

int WriteFileReplacing(const std::string& path, std::string_view bytes) {
  return ReplaceFile(path, [bytes](const std::string& name) {
    const int fd = open(name.c_str(), O_WRONLY | O_TRUNC);
    if (fd < 0) return false;
    const bool written = WriteAll(fd, bytes);
    return CurrentWriteSeams().close(fd) == 0 && written;
  });
}
