// The OverflowFlags: which character codes overflowed their tile in the last export
// run. The composition sets them, the trimming clears single entries, the report
// lists what is left. A code is in at most one table.
#pragma once

#include <array>
#include <cstdint>

#include "base/char_codes.h"

struct OverflowFlags {
  std::array<std::uint8_t, kCodes> tooWide{};  // nonzero: flagged, by character code
  std::array<std::uint8_t, kCodes> tooHigh{};
  std::array<std::uint8_t, kCodes> tooWideAndHigh{};
};

// The program's one set of flags. They keep their values after a run until the next
// run clears them.
OverflowFlags& SheetOverflowFlags();

// Clears all three tables.
void ClearOverflowFlags(OverflowFlags& flags);
