// The system's calls as the default seams.
#include "fileio/write_seams.h"

#include <unistd.h>

WriteSeams& CurrentWriteSeams() {
  static WriteSeams seams{::write, ::fsync, ::close, nullptr};
  return seams;
}
