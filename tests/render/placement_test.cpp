// Placement and overflow rules, with rows worked out by hand at tile size 8 and
// HeightCorrection 3, and the OverflowReport.
#include "render/placement.h"

#include <gtest/gtest.h>

#include "render/overflow_report.h"

namespace {

TEST(PlacementTest, AnchorsAndOverflowAtTileSizeEight) {
  struct Row {
    GlyphBox box;  // left, top, right, bottom
    int anchorRow;
    int firstTileRow, lastTileRow;  // tile rows the ink lands on, before clipping
    OverflowKind kind;
    const char* note;
  };
  const Row rows[] = {
      {{1, 3, 5, 9}, 3, 0, 6, OverflowKind::kNone, "usual capital"},
      {{1, 2, 5, 9}, 2, 0, 7, OverflowKind::kHigh, "ink above h pushes it down"},
      {{1, 5, 4, 11}, 5, 0, 6, OverflowKind::kNone, "descender lifted by two rows"},
      {{1, 5, 4, 12}, 5, 0, 7, OverflowKind::kHigh, "lifted as far as its top allows"},
      {{2, 6, 3, 11}, 5, 1, 6, OverflowKind::kNone, "bottom lifted onto row 6"},
      // Boundary: the lift starts exactly where the last row would be reached.
      {{1, 4, 4, 10}, 4, 0, 6, OverflowKind::kNone, "would just reach row 7: lifted by one"},
      {{1, 4, 4, 9}, 3, 1, 6, OverflowKind::kNone, "ends on row 6 unlifted"},
      {{0, 3, 8, 9}, 3, 0, 6, OverflowKind::kWide, "nine columns wide"},
      {{0, 2, 8, 10}, 2, 0, 8, OverflowKind::kWideAndHigh, "row 8 cut off"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.note);
    const int anchor = AnchorRow(row.box, 8, 3);
    EXPECT_EQ(anchor, row.anchorRow);
    EXPECT_EQ(row.box.top - anchor, row.firstTileRow);
    EXPECT_EQ(row.box.bottom - anchor, row.lastTileRow);
    EXPECT_EQ(Classify(row.box, anchor, PixelSize{.widthPx = 8, .heightPx = 8}), row.kind);
    EXPECT_EQ(AnchorColumn(row.box, 8, false), row.box.left);
  }
  // No ink: never flagged, whatever the cell size.
  for (int tileSize = 1; tileSize <= 16; ++tileSize) {
    const GlyphBox empty;
    EXPECT_FALSE(HasInk(empty));
    const PixelSize cells[] = {{.widthPx = tileSize, .heightPx = tileSize},
                               {.widthPx = tileSize, .heightPx = 17 - tileSize}};
    for (const PixelSize cell : cells) {
      EXPECT_EQ(Classify(empty, AnchorRow(empty, cell.heightPx, 0), cell), OverflowKind::kNone);
    }
  }
}

TEST(PlacementTest, CenteringByInkWidth) {
  // At tile size 8, ink widths 1 to 5 start at column (8 - w) div 2; 6 and more at 0.
  for (int width = 1; width <= 8; ++width) {
    SCOPED_TRACE(width);
    const GlyphBox box{10, 0, 10 + width - 1, 5};
    const int expectedColumn = width <= 5 ? (8 - width) / 2 : 0;
    EXPECT_EQ(box.left - AnchorColumn(box, 8, true), expectedColumn);
    EXPECT_EQ(AnchorColumn(box, 8, false), box.left);
  }
  EXPECT_EQ(AnchorColumn(GlyphBox{4, 0, 8, 5}, 8, true), 3);   // width 5: column 1
  EXPECT_EQ(AnchorColumn(GlyphBox{4, 0, 6, 5}, 8, true), 2);   // width 3: column 2
  EXPECT_EQ(AnchorColumn(GlyphBox{4, 0, 4, 5}, 8, true), 1);   // width 1: column 3
  EXPECT_EQ(AnchorColumn(GlyphBox{0, 0, 0, 0}, 8, true), -3);  // may reach left of 0
  // Tile size 4: only one-column ink is centered, onto column 1. Tile size 3 or less:
  // never.
  EXPECT_EQ(AnchorColumn(GlyphBox{6, 0, 6, 2}, 4, true), 5);
  EXPECT_EQ(AnchorColumn(GlyphBox{6, 0, 7, 2}, 4, true), 6);
  for (int tileSize = 1; tileSize <= 3; ++tileSize) {
    EXPECT_EQ(AnchorColumn(GlyphBox{6, 0, 6, 2}, tileSize, true), 6);
  }
}

TEST(PlacementTest, DrawRectEndsAtTheCellEdges) {
  struct Row {
    int cell;
    Grid grid;
    PixelSize cellPx;
    int anchorRow, anchorColumn;
    PixelRect expected;
    const char* note;
  };
  const Row rows[] = {
      {65, Grid{}, {8, 8}, 3, 1, {8 - 1, 16 - 3, 16, 24}, "code 65, tile 8: origin (8, 16)"},
      {255, Grid{}, {16, 16}, 0, 0, {31 * 16, 7 * 16, 512, 128}, "column 31, row 7 of tile 16"},
      {7, Grid{5, 3}, {9, 12}, 2, 1, {18 - 1, 12 - 2, 27, 24}, "column 2, row 1 of 9 x 12"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.note);
    const PixelRect rect =
        DrawRect(row.cell, row.grid, row.cellPx, row.anchorRow, row.anchorColumn);
    EXPECT_EQ(rect.left, row.expected.left);
    EXPECT_EQ(rect.top, row.expected.top);
    EXPECT_EQ(rect.right, row.expected.right);
    EXPECT_EQ(rect.bottom, row.expected.bottom);
  }
}

TEST(PlacementTest, FlagsGoToOneTableEach) {
  OverflowFlags flags;
  FlagOverflow(flags, 'W', OverflowKind::kWide);
  FlagOverflow(flags, 'g', OverflowKind::kHigh);
  FlagOverflow(flags, 200, OverflowKind::kWideAndHigh);
  FlagOverflow(flags, 'a', OverflowKind::kNone);
  for (int code = 0; code < 256; ++code) {
    SCOPED_TRACE(code);
    EXPECT_EQ(flags.tooWide[code] != 0, code == 'W');
    EXPECT_EQ(flags.tooHigh[code] != 0, code == 'g');
    EXPECT_EQ(flags.tooWideAndHigh[code] != 0, code == 200);
  }
}

TEST(PlacementTest, OneBaselineAnchorsEveryGlyphAlikeAndCutsByside) {
  const struct {
    int textHeight, heightCorrection, anchorRow;
  } anchors[] = {
      {16, 3, 0},   // the text cell fills the cell
      {13, 3, -1},  // centred, the spare row below
      {19, 3, 3},   // its top rows cut, as many as the probe found empty
      {19, 2, 2},   // then its bottom
  };
  for (const auto& a : anchors) {
    EXPECT_EQ(CommonAnchorRow(a.textHeight, a.heightCorrection, 16), a.anchorRow)
        << a.textHeight << " " << a.heightCorrection;
  }

  // Cells of 8 x 16: the pen on the left edge unless the ink leaves a cell it fits in.
  const struct {
    GlyphBox box;  // left, top, right, bottom, relative to the pen and the text cell
    bool center;
    int anchorColumn;
    bool wide, high, low;
  } rows[] = {
      {{1, 3, 6, 12}, false, 0, false, false, false},
      {{-1, 3, 6, 12}, false, -1, false, false, false},  // brought inside
      {{2, 3, 8, 12}, false, 1, false, false, false},
      {{-1, 3, 8, 12}, false, 0, true, false, false},  // ten columns: cut where it is
      {{2, 3, 3, 12}, true, -1, false, false, false},  // centred
      {{1, -1, 6, 16}, false, 0, false, true, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.box.left << " " << row.box.top);
    const int column = BaselineAnchorColumn(row.box, 8, row.center);
    EXPECT_EQ(column, row.anchorColumn);
    const CutSides cut = InkCutOff(row.box, 0, column, PixelSize{.widthPx = 8, .heightPx = 16});
    EXPECT_EQ(cut.wide, row.wide);
    EXPECT_EQ(cut.high, row.high);
    EXPECT_EQ(cut.low, row.low);
  }
}

TEST(OverflowReportTest, ListsRawBytesWithHeadingsAndNone) {
  OverflowFlags flags;
  EXPECT_EQ(BuildOverflowReport(flags),
            "Too wide characters:\r\n[none]\r\nToo high characters:\r\n[none]\r\n"
            "Too wide and high characters:\r\n[none]");

  // Three flagged codes: six lines, no line break after the last.
  flags.tooWide['m'] = 1;
  flags.tooWide['W'] = 1;
  flags.tooHigh['g'] = 1;
  EXPECT_EQ(BuildOverflowReport(flags),
            "Too wide characters:\r\nWm\r\nToo high characters:\r\ng\r\n"
            "Too wide and high characters:\r\n[none]");

  // Raw bytes in ascending order, control codes and high codes included; code 0 never.
  flags = OverflowFlags{};
  flags.tooWideAndHigh[0] = 1;
  flags.tooWideAndHigh[228] = 1;
  flags.tooWideAndHigh[9] = 1;
  EXPECT_EQ(BuildOverflowReport(flags),
            "Too wide characters:\r\n[none]\r\nToo high characters:\r\n[none]\r\n"
            "Too wide and high characters:\r\n\t\xE4");
}

}  // namespace
