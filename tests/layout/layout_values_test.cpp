// Grid and cell size values, and the export set over a map's cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "layout/export_set.h"
#include "layout/grid.h"

namespace {

TEST(GridTest, ParsesGridsAndCellSizes) {
  struct Row {
    const char* text;
    int first, second;  // when accepted
    const char* fault;  // when refused
  };
  const Row grids[] = {
      {"16x16", 16, 16, nullptr},
      {"1X1", 1, 1, nullptr},
      {"256x256", 256, 256, nullptr},
      {"032x08", 32, 8, nullptr},
      {"257x1", 0, 0, "The grid must be 1 to 256 columns by 1 to 256 rows: 257x1."},
      {"99999999999999x8", 0, 0,
       "The grid must be 1 to 256 columns by 1 to 256 rows: 99999999999999x8."},
      {"16", 0, 0, "The grid \"16\" is not columns x rows, such as 16x16."},
      {" 16x16", 0, 0, "The grid \" 16x16\" is not columns x rows, such as 16x16."},
      {"8x8x8", 0, 0, "The grid \"8x8x8\" is not columns x rows, such as 16x16."},
      {"", 0, 0, "The grid \"\" is not columns x rows, such as 16x16."},
  };
  for (const Row& row : grids) {
    SCOPED_TRACE(row.text);
    const Result<Grid> grid = ParseGrid(row.text);
    EXPECT_EQ(grid.message(), row.fault ? row.fault : "");
    ASSERT_EQ(grid.ok(), !row.fault);
    if (grid) {
      EXPECT_EQ(grid->columns, row.first);
      EXPECT_EQ(grid->rows, row.second);
    }
  }
  const Row cells[] = {
      {"8x12", 8, 12, nullptr},
      {"64x1", 64, 1, nullptr},
      {"", 0, 0, nullptr},  // square cells of the tile size
      {"80x12", 0, 0, "The cell size must be 1 to 64 pixels: 80x12."},
      {"8x65", 0, 0, "The cell size must be 1 to 64 pixels: 8x65."},
      {"8 x 12", 0, 0, "The cell size \"8 x 12\" is not width x height in pixels, such as 8x12."},
  };
  for (const Row& row : cells) {
    SCOPED_TRACE(row.text);
    const Result<CellSize> cell = ParseCellSize(row.text);
    EXPECT_EQ(cell.message(), row.fault ? row.fault : "");
    ASSERT_EQ(cell.ok(), !row.fault);
    if (cell) {
      EXPECT_EQ(cell->widthPx, row.first);
      EXPECT_EQ(cell->heightPx, row.second);
      EXPECT_EQ(FormatCellSize(*cell), row.text);
    }
  }
}

TEST(GridTest, SheetGeometryAndCapacity) {
  const Grid grid{.columns = 16, .rows = 16};
  const PixelSize cellPx = CellPixels(CellSize{.widthPx = 8, .heightPx = 12}, 16);
  const PixelSize sheet = SheetPixels(grid, cellPx);
  EXPECT_EQ(sheet.widthPx, 128);
  EXPECT_EQ(sheet.heightPx, 192);
  // The default: 32 x 8 square tiles, as today's 512 x 128 sheet at tile size 16.
  const PixelSize today = SheetPixels(Grid{}, CellPixels(CellSize{}, 16));
  EXPECT_EQ(today.widthPx, 512);
  EXPECT_EQ(today.heightPx, 128);
  EXPECT_EQ(CellColumn(65, grid), 1);
  EXPECT_EQ(CellRow(65, grid), 4);
  EXPECT_EQ(CellColumn(255, Grid{}), 31);
  EXPECT_EQ(CellRow(255, Grid{}), 7);
}

// Pages: ceil(map cells / grid cells), capped by Pages (0: up to 256).
TEST(GridTest, PagesHoldTheMapOrSayHowManyItNeeds) {
  struct Row {
    Grid grid;
    int maxPages;
    int mapCells;
    int pages;
    const char* refusal;  // nullptr: the pages hold the map
  } rows[] = {
      {{32, 8}, 0, 256, 1, nullptr},  // today's sheet
      {{16, 4}, 0, 256, 4, nullptr},
      {{16, 4}, 4, 256, 4, nullptr},
      {{16, 4}, 2, 256, 4, "The character map needs 4 pages of 16x4 cells, but Pages allows 2."},
      {{16, 15}, 1, 256, 2, "The character map needs 2 pages of 16x15 cells, but Pages allows 1."},
      {{3, 1}, 0, 7, 3, nullptr},  // the last page partly filled
      {{1, 1}, 0, 256, 256, nullptr},
      {{1, 1},
       0,
       257,
       257,
       "The character map needs 257 pages of 1x1 cells, but at most 256 are "
       "written."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(FormatGrid(row.grid) + " cap " + std::to_string(row.maxPages));
    EXPECT_EQ(PageCount(row.grid, row.mapCells), row.pages);
    const Status fits = CheckPagesHoldMap(row.grid, row.maxPages, row.mapCells);
    EXPECT_EQ(fits.ok, row.refusal == nullptr);
    if (row.refusal) EXPECT_EQ(fits.message, row.refusal);
  }
}

// The selected cells, ascending.
std::vector<int> Selected(const CellSet& set) {
  std::vector<int> cells;
  for (int cell = 0; cell < static_cast<int>(set.size()); ++cell) {
    if (set[cell]) cells.push_back(cell);
  }
  return cells;
}

std::vector<int> Span(int first, int last, std::vector<int> except = {}) {
  std::vector<int> cells;
  for (int c = first; c <= last; ++c) {
    if (std::find(except.begin(), except.end(), c) == except.end()) cells.push_back(c);
  }
  return cells;
}

TEST(ExportSetTest, ModesOverTheBuiltInMaps) {
  const CharMap cp1252 = BuiltInCharMap(CharMapKind::kCp1252);
  const CharMap cp437 = BuiltInCharMap(CharMapKind::kCp437);
  struct Row {
    const CharMap& map;
    ExportMode mode;
    const char* typed;  // UTF-8
    int from, to;
    std::vector<int> selected;
    const char* note;
  };
  const auto plus = [](std::vector<int> a, std::vector<int> b) {
    a.insert(a.end(), b.begin(), b.end());
    std::sort(a.begin(), a.end());
    return a;
  };
  using M = ExportMode;
  const Row rows[] = {
      // cp1252 keeps the classic code ranges: space and DEL are in, code 0 never.
      {cp1252, M::kNormal, "", 0, 0, Span(32, 127), "cp1252 normal"},
      {cp1252, M::kNormal, "abc", 0, 0, Span(32, 127, {97, 98, 99}), "cp1252 normal, abc"},
      {cp1252, M::kNormal, "\r\n", 0, 0, Span(32, 127), "cp1252 normal, line break"},
      {cp1252, M::kAll, "ä", 0, 0, Span(32, 255, {228}), "cp1252 all but ä"},
      {cp1252, M::kAll, "xx", 0, 0, Span(32, 255, {'x'}), "cp1252 all, typed twice"},
      {cp1252, M::kRange, "a", 65, 90, plus(Span(65, 90), {97}), "cp1252 range, a added"},
      {cp1252, M::kRange, "A", 65, 90, Span(66, 90), "cp1252 range, A taken out"},
      {cp1252, M::kRange, "é", 65, 90, plus(Span(65, 90), {233}), "cp1252 range, é added"},
      {cp1252, M::kRange, "é", 200, 255, Span(200, 255, {233}), "cp1252 range, é taken out"},
      {cp1252, M::kRange, "", 0, 255, Span(1, 255), "cp1252 range 0..255: code 0 never"},
      {cp1252, M::kUserDefined, "", 0, 0, {}, "cp1252 user, empty"},
      {cp1252, M::kUserDefined, "ba\r\nbÿ", 0, 0, {10, 13, 97, 98, 255}, "cp1252 user"},
      {cp1252,
       M::kUserDefined,
       "€\u0081\u4E00\xFF",
       0,
       0,
       {128, 129},
       "cp1252 user: euro and an undefined byte; U+4E00 and a bad byte have no code"},
      // The other maps choose by what their cells hold.
      {cp437, M::kAll, "", 0, 0, Span(1, 255), "cp437 every cell but the empty cell 0"},
      {cp437, M::kAll, "☺A", 0, 0, Span(2, 255, {65}), "cp437 typed characters left out"},
      {cp437, M::kNormal, "", 0, 0, Span(33, 126), "cp437 printable ASCII, no space, no house"},
      {cp437, M::kNormal, "!é", 0, 0, Span(34, 126), "cp437 é is no ASCII cell anyway"},
      {cp437, M::kRange, "", 0, 3, Span(1, 3), "cp437 empty cell 0 not selected"},
      {cp437, M::kRange, "☻A", 1, 3, {1, 3, 65}, "cp437 toggled: out of range set, in cleared"},
      {cp437, M::kRange, "", 250, 999, Span(250, 255), "cp437 to kept to the map"},
      {cp437, M::kUserDefined, "äé☺", 0, 0, {1, 130, 132}, "cp437 accented letters, a smiley"},
      {cp437, M::kUserDefined, "€x\xFF", 0, 0, {120}, "cp437 has no €; bad byte ignored"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.note);
    EXPECT_EQ(Selected(BuildExportSet(row.map, row.mode, row.typed, row.from, row.to)),
              row.selected);
  }
}

TEST(ExportSetTest, ShortMapsAndEmptyCells) {
  // A user map of four cells, the third empty, cell 0 holding a character.
  const CharMap map{.kind = CharMapKind::kFile, .name = "m", .cells = {U'@', U'b', 0, U'b'}};
  EXPECT_EQ(Selected(BuildExportSet(map, ExportMode::kAll, "", 0, 0)), (std::vector{0, 1, 3}));
  EXPECT_EQ(Selected(BuildExportSet(map, ExportMode::kRange, "", 0, 255)), (std::vector{0, 1, 3}));
  EXPECT_EQ(Selected(BuildExportSet(map, ExportMode::kUserDefined, "b", 0, 0)),
            (std::vector{1, 3}));
  EXPECT_EQ(Selected(BuildExportSet(map, ExportMode::kNormal, "@", 0, 0)), (std::vector{1, 3}));
}

}  // namespace
