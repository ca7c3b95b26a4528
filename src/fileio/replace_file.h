// Saving a whole file so that a failure never leaves a broken one behind and nothing is
// written where it must not be.
#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/status.h"

// Writes bytes as the new contents of the file at path. A failure says why: the
// system's reason with its errno (a full disk: "No space left on device."), or a sentence
// for a refused link, a target that is not a regular file, or a temporary file swapped.
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
//   (EACCES, EPERM, EROFS) but the file opens for writing. The file is locked first
//   (flock, exclusive; a lock held elsewhere for more than 10 seconds fails the save), so
//   that saves to one file never mix their bytes; then room for the new contents is
//   reserved, so that a full disk fails before any byte changes; a failure after that
//   leaves the file partly written. The file is then cut to the new length and loses
//   setuid, setgid and sticky.
// - An existing name that is not a regular file (a folder, a FIFO, a device) fails.
Status WriteFileReplacing(const std::string& path, std::string_view bytes);

// As above, but a file written through a temporary file gets exactly the permission bits
// mode, whatever the old file's were: for files only their owner may read or change.
Status WriteFileReplacing(const std::string& path, std::string_view bytes, mode_t mode);

// Writes bytes as the new file name in the folder open as folder (a descriptor, which
// may be O_PATH), with exactly the permission bits mode: through a temporary file in
// that folder and a rename over name, always. Whatever name held before (a file, a
// symbolic link) is replaced, never followed or written. A failure leaves name as it was.
Status WriteFileReplacingAt(int folder, const std::string& name, std::string_view bytes,
                            mode_t mode);

// One file of WriteFilesReplacing.
struct FileReplacement {
  std::string path;
  std::string_view bytes{};      // must outlive the call
  std::optional<mode_t> mode{};  // the permission bits of a file written anew, if fixed
  // Set by the call: success when written, else why not (a file held back by another's
  // failure says so).
  Status status{};
  bool failed = false;  // set by the call: this file is why the batch was not written
  // When set, makes the bytes instead, once the batch reaches this file: they are
  // written to its temporary file at once and let go, so that a batch of large files
  // holds one at a time (a file written in place keeps its bytes until its turn at the
  // end). A failure stops the batch as a failed write does, with its status.
  std::function<Status(std::string&)> make{};
};

// Writes several files as WriteFileReplacing writes each, all or none: every temporary
// file is written and flushed to the disk (and every file written in place is locked and
// its room reserved) before any target changes, and when one cannot be, no target
// changes. Then the files written in place are written, and the temporary files renamed
// over their targets. Only a failure in those last steps (a device failing, or someone
// renaming files in the folder meanwhile) can leave a batch partly written. Flushing the
// files together costs about as much as flushing one.
void WriteFilesReplacing(std::span<FileReplacement> files);
