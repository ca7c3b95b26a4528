// Grid and cell size values, and the export set over cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "layout/cell_export_set.h"
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

  EXPECT_EQ(CheckGridHoldsMap(Grid{.columns = 8, .rows = 8}, 256).message,
            "The grid 8x8 holds 64 cells, but the character map has 256.");
  EXPECT_TRUE(CheckGridHoldsMap(grid, 256));
  EXPECT_FALSE(CheckGridHoldsMap(Grid{.columns = 1, .rows = 1}, 2));
}

TEST(CellExportSetTest, ModesOverCp437) {
  const CharMap cp437 = BuiltInCharMap(CharMapKind::kCp437);
  struct Row {
    CellExportMode mode;
    const char* typed;
    int from, to;
    std::vector<int> selected;  // ascending
    const char* note;
  };
  const auto span = [](int first, int last, std::vector<int> except = {}) {
    std::vector<int> cells;
    for (int c = first; c <= last; ++c) {
      if (std::find(except.begin(), except.end(), c) == except.end()) cells.push_back(c);
    }
    return cells;
  };
  const Row rows[] = {
      {CellExportMode::kAll, "", 0, 0, span(1, 255), "every cell but the empty cell 0"},
      {CellExportMode::kAll, "☺A", 0, 0, span(2, 255, {65}), "typed characters left out"},
      {CellExportMode::kNormal, "", 0, 0, span(33, 126), "printable ASCII, no space, no house"},
      {CellExportMode::kNormal, "!é", 0, 0, span(34, 126), "é is no ASCII cell anyway"},
      {CellExportMode::kRange, "", 0, 3, span(1, 3), "empty cell 0 not selected"},
      {CellExportMode::kRange, "☻A", 1, 3, {1, 3, 65}, "toggled: out of range set, in cleared"},
      {CellExportMode::kRange, "", 250, 999, span(250, 255), "to kept to the map"},
      {CellExportMode::kUserDefined, "äé☺", 0, 0, {1, 130, 132}, "accented letters and a smiley"},
      {CellExportMode::kUserDefined, "€x\xFF", 0, 0, {120}, "€ is not in cp437; bad byte ignored"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.note);
    const CellSet set = BuildCellExportSet(cp437, row.mode, row.typed, row.from, row.to);
    std::vector<int> selected;
    for (int cell = 0; cell < 256; ++cell) {
      if (set[cell]) selected.push_back(cell);
    }
    EXPECT_EQ(selected, row.selected);
  }
}

TEST(CellExportSetTest, ShortMapsAndEmptyCells) {
  // A user map of four cells, the third empty, cell 0 holding a character.
  const CharMap map{.kind = CharMapKind::kFile, .name = "m", .cells = {U'@', U'b', 0, U'b'}};
  const CellSet all = BuildCellExportSet(map, CellExportMode::kAll, "", 0, 0);
  EXPECT_TRUE(all[0] && all[1] && !all[2] && all[3] && !all[4]);
  const CellSet range = BuildCellExportSet(map, CellExportMode::kRange, "", 0, 255);
  EXPECT_TRUE(range[0] && range[1] && !range[2] && range[3] && !range[4] && !range[255]);
  const CellSet typed = BuildCellExportSet(map, CellExportMode::kUserDefined, "b", 0, 0);
  EXPECT_TRUE(!typed[0] && typed[1] && !typed[2] && typed[3]);
  const CellSet normal = BuildCellExportSet(map, CellExportMode::kNormal, "@", 0, 0);
  EXPECT_TRUE(!normal[0] && normal[1] && !normal[2] && normal[3]);
}

}  // namespace
