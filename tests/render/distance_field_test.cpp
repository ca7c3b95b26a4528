// The distance-field output: thresholded at 128 it is the glyph that the coverage
// gives at half coverage, to within one pixel along the edges.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "render/sheet_outputs.h"
#include "render/sheet_pipeline.h"

namespace {

struct QuietSink : MessageSink {
  void Show(std::string_view, std::string_view, MessageIcon) override {}
};

SheetOptions DejaVuCells(int cellPx, int fontPx, CharMapKind map, OutputKind output) {
  SheetOptions options;
  options.font = FontRequest{"DejaVu Sans", fontPx, 0, 400, false, false};
  options.tileSize = 16;
  options.cell = {cellPx, cellPx};
  options.charMap = BuiltInCharMap(map);
  options.builtinBoxes = map != CharMapKind::kCp1252;
  options.exportMode = ExportMode::kAll;
  options.output = output;
  return options;
}

TEST(DistanceFieldTest, ThresholdAt128IsTheHalfCoverageGlyphWithinAPixel) {
  const struct {
    int cellPx, fontPx;
    CharMapKind map;
    const char* note;
  } rows[] = {
      {16, 16, CharMapKind::kCp1252, "classic placement"},
      {32, 32, CharMapKind::kCp1252, "classic placement"},
      {64, 64, CharMapKind::kCp1252, "classic placement"},
      {16, 16, CharMapKind::kCp437, "one baseline, built-in box and block glyphs"},
      {64, 480, CharMapKind::kCp437, "glyphs of far more than 256 x 256 px, cut at the cell"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.cellPx) + " px cells, " + row.note);
    QuietSink sink;
    const std::optional<Sheet> sdf =
        RenderSheet(DejaVuCells(row.cellPx, row.fontPx, row.map, OutputKind::kSdf), sink);
    ASSERT_TRUE(sdf);
    const GrayImage field = DistanceSheet(*sdf);
    ASSERT_EQ(field.pixels.size(), sdf->coverage.pixels.size());
    const int w = sdf->width, h = sdf->height;
    // The same run's coverage, at half coverage: the glyph's outline as the mono output
    // draws it.
    const auto inMono = [&](int x, int y) { return sdf->coverage.pixels[y * w + x] >= 128; };
    long lit = 0, differing = 0, farOff = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool inside = field.pixels[y * w + x] >= 128;
        lit += inMono(x, y);
        if (inside == inMono(x, y)) continue;
        ++differing;
        // Along an edge: a neighbour of the pixel is on the field's side of it.
        bool nearEdge = false;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            nearEdge =
                nearEdge || (nx >= 0 && ny >= 0 && nx < w && ny < h && inMono(nx, ny) == inside);
          }
        }
        farOff += !nearEdge;
      }
    }
    EXPECT_GT(lit, 1000);
    EXPECT_EQ(farOff, 0) << differing << " pixels differ";
    // Edges alone differ, and only a few of their pixels.
    EXPECT_LT(differing * 10, lit);
  }
}

TEST(DistanceFieldTest, TrimmingTakesWhatItClearsOutOfTheField) {
  // DejaVu Sans italic at 20 in 16 px cells: several glyphs end in a stray column.
  SheetOptions options = DejaVuCells(16, 20, CharMapKind::kCp1252, OutputKind::kSdf);
  options.font->italic = true;
  options.colorMode = ColorMode::kGradient;
  options.colorSteps = 1;
  options.bg = {0, 0, 0};
  options.top = options.sub = {255, 255, 255};
  QuietSink sink;
  const std::optional<Sheet> whole = RenderSheet(options, sink);
  options.trim = true;
  const std::optional<Sheet> trimmed = RenderSheet(options, sink);
  ASSERT_TRUE(whole && trimmed);
  ASSERT_EQ(DistanceSheet(*trimmed).pixels.size(), whole->coverage.pixels.size());
  long cleared = 0, stillInside = 0;
  for (std::size_t i = 0; i < whole->coverage.pixels.size(); ++i) {
    if (whole->coverage.pixels[i] < 128 || trimmed->coverage.pixels[i] != 0) continue;
    ++cleared;
    stillInside += trimmed->distance.pixels[i] >= 128;
  }
  EXPECT_GT(cleared, 0);
  EXPECT_EQ(stillInside, 0) << "of " << cleared << " trimmed pixels";
}

}  // namespace
