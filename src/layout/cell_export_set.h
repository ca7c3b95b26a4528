// The export set over the cells of a character map other than cp1252: which cells the
// export run draws. (With cp1252 the export set of the codes applies, unchanged.)
#pragma once

#include <array>
#include <string_view>

#include "layout/charmap.h"

// One flag per cell index. Cells beyond the map and empty cells are never set.
using CellSet = std::array<bool, kMaxMapCells>;

// The export modes, with the same values as the modes' byte codes in the settings file.
enum class CellExportMode { kNormal = 1, kAll = 2, kUserDefined = 3, kRange = 4 };

// The flags of a mode over map's cells, given the typed characters as UTF-8 (a typed
// character selects every cell that holds it; one no cell holds selects nothing):
//   All:         every cell that holds a character (cell 0 too when it holds one),
//                then the typed characters' cells cleared;
//   Normal:      the cells that hold U+0021..U+007E, then the typed characters'
//                cells cleared;
//   Range:       the cells from..to that hold a character, then each typed
//                character's cells set when outside from..to and cleared when inside;
//   UserDefined: exactly the typed characters' cells.
// from and to are cell indices, read only in Range mode; out-of-range values are kept
// to the map's cells.
CellSet BuildCellExportSet(const CharMap& map, CellExportMode mode, std::string_view utf8Text,
                           int from, int to);
