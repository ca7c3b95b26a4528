// The program's OverflowFlags.
#include "color/overflow_flags.h"

OverflowFlags& SheetOverflowFlags() {
  static OverflowFlags flags;
  return flags;
}

void ClearOverflowFlags(OverflowFlags& flags) {
  flags = OverflowFlags{};
}
