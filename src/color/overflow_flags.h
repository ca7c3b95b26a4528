// The OverflowFlags: which character codes overflowed their tile in the last export
// run. The composition sets them, the trimming clears single entries, the report
// lists what is left. With the cp1252 map a code is in at most one table.
#pragma once

#include <array>
#include <cstdint>

#include "base/char_codes.h"

struct OverflowFlags {
  std::array<std::uint8_t, kCodes> tooWide{};  // nonzero: flagged, by character code
  std::array<std::uint8_t, kCodes> tooHigh{};
  std::array<std::uint8_t, kCodes> tooWideAndHigh{};
  // Maps other than cp1252 move no glyph: their ink outside the cell is cut, and a cell
  // is flagged for each side it left by (too wide: left or right; too high: above; too
  // low: below), in tooWide, tooHigh and this table, never in tooWideAndHigh.
  std::array<std::uint8_t, kCodes> tooLow{};
};

// The program's one set of flags. They keep their values after a run until the next
// run clears them.
OverflowFlags& SheetOverflowFlags();

// Clears all three tables.
void ClearOverflowFlags(OverflowFlags& flags);
