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

SheetOptions DejaVuCells(int sizePx, OutputKind output) {
  SheetOptions options;
  options.font = FontRequest{"DejaVu Sans", sizePx, 0, 400, false, false};
  options.tileSize = 16;
  options.cell = {sizePx, sizePx};
  options.exportMode = ExportMode::kAll;
  options.output = output;
  return options;
}

TEST(DistanceFieldTest, ThresholdAt128IsTheHalfCoverageGlyphWithinAPixel) {
  for (const int sizePx : {16, 32, 64}) {
    SCOPED_TRACE(sizePx);
    QuietSink sink;
    const std::optional<Sheet> sdf = RenderSheet(DejaVuCells(sizePx, OutputKind::kSdf), sink);
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

}  // namespace
