// Band arithmetic of the gradient modes, against bands worked out by hand.
#include "color/fill_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Component value of a gradient pixel: TopColor + (SubColor - TopColor) * e, truncated.
int Component(int top, int sub, float e) {
  return static_cast<int>(top + (static_cast<double>(sub) - top) * e);
}

TEST(ColorBandFractionTest, BandsAtTileSizeEight) {
  // Four steps: d = 2, f = 4; two rows per band.
  const BandScale four = MakeBandScale(8, 4.0f);
  EXPECT_EQ(four.bandHeight, 2.0f);
  EXPECT_EQ(four.bandCount, 4.0f);
  const float fourE[8] = {0, 0, 0.25f, 0.25f, 0.5f, 0.5f, 0.75f, 0.75f};
  const int green[8] = {255, 255, 191, 191, 127, 127, 63, 63};  // 255 toward 0
  for (int r = 0; r < 8; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(BandFraction(four, r), fourE[r]);
    EXPECT_EQ(Component(255, 0, BandFraction(four, r)), green[r]);
  }

  // Three steps: d is 8/3 in single precision, f = 3; rows 0-2, 3-5, 6-7.
  const BandScale three = MakeBandScale(8, 3.0f);
  EXPECT_EQ(three.bandHeight, 2.6666667f);
  EXPECT_EQ(three.bandCount, 3.0f);
  const int band[8] = {0, 0, 0, 1, 1, 1, 2, 2};
  const float threeE[3] = {0.0f, 0.33333334f, 0.6666667f};
  const int down[3] = {255, 169, 84};  // not 170, 85: e is slightly above k/3
  const int up[3] = {0, 85, 170};
  for (int r = 0; r < 8; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(BandOf(three, r), band[r]);
    const float e = BandFraction(three, r);
    EXPECT_EQ(e, threeE[band[r]]);
    EXPECT_EQ(Component(255, 0, e), down[band[r]]);
    EXPECT_EQ(Component(0, 255, e), up[band[r]]);
  }
}

TEST(ColorBandFractionTest, BandTablesWhereSinglePrecisionMovesEdgeRows) {
  struct Row {
    int tileSize;
    float steps;
    std::vector<int> bands;
  };
  const Row rows[] = {
      // Rows 8 and 13 sit exactly on band edges and fall into the band above.
      {16, 6.0f, {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 4, 4, 4, 5, 5}},
      {12, 9.0f, {0, 0, 1, 2, 2, 3, 4, 5, 5, 6, 7, 8}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "T=" << row.tileSize << " steps=" << row.steps);
    const BandScale scale = MakeBandScale(row.tileSize, row.steps);
    for (int r = 0; r < row.tileSize; ++r) {
      SCOPED_TRACE(r);
      EXPECT_EQ(BandOf(scale, r), row.bands[r]);
    }
  }
}

TEST(ColorBandFractionTest, OneStepIsSingleColorAndTileSizeStepsGiveOneBandPerRow) {
  for (int tileSize = 1; tileSize <= 16; ++tileSize) {
    SCOPED_TRACE(tileSize);
    const BandScale single = MakeBandScale(tileSize, 1.0f);
    const BandScale perRow = MakeBandScale(tileSize, static_cast<float>(tileSize));
    for (int r = 0; r < tileSize; ++r) {
      EXPECT_EQ(BandFraction(single, r), 0.0f);
      EXPECT_EQ(BandOf(perRow, r), r);
      EXPECT_EQ(BandFraction(perRow, r), static_cast<float>(static_cast<double>(r) / tileSize));
    }
  }
}

}  // namespace
