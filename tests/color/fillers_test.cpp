// FillGradient and FillRelief on hand-made sheets, every pixel compared.
#include "color/fillers.h"

#include <gtest/gtest.h>

#include "app/read_sheet_options.h"
#include "color_test_support.h"
#include "headless/headless_host.h"
#include "options/control_ids.h"

namespace {

TEST(ColorFillGradientTest, BandsEveryPixelWithLowEightBits) {
  struct Case {
    float steps;
    ColorTriple top, sub, bg;
    std::array<Bgra, 8> litByTileRow;  // blue, green, red, alpha
    Bgra unlit;
  };
  // Yellow toward red in four bands of two rows on magenta: green falls by a quarter of
  // 255 a band (255, 191, 127, 63).
  const Bgra g0{0, 255, 255, 255}, g1{0, 191, 255, 255}, g2{0, 127, 255, 255}, g3{0, 63, 255, 255};
  // Three bands, rows 0-2, 3-5, 6-7: red falls 255, 169, 84 (not 170, 85) and blue rises
  // 0, 85, 170; green 300 and the out-of-range BgColor keep their low 8 bits.
  const Bgra b0{0, 44, 255, 255}, b1{85, 44, 169, 255}, b2{170, 44, 84, 255};
  const Case cases[] = {
      {4.0f,
       {255, 255, 0},
       {255, 0, 0},
       {255, 0, 255},
       {g0, g0, g1, g1, g2, g2, g3, g3},
       {255, 0, 255, 255}},
      {3.0f,
       {255, 300, 0},
       {0, 300, 255},
       {-1, 256, 511},
       {b0, b0, b0, b1, b1, b1, b2, b2},
       {255, 0, 255, 255}},
  };
  const GlyphSurface sheet = MakeSheet(8, PatternLit);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.steps);
    Bitmap32Handle bitmap = MakeMarkedBitmap(256, 64);
    ASSERT_TRUE(FillGradient(bitmap.get(), sheet, 256, 64, 8, c.steps, c.top, c.sub, c.bg));
    ExpectEveryPixel(bitmap.get(), 256, 64, [&](int x, int y) {
      return PatternLit(x, y) ? c.litByTileRow[y % 8] : c.unlit;
    });
  }
}

TEST(ColorFillGradientTest, DialogDefaultsGiveWhiteOnMagentaWhateverTheSteps) {
  HeadlessHost host;
  Dialog dlg{host};
  const SheetOptions options = *CheckedSheetOptions(dlg);
  const ColorTriple bg = options.bg, top = options.top, sub = options.sub;
  const int tileSize = 5, width = 160, height = 40;
  const GlyphSurface sheet = MakeSheet(tileSize, PatternLit);
  for (int steps = 1; steps <= tileSize; ++steps) {
    SCOPED_TRACE(steps);
    Bitmap32Handle bitmap = MakeMarkedBitmap(width, height);
    ASSERT_TRUE(FillGradient(bitmap.get(), sheet, width, height, tileSize,
                             static_cast<float>(steps), top, sub, bg));
    ExpectEveryPixel(bitmap.get(), width, height, [&](int x, int y) -> Bgra {
      return PatternLit(x, y) ? Bgra{255, 255, 255, 255} : Bgra{255, 0, 255, 255};
    });
  }
}

TEST(ColorFillReliefTest, BevelOnEveryPixelAtSeveralTileSizes) {
  const ColorTriple top{10, 20, 300}, sub{-2, 40, 50}, bg{1, 2, 3};
  const Bgra topBytes{44, 20, 10, 255}, subBytes{50, 40, 254, 255}, bgBytes{3, 2, 1, 255};
  for (int tileSize : {1, 3, 8}) {
    SCOPED_TRACE(tileSize);
    const int width = 32 * tileSize, height = 8 * tileSize;
    const GlyphSurface sheet = MakeSheet(tileSize, PatternLit);
    Bitmap32Handle bitmap = MakeMarkedBitmap(width, height);
    const PixelSize cell{.widthPx = tileSize, .heightPx = tileSize};
    ASSERT_TRUE(FillRelief(bitmap.get(), sheet, width, height, cell, top, sub, bg));
    // A neighbor counts when it is lit and floor(x / T), floor(y / T) match the pixel's.
    auto counts = [&](int x, int y, int nx, int ny) {
      return nx >= 0 && ny >= 0 && nx / tileSize == x / tileSize && ny / tileSize == y / tileSize &&
             PatternLit(nx, ny);
    };
    ExpectEveryPixel(bitmap.get(), width, height, [&](int x, int y) -> Bgra {
      if (!PatternLit(x, y)) return bgBytes;
      if (!counts(x, y, x - 1, y - 1)) return topBytes;
      if (!counts(x, y, x + 1, y) || !counts(x, y, x + 1, y + 1)) return subBytes;
      return topBytes;
    });
  }
}

TEST(ColorFillReliefTest, WorkedBlockInTheSheetCornerTile) {
  // The 3 x 3 block at columns and rows 2..4 of tile 0, plus lit pixels along the
  // sheet's left column and top row, which are TopColor like any tile edge.
  auto lit = [](int x, int y) {
    return (x >= 2 && x <= 4 && y >= 2 && y <= 4) || (x == 0 && y < 8) || (y == 0 && x < 8);
  };
  const GlyphSurface sheet = MakeSheet(8, lit);
  Bitmap32Handle bitmap = MakeMarkedBitmap(256, 64);
  const ColorTriple top{200, 0, 0}, sub{0, 0, 200}, bg{0, 0, 0};
  ASSERT_TRUE(FillRelief(bitmap.get(), sheet, 256, 64, PixelSize{8, 8}, top, sub, bg));
  const Bgra t{0, 0, 200, 255}, s{200, 0, 0, 255};
  const Bgra block[3][3] = {{t, t, t}, {t, t, s}, {t, s, s}};
  for (int y = 2; y <= 4; ++y)
    for (int x = 2; x <= 4; ++x) EXPECT_EQ(SheetPixel(bitmap.get(), x, y), block[y - 2][x - 2]);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(SheetPixel(bitmap.get(), 0, i), t);
    EXPECT_EQ(SheetPixel(bitmap.get(), i, 0), t);
  }
}

TEST(ColorFillSheetTest, RefusalsLeaveTheBitmapAsHandedIn) {
  const GlyphSurface sheet = MakeSheet(8, PatternLit);
  struct Row {
    const char* note;
    ColorMode mode;
    int width, height;
    PixelSize cell;
  };
  const Row rows[] = {
      {"bitmap one column short", ColorMode::kGradient, 257, 64, {8, 8}},
      {"bitmap one row short", ColorMode::kRelief, 256, 65, {8, 8}},
      {"no cell width", ColorMode::kRelief, 256, 64, {0, 8}},
      {"no cell height", ColorMode::kGradient, 256, 64, {8, 0}},
      {"an image mode without its texture", ColorMode::kImageOnly, 256, 64, {8, 8}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.note);
    Bitmap32Handle bitmap = MakeMarkedBitmap(256, 64);
    const std::vector<std::uint8_t> before = BitmapBytes(bitmap.get());
    const FillValues values{.width = row.width,
                            .height = row.height,
                            .cell = row.cell,
                            .colorSteps = 2.0f,
                            .top = {1, 2, 3},
                            .sub = {4, 5, 6},
                            .bg = {7, 8, 9}};
    const Status status = FillSheet(row.mode, bitmap.get(), sheet, values);
    EXPECT_FALSE(status);
    EXPECT_FALSE(status.message.empty());
    EXPECT_EQ(BitmapBytes(bitmap.get()), before);
  }
}

}  // namespace
