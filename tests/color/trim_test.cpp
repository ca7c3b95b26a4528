// Overflow trimming on hand-filled bitmaps: which lines are cleared, which flags drop,
// and that nothing but the trimmed pixels changes.
#include "color/trim.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// TrimOverflow over square cells of the classic 32 x 8 grid.
void TrimSquare(Bitmap32* bitmap, int tileSize, const ColorTriple& bg, OverflowFlags& flags) {
  TrimOverflow(bitmap, Grid{}, PixelSize{.widthPx = tileSize, .heightPx = tileSize}, bg, flags);
}

TEST(TrimTest, TrimsIsolatedPixelsOfFlaggedLinesOnly) {
  using Pixels = std::vector<std::pair<int, int>>;
  struct Row {
    const char* note;
    int tileSize;
    ColorTriple bg;
    Pixels ink;
    std::vector<int> wide, high, wideAndHigh;  // flagged codes
    Pixels inkLeft;
    std::vector<int> wideLeft, highLeft;  // codes still flagged
  };
  const Row rows[] = {
      // Code 65 at tile size 8 is tile (1, 2): its last column is x = 15, y = 16..23.
      {"ink on code 65's last column goes; beside it (x = 14, x = 16 in the next tile) stays",
       8,
       kBg,
       {{15, 18}, {14, 18}, {14, 19}, {16, 19}},
       {65},
       {},
       {},
       {{14, 18}, {14, 19}, {16, 19}},
       {},
       {}},
      // Code 103 is tile (7, 3): its bottom row is y = 31, x = 56..63.
      {"every other pixel of code 103's bottom row goes; the row above stays",
       8,
       kBg,
       {{56, 31}, {58, 31}, {60, 31}, {62, 31}, {57, 30}},
       {},
       {103},
       {},
       {{57, 30}},
       {},
       {}},
      {"two adjacent on the column: nothing changes, the flag stays",
       8,
       kBg,
       {{15, 16}, {15, 18}, {15, 19}},
       {65},
       {},
       {},
       {{15, 16}, {15, 18}, {15, 19}},
       {65},
       {}},
      {"two adjacent on the row: nothing changes, the flag stays",
       8,
       kBg,
       {{56, 31}, {60, 31}, {61, 31}},
       {},
       {103},
       {},
       {{56, 31}, {60, 31}, {61, 31}},
       {},
       {103}},
      // Code 66: last column x = 23; code 98: bottom row y = 31 from x = 16; code 200:
      // bottom row y = 55 from x = 64; code 201: last column x = 79, rows 48..55. Code 0's
      // line is empty: nothing written, flag cleared.
      {"both tables walked; wide and high never trimmed",
       8,
       kBg,
       {{23, 17}, {19, 31}, {64, 55}, {65, 55}, {79, 50}},
       {0, 66},
       {98, 200},
       {201},
       {{64, 55}, {65, 55}, {79, 50}},
       {},
       {200}},
      {"tile size 1: a one-pixel line is always trimmed",
       1,
       kBg,
       {{1, 1}, {2, 1}},
       {33},
       {34},
       {},
       {},
       {},
       {}},
      // A BgColor component outside 0..255 matches no byte: every pixel is a glyph pixel,
      // so a line longer than one pixel holds adjacent ones and stays.
      {"background outside 0..255",
       4,
       ColorTriple{255 + 256, 0, 255},
       {},
       {1},
       {},
       {},
       {},
       {1},
       {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.note);
    Bitmap32Handle bitmap = MakeSheetBitmap(row.tileSize, row.ink);
    OverflowFlags flags;
    for (int code : row.wide) flags.tooWide[code] = 1;
    for (int code : row.high) flags.tooHigh[code] = 1;
    for (int code : row.wideAndHigh) flags.tooWideAndHigh[code] = 1;
    TrimSquare(bitmap.get(), row.tileSize, row.bg, flags);
    EXPECT_EQ(BitmapBytes(bitmap.get()),
              BitmapBytes(MakeSheetBitmap(row.tileSize, row.inkLeft).get()));
    for (int code = 0; code < kCodes; ++code) {
      SCOPED_TRACE(code);
      EXPECT_EQ(flags.tooWide[code], std::count(row.wideLeft.begin(), row.wideLeft.end(), code));
      EXPECT_EQ(flags.tooHigh[code], std::count(row.highLeft.begin(), row.highLeft.end(), code));
      EXPECT_EQ(flags.tooWideAndHigh[code],
                std::count(row.wideAndHigh.begin(), row.wideAndHigh.end(), code));
    }
  }
}

TEST(TrimTest, PaintsOnlyColorBytesAndCountsAnyByteOffAsInk) {
  // One byte off BgColor is ink too; the alpha byte keeps its value.
  Bitmap32Handle bitmap = MakeSheetBitmap(8, {});
  Put(bitmap.get(), 15, 20, Bgra{255, 0, 254, 77});
  Bitmap32Handle expected = MakeSheetBitmap(8, {});
  Put(expected.get(), 15, 20, Bgra{255, 0, 255, 77});
  OverflowFlags flags;
  flags.tooWide[65] = 1;
  TrimSquare(bitmap.get(), 8, kBg, flags);
  EXPECT_EQ(flags.tooWide[65], 0);
  EXPECT_EQ(BitmapBytes(bitmap.get()), BitmapBytes(expected.get()));
}

}  // namespace
