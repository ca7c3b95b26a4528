// The program's OverflowFlags.
#include "color/overflow_flags.h"

OverflowFlags& SheetOverflowFlags() {
  static OverflowFlags flags;
  return flags;
}

void ClearOverflowFlags(OverflowFlags& flags) {
  flags = OverflowFlags{};
}

OverflowFlags OverflowFlagsFor(int mapCells) {
  OverflowFlags flags;
  if (mapCells <= kCodes) return flags;
  const std::size_t cells = static_cast<std::size_t>(mapCells);
  for (auto* table : {&flags.tooWide, &flags.tooHigh, &flags.tooWideAndHigh, &flags.tooLow}) {
    table->assign(cells, 0);
  }
  return flags;
}
