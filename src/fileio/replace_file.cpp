// Writing through a temporary file and a rename, or in place where a rename would
// change what users see.
#include "fileio/replace_file.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

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
  Descriptor(Descriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor& operator=(Descriptor&& other) noexcept {
    if (this != &other) {
      if (fd_ >= 0) ::close(fd_);
      fd_ = other.fd_;
      other.fd_ = -1;
    }
    return *this;
  }

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

// One file of a batch between its steps.
struct PendingFile {
  Descriptor dir{-1};   // the folder that holds the target
  std::string base;     // the target's name in it
  Descriptor file{-1};  // the temporary file, written and not yet flushed
  std::string temporary;
  struct stat created {};
  bool inPlace = false;  // the target is written in place, after the first file
  bool failed = false;
};

// Removes the temporary file, if the name still holds it.
void Discard(PendingFile& pending) {
  pending.failed = true;
  if (pending.temporary.empty()) return;
  if (IsSameFile(pending.dir.get(), pending.temporary, pending.created)) {
    unlinkat(pending.dir.get(), pending.temporary.c_str(), 0);
  }
  pending.temporary.clear();
}

// Resolves the target, and writes the bytes to a new temporary file beside it, or
// decides that the target must be written in place.
PendingFile Prepare(const FileReplacement& replacement) {
  const std::string& path = replacement.path;
  PendingFile pending;
  pending.failed = true;
  if (path.empty()) return pending;
  const std::optional<std::string> resolved = ResolveSaveTarget(path);
  if (!resolved) return pending;
  const std::string& target = *resolved;
  const std::string folder = FolderOf(target);
  pending.base = target.substr(target.rfind('/') + 1);
  if (pending.base.empty() || pending.base == "." || pending.base == "..") return pending;
  pending.dir = Descriptor(open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  const int dir = pending.dir.get();
  if (dir < 0) return pending;

  struct stat old {};
  const bool exists = fstatat(dir, pending.base.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
  if (exists && !S_ISREG(old.st_mode)) return pending;
  pending.failed = false;
  if (exists && old.st_nlink > 1) {
    pending.inPlace = true;
    return pending;
  }

  pending.file = Descriptor(CreateTemporary(dir, pending.temporary));
  if (pending.file.get() < 0) {
    // The folder takes no new file; the file itself may still be writable, as it was
    // for whatever saved it before.
    const bool refused = errno == EACCES || errno == EPERM || errno == EROFS;
    pending.inPlace = exists && refused;
    pending.failed = !pending.inPlace;
    return pending;
  }
  if (fstat(pending.file.get(), &pending.created) != 0) {
    unlinkat(dir, pending.temporary.c_str(), 0);
    pending.failed = true;
    return pending;
  }
  if (CurrentWriteSeams().temporaryCreated) {
    CurrentWriteSeams().temporaryCreated((folder + "/" + pending.temporary).c_str());
  }
  // The file was created private; a folder that keeps no modes refuses, which does not
  // matter.
  const mode_t mode = replacement.mode ? (*replacement.mode & kPermissionBits)
                      : exists         ? (old.st_mode & kPermissionBits)
                                       : NewFileMode();
  fchmod(pending.file.get(), mode);
  if (!WriteAll(pending.file.get(), replacement.bytes)) {
    pending.file.Close();
    Discard(pending);
  }
  return pending;
}

// Flushes the temporary file and renames it over the target. Everything after the
// flush goes by name: the name must still hold the file written.
bool Commit(PendingFile& pending) {
  const bool written = SyncAndClose(pending.file);
  if (!IsSameFile(pending.dir.get(), pending.temporary, pending.created)) return false;
  if (written && renameat(pending.dir.get(), pending.temporary.c_str(), pending.dir.get(),
                          pending.base.c_str()) == 0) {
    return true;
  }
  unlinkat(pending.dir.get(), pending.temporary.c_str(), 0);
  return false;
}

}  // namespace

int WriteFileReplacing(const std::string& path, std::string_view bytes) {
  FileReplacement file{path, bytes};
  WriteFilesReplacing(std::span(&file, 1));
  return file.result;
}

int WriteFileReplacing(const std::string& path, std::string_view bytes, mode_t mode) {
  FileReplacement file{path, bytes, mode};
  WriteFilesReplacing(std::span(&file, 1));
  return file.result;
}

void WriteFilesReplacing(std::span<FileReplacement> files) {
  // Every temporary file is written before any is flushed, and the disk is asked to
  // start writing them all at once: the flushes that follow then wait for one commit
  // of the file system's journal rather than one each.
  std::vector<PendingFile> pending;
  pending.reserve(files.size());
  for (const FileReplacement& file : files) pending.push_back(Prepare(file));
  for (PendingFile& p : pending) {
    if (!p.failed && p.file.get() >= 0) sync_file_range(p.file.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    PendingFile& p = pending[i];
    // The others belong to the first: when it cannot be written, neither are they.
    if (i > 0 && files[0].result != 0) {
      if (!p.failed && !p.inPlace) Discard(p);
      files[i].result = 1;
      continue;
    }
    bool ok = false;
    if (!p.failed) ok = p.inPlace ? WriteInPlace(p.dir.get(), p.base, files[i].bytes) : Commit(p);
    files[i].result = ok ? 0 : 1;
  }
}

int WriteFileReplacingAt(int folder, const std::string& name, std::string_view bytes, mode_t mode) {
  PendingFile pending;
  pending.dir = Descriptor(fcntl(folder, F_DUPFD_CLOEXEC, 0));
  pending.base = name;
  if (pending.dir.get() < 0) return 1;
  pending.file = Descriptor(CreateTemporary(pending.dir.get(), pending.temporary));
  if (pending.file.get() < 0) return 1;
  if (fstat(pending.file.get(), &pending.created) != 0) {
    unlinkat(pending.dir.get(), pending.temporary.c_str(), 0);
    return 1;
  }
  fchmod(pending.file.get(), mode & kPermissionBits);
  if (!WriteAll(pending.file.get(), bytes)) {
    pending.file.Close();
    Discard(pending);
    return 1;
  }
  return Commit(pending) ? 0 : 1;
}
