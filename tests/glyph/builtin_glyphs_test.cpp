// Built-in box drawing, block and shade glyphs, by property at the cell sizes people use
// and odd ones: lines meet edge to edge, with Unifont's arms; complementary blocks tile;
// shades hold their share of pixels.
#include "glyph/builtin_glyphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/unifont_hex.h"

namespace {

using Pixels = std::vector<std::uint8_t>;

struct CellSize {
  int w, h;
};
constexpr CellSize kOddSizesToo[] = {{5, 8}, {8, 12}, {8, 16}, {12, 12}, {16, 32},
                                     {1, 1}, {3, 5},  {7, 9},  {9, 16},  {64, 63}};

Pixels Draw(char32_t ch, CellSize s) {
  Pixels px(static_cast<std::size_t>(s.w) * s.h, 7);  // 7: never written
  EXPECT_TRUE(DrawBuiltinGlyph(ch, s.w, s.h, px.data(), s.w));
  return px;
}

// The pixels along side 0 (top), 1 (right), 2 (bottom) or 3 (left).
Pixels Edge(const Pixels& px, CellSize s, int side) {
  Pixels edge;
  for (int i = 0; i < (side % 2 == 0 ? s.w : s.h); ++i) {
    const int x = side % 2 == 0 ? i : side == 1 ? s.w - 1 : 0;
    const int y = side % 2 == 1 ? i : side == 2 ? s.h - 1 : 0;
    edge.push_back(px[static_cast<std::size_t>(y) * s.w + x]);
  }
  return edge;
}

// What leaves a side: '.' nothing, 'l' one run light px thick, 'h' one of 2 x light,
// 'd' two of light; '?' anything else, partial coverage included.
char ArmOf(const Pixels& edge, int light) {
  std::vector<int> runs;
  for (std::size_t i = 0; i < edge.size(); ++i) {
    if (edge[i] != 0 && edge[i] != 255) return '?';
    if (edge[i] == 255 && (i == 0 || edge[i - 1] == 0)) runs.push_back(0);
    if (edge[i] == 255) ++runs.back();
  }
  using Runs = std::vector<int>;
  return runs.empty()                 ? '.'
         : runs == Runs{light}        ? 'l'
         : runs == Runs{2 * light}    ? 'h'
         : runs == Runs{light, light} ? 'd'
                                      : '?';
}

TEST(BuiltinGlyphsTest, LinesMeetTheirNeighboursEdgeToEdge) {
  std::vector<char32_t> solid;  // all but the dashed lines and the diagonals
  for (char32_t ch = 0x2500; ch <= 0x257F; ++ch) {
    if ((ch < 0x2504 || ch > 0x250B) && (ch < 0x254C || ch > 0x254F) &&
        (ch < 0x2571 || ch > 0x2573)) {
      solid.push_back(ch);
    }
  }
  const std::map<char32_t, HexGlyph> unifont = ReadUnifontHex(solid);
  for (const CellSize s : {CellSize{5, 8}, {8, 12}, {8, 16}, {12, 12}, {16, 32}}) {
    SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
    // Every arm of a kind crossing one cell boundary (left/right or up/down) is the same
    // pixels in every character, so that each meets its neighbour's whatever the pair.
    std::map<std::pair<bool, char>, std::set<std::string>> arms;
    for (const char32_t ch : solid) {
      SCOPED_TRACE(static_cast<unsigned>(ch));
      const Pixels px = Draw(ch, s);
      for (int side = 0; side < 4; ++side) {
        const Pixels edge = Edge(px, s, side);
        const char arm = ArmOf(edge, std::max(1, (s.h + 8) / 16));
        ASSERT_NE(arm, '?') << "side " << side;
        if (arm != '.') arms[std::make_pair(side % 2 == 1, arm)].insert({edge.begin(), edge.end()});
        // In Unifont's own 8 x 16 cell the arms are Unifont's (light 1 px, heavy 2).
        if (s.w == 8 && s.h == 16 && unifont.contains(ch)) {
          Pixels reference;
          for (const unsigned char lit : unifont.at(ch).lit) reference.push_back(lit ? 255 : 0);
          EXPECT_EQ(arm, ArmOf(Edge(reference, s, side), 1)) << "side " << side;
        }
      }
    }
    EXPECT_EQ(arms.size(), 6u);  // light, heavy and double, each way
    for (const auto& [kind, edges] : arms) EXPECT_EQ(edges.size(), 1u) << kind.second;
  }
  if (unifont.empty()) GTEST_SKIP() << kUnifontHexPath << " is missing: arms not compared";
}

TEST(BuiltinGlyphsTest, ComplementaryBlocksTileTheCell) {
  // Each group lights every pixel of the cell exactly once.
  const std::u32string groups[] = {U"▀▄", U"▌▐", U"▔▇", U"▉▕", U"▘▝▖▗", U"▚▞",
                                   U"▙▝", U"▛▗", U"▜▖", U"▟▘", U"█"};
  for (const CellSize s : kOddSizesToo) {
    for (const std::u32string& group : groups) {
      SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h) + " with U+" +
                   std::to_string(static_cast<unsigned>(group[0])));
      std::vector<int> times(static_cast<std::size_t>(s.w) * s.h);
      for (const char32_t ch : group) {
        const Pixels px = Draw(ch, s);
        for (std::size_t i = 0; i < px.size(); ++i) times[i] += px[i] == 255 ? 1 : px[i] ? 9 : 0;
      }
      EXPECT_EQ(std::count(times.begin(), times.end(), 1), s.w * s.h);
    }
  }
}

TEST(BuiltinGlyphsTest, ShadesHoldTheirShareOfPixels) {
  for (const CellSize s : kOddSizesToo) {
    for (const int quarters : {1, 2, 3}) {  // ░ ▒ ▓
      SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h) + " quarters " +
                   std::to_string(quarters));
      const Pixels px = Draw(U'░' + quarters - 1, s);
      const int lit = static_cast<int>(std::count(px.begin(), px.end(), 255));
      EXPECT_EQ(lit + std::count(px.begin(), px.end(), 0), s.w * s.h);
      EXPECT_LE(std::abs(4 * lit - quarters * s.w * s.h), 4) << lit << " lit";  // one pixel
    }
  }
}

}  // namespace
