// The sheet's grid: 32 x 8 tiles of TileSize pixels, one per 8-bit code.
#pragma once

#include "base/char_codes.h"

inline constexpr int kSheetColumns = 32;
inline constexpr int kSheetRows = 8;

inline int SheetWidth(int tileSize) {
  return tileSize * kSheetColumns;
}
inline int SheetHeight(int tileSize) {
  return tileSize * kSheetRows;
}
