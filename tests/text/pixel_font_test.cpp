// Pixel fonts, judged by Debian's Unifont: its outline font (fonts-unifont) is found to be
// on a grid and drawn exactly as its own .hex bitmaps (unifont) at 1x and 2x, also in cells
// that are no multiple of its design; DejaVu Sans Mono is not a pixel font.
#include "text/pixel_font.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "layout/charmap.h"
#include "support/box_font.h"
#include "support/temp_dir.h"
#include "support/unifont_hex.h"
#include "text/text_font_internal.h"

namespace {

TEST(PixelFontTest, FindsTheGridOfPixelFontsAndTheirMultiples) {
  const TextFontPtr dejaVu = OpenTextFont({.face = "DejaVu Sans Mono", .height = 16});
  ASSERT_TRUE(dejaVu);
  EXPECT_FALSE(FindPixelGrid(*dejaVu, U"─┼█"));  // curves and slants

  // One box of the test's own: its corners' common divisor is the grid, when its sides
  // run straight along the axes.
  const struct {
    int left, slant, gridUnits;  // gridUnits 0: not a pixel font
    const char* note;
  } boxes[] = {
      {50, 0, 50, "corners at 50, 550, 0, 650: a grid of 50; 800 + 200 units = 16 + 4 steps"},
      {50, 50, 0, "the same corners, the top edge 50 units right: slanted sides"},
      {49, 0, 0, "a corner at 49: no grid above one unit"},
  };
  const TempDir dir;
  for (const auto& box : boxes) {
    SCOPED_TRACE(box.note);
    BoxFontShape shape;
    shape.left = box.left;
    shape.slant = box.slant;
    const std::string file = dir.File("box" + std::to_string(box.left + box.slant) + ".ttf");
    std::ofstream(file, std::ios::binary) << BoxTrueTypeFont(shape);
    const TextFontPtr font = OpenTextFontFile(file, 0, {.face = "", .height = 16});
    ASSERT_TRUE(font);
    const std::optional<PixelGrid> grid = FindPixelGrid(*font);
    EXPECT_EQ(grid ? grid->gridUnits : 0, box.gridUnits);
    if (grid) {
      EXPECT_EQ(grid->ascentSteps * 100 + grid->descentSteps, 1604);
    }
  }

  if (!std::filesystem::exists(kUnifontOtfPath)) {
    GTEST_SKIP() << kUnifontOtfPath << " is missing: install fonts-unifont";
  }
  const TextFontPtr unifont = OpenTextFontFile(kUnifontOtfPath, 0, {.face = "", .height = 16});
  ASSERT_TRUE(unifont);
  // unifont.otf 15.0.01: 64 units an em, ascender 56, descender -8 (its head and hhea), so
  // a design pixel of 4 units and a cell of 14 + 2 pixels.
  const std::optional<PixelGrid> grid = FindPixelGrid(*unifont, U"─┼░☺");
  ASSERT_TRUE(grid);
  EXPECT_EQ(grid->gridUnits, 4);
  EXPECT_EQ(grid->ascentSteps, 14);
  EXPECT_EQ(grid->descentSteps, 2);

  const struct {
    int cellHeight, pxPerStep, ppem, ascentPx, descentPx;
    const char* log;
  } rows[] = {
      {31, 1, 16, 14, 2, "pixel font: grid 4 units = 1 px"},  // 2x needs 32
      {64, 4, 64, 56, 8, "pixel font: grid 4 units = 4 px"},
      {8, 1, 16, 14, 2, "pixel font: grid 4 units = 1 px"},  // below 1x: 1x, clipped
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.cellHeight);
    const PixelFontSize size = PickPixelFontSize(*grid, row.cellHeight);
    EXPECT_EQ(size.pxPerStep, row.pxPerStep);
    EXPECT_EQ(size.ppem, row.ppem);
    EXPECT_EQ(size.ascentPx, row.ascentPx);
    EXPECT_EQ(size.descentPx, row.descentPx);
    EXPECT_EQ(PixelFontLogLine(size), row.log);
  }
}

TEST(PixelFontTest, DrawsUnifontExactlyAsItsHexBitmaps) {
  if (!std::filesystem::exists(kUnifontOtfPath) || !std::filesystem::exists(kUnifontHexPath)) {
    GTEST_SKIP() << kUnifontOtfPath << " or " << kUnifontHexPath
                 << " is missing: install fonts-unifont and unifont";
  }
  // The CP437 sheet's characters and the box drawing and block ranges.
  std::vector<char32_t> chars;
  for (const char32_t ch : BuiltInCharMap(CharMapKind::kCp437).cells) {
    if (ch != kEmptyCell) chars.push_back(ch);
  }
  for (char32_t ch = 0x2500; ch <= 0x259F; ++ch) chars.push_back(ch);
  const std::map<char32_t, HexGlyph> hex = ReadUnifontHex(chars);

  // Cells of 16 and 32 px hold 1x and 2x exactly; those of 20 and 40 px, where the face
  // drawn as any other would be scaled by 1.25 and blur, hold them with room to spare.
  const struct { int cellHeight, scale; } rows[] = {{16, 1}, {20, 1}, {32, 2}, {40, 2}};
  for (const auto [cellHeight, scale] : rows) {
    SCOPED_TRACE(std::to_string(cellHeight) + " px");
    const TextFontPtr unifont =
        OpenTextFontFile(kUnifontOtfPath, 0, {.face = "", .height = cellHeight});
    ASSERT_TRUE(unifont);
    const std::optional<PixelGrid> grid = FindPixelGrid(*unifont, {chars.data(), chars.size()});
    ASSERT_TRUE(grid);
    const PixelFontSize size = PickPixelFontSize(*grid, cellHeight);
    ASSERT_EQ(size.pxPerStep, scale);
    const TextFontPtr exact = OpenMonoTextFont(*unifont, size);
    ASSERT_TRUE(exact);

    // Each character drawn with its pen at the cell's left and its cell's top at the
    // margin: every pixel, the margin's included, is the .hex pixel it falls in, scaled.
    const int margin = 4 * scale;
    for (const char32_t ch : chars) {
      SCOPED_TRACE("U+" + std::to_string(static_cast<unsigned>(ch)));
      ASSERT_TRUE(hex.contains(ch));
      const HexGlyph& glyph = hex.at(ch);
      PixelSurface surface;
      ASSERT_TRUE(
          ResizePixelSurface(surface, glyph.width * scale + 2 * margin, 16 * scale + 2 * margin));
      EXPECT_EQ(DrawCharAt(surface, *exact, ch, margin, margin, nullptr, false, false),
                glyph.width * scale);
      int wrong = 0;
      for (int y = 0; y < surface.height; ++y) {
        for (int x = 0; x < surface.width; ++x) {
          const int hx = x - margin, hy = y - margin;
          const bool lit =
              hx >= 0 && hy >= 0 && hx < glyph.width * scale && hy < 16 * scale &&
              glyph.lit[static_cast<std::size_t>(hy / scale) * glyph.width + hx / scale];
          wrong +=
              surface.pixels[static_cast<std::size_t>(y) * surface.width + x] != (lit ? 255 : 0);
        }
      }
      EXPECT_EQ(wrong, 0);
    }
  }
}

}  // namespace
