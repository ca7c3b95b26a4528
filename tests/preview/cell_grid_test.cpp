// The cells of the shown sheet in the preview: the status line naming the cell under
// the cursor, the grid lines over the image preview, and a canvas that grows with the
// sheet. Expected characters come from the code pages' published tables.
#include "preview/cell_grid.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/export_commands.h"
#include "options/control_ids.h"
#include "preview/canvas_view.h"
#include "preview/pan_drag.h"
#include "support/dialog_fixture.h"

namespace {

TEST(CellInfoTextTest, NamesIndexCharacterAndCodePoint) {
  struct Row {
    CharMapKind map;
    int cell;
    const char* expected;
  } rows[] = {
      {CharMapKind::kCp1252, 65, "65  A  U+0041"},
      {CharMapKind::kCp1252, 128, "128  \xE2\x82\xAC  U+20AC"},  // the euro sign
      {CharMapKind::kCp437, 1, "1  \xE2\x98\xBA  U+263A"},       // the smiley
      {CharMapKind::kCp1252, 10, "10  U+000A"},                  // a control: no glyph
      {CharMapKind::kCp437, 0, "0"},                             // empty
      {CharMapKind::kTcod, 255, "255"},                          // unused TCOD cell
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expected);
    EXPECT_EQ(CellInfoText(BuiltInCharMap(row.map), row.cell), row.expected);
  }
}

// A synthetic sheet of 3 x 2 cells of 10 x 12 px on a gray canvas: the columns of one
// area row that the grid changes, and how.
TEST(DrawCellGridTest, LinesFollowCellsZoomAndPan) {
  PreviewState preview;
  CreatePreviewCanvas(preview);
  std::fill(preview.canvas.pixels.begin(), preview.canvas.pixels.end(), 0x336699u);
  preview.sheet = {.shown = true,
                   .grid = {3, 2},
                   .cellPx = {10, 12},
                   .map = {},
                   .staleReason = {},
                   .fontSelection = -1};
  struct Row {
    int zoom;
    float panX;
    int y;                  // area row looked at
    std::set<int> changed;  // area columns the grid changes in it
  } rows[] = {
      {1, 0, 5, {0, 10, 20, 30}},
      {2, 0, 5, {0, 20, 40, 60}},
      {2, 5, 5, {10, 30, 50}},  // canvas columns 10, 20, 30 from 5 on
      {1, 0, 30, {}},           // below the sheet's bottom line at 24
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "zoom " << row.zoom << " pan " << row.panX);
    preview.zoomFactor = row.zoom;
    preview.panX = row.panX;
    std::vector<std::uint32_t> plain, lined;
    preview.showGrid = false;
    RenderCanvasView(preview, 369, 185, plain);
    preview.showGrid = true;
    RenderCanvasView(preview, 369, 185, lined);
    std::set<int> changed;
    for (int x = 0; x < 369; ++x) {
      const std::size_t i = static_cast<std::size_t>(row.y) * 369 + x;
      if (plain[i] == lined[i]) continue;
      changed.insert(x);
      EXPECT_EQ(lined[i], 0xB3E619u);  // each channel 128 away
    }
    EXPECT_EQ(changed, row.changed);
  }
  // A horizontal line runs across the sheet (x 0..30) and stops there.
  preview.zoomFactor = 1;
  preview.panX = 0;
  std::vector<std::uint32_t> lined;
  RenderCanvasView(preview, 369, 185, lined);
  EXPECT_EQ(lined[12 * 369 + 30], 0xB3E619u);
  EXPECT_EQ(lined[12 * 369 + 31], 0x336699u);
  // No sheet shown (the font sample): no lines.
  preview.sheet.shown = false;
  RenderCanvasView(preview, 369, 185, lined);
  EXPECT_EQ(std::set<std::uint32_t>(lined.begin(), lined.end()),
            std::set<std::uint32_t>{0x336699u});
}

class ShownSheetTest : public DialogFixture {
 protected:
  void SetUp() override {
    PreviewState& preview = Preview();
    preview.zoomFactor = 1;
    preview.panX = preview.panY = 0;
    DialogFixture::SetUp();
    SelectFace("DejaVu Sans");
  }
  void TearDown() override { DeletePreviewCanvas(Preview()); }

  std::string HoverAt(int x, int y) {
    host.SetCursor({x, y});
    host.Send(DialogMessage::kMouseMove);
    return host.Text(kIdCellInfo);
  }
};

// A map larger than its grid shows its pages one below another: cp437 in 16 x 4 cells
// of 8 px is four pages of 32 px, and the cell under the cursor names its page.
TEST_F(ShownSheetTest, PagesStandOneBelowAnotherAndHoverNamesThePage) {
  host.SetPreviewAreaOrigin({1000, 500});
  SetText(dlg, kIdCharMap, "cp437");
  SetText(dlg, kIdGridColumns, "16");
  SetText(dlg, kIdGridRows, "4");
  ASSERT_EQ(ImagePreviewCommand(dlg), 0);
  EXPECT_EQ(HoverAt(1000 + 3, 500 + 3), "page 1 of 4  0");
  // Column 1, row 6 of the stack: row 2 of the second page, the map's cell 97.
  EXPECT_EQ(HoverAt(1000 + 11, 500 + 6 * 8 + 3), "page 2 of 4  97  a  U+0061");
  EXPECT_EQ(HoverAt(1000 + 3, 500 + 4 * 32 + 3), "");  // below the last page
}

// The default sheet has 8-px cells, 32 a row: cell 65 is column 1, row 2.
TEST_F(ShownSheetTest, HoverNamesTheCellUnderTheCursor) {
  host.SetPreviewAreaOrigin({1000, 500});
  ASSERT_EQ(ImagePreviewCommand(dlg), 0);
  struct Row {
    int zoom;
    float panX;
    int x, y;  // area pixels
    const char* expected;
  } rows[] = {
      {1, 0, 11, 19, "65  A  U+0041"},
      {2, 0, 22, 38, "65  A  U+0041"},
      {2, 8, 22, 38, "66  B  U+0042"},  // panned one cell right
      {1, 0, 3, 3, "0"},                // cell 0 holds nothing
      {1, 0, 3, 70, ""},                // below the 64-px sheet
      {1, 0, 260, 3, ""},               // right of the 256-px sheet
      {1, 0, -2, 3, ""},                // left of the area
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.x << "," << row.y << " zoom " << row.zoom);
    Preview().zoomFactor = row.zoom;
    Preview().panX = row.panX;
    EXPECT_EQ(HoverAt(1000 + row.x, 500 + row.y), row.expected);
  }
  // The font sample has no cells.
  HoverAt(1011, 519);
  host.Click(kIdFontPreview);
  EXPECT_EQ(host.Text(kIdCellInfo), "");
  EXPECT_EQ(HoverAt(1011, 519), "");
}

// A sheet larger than the canvas's smallest size grows it, the pan reaches the whole
// sheet, and the font sample takes the smallest size back with the pan clamped to it.
TEST_F(ShownSheetTest, CanvasGrowsWithTheSheetAndShrinksForTheSample) {
  SetText(dlg, kIdGridColumns, "80");  // 80 x 30 cells of 8 px: 640 x 240
  SetText(dlg, kIdGridRows, "30");
  ASSERT_EQ(ImagePreviewCommand(dlg), 0);
  PreviewState& preview = Preview();
  EXPECT_EQ(preview.canvas.width, 640);
  EXPECT_EQ(preview.canvas.height, 240);
  EXPECT_EQ(preview.canvas.pixels[239 * 640 + 639], 0xFF00FFu);  // the background
  host.Click(kIdZoom2);                                          // 184 x 92 canvas pixels visible
  preview.panX = preview.panY = 1000;
  ClampPan(dlg);
  EXPECT_EQ(preview.panX, 640 - 184);
  EXPECT_EQ(preview.panY, 240 - 92);
  host.Click(kIdFontPreview);
  EXPECT_EQ(preview.canvas.width, kCanvasWidth);
  EXPECT_EQ(preview.canvas.height, kCanvasHeight);
  EXPECT_EQ(preview.panX, kCanvasWidth - 184);
  EXPECT_EQ(preview.panY, kCanvasHeight - 92);
}

}  // namespace
