// Starting fontconfig only when a run needs it: loading its configuration and caches
// is most of a short run's cost, and a current catalog cache makes it unnecessary.
#pragma once

#include <ctime>

// Loads fontconfig's configuration and font set once per process. Anything fontconfig
// prints while it starts still reaches standard error. Returns false when fontconfig
// cannot start.
bool StartFontconfig();

// Whether fontconfig started and said nothing on standard error while starting.
bool FontconfigStartedQuietly();

// A wall-clock time no later than fontconfig's start in this process, whoever started
// it: the time the process started.
timespec FontconfigStartTime();
