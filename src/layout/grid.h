// The sheet's grid of cells: columns x rows, and the cell size in pixels.
//
// Cell index i sits at column i % columns, row i / columns; the sheet is
// columns * cell width by rows * cell height pixels. The defaults are today's sheet:
// 32 x 8 square cells of the tile size.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/status.h"

inline constexpr int kMaxGridColumns = 256;
inline constexpr int kMaxGridRows = 256;
inline constexpr int kMaxCellPx = 64;

// Both 0 (kAutoGrid): the grid is left out, and chosen from the map (ChooseGrid in
// charmap.h) before anything is drawn.
struct Grid {
  int columns = 32;  // 1..kMaxGridColumns
  int rows = 8;      // 1..kMaxGridRows
};
inline constexpr Grid kAutoGrid{.columns = 0, .rows = 0};

inline bool IsAutoGrid(const Grid& grid) {
  return grid.columns == 0 && grid.rows == 0;
}

// Maps of more cells than this get wider automatic grids.
inline constexpr int kNarrowAutoGridCells = 4096;

// The automatic grid of a map of mapCells cells: 16 columns (32 for more than
// kNarrowAutoGridCells cells) by as many rows as the cells need, 1 to kMaxGridRows (a map
// that needs more rows takes several pages of the largest).

Grid AutoGrid(int mapCells);

// Both 0: square cells of the tile size (the default). Otherwise each 1..kMaxCellPx.
struct CellSize {
  int widthPx = 0;
  int heightPx = 0;
};

struct PixelSize {
  int widthPx = 0;
  int heightPx = 0;
};

// A count written in decimal digits alone (no sign, no space), or none. Counts beyond
// a billion read as a billion, so that no string of digits overflows.
std::optional<int> ParseCount(std::string_view digits);

// "CxR" (decimal, "x" or "X" between, nothing else), each 1 to 256, or "auto" for
// kAutoGrid; else fails with the message naming the text.
Result<Grid> ParseGrid(std::string_view text);

// "WxH" in pixels, each 1 to 64; "" gives square cells of the tile size. Else fails
// with the message naming the text.
Result<CellSize> ParseCellSize(std::string_view text);

// "32x8" ("auto" for kAutoGrid); "8x12", or "" for square cells of the tile size: what the
// parsers read back.
std::string FormatGrid(const Grid& grid);
std::string FormatCellSize(const CellSize& cell);

// True when cell follows the tile size.
inline bool IsSquareTileCell(const CellSize& cell) {
  return cell.widthPx == 0 && cell.heightPx == 0;
}

// The cell in pixels: cell itself, or tileSizePx square when it follows the tile size.
PixelSize CellPixels(const CellSize& cell, int tileSizePx);

// The whole sheet in pixels.
PixelSize SheetPixels(const Grid& grid, const PixelSize& cellPx);

inline int CellColumn(int cell, const Grid& grid) {
  return cell % grid.columns;
}
inline int CellRow(int cell, const Grid& grid) {
  return cell / grid.columns;
}

// Pages: a map with more cells than the grid holds is written as several sheets, page k
// holding cells k * G to k * G + G - 1 (G = columns x rows) at the grid places of
// cell mod G. kMaxPages is the most a run writes; a pages cap of 0 allows that many.
inline constexpr int kMaxPages = 256;

// How many pages of grid mapCells take: at least 1.
int PageCount(const Grid& grid, int mapCells);

// Success when mapCells fit maxPages pages of grid (0: kMaxPages), else the failure
// naming the pages needed: "The character map needs 4 pages of 16x4 cells, but Pages
// allows 2."
Status CheckPagesHoldMap(const Grid& grid, int maxPages, int mapCells);
