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

#include "fileio/read_regular_file.h"
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
  Status Close() {
    const int fd = fd_;
    fd_ = -1;
    if (CurrentWriteSeams().close(fd) != 0) return SystemFailure(errno);
    return {};
  }

 private:
  int fd_;
};

// Writes every byte; a failed write or one that makes no progress (a full disk, as the
// system reports it then) is a failure.
Status WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = CurrentWriteSeams().write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return SystemFailure(errno);
    if (written == 0) return SystemFailure(ENOSPC);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

// Flushes to disk and closes, both checked; the flush's failure is the one reported.
Status SyncAndClose(Descriptor& file) {
  const Status synced =
      CurrentWriteSeams().fsync(file.get()) == 0 ? Status{} : SystemFailure(errno);
  const Status closed = file.Close();
  return synced ? closed : synced;
}

const char kSwapped[] = "The temporary file was replaced by another file.";
const char kNotRegular[] = "It is not a regular file.";
// What a file of a batch that was not written for another file's failure says.
const char kHeldBack[] = "Another file of the same save could not be written.";

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
Status LockForWriting(int fd) {
  constexpr auto kLockWait = std::chrono::seconds(10);
  constexpr auto kPoll = std::chrono::milliseconds(10);
  const auto deadline = std::chrono::steady_clock::now() + kLockWait;
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) return SystemFailure(errno);
    if (std::chrono::steady_clock::now() >= deadline) {
      return Failure("Another program kept the file locked.", EWOULDBLOCK);
    }
    std::this_thread::sleep_for(kPoll);
  }
  return {};
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
  std::string made;    // bytes made for a file written in place, kept for its turn
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
Status PrepareInPlace(PendingFile& pending, off_t size) {
  pending.inPlace = true;
  pending.file = Descriptor(openat(pending.dir.get(), pending.base.c_str(),
                                   O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  const int fd = pending.file.get();
  struct stat& st = pending.old;
  if (fd < 0 || fstat(fd, &st) != 0) return SystemFailure(errno);
  if (!S_ISREG(st.st_mode)) return Failure(kNotRegular);
  if (Status locked = LockForWriting(fd); !locked) return locked;
  if (fstat(fd, &st) != 0) return SystemFailure(errno);  // the size the lock's last holder left
  if (size > st.st_size && fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) != 0 &&
      (errno == ENOSPC || errno == EDQUOT || errno == EFBIG)) {
    const int error = errno;
    ftruncate(fd, st.st_size);  // gives back what was reserved past the end
    return SystemFailure(error);
  }
  return {};
}

// Writes bytes over the file opened by PrepareInPlace, keeping its inode.
Status WriteInPlace(PendingFile& pending, std::string_view bytes) {
  const int fd = pending.file.get();
  if (Status written = WriteAll(fd, bytes); !written) return written;
  if (ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return SystemFailure(errno);
  // Root's writes keep setuid and setgid; nobody's save should.
  if ((pending.old.st_mode & kSpecialBits) != 0) fchmod(fd, pending.old.st_mode & kPermissionBits);
  return SyncAndClose(pending.file);  // the lock goes with the descriptor
}

// Resolves the target, and writes bytes to a new temporary file beside it (not yet
// flushed), or opens the target to be written in place. A failure removes what was made
// for the file.
Status Prepare(const FileReplacement& replacement, std::string_view bytes, PendingFile& pending) {
  const std::string& path = replacement.path;
  if (path.empty()) return SystemFailure(ENOENT);
  const std::optional<std::string> resolved = ResolveSaveTarget(path);
  if (!resolved) return Failure("The symbolic link may not be followed.");
  const std::string& target = *resolved;
  const std::string folder = FolderOf(target);
  pending.base = target.substr(target.rfind('/') + 1);
  if (pending.base.empty() || pending.base == "." || pending.base == "..") {
    return SystemFailure(EISDIR);
  }
  pending.dir = Descriptor(open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  const int dir = pending.dir.get();
  if (dir < 0) return SystemFailure(errno);

  struct stat old {};
  const bool exists = fstatat(dir, pending.base.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
  if (exists && !S_ISREG(old.st_mode)) return Failure(kNotRegular);
  const off_t size = static_cast<off_t>(bytes.size());
  if (exists && old.st_nlink > 1) return PrepareInPlace(pending, size);

  pending.file = Descriptor(CreateTemporary(dir, pending.temporary));
  if (pending.file.get() < 0) {
    // The folder takes no new file; the file itself may still be writable, as it was
    // for whatever saved it before.
    const int error = errno;
    pending.temporary.clear();
    const bool refused = error == EACCES || error == EPERM || error == EROFS;
    if (exists && refused) return PrepareInPlace(pending, size);
    return SystemFailure(error);
  }
  if (fstat(pending.file.get(), &pending.created) != 0) {
    const int error = errno;
    unlinkat(dir, pending.temporary.c_str(), 0);
    pending.temporary.clear();
    return SystemFailure(error);
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
  if (Status written = WriteAll(pending.file.get(), bytes); !written) {
    (void)pending.file.Close();
    Discard(pending);
    return written;
  }
  return {};
}

// Makes the file's bytes when it has a maker, then prepares it (Prepare). Made bytes are
// let go once written, unless the file is written in place at the end.
Status MakeAndPrepare(const FileReplacement& replacement, PendingFile& pending) {
  if (!replacement.make) return Prepare(replacement, replacement.bytes, pending);
  std::string made;
  if (Status status = replacement.make(made); !status) return status;
  Status prepared = Prepare(replacement, made, pending);
  if (prepared && pending.inPlace) pending.made = std::move(made);
  return prepared;
}

// Whether the temporary name still holds the file written: everything after the flush
// goes by name.
Status StillOurs(const PendingFile& pending) {
  if (IsSameFile(pending.dir.get(), pending.temporary, pending.created)) return {};
  return Failure(kSwapped);
}

// Flushes and closes the temporary file, then checks that its name still holds it.
Status Flush(PendingFile& pending) {
  if (Status synced = SyncAndClose(pending.file); !synced) return synced;
  return StillOurs(pending);
}

// Renames the temporary file over the target.
Status Rename(PendingFile& pending) {
  const int dir = pending.dir.get();
  if (renameat(dir, pending.temporary.c_str(), dir, pending.base.c_str()) != 0) {
    return SystemFailure(errno);
  }
  pending.temporary.clear();
  return {};
}

}  // namespace

Status WriteFileReplacing(const std::string& path, std::string_view bytes) {
  FileReplacement file{path, bytes};
  WriteFilesReplacing(std::span(&file, 1));
  return file.status;
}

Status WriteFileReplacing(const std::string& path, std::string_view bytes, mode_t mode) {
  FileReplacement file{path, bytes, mode};
  WriteFilesReplacing(std::span(&file, 1));
  return file.status;
}

void WriteFilesReplacing(std::span<FileReplacement> files) {
  std::vector<PendingFile> pending(files.size());
  // Marks files[i] with the outcome of its step; a failure is the batch's cause.
  bool ready = true;
  auto mark = [&](std::size_t i, Status done) {
    ready = done.ok;
    files[i].failed = !ready;
    if (!ready) files[i].status = std::move(done);
  };
  // Runs step on each file in turn until one fails.
  auto each = [&](bool inPlace, auto step) {
    for (std::size_t i = 0; i < files.size() && ready; ++i) {
      if (pending[i].inPlace == inPlace) mark(i, step(files[i], pending[i]));
    }
  };
  for (FileReplacement& file : files) file.status = Failure(kHeldBack);

  // Every file is made ready, temporary files written and flushed, before any target
  // changes: one that cannot be made ready keeps every target as it was. Temporary files
  // are all written before any is flushed, with the disk asked to start on them at once,
  // so that the flushes wait for one commit of the file system's journal, not one each.
  for (std::size_t i = 0; i < files.size() && ready; ++i) {
    mark(i, MakeAndPrepare(files[i], pending[i]));
  }
  for (PendingFile& p : pending) {
    if (ready && !p.inPlace) sync_file_range(p.file.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
  }
  each(false, [](FileReplacement&, PendingFile& p) { return Flush(p); });

  // Then the files written in place, the last step that a full disk or a failing device
  // can stop (a failure leaves that file partly written), and the renames.
  each(true, [](FileReplacement& f, PendingFile& p) {
    Status written = WriteInPlace(p, f.make ? std::string_view(p.made) : f.bytes);
    if (written) f.status = {};
    return written;
  });
  each(false, [](FileReplacement& f, PendingFile& p) {
    Status renamed = Rename(p);
    if (renamed) f.status = {};
    return renamed;
  });
  for (PendingFile& p : pending) Discard(p);
}

Status WriteFileReplacingAt(int folder, const std::string& name, std::string_view bytes,
                            mode_t mode) {
  PendingFile pending;
  pending.dir = Descriptor(fcntl(folder, F_DUPFD_CLOEXEC, 0));
  pending.base = name;
  if (pending.dir.get() < 0) return SystemFailure(errno);
  pending.file = Descriptor(CreateTemporary(pending.dir.get(), pending.temporary));
  if (pending.file.get() < 0) return SystemFailure(errno);
  if (fstat(pending.file.get(), &pending.created) != 0) {
    const int error = errno;
    unlinkat(pending.dir.get(), pending.temporary.c_str(), 0);
    return SystemFailure(error);
  }
  fchmod(pending.file.get(), mode & kPermissionBits);
  if (Status written = WriteAll(pending.file.get(), bytes); !written) {
    (void)pending.file.Close();
    Discard(pending);
    return written;
  }
  Status saved = Flush(pending);
  if (saved) saved = Rename(pending);
  Discard(pending);
  return saved;
}
