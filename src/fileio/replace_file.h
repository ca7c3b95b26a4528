// Saving a whole file so that a failure never leaves a broken one behind and nothing is
// written where it must not be.
#pragma once

#include <sys/types.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

// Writes bytes as the new contents of the file at path. Returns 0 on success, 1 on
// failure.
//
// - A symbolic link at path is followed as ResolveSaveTarget allows (a refused link is a
//   failure); the link stays and the file it names gets the bytes.
// - Normally the bytes go to a new temporary file ".glyphex-XXXXXX" in that file's
//   folder, written, flushed to disk and closed only through the descriptor that
//   created it, then renamed over the file. It gets the old file's permission bits
//   (0777; setuid, setgid and sticky are never carried over) or, for a new file,
//   0666 less the umask. Any failure leaves the old file as it was and removes the
//   temporary file; a temporary name that no longer holds the file written (someone
//   swapped it) fails the save and is left alone.
// - The existing file is written in place instead when it has more than one hard link
//   (a rename would cut the other names off), or when the folder refuses a new file
//   (EACCES, EPERM, EROFS) but the file opens for writing. Room for the new contents
//   is reserved first, so that a full disk fails before any byte changes; a failure
//   after that leaves the file partly written. The file is then cut to the new length
//   and loses setuid, setgid and sticky.
// - An existing name that is not a regular file (a folder, a FIFO, a device) fails.
int WriteFileReplacing(const std::string& path, std::string_view bytes);

// As above, but a file written through a temporary file gets exactly the permission bits
// mode, whatever the old file's were: for files only their owner may read or change.
int WriteFileReplacing(const std::string& path, std::string_view bytes, mode_t mode);

// Writes bytes as the new file name in the folder open as folder (a descriptor, which
// may be O_PATH), with exactly the permission bits mode: through a temporary file in
// that folder and a rename over name, always. Whatever name held before (a file, a
// symbolic link) is replaced, never followed or written. Returns 0 on success, 1 on
// failure, which leaves name as it was.
int WriteFileReplacingAt(int folder, const std::string& name, std::string_view bytes, mode_t mode);

// One file of WriteFilesReplacing.
struct FileReplacement {
  std::string path;
  std::string_view bytes;        // must outlive the call
  std::optional<mode_t> mode{};  // the permission bits of a file written anew, if fixed
  int result = 1;                // set by the call: 0 written, 1 failed
};

// Writes several files as WriteFileReplacing writes each, the first before the others:
// when the first cannot be written, none of the others is and each fails. Flushing them
// to the disk together costs about as much as flushing one.
void WriteFilesReplacing(std::span<FileReplacement> files);
