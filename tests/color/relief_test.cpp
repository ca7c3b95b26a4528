// The relief rule on the worked shapes, inside a cell and against cell edges.
#include "color/fill_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using Pixels = std::set<std::pair<int, int>>;
constexpr ReliefShade T = ReliefShade::kTop;
constexpr ReliefShade S = ReliefShade::kSub;

ReliefShade Shade(const Pixels& lit, int x, int y) {
  return ChooseRelief(x, y, PixelSize{.widthPx = 8, .heightPx = 8}, [&](int nx, int ny) {
    return lit.count({nx, ny}) > 0;
  });
}

TEST(ColorReliefTest, WorkedShapes) {
  // A 3 x 3 block at tile-local columns and rows 2..4 of the tile at (8, 8).
  Pixels block;
  for (int y = 2; y <= 4; ++y)
    for (int x = 2; x <= 4; ++x) block.insert({8 + x, 8 + y});
  const ReliefShade expected[3][3] = {{T, T, T}, {T, T, S}, {T, S, S}};
  for (const auto& [x, y] : block) EXPECT_EQ(Shade(block, x, y), expected[y - 10][x - 10]);

  const Pixels diagonal = {{2, 2}, {3, 3}, {4, 4}};
  EXPECT_EQ(Shade(diagonal, 2, 2), T);
  EXPECT_EQ(Shade(diagonal, 3, 3), S);
  EXPECT_EQ(Shade(diagonal, 4, 4), S);
  const Pixels strokes = {{3, 1}, {3, 2}, {3, 3}, {9, 3}, {10, 3}, {11, 3}};
  for (const auto& [x, y] : strokes) EXPECT_EQ(Shade(strokes, x, y), T);
}

TEST(ColorReliefTest, NeighborsInOtherCellsNeverCount) {
  // All lit: inside a cell the rule ends at TopColor; on a cell's last column or row the
  // right or down-right neighbor is in the next cell (SubColor); on its first column or
  // row the up-left one is in another cell (TopColor). Cell 1 x 1: always TopColor.
  // Columns count against the width, rows against the height.
  auto all = [](int, int) { return true; };
  const PixelSize cells[] = {{1, 1}, {4, 4}, {3, 5}};
  for (const PixelSize cell : cells) {
    for (int y = 0; y < 2 * cell.heightPx; ++y) {
      for (int x = 0; x < 2 * cell.widthPx; ++x) {
        SCOPED_TRACE(testing::Message()
                     << cell.widthPx << "x" << cell.heightPx << " (" << x << ", " << y << ")");
        const int column = x % cell.widthPx, row = y % cell.heightPx;
        const bool edge = column == cell.widthPx - 1 || row == cell.heightPx - 1;
        EXPECT_EQ(ChooseRelief(x, y, cell, all), column && row && edge ? S : T);
      }
    }
  }
}

}  // namespace
