// The size and style arithmetic, checked against figures measured on DejaVu Sans
// (unitsPerEm 2048, usWinAscent 1901, usWinDescent 483, xAvgCharWidth 1038; DejaVu
// Sans Mono 1233).
#include "text/size_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kUpem = 2048;
constexpr int kWinAscent = 1901;
constexpr int kWinDescent = 483;

TEST(TextSizeRulesTest, CellHeightsOfDejaVu) {
  const struct {
    int height;
    int ppem, ascent, descent;
  } rows[] = {
      {20, 17, 16, 4},                 // cell 20
      {-20, 20, 19, 5},                // em height 20
      {0, 14, 13, 3},                  // the default: cell 16
      {16, 14, 13, 3},  {3, 2, 2, 0},  // one short of the request
      {11, 9, 8, 2},                   // one short
      {12, 10, 9, 2},                  // one short
      {1, 1, 1, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.height);
    const VerticalSize size = PickVerticalSize(row.height, kUpem, kWinAscent, kWinDescent);
    EXPECT_EQ(size.ppem, row.ppem);
    EXPECT_EQ(size.ascentPx, row.ascent);
    EXPECT_EQ(size.descentPx, row.descent);
  }

  // Cells 1..16 in order, and the cell never exceeds the request.
  const std::vector<int> ppems = {1, 2, 2, 3, 4, 5, 6, 7, 8, 9, 9, 10, 11, 12, 13, 14};
  for (int cell = 1; cell <= 16; ++cell) {
    const VerticalSize size = PickVerticalSize(cell, kUpem, kWinAscent, kWinDescent);
    EXPECT_EQ(size.ppem, ppems[cell - 1]) << "cell " << cell;
    if (size.ppem > 1) {
      EXPECT_LE(size.ascentPx + size.descentPx, cell) << "cell " << cell;
    }
  }
}

TEST(TextSizeRulesTest, ExtremeHeightsStayInRange) {
  EXPECT_EQ(PickVerticalSize(1 << 30, kUpem, kWinAscent, kWinDescent).ppem, kMaxPpem);
  EXPECT_EQ(PickVerticalSize(-(1 << 30), kUpem, kWinAscent, kWinDescent).ppem, kMaxPpem);
  EXPECT_EQ(PickVerticalSize(INT32_MIN, kUpem, kWinAscent, kWinDescent).ppem, kMaxPpem);
  // Units far smaller than the pixels they make: ascent and descent stop at the reach.
  const VerticalSize tiny = PickVerticalSize(-kMaxPpem, 16, 65535, 65535);
  EXPECT_EQ(tiny.ascentPx, kMaxGlyphReachPx);
  EXPECT_EQ(tiny.descentPx, kMaxGlyphReachPx);
  // A face with no vertical extent at all still gets a size.
  const VerticalSize flat = PickVerticalSize(20, 1000, 0, 0);
  EXPECT_EQ(flat.ppem, 20);
  EXPECT_EQ(flat.ascentPx, 20);
}

TEST(TextSizeRulesTest, HorizontalPpemFromAverageWidth) {
  EXPECT_EQ(PickHorizontalPpem(6, 17, kUpem, 1038), 12);  // DejaVu Sans
  EXPECT_EQ(PickHorizontalPpem(6, 17, kUpem, 1233), 10);  // DejaVu Sans Mono
  EXPECT_EQ(PickHorizontalPpem(0, 17, kUpem, 1038), 17);  // the face's own aspect
  EXPECT_EQ(PickHorizontalPpem(6, 17, kUpem, 0), 17);     // no average width known
  EXPECT_EQ(PickHorizontalPpem(1, 17, kUpem, 1038 * 4), 1);
  EXPECT_EQ(PickHorizontalPpem(1 << 30, 17, kUpem, 1038), kMaxPpem);
}

TEST(TextSizeRulesTest, UnderlineFromThePostTable) {
  // DejaVu: position -40, thickness 90. At ppem 17 the stroke's top rounds onto the
  // first row under the baseline, one row thick.
  UnderlineRows rows = PickUnderline(-40, 90, 17, kUpem);
  EXPECT_EQ(rows.topBelowBaseline, 0);
  EXPECT_EQ(rows.rows, 1);
  rows = PickUnderline(-40, 90, 100, kUpem);
  EXPECT_EQ(rows.topBelowBaseline, 2);  // round(1.95)
  EXPECT_EQ(rows.rows, 4);              // round(4.39)
  rows = PickUnderline(-150, 0, 10, 1000);
  EXPECT_EQ(rows.topBelowBaseline, 2);  // round(1.5), half away from zero
  EXPECT_EQ(rows.rows, 1);              // never thinner than a row
}

TEST(TextSizeRulesTest, SynthesisOnlyWhereTheFaceLacksTheStyle) {
  EXPECT_TRUE(NeedsSyntheticBold(700, 400));
  EXPECT_TRUE(NeedsSyntheticBold(700, 200));   // a light face asked for bold
  EXPECT_FALSE(NeedsSyntheticBold(700, 600));  // semibold counts as bold
  EXPECT_FALSE(NeedsSyntheticBold(700, 700));
  EXPECT_FALSE(NeedsSyntheticBold(400, 400));
  EXPECT_FALSE(NeedsSyntheticBold(400, 700));  // never made lighter
  EXPECT_TRUE(NeedsSyntheticItalic(true, false));
  EXPECT_FALSE(NeedsSyntheticItalic(true, true));
  EXPECT_FALSE(NeedsSyntheticItalic(false, true));
}

TEST(TextSizeRulesTest, PicksNearestWeightThenSlant) {
  // The four faces of a usual family.
  const FaceStyle family[] = {{400, false}, {400, true}, {700, false}, {700, true}};
  EXPECT_EQ(PickFaceStyle(family, 4, 400, false), 0);
  EXPECT_EQ(PickFaceStyle(family, 4, 400, true), 1);
  EXPECT_EQ(PickFaceStyle(family, 4, 700, false), 2);
  EXPECT_EQ(PickFaceStyle(family, 4, 700, true), 3);
  // Weight comes before slant: bold italic of regular, oblique and bold is the bold.
  const FaceStyle three[] = {{400, false}, {400, true}, {700, false}};
  EXPECT_EQ(PickFaceStyle(three, 3, 700, true), 2);
  // A single light face serves everything.
  const FaceStyle light[] = {{200, false}};
  EXPECT_EQ(PickFaceStyle(light, 1, 700, true), 0);
  EXPECT_EQ(PickFaceStyle(light, 0, 400, false), -1);
  // A TrueType file before a Type 1 file of the same weight and slant, in either
  // order; weight and slant still come first.
  const FaceStyle type1First[] = {{.weight = 400, .italic = false, .trueType = false},
                                  {.weight = 400, .italic = false, .trueType = true},
                                  {.weight = 700, .italic = false, .trueType = false},
                                  {.weight = 400, .italic = true, .trueType = true}};
  EXPECT_EQ(PickFaceStyle(type1First, 4, 400, false), 1);
  EXPECT_EQ(PickFaceStyle(type1First + 1, 1, 400, false), 0);
  EXPECT_EQ(PickFaceStyle(type1First, 4, 700, false), 2);  // only the Type 1 file is bold
  EXPECT_EQ(PickFaceStyle(type1First, 4, 400, true), 3);   // slant before format
  const FaceStyle trueTypeFirst[] = {{.weight = 400, .italic = false, .trueType = true},
                                     {.weight = 400, .italic = false, .trueType = false}};
  EXPECT_EQ(PickFaceStyle(trueTypeFirst, 2, 400, false), 0);
  EXPECT_EQ(NormalizeWeightClass(0), 400);
  EXPECT_EQ(NormalizeWeightClass(7), 700);
  EXPECT_EQ(NormalizeWeightClass(350), 350);
}

TEST(TextSizeRulesTest, PicksTheNearestFixedStrike) {
  const int strikes[] = {10, 13, 16, 24};
  const struct {
    int height;
    int want;
  } rows[] = {
      {0, 2},          // the default cell height 16
      {12, 1},         // nearest
      {-12, 1},        // an em height counts by its magnitude
      {20, 2},         // 16 and 24 are as near: the first wins
      {1, 0},          // below every strike
      {INT32_MAX, 3},  // beyond every strike
      {INT32_MIN, 3},  // its magnitude exceeds int
      {-INT32_MAX, 3},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.height);
    EXPECT_EQ(PickFixedStrike(strikes, 4, row.height), row.want);
  }
  EXPECT_EQ(PickFixedStrike(strikes, 0, 12), -1);
}

}  // namespace
