// Descriptors: text files written beside a sheet that tell another program where each
// character sits. Pure functions from a sheet's values to the file's bytes.
//
//   FntDescriptor      the text form of the bitmap-font descriptor that game engines read
//   JsonDescriptor     the same facts, and each cell's ink box, as JSON
//   CHeaderDescriptor  the cells as 1-bit rows in a C header, for firmware
//   CIdentifier        a base name made into the prefix of the C header's names
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "layout/grid.h"
#include "text/pixel_surface.h"

// A page after the first of a sheet whose map takes several (see SheetDescription).
struct PageDescription {
  std::string fileName;                    // as sheetFileName
  const PixelSurface* coverage = nullptr;  // as SheetDescription::coverage
};

// What the descriptors are made from. The spans and the coverage belong to the caller and
// must outlive the call.
struct SheetDescription {
  std::string sheetFileName;  // the sheet's file name without its folder, UTF-8
  std::string face;           // typeface name, UTF-8
  int fontSizePx = 0;         // the requested character height
  bool bold = false;
  bool italic = false;
  int widthPx = 0;  // the sheet
  int heightPx = 0;
  Grid grid;
  PixelSize cellPx;
  int baselineRow = 0;                     // the baseline's row within a cell, 0..cell height
  std::string mapName;                     // "cp1252", "cp437", "tcod" or the map file's path
  std::span<const char32_t> mapCells;      // the code point of each cell; 0 = empty
  std::span<const int> cells;              // the exported cells, ascending
  const PixelSurface* coverage = nullptr;  // widthPx x heightPx, top row first; lit = != 0
  // By cell: the fallback face that drew it, "" for the sheet's own face; may be empty.
  std::span<const std::string> cellFaces;
  // A map with more cells than the grid holds takes several sheets (pages) of the same
  // size: cell i lies on page i / (columns x rows), at the grid place of i mod (columns x
  // rows). Page 0 is sheetFileName and coverage; these are pages 1.., empty for one page.
  std::vector<PageDescription> laterPages;
};

// Where a cell lies: its page, its top-left pixel on that page, and that page's coverage
// (nullptr when it has none).
struct CellPlace {
  int page = 0;
  int x = 0;
  int y = 0;
  const PixelSurface* coverage = nullptr;
};
CellPlace PlaceOfCell(const SheetDescription& sheet, int cell);

// How many pages the sheet has: 1 + laterPages.
inline int PageCount(const SheetDescription& sheet) {
  return 1 + static_cast<int>(sheet.laterPages.size());
}

// The file name of page (0..PageCount - 1).
const std::string& PageFileNameOf(const SheetDescription& sheet, int page);

// The text bitmap-font descriptor: info, common, a page line per page (the sheet, then
// the later pages), chars count and a char line per exported cell holding a character (the first of
// a repeated one), each as large as the cell and advancing by its width. Quotes and control
// characters in the face and file names, which the format cannot escape, become "'" and " ".
std::string FntDescriptor(const SheetDescription& sheet);

// Whether the text .fnt can hold text as a value unchanged: no double quote and no
// control character. A sheet's file name that it cannot hold would name another file.
bool FntCanHold(std::string_view text);

// JSON (UTF-8): file, width, height, cell, grid, map, and per exported cell holding a
// character its index, code point, character, "repeatOf" (the first cell of a character
// the map repeats, only on the later cells), "face" (the fallback face that drew it, only
// on cells drawn by one), position and ink box (null without ink), the box relative to
// the cell's top-left corner. With several pages, "pages" (every page's file name, after
// "map") and each cell's "page" (before its position) too.
std::string JsonDescriptor(const SheetDescription& sheet);

// A C header that compiles as C99 and C++: an include guard, the cell size, grid and
// byte counts as macros, a static const unsigned char array of every cell of the grid in
// cell order (with several pages, of every page's cells, cell i on page i / (COLUMNS *
// ROWS), CELL_COUNT counting them all and a PAGES macro) (cell height rows of ceil(cell width / 8)
// bytes, most significant bit leftmost, set where the coverage is at least threshold, 1..255), and
// a table from cell index to code point (0 for a cell that exports no character, or repeats an
// earlier cell's). Every name starts with NAME = CIdentifier(baseName), case kept: the guard
// NAME_H, NAME_bits, NAME_code_points and NAME_CELL_WIDTH and the other macros, so that the headers
// of two sheets can be included together.
std::string CHeaderDescriptor(const SheetDescription& sheet, std::string_view baseName,
                              int threshold = 1);

// The prefix of every name in baseName's C header, different for different base names.
// A plain identifier is used as it is: ASCII letters and digits with single "_" between
// them, starting with a letter, not a C or C++ keyword, and not ending in "_" and 8
// lowercase hex digits. Any other name becomes its ASCII letters and digits, joined by
// "_" where other bytes were ("sheet_" first when that starts with a digit, "sheet"
// when it is empty), then "_" and 8 hex digits of a 32-bit hash (FNV-1a) of the exact
// name: "my font" gives "my_font_" and the hash. Nothing is cut and case is kept, so
// two names give the same prefix only when both are not plain and their hashes meet
// (a chance of one in 4 billion).
std::string CIdentifier(std::string_view baseName);

// The ink box of cell within the cell (lit = coverage != 0), or nothing without ink.
std::optional<PixelRect> CellInkBox(const SheetDescription& sheet, int cell);

// For each entry of sheet.cells, the first exported cell that holds the same character
// when that is an earlier one, else -1 (also for a cell that holds none). A map may
// repeat a character: the .fnt and the C header's code points name its first cell
// only, and the JSON marks the others with "repeatOf".
std::vector<int> RepeatOf(const SheetDescription& sheet);
