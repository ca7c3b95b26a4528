// The system calls that every saved byte passes through, held as pointers so that a
// test can make them fail (a full disk, a failing flush or close) or act between the
// steps of a save. Normal runs use the system's own calls.
#pragma once

#include <sys/types.h>

#include <cstddef>

struct WriteSeams {
  ssize_t (*write)(int fd, const void* data, std::size_t size);
  int (*fsync)(int fd);
  int (*close)(int fd);
  // Called with the temporary file's path once it exists, before anything is written
  // to it; null in normal runs.
  void (*temporaryCreated)(const char* path);
};

// The seams in use; a test may change them and must restore them.
WriteSeams& CurrentWriteSeams();
