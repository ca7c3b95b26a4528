// Overflow trimming on hand-filled bitmaps: which lines are cleared, which flags drop,
// and that nothing but the trimmed pixels changes.
#include "color/trim.h"

#include <gtest/gtest.h>

#include <vector>

#include "color_test_support.h"

namespace {

const ColorTriple kBg{255, 0, 255};
const Bgra kBgPixel{255, 0, 255, 255};
const Bgra kInk{10, 20, 30, 255};

void Put(Bitmap32* bitmap, int x, int y, const Bgra& color) {
  const int height = bitmap->height;
  std::uint8_t* p = ScanLine(bitmap, height - 1 - y) + 4 * x;
  for (int k = 0; k < 4; ++k) p[k] = static_cast<std::uint8_t>(color[k]);
}

// A sheet bitmap of BgColor with ink at the given pixels.
Bitmap32Handle MakeSheetBitmap(int tileSize, const std::vector<std::pair<int, int>>& ink) {
  Bitmap32Handle bitmap = MakeMarkedBitmap(32 * tileSize, 8 * tileSize);
  for (int y = 0; y < 8 * tileSize; ++y)
    for (int x = 0; x < 32 * tileSize; ++x) Put(bitmap.get(), x, y, kBgPixel);
  for (const auto& [x, y] : ink) Put(bitmap.get(), x, y, kInk);
  return bitmap;
}

TEST(TrimTest, ClearsIsolatedPixelsOnly) {
  // Code 65 at tile size 8 is tile (1, 2): its last column is x = 15, y = 16..23. Ink at
  // rows 18 and 20 goes; ink beside the line (x = 14, and x = 16 in the next tile) stays.
  Bitmap32Handle wide = MakeSheetBitmap(8, {{15, 18}, {14, 18}, {14, 19}, {16, 19}});
  Put(wide.get(), 15, 20, Bgra{255, 0, 254, 77});  // one byte off BgColor is ink too
  Bitmap32Handle expected = MakeSheetBitmap(8, {{14, 18}, {14, 19}, {16, 19}});
  Put(expected.get(), 15, 20, Bgra{255, 0, 255, 77});  // the alpha byte keeps its value
  OverflowFlags flags;
  flags.tooWide[65] = 1;
  TrimTooWide(wide.get(), 65, 64, 8, kBg, flags);
  EXPECT_EQ(flags.tooWide[65], 0);
  EXPECT_EQ(BitmapBytes(wide.get()), BitmapBytes(expected.get()));

  // Code 103 is tile (7, 3): its bottom row is y = 31, x = 56..63. Ink at every other
  // pixel goes; the row above stays.
  Bitmap32Handle high = MakeSheetBitmap(8, {{56, 31}, {58, 31}, {60, 31}, {62, 31}, {57, 30}});
  flags.tooHigh[103] = 1;
  TrimTooHigh(high.get(), 103, 64, 8, kBg, flags);
  EXPECT_EQ(flags.tooHigh[103], 0);
  EXPECT_EQ(BitmapBytes(high.get()), BitmapBytes(MakeSheetBitmap(8, {{57, 30}}).get()));

  // Two adjacent glyph pixels on the line: nothing changes, the flag stays.
  const std::vector<std::pair<int, int>> adjacentColumn = {{15, 16}, {15, 18}, {15, 19}};
  const std::vector<std::pair<int, int>> adjacentRow = {{56, 31}, {60, 31}, {61, 31}};
  Bitmap32Handle keptWide = MakeSheetBitmap(8, adjacentColumn);
  Bitmap32Handle keptHigh = MakeSheetBitmap(8, adjacentRow);
  flags.tooWide[65] = flags.tooHigh[103] = 1;
  TrimTooWide(keptWide.get(), 65, 64, 8, kBg, flags);
  TrimTooHigh(keptHigh.get(), 103, 64, 8, kBg, flags);
  EXPECT_EQ(flags.tooWide[65], 1);
  EXPECT_EQ(flags.tooHigh[103], 1);
  EXPECT_EQ(BitmapBytes(keptWide.get()), BitmapBytes(MakeSheetBitmap(8, adjacentColumn).get()));
  EXPECT_EQ(BitmapBytes(keptHigh.get()), BitmapBytes(MakeSheetBitmap(8, adjacentRow).get()));
}

TEST(TrimTest, TrimOverflowWalksBothTablesAndLeavesWideAndHighAlone) {
  // Code 66: last column x = 23; code 98: bottom row y = 31 from x = 16; code 200: bottom
  // row y = 55 from x = 64; code 201: last column x = 79, rows 48..55.
  Bitmap32Handle bitmap = MakeSheetBitmap(8, {{23, 17}, {19, 31}, {64, 55}, {65, 55}, {79, 50}});
  OverflowFlags flags;
  flags.tooWide[0] = 1;  // empty line: nothing written, flag cleared
  flags.tooWide[66] = 1;
  flags.tooHigh[98] = 1;
  flags.tooHigh[200] = 1;         // adjacent pixels: kept
  flags.tooWideAndHigh[201] = 1;  // never trimmed
  TrimOverflow(bitmap.get(), 64, 8, kBg, flags);
  EXPECT_EQ(flags.tooWide[0] + flags.tooWide[66] + flags.tooHigh[98], 0);
  EXPECT_EQ(flags.tooHigh[200], 1);
  EXPECT_EQ(flags.tooWideAndHigh[201], 1);
  EXPECT_EQ(BitmapBytes(bitmap.get()),
            BitmapBytes(MakeSheetBitmap(8, {{64, 55}, {65, 55}, {79, 50}}).get()));

  // The overloads without flags work on the program's own tables.
  ClearOverflowFlags(SheetOverflowFlags());
  SheetOverflowFlags().tooHigh[200] = 1;
  SheetOverflowFlags().tooWide[5] = 1;
  TrimOverflow(bitmap.get(), 64, 8, kBg);
  EXPECT_EQ(SheetOverflowFlags().tooHigh[200], 1);
  EXPECT_EQ(SheetOverflowFlags().tooWide[5], 0);
  ClearOverflowFlags(SheetOverflowFlags());
}

TEST(TrimTest, TileSizeOneAndOutOfRangeBackground) {
  // Tile size 1: the line is one pixel, so a flagged character is always trimmed.
  Bitmap32Handle tiny = MakeSheetBitmap(1, {{1, 1}, {2, 1}});
  OverflowFlags flags;
  flags.tooWide[33] = 1;
  flags.tooHigh[34] = 1;
  TrimOverflow(tiny.get(), 8, 1, kBg, flags);
  EXPECT_EQ(flags.tooWide[33] + flags.tooHigh[34], 0);
  EXPECT_EQ(BitmapBytes(tiny.get()), BitmapBytes(MakeSheetBitmap(1, {}).get()));

  // A BgColor component outside 0..255 matches no byte: every pixel is a glyph pixel,
  // so a line longer than one pixel holds adjacent ones and stays.
  Bitmap32Handle bitmap = MakeSheetBitmap(4, {});
  flags.tooWide[1] = 1;
  TrimTooWide(bitmap.get(), 1, 32, 4, ColorTriple{255 + 256, 0, 255}, flags);
  EXPECT_EQ(flags.tooWide[1], 1);
  EXPECT_EQ(BitmapBytes(bitmap.get()), BitmapBytes(MakeSheetBitmap(4, {}).get()));
}

}  // namespace
