// Sheets over grids of cells: the same glyphs in CP437 cells as in Windows-1252 ones,
// blocks and box lines that fill their cells, and fills and trimming that follow a
// cell that is not square.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../color/color_test_support.h"
#include "color/fillers.h"
#include "color/trim.h"
#include "render/overflow_report.h"
#include "render/sheet_pipeline.h"

namespace {

struct QuietSink : MessageSink {
  std::vector<std::string> texts;
  void Show(std::string_view text, std::string_view, MessageIcon) override {
    texts.emplace_back(text);
  }
};

constexpr ColorTriple kBg{255, 0, 255};

SheetOptions AllCells(const char* face, int height, CharMapKind map, Grid grid, CellSize cell) {
  SheetOptions options;
  options.font = FontRequest{face, height, 0, 400, false, false};
  options.tileSize = 16;
  options.cell = cell;
  options.grid = grid;
  options.charMap = BuiltInCharMap(map);
  options.colorSteps = 1;
  options.bg = kBg;
  options.top = options.sub = {255, 255, 255};
  options.exportMode = ExportMode::kAll;
  options.colorMode = ColorMode::kGradient;
  return options;
}

// The lit pixels of one cell, row by row: anything but the background.
std::vector<bool> CellInk(const Sheet& sheet, Grid grid, PixelSize cell, int index) {
  std::vector<bool> ink;
  const int left = cell.widthPx * (index % grid.columns);
  const int top = cell.heightPx * (index / grid.columns);
  for (int y = top; y < top + cell.heightPx; ++y) {
    for (int x = left; x < left + cell.widthPx; ++x) {
      const Bgra p = SheetPixel(sheet.bitmap.get(), x, y);
      ink.push_back(p[0] != kBg.blue || p[1] != kBg.green || p[2] != kBg.red);
    }
  }
  return ink;
}

int Count(const std::vector<bool>& ink) {
  int n = 0;
  for (bool b : ink) n += b;
  return n;
}

TEST(CellSheetTest, Cp437CellsHoldTheSameGlyphsAsWindows1252Codes) {
  // Against a map file of the Windows-1252 characters in code order, which keeps the
  // same one baseline as cp437.
  QuietSink sink;
  const Grid wide{32, 8}, square{16, 16};
  const PixelSize cell{16, 16};
  SheetOptions inCodeOrder = AllCells("DejaVu Sans", 14, CharMapKind::kCp1252, wide, {});
  inCodeOrder.charMap.kind = CharMapKind::kFile;
  inCodeOrder.charMap.name = "windows-1252.txt";
  const auto cp1252 = RenderSheet(inCodeOrder, sink);
  const auto cp437 =
      RenderSheet(AllCells("DejaVu Sans", 14, CharMapKind::kCp437, square, {}), sink);
  ASSERT_TRUE(cp1252 && cp437);
  EXPECT_TRUE(sink.texts.empty());
  ASSERT_EQ(cp437->width, 256);
  ASSERT_EQ(cp437->height, 256);

  // {cp437 cell, Windows-1252 code}: the code pages' own tables.
  std::vector<std::pair<int, int>> pairs = {{132, 228} /* ä */, {130, 233} /* é */,
                                            {128, 199} /* Ç */, {164, 241} /* ñ */,
                                            {154, 220} /* Ü */, {225, 223} /* ß */};
  for (int c = '0'; c <= 'z'; ++c) {
    if ((c <= '9') || (c >= 'A' && c <= 'Z') || c >= 'a') pairs.push_back({c, c});
  }
  for (auto [cell437, code] : pairs) {
    SCOPED_TRACE(testing::Message() << "cell " << cell437 << " code " << code);
    const std::vector<bool> a = CellInk(*cp437, square, cell, cell437);
    EXPECT_GT(Count(a), 0);
    EXPECT_EQ(a, CellInk(*cp1252, wide, cell, code));
  }
}

TEST(CellSheetTest, BlocksShadesAndBoxLinesFillTheirCells) {
  // DejaVu Sans Mono at height 16 advances more than 8 px, so its box lines reach
  // across the whole 8 x 16 cell.
  QuietSink sink;
  const Grid grid{16, 16};
  const PixelSize cell{8, 16};
  const auto sheet =
      RenderSheet(AllCells("DejaVu Sans Mono", 16, CharMapKind::kCp437, grid, {8, 16}), sink);
  ASSERT_TRUE(sheet);
  const int area = cell.widthPx * cell.heightPx;

  EXPECT_GT(Count(CellInk(*sheet, grid, cell, 219)), area * 3 / 4);  // █
  const int light = Count(CellInk(*sheet, grid, cell, 176));         // ░
  const int medium = Count(CellInk(*sheet, grid, cell, 177));        // ▒
  const int dark = Count(CellInk(*sheet, grid, cell, 178));          // ▓
  EXPECT_LT(0, light);
  EXPECT_LT(light, medium);
  EXPECT_LT(medium, dark);

  // ─ (196): one or two rows, each across the whole cell. │ (179): one or two columns,
  // down the whole cell.
  const std::vector<bool> horizontal = CellInk(*sheet, grid, cell, 196);
  int rows = 0;
  for (int y = 0; y < cell.heightPx; ++y) {
    int lit = 0;
    for (int x = 0; x < cell.widthPx; ++x) lit += horizontal[y * cell.widthPx + x];
    if (lit == 0) continue;
    ++rows;
    EXPECT_EQ(lit, cell.widthPx) << "row " << y;
  }
  EXPECT_GE(rows, 1);
  EXPECT_LE(rows, 2);
  const std::vector<bool> vertical = CellInk(*sheet, grid, cell, 179);
  int columns = 0;
  for (int x = 0; x < cell.widthPx; ++x) {
    int lit = 0;
    for (int y = 0; y < cell.heightPx; ++y) lit += vertical[y * cell.widthPx + x];
    if (lit == 0) continue;
    ++columns;
    EXPECT_EQ(lit, cell.heightPx) << "column " << x;
  }
  EXPECT_GE(columns, 1);
  EXPECT_LE(columns, 2);
}

// A sheet surface of grid x cell, lit where lit(x, y) says, with a lit margin the fills
// must not read.
GlyphSurface MakeCellSheet(int width, int height, bool (*lit)(int, int)) {
  GlyphSurface sheet;
  EXPECT_TRUE(ResizePixelSurface(sheet.pixels, width + 50, height + 50));
  for (int y = 0; y < height + 50; ++y) {
    for (int x = 0; x < width + 50; ++x) {
      if (x >= width || y >= height || lit(x, y)) sheet.pixels.pixels[y * (width + 50) + x] = 1;
    }
  }
  return sheet;
}

TEST(CellSheetTest, BandsAndReliefFollowTheCellHeightAndWidth) {
  // 9 x 12 cells in a 5 x 3 grid: 45 x 36 pixels. Four bands of three rows each.
  const PixelSize cell{9, 12};
  const int width = 45, height = 36;
  const ColorTriple top{200, 100, 40}, sub{60, 20, 200};
  FillValues values{.width = width,
                    .height = height,
                    .cell = cell,
                    .colorSteps = 4.0f,
                    .top = top,
                    .sub = sub,
                    .bg = kBg};

  const GlyphSurface all = MakeCellSheet(width, height, [](int, int) { return true; });
  Bitmap32Handle bands = MakeMarkedBitmap(width, height);
  ASSERT_TRUE(FillSheet(ColorMode::kGradient, bands.get(), all, values));
  ExpectEveryPixel(bands.get(), width, height, [&](int, int y) {
    const int band = (y % 12) / 3;  // rows 0-2, 3-5, 6-8, 9-11 of each cell
    auto at = [&](int t, int s) { return t + (s - t) * band / 4; };  // exact: quarters
    return Bgra{at(top.blue, sub.blue), at(top.green, sub.green), at(top.red, sub.red), 255};
  });

  const GlyphSurface pattern = MakeCellSheet(width, height, PatternLit);
  Bitmap32Handle relief = MakeMarkedBitmap(width, height);
  ASSERT_TRUE(FillSheet(ColorMode::kRelief, relief.get(), pattern, values));
  auto lit = [&](int x, int y) { return x < width && y < height && PatternLit(x, y); };
  ExpectEveryPixel(relief.get(), width, height, [&](int x, int y) {
    if (!lit(x, y)) return Bgra{kBg.blue, kBg.green, kBg.red, 255};
    const int column = x % 9, row = y % 12;
    bool useTop = true;
    if (column == 0 || row == 0 || !lit(x - 1, y - 1)) {
      useTop = true;
    } else if (column == 8 || !lit(x + 1, y) || row == 11 || !lit(x + 1, y + 1)) {
      useTop = false;
    }
    const ColorTriple& c = useTop ? top : sub;
    return Bgra{c.blue, c.green, c.red, 255};
  });
}

TEST(CellSheetTest, TrimmingWalksTheRightColumnAndBottomRowOfEachCell) {
  // 9 x 12 cells in a 5 x 3 grid. Cell 7 sits at column 2, row 1: its right column is
  // x = 26 (rows 12..23); cell 11 at column 1, row 2: its bottom row is y = 35 (x 9..17).
  const Grid grid{5, 3};
  const PixelSize cell{9, 12};
  Bitmap32Handle bitmap = MakeMarkedBitmap(45, 36);
  const GlyphSurface none = MakeCellSheet(45, 36, [](int, int) { return false; });
  FillValues values{.width = 45,
                    .height = 36,
                    .cell = cell,
                    .colorSteps = 1.0f,
                    .top = {1, 2, 3},
                    .sub = {1, 2, 3},
                    .bg = kBg};
  ASSERT_TRUE(FillSheet(ColorMode::kGradient, bitmap.get(), none, values));
  auto paint = [&](int x, int y) {
    std::uint8_t* p = ScanLine(bitmap.get(), 35 - y) + 4 * x;
    p[0] = p[1] = p[2] = 7;
  };
  const std::pair<int, int> trimmed[] = {{26, 13}, {26, 15}, {26, 22}, {10, 35}, {12, 35}};
  const std::pair<int, int> kept[] = {{25, 14},           // beside cell 7's right column
                                      {26, 24},           // below it, in cell 12
                                      {35, 2},  {35, 3},  // two adjacent in cell 3's
                                      {13, 34},           // above cell 11's bottom row
                                      {18, 35}};          // beside it, in cell 12
  for (auto [x, y] : trimmed) paint(x, y);
  for (auto [x, y] : kept) paint(x, y);
  OverflowFlags flags;
  flags.tooWide[7] = flags.tooWide[3] = flags.tooHigh[11] = 1;
  TrimOverflow(bitmap.get(), grid, cell, kBg, flags);

  for (auto [x, y] : trimmed) {
    EXPECT_EQ(SheetPixel(bitmap.get(), x, y), (Bgra{kBg.blue, kBg.green, kBg.red, 255}))
        << x << "," << y;
  }
  for (auto [x, y] : kept) EXPECT_EQ(SheetPixel(bitmap.get(), x, y), (Bgra{7, 7, 7, 255}));
  EXPECT_EQ(flags.tooWide[7], 0);
  EXPECT_EQ(flags.tooHigh[11], 0);
  EXPECT_EQ(flags.tooWide[3], 1);
}

TEST(CellSheetTest, ReportOfAnotherMapListsItsCharactersAsUtf8) {
  OverflowFlags flags;
  flags.tooWide[1] = flags.tooWide[219] = 1;
  flags.tooHigh[0] = 1;  // empty in cp437: nothing to list
  flags.tooLow[219] = 1;
  EXPECT_EQ(BuildOverflowReport(flags, BuiltInCharMap(CharMapKind::kCp437)),
            "Too wide characters:\r\n\xE2\x98\xBA\xE2\x96\x88\r\nToo high characters:\r\n[none]"
            "\r\nToo low characters:\r\n\xE2\x96\x88");
}

}  // namespace
