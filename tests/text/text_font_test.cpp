// Fonts on DejaVu through fontconfig: matching, sizes and the measured ink of
// single characters. Expected figures were measured with FreeType 2.12.1 and the
// TrueType interpreter version 35.
#include "text/text_font.h"

#include <gtest/gtest.h>

#include "text/windows1252.h"
#include "text_test_support.h"

namespace {

constexpr int kOrigin = 10;  // pen and cell top on the test surfaces

// Draws ch alone with its pen and cell top at (kOrigin, kOrigin).
InkBox InkOf(TextFont& font, char32_t ch, int* advance = nullptr) {
  PixelSurface surface;
  EXPECT_TRUE(ResizePixelSurface(surface, 80, 80));
  const int drawn = DrawCharAt(surface, font, ch, kOrigin, kOrigin, nullptr, false, false);
  if (advance != nullptr) *advance = drawn;
  return MeasureInk(surface, kOrigin, kOrigin);
}

TEST(TextFontTest, HeightsOfDejaVuSans) {
  const struct {
    int height;
    int ppem, ascent, descent;
  } rows[] = {{20, 17, 16, 4}, {-20, 20, 19, 5}, {0, 14, 13, 3},
              {3, 2, 2, 0},    {11, 9, 8, 2},    {12, 10, 9, 2}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.height);
    const TextFontPtr font = OpenTextFont(Request("DejaVu Sans", row.height));
    ASSERT_NE(font, nullptr);
    const FontMetrics m = GetFontMetrics(*font);
    EXPECT_EQ(m.family, "DejaVu Sans");
    EXPECT_EQ(BaseName(m.file), "DejaVuSans.ttf");
    EXPECT_EQ(m.ppemY, row.ppem);
    EXPECT_EQ(m.ppemX, row.ppem);
    EXPECT_EQ(m.ascentPx, row.ascent);
    EXPECT_EQ(m.descentPx, row.descent);
    EXPECT_FALSE(m.syntheticBold);
    EXPECT_FALSE(m.syntheticItalic);
  }
}

TEST(TextFontTest, InkBoxesAtCell20) {
  // x from the pen, y from the cell top, inclusive.
  const struct {
    const char* face;
    char32_t ch;
    int left, right, top, bottom, advance;
  } rows[] = {
      {"DejaVu Sans", U'A', 0, 10, 4, 15, 11},
      {"DejaVu Sans", U'g', 1, 8, 7, 19, 10},
      {"DejaVu Sans Mono", U'A', 1, 8, 4, 15, 10},
      {"DejaVu Sans Mono", U'g', 1, 8, 7, 19, 10},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.face) + " " + static_cast<char>(row.ch));
    const TextFontPtr font = OpenTextFont(Request(row.face, 20));
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(GetFontMetrics(*font).family, row.face);
    int advance = 0;
    const InkBox box = InkOf(*font, row.ch, &advance);
    EXPECT_EQ(box.left, row.left);
    EXPECT_EQ(box.right, row.right);
    EXPECT_EQ(box.top, row.top);
    EXPECT_EQ(box.bottom, row.bottom);
    EXPECT_EQ(advance, row.advance);
  }
}

TEST(TextFontTest, WidthNarrowsTheFont) {
  const struct {
    const char* face;
    int ppemX, advanceA;
  } rows[] = {{"DejaVu Sans", 12, 8}, {"DejaVu Sans Mono", 10, 6}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.face);
    const TextFontPtr font = OpenTextFont(Request(row.face, 20, 6));
    ASSERT_NE(font, nullptr);
    const FontMetrics m = GetFontMetrics(*font);
    EXPECT_EQ(m.ppemX, row.ppemX);
    EXPECT_EQ(m.ppemY, 17);
    EXPECT_EQ(RenderChar(*font, U'A').advancePx, row.advanceA);
  }
}

TEST(TextFontTest, CoverageHasSixteenLevels) {
  const TextFontPtr font = OpenTextFont(Request("DejaVu Sans", 20));
  ASSERT_NE(font, nullptr);
  int lit = 0;
  for (char32_t ch : {U'A', U'g', U'W', U'@', U'e'}) {
    const GlyphImage& glyph = RenderChar(*font, ch);
    ASSERT_EQ(glyph.coverage.size(), static_cast<std::size_t>(glyph.width) * glyph.rows);
    for (std::uint8_t value : glyph.coverage) {
      EXPECT_EQ(value % 17, 0) << "coverage " << int{value};
      if (value != 0) ++lit;
    }
  }
  // Measured: 446 pixels with coverage of at least 16/255 (474 with any coverage).
  EXPECT_EQ(lit, 446);
}

TEST(TextFontTest, MatchesTheTypefacesOwnFiles) {
  const struct {
    const char* face;
    int weight;
    bool italic;
    const char* file;
    bool syntheticBold, syntheticItalic;
  } rows[] = {
      {"DejaVu Sans", 700, false, "DejaVuSans-Bold.ttf", false, false},
      {"DejaVu Sans", 400, true, "DejaVuSans-Oblique.ttf", false, false},
      {"DejaVu Sans", 700, true, "DejaVuSans-BoldOblique.ttf", false, false},
      {"dejavu sans mono", 400, false, "DejaVuSansMono.ttf", false, false},
      {"DejaVu Sans Condensed", 700, false, "DejaVuSansCondensed-Bold.ttf", false, false},
      // The Light typeface has one upright light file: both styles are synthesized.
      {"DejaVu Sans Light", 700, true, "DejaVuSans-ExtraLight.ttf", true, true},
      {"DejaVu Sans Light", 400, false, "DejaVuSans-ExtraLight.ttf", false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.face) + " " + std::to_string(row.weight) +
                 (row.italic ? " italic" : ""));
    const TextFontPtr font = OpenTextFont(Request(row.face, 20, 0, row.weight, row.italic));
    ASSERT_NE(font, nullptr);
    const FontMetrics m = GetFontMetrics(*font);
    EXPECT_EQ(BaseName(m.file), row.file);
    EXPECT_EQ(m.syntheticBold, row.syntheticBold);
    EXPECT_EQ(m.syntheticItalic, row.syntheticItalic);
  }
}

TEST(TextFontTest, MissingTypefaceIsSubstituted) {
  const TextFontPtr font = OpenTextFont(Request("Glyphex No Such Typeface", 20));
  ASSERT_NE(font, nullptr);
  const FontMetrics m = GetFontMetrics(*font);
  EXPECT_FALSE(m.family.empty());
  EXPECT_FALSE(m.file.empty());
  EXPECT_GT(InkOf(*font, U'A').lit, 0);

  const TextFontPtr fallback = DefaultTextFont();
  ASSERT_NE(fallback, nullptr);
  EXPECT_EQ(DefaultTextFont(), fallback);  // one shared default
  EXPECT_EQ(GetFontMetrics(*fallback).ascentPx + GetFontMetrics(*fallback).descentPx, 16);
}

TEST(TextFontTest, CodesMapThroughWindows1252) {
  const TextFontPtr font = OpenTextFont(Request("DejaVu Sans", 20));
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(CodeToChar(*font, 'A'), U'A');
  EXPECT_EQ(CodeToChar(*font, 0x80), char32_t{0x20AC});
  EXPECT_EQ(CodeToChar(*font, 0xE4), char32_t{0xE4});
  EXPECT_EQ(CodeToChar(*font, 10), char32_t{0});
  EXPECT_EQ(CodeToChar(*font, 13), char32_t{0});
  EXPECT_GT(InkOf(*font, CodeToChar(*font, 0x80)).lit, 0);  // the euro sign has ink

  // A character the face lacks draws nothing and does not advance.
  const GlyphImage& missing = RenderChar(*font, 0x4E2D);
  EXPECT_EQ(missing.advancePx, 0);
  EXPECT_TRUE(missing.coverage.empty());
}

}  // namespace
