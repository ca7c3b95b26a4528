// The preview shows a sheet as the output kind it would be saved as.
#include "preview/sheet_in_canvas.h"

#include <gtest/gtest.h>

namespace {

// Every row's colored pixel is (200, 100, 50); expectations worked by hand.
TEST(SheetInCanvasTest, ShownPixelDrawsTheOutputKind) {
  struct Row {
    const char* note;
    OutputKind kind;
    int x;
    std::uint8_t coverage;
    int threshold;
    std::uint32_t shown;
  };
  const Row rows[] = {
      {"color ignores coverage", OutputKind::kColor, 0, 0, 1, 0xC86432u},
      {"alpha, opaque", OutputKind::kAlpha, 0, 255, 1, 0xC86432u},
      {"alpha, clear over a light square", OutputKind::kAlpha, 0, 0, 1, kCheckerLight},
      {"alpha, clear over the next, dark square", OutputKind::kAlpha, 8, 0, 1, kCheckerDark},
      // (200*128 + 200*127 + 127) / 255 = 200, (100*128 + 200*127 + 127) / 255 = 150,
      // (50*128 + 200*127 + 127) / 255 = 125
      {"alpha, half over light", OutputKind::kAlpha, 0, 128, 1, 0xC8967Du},
      {"gray is the coverage", OutputKind::kGray, 0, 77, 1, 0x4D4D4Du},
      {"mono below the threshold", OutputKind::kMono, 0, 99, 100, 0u},
      {"mono at the threshold", OutputKind::kMono, 0, 100, 100, 0xFFFFFFu},
      {"mono never sets an unlit pixel", OutputKind::kMono, 0, 0, 1, 0u},
  };
  Bitmap32Handle colored = AllocateBitmap32(16, 1);
  ASSERT_TRUE(colored);
  for (int x = 0; x < 16; ++x) {
    std::uint8_t* p = ScanLine(colored.get(), 0) + 4 * x;
    p[0] = 50, p[1] = 100, p[2] = 200, p[3] = 255;  // blue, green, red, alpha
  }
  for (const Row& row : rows) {
    SCOPED_TRACE(row.note);
    SurfaceBytes coverage(16, 0);
    coverage[row.x] = row.coverage;
    const SheetView view{.colored = colored.get(),
                         .coverage = &coverage,
                         .kind = row.kind,
                         .monoThreshold = row.threshold,
                         .width = 16,
                         .height = 1};
    EXPECT_EQ(ShownPixel(view, row.x, 0), row.shown);
  }
}

}  // namespace
