// The layout fields (character map, grid columns and rows, cell width and height) read
// as values. Each reader returns "" and sets its value, or the message saying why the
// fields cannot be used; none of them shows anything. Where the host's messages name
// fields (the window), a message names the field ("Rows must be 1 to 256."); elsewhere
// it speaks the command line's syntax ("The grid \"32x0\" ...").
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/status.h"
#include "dialog/dialog.h"
#include "layout/charmap.h"
#include "layout/grid.h"

// The built-in maps as the window's list shows them, with the names the field holds.
struct CharMapEntry {
  std::string_view label;  // "Code page 437"
  std::string_view name;   // "cp437"
};
inline constexpr std::array<CharMapEntry, 4> kCharMapEntries = {{
    {"Windows-1252", "cp1252"},
    {"Code page 437", "cp437"},
    {"TCOD", "tcod"},
    {"Every character of the font", "font"},
}};
// The entry that asks for Unicode ranges, after the built-in ones, and the list's last
// entry, which asks for a map file.
inline constexpr std::string_view kCharMapRangesLabel = "Unicode ranges ...";
inline constexpr std::string_view kCharMapFromFileLabel = "From file ...";

// A character map name longer than this is refused rather than cut.
inline constexpr std::size_t kMaxCharMapNameBytes = 4096;

// The character map field: "cp1252", "cp437", "tcod", "font", "unicode:RANGES" or a
// file path.
Result<CharMapChoice> ReadCharMapField(Dialog& dlg);

// Columns and rows, each 1 to 256; both empty for kAutoGrid (the grid left out).
Result<Grid> ReadGridFields(Dialog& dlg);
// Writes grid into the Columns and Rows fields, both empty for kAutoGrid.
void WriteGridFields(Dialog& dlg, const Grid& grid);

// Cell width and height: both empty for square cells of the tile size, else each 1 to 64.
Result<CellSize> ReadCellFields(Dialog& dlg);

// The cell in pixels that the fields describe: the cell fields, or the tile size when
// they are empty (or unusable: validation has refused those before a run).
PixelSize ReadCellPixels(Dialog& dlg);
