// Reading a whole file into memory without trusting it: only a regular file is read
// (a FIFO would block, a device or folder means nothing as contents), and never more
// than a limit that the caller chooses.
#pragma once

#include <fcntl.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/status.h"
#include "fileio/file_handle.h"

// A file's first bytes. A read that fails says why in its Status: "It is not a regular
// file." for a FIFO, device, socket or folder (never read), else the system's reason
// ("No such file or directory.") with the errno of the failed open(), fstat() or read().
struct FileRead {
  std::string bytes;         // at most limit bytes
  bool beyondLimit = false;  // the file held more than limit bytes (they were not read)
  uid_t owner = 0;           // the opened file's owner and mode bits
  mode_t mode = 0;
};

// A regular file kept open, so that every later read goes through the descriptor that
// was checked and never through the name again.
struct OpenedFile {
  FileDescriptor fd;  // open for reading on a regular file
  uid_t owner = 0;    // the opened file's owner and mode bits
  mode_t mode = 0;
  std::uint64_t size = 0;  // what fstat said when it was opened: a hint, not a promise
};

// Opens path (relative to the folder open as dir, or to the working folder) without
// blocking (O_NONBLOCK, so that a FIFO without a writer returns at once; O_NOCTTY, so
// that a terminal never becomes the controlling one) and requires a regular file.
// openFlags are added to the open() flags (O_NOFOLLOW, to refuse a symbolic link).
// Fails as FileRead says.
Result<OpenedFile> OpenRegularFile(const char* path, int openFlags = 0, int dir = AT_FDCWD);

// Opens path as OpenRegularFile does and reads it up to limit bytes, plus one more
// byte to tell whether the file goes on. The size that fstat reports is only a hint:
// the bytes read count.
Result<FileRead> ReadRegularFile(const char* path, std::size_t limit, int openFlags = 0,
                                 int dir = AT_FDCWD);

// The failure for errno error: the system's reason as a sentence, and error.
Status SystemFailure(int error);
