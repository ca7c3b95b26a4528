// Zoom, pan clamp and dragging of the Preview area, on the headless host.
#include "preview/pan_drag.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "dialog/dialog_fields.h"
#include "headless/headless_host.h"
#include "options/control_ids.h"
#include "preview/canvas_view.h"
#include "preview/preview_commands.h"

namespace {

class PanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.SetPreviewAreaSize(369, 185);  // the window's Preview area
    CreatePreviewCanvas(preview);
  }

  void ChooseZoom(int id) {
    for (int z : {kIdZoom1, kIdZoom2, kIdZoom4}) SetChecked(dlg, z, z == id);
    ZoomCommand(dlg, preview);
  }

  void DragBy(int dx, int dy) {
    host.SetCursor({500, 300});
    PreviewPress(dlg, preview);
    host.SetCursor({500 + dx, 300 + dy});
    PreviewMouseMove(dlg, preview);
    PreviewButtonUp(dlg, preview);
  }

  HeadlessHost host;
  Dialog dlg{host};
  PreviewState preview;
};

TEST_F(PanTest, ClampKeepsTheViewOnTheCanvas) {
  // Rows worked out by hand for the 369 x 185 Preview area, plus the edges around them.
  struct Row {
    int areaW, areaH, zoom;
    float x, y;
    float wantX, wantY;
  };
  const Row rows[] = {
      {369, 185, 2, 400, 130, 328, 93},     // 2x: 512 - 184, 185 - 92
      {369, 185, 4, 1000, 1000, 420, 139},  // the largest offsets at 4x
      {369, 185, 4, 420, 139, 420, 139},    // already at the edge: kept
      {369, 185, 1, 1000, 1000, 143, 0},    // 1x: only 143 columns to move over
      {369, 185, 1, 143.5f, 0, 143, 0},     // a fraction past the edge counts
      {369, 185, 1, 142.5f, 0, 142.5f, 0},  // inside: the fraction stays
      {369, 185, 2, -3, -0.5f, 0, 0},       // negative offsets go to 0
      {600, 200, 1, 10, 10, 0, 0},          // an area larger than the canvas
      {2100, 800, 4, 7, 3, 0, 0},           // larger at 4x too (525 x 200 visible)
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.areaW << "x" << r.areaH << " zoom " << r.zoom << " ("
                                    << r.x << ", " << r.y << ")");
    host.SetPreviewAreaSize(r.areaW, r.areaH);
    preview.zoomFactor = r.zoom;
    preview.panX = r.x;
    preview.panY = r.y;
    ClampPan(dlg, preview);
    EXPECT_FLOAT_EQ(preview.panX, r.wantX);
    EXPECT_FLOAT_EQ(preview.panY, r.wantY);
  }
}

TEST_F(PanTest, ZoomButtonsSetTheZoomAndClamp) {
  SetChecked(dlg, kIdFontPreview, true);
  preview.zoomFactor = 4;
  preview.panX = 400;
  preview.panY = 130;
  const int repaints = host.repaintCount();
  ChooseZoom(kIdZoom2);
  EXPECT_EQ(preview.zoomFactor, 2);
  EXPECT_FLOAT_EQ(preview.panX, 328);
  EXPECT_FLOAT_EQ(preview.panY, 93);
  EXPECT_GT(host.repaintCount(), repaints);

  // "Original" with a font sample goes back to the top-left corner.
  ChooseZoom(kIdZoom4);
  EXPECT_EQ(preview.zoomFactor, 4);
  preview.panX = 400;
  preview.panY = 130;
  ChooseZoom(kIdZoom1);
  EXPECT_EQ(preview.zoomFactor, 1);
  EXPECT_FLOAT_EQ(preview.panX, 0);
  EXPECT_FLOAT_EQ(preview.panY, 0);

  // With a sheet shown, the offset is kept and only clamped.
  SetChecked(dlg, kIdFontPreview, false);
  ChooseZoom(kIdZoom4);
  preview.panX = 400;
  preview.panY = 130;
  ChooseZoom(kIdZoom1);
  EXPECT_FLOAT_EQ(preview.panX, 143);
  EXPECT_FLOAT_EQ(preview.panY, 0);
  ChooseZoom(kIdZoom4);
  preview.panX = 50;
  ChooseZoom(kIdZoom1);
  EXPECT_FLOAT_EQ(preview.panX, 50);
}

TEST_F(PanTest, DragFollowsTheCursor) {
  SetChecked(dlg, kIdFontPreview, true);
  preview.zoomFactor = 2;
  preview.panX = 100;
  preview.panY = 20;

  // A press captures the mouse; a move of 10 px left at 2x raises x by 5.
  host.SetCursor({500, 300});
  PreviewPress(dlg, preview);
  EXPECT_TRUE(preview.drag.dragging);
  EXPECT_TRUE(host.mouseCaptured());
  const int repaints = host.repaintCount();
  host.SetCursor({490, 304});
  PreviewMouseMove(dlg, preview);
  EXPECT_FLOAT_EQ(preview.panX, 105);
  EXPECT_FLOAT_EQ(preview.panY, 18);
  EXPECT_GT(host.repaintCount(), repaints);
  // The next step starts from where the last one ended.
  host.SetCursor({480, 304});
  PreviewMouseMove(dlg, preview);
  EXPECT_FLOAT_EQ(preview.panX, 110);
  PreviewButtonUp(dlg, preview);
  EXPECT_FALSE(preview.drag.dragging);
  EXPECT_FALSE(host.mouseCaptured());

  // After the release, moves no longer pan.
  host.SetCursor({0, 0});
  PreviewMouseMove(dlg, preview);
  EXPECT_FLOAT_EQ(preview.panX, 110);

  // A drag to the right at offset 0 stays at 0.
  preview.panX = 0;
  DragBy(10, 0);
  EXPECT_FLOAT_EQ(preview.panX, 0);

  // Steps smaller than a canvas pixel add up, since the offset keeps its fraction.
  preview.zoomFactor = 4;
  preview.panX = 10;
  for (int i = 0; i < 4; ++i) DragBy(-1, 0);
  EXPECT_FLOAT_EQ(preview.panX, 11);
}

TEST_F(PanTest, DragsAcrossTheWholeScreenRange) {
  // Cursor positions at the ends of int: the movement itself does not fit in one.
  const struct {
    ScreenPoint from, to;
    int zoom;
    float wantX, wantY;
  } rows[] = {
      {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, 4, 0, 0},
      {{INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, 4, 420, 139},
      {{INT_MAX, 0}, {INT_MIN + 1, 0}, 2, 328, 50},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.zoom);
    preview.zoomFactor = row.zoom;
    preview.panX = 50;
    preview.panY = 50;
    host.SetCursor(row.from);
    PreviewPress(dlg, preview);
    host.SetCursor(row.to);
    PreviewMouseMove(dlg, preview);
    PreviewButtonUp(dlg, preview);
    EXPECT_FLOAT_EQ(preview.panX, row.wantX);
    EXPECT_FLOAT_EQ(preview.panY, row.wantY);
  }
}

TEST_F(PanTest, PressAtOriginalSizeDragsOnlyASheet) {
  SetChecked(dlg, kIdFontPreview, true);
  preview.zoomFactor = 1;
  PreviewPress(dlg, preview);
  EXPECT_FALSE(preview.drag.dragging);
  EXPECT_FALSE(host.mouseCaptured());

  // A sheet at 1x moves horizontally between 0 and 143, and not vertically.
  SetChecked(dlg, kIdFontPreview, false);
  DragBy(-400, -50);
  EXPECT_FLOAT_EQ(preview.panX, 143);
  EXPECT_FLOAT_EQ(preview.panY, 0);
  DragBy(60, 0);
  EXPECT_FLOAT_EQ(preview.panX, 83);
  DragBy(400, 50);
  EXPECT_FLOAT_EQ(preview.panX, 0);
  EXPECT_FLOAT_EQ(preview.panY, 0);
}

TEST_F(PanTest, FractionalOffsetShowsTheTruncatedColumn) {
  for (int y = 0; y < kCanvasHeight; ++y)
    for (int x = 0; x < kCanvasWidth; ++x)
      preview.canvas.pixels[static_cast<std::size_t>(y) * kCanvasWidth + x] =
          static_cast<std::uint32_t>(y << 12 | x);
  preview.zoomFactor = 2;
  preview.panX = 10.7f;
  preview.panY = 3.2f;
  std::vector<std::uint32_t> area;
  RenderCanvasView(preview, 369, 185, area);
  const auto at = [&](int x, int y) { return area[static_cast<std::size_t>(y) * 369 + x]; };
  EXPECT_EQ(at(0, 0), (3u << 12) | 10u);
  EXPECT_EQ(at(1, 1), (3u << 12) | 10u);  // replicated at 2x
  EXPECT_EQ(at(2, 0), (3u << 12) | 11u);
  EXPECT_EQ(at(367, 183), (94u << 12) | 193u);
  // The odd last column and row repeat the last visible ones, so the area is filled.
  EXPECT_EQ(at(368, 184), (94u << 12) | 193u);
}

}  // namespace
