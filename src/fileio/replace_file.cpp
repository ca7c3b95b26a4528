// Writing through a temporary file and a rename, or in place where a rename would
// change what users see.
#include "fileio/replace_file.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "fileio/save_target.h"
#include "fileio/write_seams.h"

namespace {

constexpr mode_t kPermissionBits = 0777;
constexpr mode_t kSpecialBits = S_ISUID | S_ISGID | S_ISVTX;

// A descriptor closed on every path; Close() reports the final close's result.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return CurrentWriteSeams().close(fd) == 0;
  }

 private:
  int fd_;
};

// Writes every byte; a failed write or one that makes no progress is a failure.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = CurrentWriteSeams().write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Flushes to disk and closes, both checked.
bool SyncAndClose(Descriptor& file) {
  const bool synced = CurrentWriteSeams().fsync(file.get()) == 0;
  return file.Close() && synced;
}

// The mode of a new file. Reading the umask means setting it; the program has one
// thread, so nothing can create a file in between.
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Creates a new file with a random name in the folder open as dir, as mkstemp does
// (exclusive, private, no link followed) but relative to the folder's descriptor, so
// that every later step names the same folder. Returns the descriptor or -1 with errno.
int CreateTemporary(int dir, std::string& name) {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned char random[6];
    if (getrandom(random, sizeof random, 0) != sizeof random) return -1;
    name = ".glyphex-";
    for (unsigned char r : random) name += kLetters[r % (sizeof kLetters - 1)];
    const int fd =
        openat(dir, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Whether name in dir is still the file described by st.
bool IsSameFile(int dir, const std::string& name, const struct stat& st) {
  struct stat now {};
  return fstatat(dir, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 && now.st_dev == st.st_dev &&
         now.st_ino == st.st_ino;
}

// Writes bytes to a temporary file in dir and renames it over base. Returns 0 on
// success, 1 on failure, and -1 with errno when the folder refused the temporary file.
int ReplaceThroughTemporary(int dir, const std::string& folder, const std::string& base,
                            mode_t mode, std::string_view bytes) {
  std::string name;
  Descriptor file(CreateTemporary(dir, name));
  if (file.get() < 0) return -1;
  struct stat created {};
  if (fstat(file.get(), &created) != 0) {
    unlinkat(dir, name.c_str(), 0);
    return 1;
  }
  if (CurrentWriteSeams().temporaryCreated) {
    CurrentWriteSeams().temporaryCreated((folder + "/" + name).c_str());
  }
  // The file was created private; a folder that keeps no modes refuses, which does not
  // matter.
  fchmod(file.get(), mode);
  const bool written = WriteAll(file.get(), bytes) && SyncAndClose(file);
  // Everything after this point goes by name: make sure the name is still ours.
  if (!IsSameFile(dir, name, created)) return 1;
  if (written && renameat(dir, name.c_str(), dir, base.c_str()) == 0) return 0;
  unlinkat(dir, name.c_str(), 0);
  return 1;
}

// Writes bytes over the existing file base in dir, keeping its inode.
bool WriteInPlace(int dir, const std::string& base, std::string_view bytes) {
  Descriptor file(openat(dir, base.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat st {};
  if (file.get() < 0 || fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  // Reserve the room first, keeping the size, so that a full disk fails here with the
  // old contents untouched. File systems that cannot reserve are written without.
  const off_t size = static_cast<off_t>(bytes.size());
  if (size > st.st_size && fallocate(file.get(), FALLOC_FL_KEEP_SIZE, 0, size) != 0 &&
      (errno == ENOSPC || errno == EDQUOT || errno == EFBIG)) {
    ftruncate(file.get(), st.st_size);  // gives back what was reserved past the end
    return false;
  }
  if (!WriteAll(file.get(), bytes) || ftruncate(file.get(), size) != 0) return false;
  // Root's writes keep setuid and setgid; nobody's save should.
  if ((st.st_mode & kSpecialBits) != 0) {
    fchmod(file.get(), st.st_mode & kPermissionBits);
  }
  return SyncAndClose(file);
}

}  // namespace

int WriteFileReplacing(const std::string& path, std::string_view bytes) {
  if (path.empty()) return 1;
  const std::optional<std::string> resolved = ResolveSaveTarget(path);
  if (!resolved) return 1;
  const std::string& target = *resolved;
  const std::string folder = FolderOf(target);
  const std::string base = target.substr(target.rfind('/') + 1);
  if (base.empty() || base == "." || base == "..") return 1;
  Descriptor dir(open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() < 0) return 1;

  struct stat old {};
  const bool exists = fstatat(dir.get(), base.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
  if (exists && !S_ISREG(old.st_mode)) return 1;
  if (exists && old.st_nlink > 1) return WriteInPlace(dir.get(), base, bytes) ? 0 : 1;

  const mode_t mode = exists ? (old.st_mode & kPermissionBits) : NewFileMode();
  const int replaced = ReplaceThroughTemporary(dir.get(), folder, base, mode, bytes);
  if (replaced >= 0) return replaced;
  // The folder takes no new file; the file itself may still be writable, as it was
  // for whatever saved it before.
  const bool refused = errno == EACCES || errno == EPERM || errno == EROFS;
  if (exists && refused) return WriteInPlace(dir.get(), base, bytes) ? 0 : 1;
  return 1;
}
