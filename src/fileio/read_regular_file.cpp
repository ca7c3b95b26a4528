// Reading a regular file, and nothing else, into memory.
#include "fileio/read_regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// Closes the descriptor on every path.
struct Descriptor {
  int fd = -1;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

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

FileRead ReadRegularFile(const char* path, std::size_t limit, int openFlags) {
  FileRead result;
  Descriptor file;
  file.fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | openFlags);
  if (file.fd < 0) {
    result.status = FileReadStatus::kOpenFailed;
    result.error = errno;
    return result;
  }
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) {
    result.status = FileReadStatus::kReadFailed;
    result.error = errno;
    return result;
  }
  result.owner = info.st_uid;
  result.mode = info.st_mode;
  if (!S_ISREG(info.st_mode)) {
    result.status = FileReadStatus::kNotRegular;
    return result;
  }

  // The buffer grows in steps, so that a size reported wrongly costs no more memory
  // than the bytes that really arrive.
  constexpr std::size_t kStep = std::size_t{1} << 20;
  std::size_t got = 0;
  while (got < limit) {
    const std::size_t want = std::min(limit - got, kStep);
    result.bytes.resize(got + want);
    const ssize_t n = ReadFully(file.fd, result.bytes.data() + got, want);
    if (n < 0) {
      result.status = FileReadStatus::kReadFailed;
      result.error = errno;
      result.bytes.clear();
      return result;
    }
    got += static_cast<std::size_t>(n);
    if (static_cast<std::size_t>(n) < want) break;
  }
  result.bytes.resize(got);
  if (got == limit) {
    char extra = 0;
    const ssize_t n = ReadFully(file.fd, &extra, 1);
    if (n < 0) {
      result.status = FileReadStatus::kReadFailed;
      result.error = errno;
      result.bytes.clear();
      return result;
    }
    result.beyondLimit = n == 1;
  }
  result.status = FileReadStatus::kRead;
  return result;
}

std::string FileReadFailureReason(const FileRead& read) {
  switch (read.status) {
    case FileReadStatus::kRead:
      return "";
    case FileReadStatus::kNotRegular:
      return "It is not a regular file.";
    case FileReadStatus::kOpenFailed:
    case FileReadStatus::kReadFailed:
      break;
  }
  return std::string(std::strerror(read.error)) + ".";
}
