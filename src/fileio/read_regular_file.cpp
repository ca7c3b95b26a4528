// Reading a regular file, and nothing else, into memory.
#include "fileio/read_regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// Reads into buffer until it is full or the file ends. Returns the number of bytes
// read, or -1 with errno set.
ssize_t ReadFully(int fd, char* buffer, std::size_t size) {
  std::size_t got = 0;
  while (got < size) {
    const ssize_t n = ::read(fd, buffer + got, size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return static_cast<ssize_t>(got);
}

}  // namespace

Status SystemFailure(int error) {
  return Failure(std::string(std::strerror(error)) + ".", error);
}

Result<OpenedFile> OpenRegularFile(const char* path, int openFlags, int dir) {
  OpenedFile file;
  file.fd =
      FileDescriptor(::openat(dir, path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | openFlags));
  if (file.fd.get() < 0) return SystemFailure(errno);
  struct stat info {};
  if (::fstat(file.fd.get(), &info) != 0) return SystemFailure(errno);
  if (!S_ISREG(info.st_mode)) return Failure("It is not a regular file.");
  file.owner = info.st_uid;
  file.mode = info.st_mode;
  file.size = static_cast<std::uint64_t>(info.st_size);
  return file;
}

Result<FileRead> ReadRegularFile(const char* path, std::size_t limit, int openFlags, int dir) {
  const Result<OpenedFile> file = OpenRegularFile(path, openFlags, dir);
  if (!file) return file.status();
  FileRead result;
  result.owner = file->owner;
  result.mode = file->mode;

  // The buffer grows in steps, so that a size reported wrongly costs no more memory
  // than the bytes that really arrive.
  constexpr std::size_t kStep = std::size_t{1} << 20;
  std::size_t got = 0;
  while (got < limit) {
    const std::size_t want = std::min(limit - got, kStep);
    result.bytes.resize(got + want);
    const ssize_t n = ReadFully(file->fd.get(), result.bytes.data() + got, want);
    if (n < 0) return SystemFailure(errno);
    got += static_cast<std::size_t>(n);
    if (static_cast<std::size_t>(n) < want) break;
  }
  result.bytes.resize(got);
  if (got == limit) {
    char extra = 0;
    const ssize_t n = ReadFully(file->fd.get(), &extra, 1);
    if (n < 0) return SystemFailure(errno);
    result.beyondLimit = n == 1;
  }
  return result;
}
