// The export set: which cells of a character map the export run draws, from the export
// mode, the characters text and the From/To range.
#pragma once

#include <string_view>
#include <vector>

#include "base/sheet_modes.h"
#include "layout/charmap.h"

// One flag per cell of the map, indexed by cell. Empty cells are never set (so the
// cp1252 map's cell 0, which is empty, is never drawn).
using CellSet = std::vector<bool>;

// The flags of a mode over map's cells, given the typed characters as UTF-8 (a typed
// character selects every cell that holds it; one no cell holds selects nothing):
//   All:         cp1252: cells 32..255; another map: every cell that holds a
//                character (cell 0 too when it holds one); then the typed characters'
//                cells cleared;
//   Normal:      cp1252: cells 32..127; another map: the cells that hold
//                U+0021..U+007E; then the typed characters' cells cleared;
//   Range:       the cells from..to that hold a character, then each typed
//                character's cells set when outside from..to and cleared when inside;
//   UserDefined: exactly the typed characters' cells.
// from and to are cell indices, read only in Range mode; out-of-range values are kept
// to the map's cells.
CellSet BuildExportSet(const CharMap& map, ExportMode mode, std::string_view utf8Text, int from,
                       int to);
