// Reading a whole file into memory without trusting it: only a regular file is read
// (a FIFO would block, a device or folder means nothing as contents), and never more
// than a limit that the caller chooses.
#pragma once

#include <fcntl.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fileio/file_handle.h"

enum class FileReadStatus {
  kRead,        // bytes holds the file's first bytes, up to the limit
  kOpenFailed,  // open() failed: missing, no permission, ...; error says why
  kNotRegular,  // a FIFO, device, socket or folder: never read
  kReadFailed,  // read() or fstat() failed; error says why
};

struct FileRead {
  FileReadStatus status = FileReadStatus::kOpenFailed;
  int error = 0;             // errno of the failed call, 0 otherwise
  std::string bytes;         // at most limit bytes
  bool beyondLimit = false;  // the file held more than limit bytes (they were not read)
  uid_t owner = 0;           // the opened file's owner and mode bits, for kRead and
  mode_t mode = 0;           // kNotRegular
};

// A regular file kept open, so that every later read goes through the descriptor that
// was checked and never through the name again.
struct OpenedFile {
  // kRead: fd is open for reading on a regular file.
  FileReadStatus status = FileReadStatus::kOpenFailed;
  int error = 0;  // errno of the failed call, 0 otherwise
  FileDescriptor fd;
  uid_t owner = 0;         // the opened file's owner and mode bits, for kRead and
  mode_t mode = 0;         // kNotRegular
  std::uint64_t size = 0;  // what fstat said when it was opened: a hint, not a promise
};

// Opens path (relative to the folder open as dir, or to the working folder) without
// blocking (O_NONBLOCK, so that a FIFO without a writer returns at once; O_NOCTTY, so
// that a terminal never becomes the controlling one) and requires a regular file.
// openFlags are added to the open() flags (O_NOFOLLOW, to refuse a symbolic link).
OpenedFile OpenRegularFile(const char* path, int openFlags = 0, int dir = AT_FDCWD);

// Opens path as OpenRegularFile does and reads it up to limit bytes, plus one more
// byte to tell whether the file goes on. The size that fstat reports is only a hint:
// the bytes read count.
FileRead ReadRegularFile(const char* path, std::size_t limit, int openFlags = 0,
                         int dir = AT_FDCWD);

// Why a read that did not give kRead failed, as a sentence for a message box.
std::string FileReadFailureReason(const FileRead& read);
