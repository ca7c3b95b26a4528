// Writing through a temporary file and a rename, or in place where a rename would
// change what users see.
#include "fileio/replace_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <thread>
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

// Takes the advisory lock that every save writing in place takes, so that two saves to
// one file (two names of it, or one name twice) never mix their bytes. A holder that
// keeps it longer than kLockWait fails the save rather than hanging it.
bool LockForWriting(int fd) {
  constexpr auto kLockWait = std::chrono::seconds(10);
  constexpr auto kPoll = std::chrono::milliseconds(10);
  const auto deadline = std::chrono::steady_clock::now() + kLockWait;
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPoll);
  }
  return true;
}

// One file of a batch between its steps.
struct PendingFile {
  Descriptor dir{-1};  // the folder that holds the target
  std::string base;    // the target's name in it
  // The temporary file until it is flushed and closed, or the target itself, locked,
  // when it is written in place.
  Descriptor file{-1};
  std::string temporary;  // its name, while it is ours to remove
  struct stat created {};
  bool inPlace = false;
  struct stat old {};  // the target written in place, as it was
};

// Removes the temporary file, if the name still holds it.
void Discard(PendingFile& pending) {
  if (pending.temporary.empty()) return;
  if (IsSameFile(pending.dir.get(), pending.temporary, pending.created)) {
    unlinkat(pending.dir.get(), pending.temporary.c_str(), 0);
  }
  pending.temporary.clear();
}

// Opens and locks the existing file base in dir for writing in place, and reserves room
// for size bytes, keeping its size, so that a full disk fails here with the old contents
// untouched. File systems that cannot reserve are written without.
bool PrepareInPlace(PendingFile& pending, off_t size) {
  pending.inPlace = true;
  pending.file = Descriptor(openat(pending.dir.get(), pending.base.c_str(),
                                   O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  const int fd = pending.file.get();
  struct stat& st = pending.old;
  if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !LockForWriting(fd)) return false;
  if (fstat(fd, &st) != 0) return false;  // the size the lock's last holder left
  if (size > st.st_size && fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) != 0 &&
      (errno == ENOSPC || errno == EDQUOT || errno == EFBIG)) {
    ftruncate(fd, st.st_size);  // gives back what was reserved past the end
    return false;
  }
  return true;
}

// Writes bytes over the file opened by PrepareInPlace, keeping its inode.
bool WriteInPlace(PendingFile& pending, std::string_view bytes) {
  const int fd = pending.file.get();
  if (!WriteAll(fd, bytes) || ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return false;
  // Root's writes keep setuid and setgid; nobody's save should.
  if ((pending.old.st_mode & kSpecialBits) != 0) fchmod(fd, pending.old.st_mode & kPermissionBits);
  return SyncAndClose(pending.file);  // the lock goes with the descriptor
}

// Resolves the target, and writes the bytes to a new temporary file beside it (not yet
// flushed), or opens the target to be written in place. False when the file cannot be
// written; what was made for it is removed.
bool Prepare(const FileReplacement& replacement, PendingFile& pending) {
  const std::string& path = replacement.path;
  if (path.empty()) return false;
  const std::optional<std::string> resolved = ResolveSaveTarget(path);
  if (!resolved) return false;
  const std::string& target = *resolved;
  const std::string folder = FolderOf(target);
  pending.base = target.substr(target.rfind('/') + 1);
  if (pending.base.empty() || pending.base == "." || pending.base == "..") return false;
  pending.dir = Descriptor(open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  const int dir = pending.dir.get();
  if (dir < 0) return false;

  struct stat old {};
  const bool exists = fstatat(dir, pending.base.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
  if (exists && !S_ISREG(old.st_mode)) return false;
  const off_t size = static_cast<off_t>(replacement.bytes.size());
  if (exists && old.st_nlink > 1) return PrepareInPlace(pending, size);

  pending.file = Descriptor(CreateTemporary(dir, pending.temporary));
  if (pending.file.get() < 0) {
    // The folder takes no new file; the file itself may still be writable, as it was
    // for whatever saved it before.
    pending.temporary.clear();
    const bool refused = errno == EACCES || errno == EPERM || errno == EROFS;
    return exists && refused && PrepareInPlace(pending, size);
  }
  if (fstat(pending.file.get(), &pending.created) != 0) {
    unlinkat(dir, pending.temporary.c_str(), 0);
    pending.temporary.clear();
    return false;
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
    return false;
  }
  return true;
}

// Whether the temporary name still holds the file written: everything after the flush
// goes by name.
bool StillOurs(const PendingFile& pending) {
  return IsSameFile(pending.dir.get(), pending.temporary, pending.created);
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
  std::vector<PendingFile> pending(files.size());
  // Runs step on each file in turn until one fails, which is marked as the cause.
  bool ready = true;
  auto each = [&](bool inPlace, auto step) {
    for (std::size_t i = 0; i < files.size() && ready; ++i) {
      if (pending[i].inPlace != inPlace) continue;
      ready = step(files[i], pending[i]);
      files[i].failed = !ready;
    }
  };
  for (FileReplacement& file : files) file.result = 1;

  // Every file is made ready, temporary files written and flushed, before any target
  // changes: one that cannot be made ready keeps every target as it was. Temporary files
  // are all written before any is flushed, with the disk asked to start on them at once,
  // so that the flushes wait for one commit of the file system's journal, not one each.
  for (std::size_t i = 0; i < files.size() && ready; ++i) {
    ready = Prepare(files[i], pending[i]);
    files[i].failed = !ready;
  }
  for (PendingFile& p : pending) {
    if (ready && !p.inPlace) sync_file_range(p.file.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
  }
  each(false,
       [](FileReplacement&, PendingFile& p) { return SyncAndClose(p.file) && StillOurs(p); });

  // Then the files written in place, the last step that a full disk or a failing device
  // can stop (a failure leaves that file partly written), and the renames.
  each(true, [](FileReplacement& f, PendingFile& p) {
    f.result = WriteInPlace(p, f.bytes) ? 0 : 1;
    return f.result == 0;
  });
  each(false, [](FileReplacement& f, PendingFile& p) {
    const int dir = p.dir.get();
    if (renameat(dir, p.temporary.c_str(), dir, p.base.c_str()) != 0) return false;
    p.temporary.clear();
    f.result = 0;
    return true;
  });
  for (PendingFile& p : pending) Discard(p);
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
  const int dir = pending.dir.get();
  if (SyncAndClose(pending.file) && StillOurs(pending) &&
      renameat(dir, pending.temporary.c_str(), dir, pending.base.c_str()) == 0) {
    return 0;
  }
  Discard(pending);
  return 1;
}
