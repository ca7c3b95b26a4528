// Parses and checks the grid and the cell size.
#include "layout/grid.h"

#include <algorithm>
#include <optional>

namespace {

// Any count above this is out of range; counting stops there so that a long string of
// digits cannot overflow.
constexpr long kCountCap = 1'000'000'000L;

constexpr std::string_view kAutoGridName = "auto";

struct Pair {
  int first = 0;
  int second = 0;
};

// "AxB" as two decimal numbers, or none when the text has another shape.
std::optional<Pair> ParsePair(std::string_view text) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string_view::npos) return std::nullopt;
  const std::optional<int> first = ParseCount(text.substr(0, x));
  const std::optional<int> second = ParseCount(text.substr(x + 1));
  if (!first || !second) return std::nullopt;
  return Pair{.first = *first, .second = *second};
}

}  // namespace

std::optional<int> ParseCount(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = std::min(value * 10 + (c - '0'), kCountCap);
  }
  return static_cast<int>(value);
}

Result<Grid> ParseGrid(std::string_view text) {
  if (text == kAutoGridName) return kAutoGrid;
  const std::optional<Pair> pair = ParsePair(text);
  if (!pair) {
    return Failure("The grid \"" + std::string(text) + "\" is not columns x rows, such as 16x16.");
  }
  if (pair->first < 1 || pair->first > kMaxGridColumns || pair->second < 1 ||
      pair->second > kMaxGridRows) {
    return Failure("The grid must be 1 to " + std::to_string(kMaxGridColumns) +
                   " columns by 1 to " + std::to_string(kMaxGridRows) +
                   " rows: " + std::string(text) + ".");
  }
  return Grid{.columns = pair->first, .rows = pair->second};
}

Result<CellSize> ParseCellSize(std::string_view text) {
  if (text.empty()) return CellSize{};
  const std::optional<Pair> pair = ParsePair(text);
  if (!pair) {
    return Failure("The cell size \"" + std::string(text) +
                   "\" is not width x height in pixels, such as 8x12.");
  }
  if (pair->first < 1 || pair->first > kMaxCellPx || pair->second < 1 ||
      pair->second > kMaxCellPx) {
    return Failure("The cell size must be 1 to " + std::to_string(kMaxCellPx) +
                   " pixels: " + std::string(text) + ".");
  }
  return CellSize{.widthPx = pair->first, .heightPx = pair->second};
}

std::string FormatGrid(const Grid& grid) {
  if (IsAutoGrid(grid)) return std::string(kAutoGridName);
  return std::to_string(grid.columns) + "x" + std::to_string(grid.rows);
}

std::string FormatCellSize(const CellSize& cell) {
  if (IsSquareTileCell(cell)) return "";
  return std::to_string(cell.widthPx) + "x" + std::to_string(cell.heightPx);
}

PixelSize CellPixels(const CellSize& cell, int tileSizePx) {
  if (IsSquareTileCell(cell)) return {.widthPx = tileSizePx, .heightPx = tileSizePx};
  return {.widthPx = cell.widthPx, .heightPx = cell.heightPx};
}

PixelSize SheetPixels(const Grid& grid, const PixelSize& cellPx) {
  return {.widthPx = grid.columns * cellPx.widthPx, .heightPx = grid.rows * cellPx.heightPx};
}

Grid AutoGrid(int mapCells) {
  // 16 columns keep a row to one hex digit of the code point for a small map; 32 keep a
  // large map's sheet from growing far taller than wide.
  const int columns = mapCells > kNarrowAutoGridCells ? 32 : 16;
  const int rows = std::clamp((mapCells + columns - 1) / columns, 1, kMaxGridRows);
  return Grid{.columns = columns, .rows = rows};
}

int PageCount(const Grid& grid, int mapCells) {
  const int gridCells = std::max(grid.columns * grid.rows, 1);
  return std::max(1, (mapCells + gridCells - 1) / gridCells);
}

Status CheckPagesHoldMap(const Grid& grid, int maxPages, int mapCells) {
  const int pages = PageCount(grid, mapCells);
  const int allowed = maxPages > 0 ? std::min(maxPages, kMaxPages) : kMaxPages;
  if (pages <= allowed) return {};
  const std::string needs = "The character map needs " + std::to_string(pages) + " pages of " +
                            FormatGrid(grid) + " cells, ";
  if (maxPages > 0 && maxPages <= kMaxPages) {
    return Failure(needs + "but Pages allows " + std::to_string(maxPages) + ".");
  }
  return Failure(needs + "but at most " + std::to_string(kMaxPages) + " are written.");
}
