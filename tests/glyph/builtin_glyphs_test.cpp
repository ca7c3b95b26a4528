// Built-in box drawing, block and shade glyphs, checked by property at the cell sizes
// people use (and odd ones): lines meet edge to edge, complementary blocks tile, shades
// hold their share of pixels; and the box glyphs' arms agree with Unifont's bitmaps.
#include "glyph/builtin_glyphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/unifont_hex.h"

namespace {

struct CellSize {
  int w, h;
};
constexpr CellSize kJoinSizes[] = {{5, 8}, {8, 12}, {8, 16}, {12, 12}, {16, 32}};

std::vector<std::uint8_t> Draw(char32_t ch, CellSize s) {
  std::vector<std::uint8_t> px(static_cast<std::size_t>(s.w) * s.h, 7);  // 7: never written
  EXPECT_TRUE(DrawBuiltinGlyph(ch, s.w, s.h, px.data(), s.w));
  return px;
}

enum Side { kUp, kRight, kDown, kLeft };

// The pixels along one side of the cell, top to bottom or left to right.
std::vector<std::uint8_t> Edge(const std::vector<std::uint8_t>& px, CellSize s, Side side) {
  std::vector<std::uint8_t> edge;
  const bool row = side == kUp || side == kDown;
  for (int i = 0; i < (row ? s.w : s.h); ++i) {
    const int x = row ? i : (side == kLeft ? 0 : s.w - 1);
    const int y = row ? (side == kUp ? 0 : s.h - 1) : i;
    edge.push_back(px[static_cast<std::size_t>(y) * s.w + x]);
  }
  return edge;
}

// What leaves a side: '.' nothing, 'l' one run lightPx thick, 'h' one run 2 x lightPx,
// 'd' two runs, '?' anything else (partial coverage included).
char ArmOf(const std::vector<std::uint8_t>& edge, int lightPx) {
  std::vector<int> runs;
  for (std::size_t i = 0; i < edge.size(); ++i) {
    if (edge[i] != 0 && edge[i] != 255) return '?';
    if (edge[i] == 0) continue;
    if (i == 0 || edge[i - 1] == 0) runs.push_back(0);
    ++runs.back();
  }
  if (runs.empty()) return '.';
  if (runs.size() == 2) return runs[0] == lightPx && runs[1] == lightPx ? 'd' : '?';
  if (runs.size() == 1) return runs[0] == lightPx ? 'l' : runs[0] == 2 * lightPx ? 'h' : '?';
  return '?';
}

// The box characters made of solid lines: all but the dashed lines and the diagonals.
std::vector<char32_t> SolidBoxCharacters() {
  std::vector<char32_t> chars;
  for (char32_t ch = 0x2500; ch <= 0x257F; ++ch) {
    const bool dashed = (ch >= 0x2504 && ch <= 0x250B) || (ch >= 0x254C && ch <= 0x254F);
    if (!dashed && !(ch >= 0x2571 && ch <= 0x2573)) chars.push_back(ch);
  }
  return chars;
}

TEST(BuiltinGlyphsTest, LinesMeetTheirNeighboursEdgeToEdge) {
  for (const CellSize s : kJoinSizes) {
    SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
    const int light = std::max(1, (s.h + 8) / 16);
    // Every side of every solid glyph is one of the three kinds of arm or nothing; all
    // the arms of a kind that cross one cell boundary (left/right, or up/down) are the
    // same pixels, so each meets its neighbour's whatever the pair.
    std::map<std::pair<bool, char>, std::set<std::vector<std::uint8_t>>> arms;
    for (const char32_t ch : SolidBoxCharacters()) {
      SCOPED_TRACE(static_cast<unsigned>(ch));
      const std::vector<std::uint8_t> px = Draw(ch, s);
      for (const Side side : {kUp, kRight, kDown, kLeft}) {
        const std::vector<std::uint8_t> edge = Edge(px, s, side);
        const char arm = ArmOf(edge, light);
        ASSERT_NE(arm, '?') << "side " << side;
        if (arm != '.') arms[{side == kLeft || side == kRight, arm}].insert(edge);
      }
    }
    for (const bool horizontal : {false, true}) {
      for (const char arm : {'l', 'h', 'd'}) {
        SCOPED_TRACE(std::string(1, arm) + (horizontal ? " across left/right" : " across up/down"));
        EXPECT_EQ(arms[std::make_pair(horizontal, arm)].size(), 1u);
      }
    }
  }
}

TEST(BuiltinGlyphsTest, ArmsAreUnifontsAtItsCellSize) {
  const std::vector<char32_t> chars = SolidBoxCharacters();
  const std::map<char32_t, HexGlyph> unifont = ReadUnifontHex(kUnifontHexPath, chars);
  if (unifont.empty()) GTEST_SKIP() << kUnifontHexPath << " is missing: install unifont";
  const CellSize s{8, 16};  // Unifont's cell: light 1 px, heavy 2, as its lines
  for (const char32_t ch : chars) {
    SCOPED_TRACE(static_cast<unsigned>(ch));
    const HexGlyph& hex = unifont.at(ch);
    ASSERT_EQ(hex.width, 8);
    std::vector<std::uint8_t> reference(8 * 16);
    for (int i = 0; i < 8 * 16; ++i) reference[i] = hex.lit[i] ? 255 : 0;
    const std::vector<std::uint8_t> ours = Draw(ch, s);
    for (const Side side : {kUp, kRight, kDown, kLeft}) {
      EXPECT_EQ(ArmOf(Edge(ours, s, side), 1), ArmOf(Edge(reference, s, side), 1))
          << "side " << side;
    }
  }
}

TEST(BuiltinGlyphsTest, ComplementaryBlocksTileTheCell) {
  // Each group lights every pixel of the cell exactly once.
  const std::u32string groups[] = {U"▀▄", U"▌▐", U"▔▇", U"▉▕", U"▘▝▖▗", U"▚▞",
                                   U"▙▝", U"▛▗", U"▜▖", U"▟▘", U"█"};
  const CellSize sizes[] = {{5, 8}, {8, 12}, {8, 16}, {12, 12}, {16, 32},
                            {1, 1}, {3, 5},  {7, 9},  {9, 16},  {64, 64}};
  for (const CellSize s : sizes) {
    for (const std::u32string& group : groups) {
      SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h) + " group of U+" +
                   std::to_string(static_cast<unsigned>(group[0])));
      std::vector<int> lit(static_cast<std::size_t>(s.w) * s.h, 0);
      for (const char32_t ch : group) {
        const std::vector<std::uint8_t> px = Draw(ch, s);
        for (std::size_t i = 0; i < px.size(); ++i) {
          ASSERT_TRUE(px[i] == 0 || px[i] == 255);
          lit[i] += px[i] == 255;
        }
      }
      for (const int times : lit) ASSERT_EQ(times, 1);
    }
  }
}

TEST(BuiltinGlyphsTest, ShadesHoldTheirShareOfPixels) {
  const struct {
    char32_t ch;
    int quarters;
  } shades[] = {{U'░', 1}, {U'▒', 2}, {U'▓', 3}};
  const CellSize sizes[] = {{5, 8}, {8, 12}, {8, 16}, {12, 12}, {16, 32}, {1, 1},
                            {3, 3}, {5, 5},  {7, 9},  {9, 16},  {64, 63}, {63, 64}};
  for (const CellSize s : sizes) {
    for (const auto& shade : shades) {
      SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h) + " U+" +
                   std::to_string(static_cast<unsigned>(shade.ch)));
      int lit = 0;
      for (const std::uint8_t v : Draw(shade.ch, s)) {
        ASSERT_TRUE(v == 0 || v == 255);
        lit += v == 255;
      }
      // Within one pixel of the share: |4 lit - quarters W H| <= 4.
      EXPECT_LE(std::abs(4 * lit - shade.quarters * s.w * s.h), 4) << lit << " lit";
    }
  }
}

TEST(BuiltinGlyphsTest, RefusesOtherCharactersAndSizes) {
  std::vector<std::uint8_t> px(65 * 65, 7);
  EXPECT_FALSE(DrawBuiltinGlyph(U'A', 8, 8, px.data(), 8));
  EXPECT_FALSE(DrawBuiltinGlyph(0x24FF, 8, 8, px.data(), 8));
  EXPECT_FALSE(DrawBuiltinGlyph(0x25A1, 8, 8, px.data(), 8));
  EXPECT_FALSE(DrawBuiltinGlyph(0x2500, 0, 8, px.data(), 8));
  EXPECT_FALSE(DrawBuiltinGlyph(0x2500, 8, 65, px.data(), 8));
  EXPECT_EQ(std::count(px.begin(), px.end(), 7), 65 * 65);
  EXPECT_TRUE(IsBuiltinGlyph(0x2500) && IsBuiltinGlyph(0x259F) && IsBuiltinGlyph(0x25A0));
}

}  // namespace
