// The OverflowFlags: which character codes (cells) overflowed their tile in the last
// export run. The composition sets them, the trimming clears single entries, the report
// lists what is left. With the cp1252 map a code is in at most one table.
#pragma once

#include <cstdint>
#include <vector>

#include "base/char_codes.h"

// Each table has one entry per cell, indexed by cell: kCodes (the classic tables) unless
// made for a larger map by OverflowFlagsFor. A cell beyond the tables is never flagged.
struct OverflowFlags {
  std::vector<std::uint8_t> tooWide = std::vector<std::uint8_t>(kCodes);  // nonzero: flagged
  std::vector<std::uint8_t> tooHigh = std::vector<std::uint8_t>(kCodes);
  std::vector<std::uint8_t> tooWideAndHigh = std::vector<std::uint8_t>(kCodes);
  // Maps other than cp1252 move no glyph: their ink outside the cell is cut, and a cell
  // is flagged for each side it left by (too wide: left or right; too high: above; too
  // low: below), in tooWide, tooHigh and this table, never in tooWideAndHigh.
  std::vector<std::uint8_t> tooLow = std::vector<std::uint8_t>(kCodes);
};

// Clear flags for a map of mapCells cells: tables of that many entries, at least kCodes.
OverflowFlags OverflowFlagsFor(int mapCells);

// The number of cells the tables hold.
inline int FlaggableCells(const OverflowFlags& flags) {
  return static_cast<int>(flags.tooWide.size());
}

// The program's one set of flags. They keep their values after a run until the next
// run clears them.
OverflowFlags& SheetOverflowFlags();

// Clears every table, back to the classic kCodes entries.
void ClearOverflowFlags(OverflowFlags& flags);
