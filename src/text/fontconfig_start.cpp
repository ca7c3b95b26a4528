// Starts fontconfig once, noting when and whether it had anything to say.
#include "text/fontconfig_start.h"

#include <fontconfig/fontconfig.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

struct StartState {
  bool tried = false;
  bool started = false;
  bool quiet = false;
};

StartState& State() {
  static StartState state;
  return state;
}

timespec Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return now;
}

// Taken before main: a library (Qt's font database) may start fontconfig before this
// layer does, and its start is no earlier than this.
const timespec processStart = Now();

// Copies what fontconfig wrote into the memory file fd on to standard error, so that
// the run's messages are what they would have been. Returns the number of bytes.
long ForwardCaptured(int fd) {
  if (lseek(fd, 0, SEEK_SET) != 0) return -1;
  long total = 0;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? -1 : total;
    total += n;
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = write(STDERR_FILENO, buffer + done, static_cast<std::size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) break;
      done += w;
    }
  }
}

}  // namespace

bool StartFontconfig() {
  StartState& state = State();
  if (state.tried) return state.started;
  state.tried = true;

  // fontconfig reports a broken configuration on standard error while it starts. A run
  // from the catalog cache never starts it, so a start that said anything must not
  // leave a cache behind: catch what it says, pass it on, and remember.
  std::fflush(stderr);
  const int capture = memfd_create("glyphex-fontconfig", MFD_CLOEXEC);
  const int saved = capture >= 0 ? dup(STDERR_FILENO) : -1;
  const bool redirected = saved >= 0 && dup2(capture, STDERR_FILENO) >= 0;
  state.started = FcInit() == FcTrue;
  if (redirected) {
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    state.quiet = ForwardCaptured(capture) == 0;
  }
  if (saved >= 0) close(saved);
  if (capture >= 0) close(capture);
  return state.started;
}

bool FontconfigStartedQuietly() {
  return State().started && State().quiet;
}

timespec FontconfigStartTime() {
  return processStart;
}
