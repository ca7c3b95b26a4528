// Drawing single characters: placement, clipping, opaque cells, underline and the
// synthetic styles.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_OUTLINE_H

#include "text/text_font.h"
#include "text/text_font_internal.h"
#include "text_test_support.h"

namespace {

PixelSurface BlackSurface(int width, int height) {
  PixelSurface surface;
  EXPECT_TRUE(ResizePixelSurface(surface, width, height));
  return surface;
}

// The leftmost lit column of row y, or -1.
int FirstLitInRow(const PixelSurface& surface, int y) {
  for (int x = 0; x < surface.width; ++x) {
    if (IsLitAt(surface, x, y)) return x;
  }
  return -1;
}

TEST(TextDrawTest, SyntheticBoldWidensTheStrokes) {
  const TextFontPtr regular = OpenTextFont(Request("DejaVu Sans Light", 20));
  const TextFontPtr bold = OpenTextFont(Request("DejaVu Sans Light", 20, 0, 700));
  ASSERT_NE(regular, nullptr);
  ASSERT_NE(bold, nullptr);
  ASSERT_TRUE(GetFontMetrics(*bold).syntheticBold);
  for (char32_t ch : {U'l', U'A', U'o'}) {
    SCOPED_TRACE(static_cast<char>(ch));
    PixelSurface plain = BlackSurface(40, 30);
    PixelSurface heavy = BlackSurface(40, 30);
    const int plainAdvance = DrawCharAt(plain, *regular, ch, 5, 2, nullptr, false, false);
    const int heavyAdvance = DrawCharAt(heavy, *bold, ch, 5, 2, nullptr, false, false);
    EXPECT_EQ(heavyAdvance, plainAdvance + 1);
    const InkBox a = MeasureInk(plain);
    const InkBox b = MeasureInk(heavy);
    EXPECT_GT(b.lit, a.lit);
    EXPECT_EQ(b.left, a.left);
    EXPECT_EQ(b.right, a.right + 1);
    // Overstrike never takes ink away.
    for (std::size_t i = 0; i < plain.pixels.size(); ++i) {
      EXPECT_GE(heavy.pixels[i], plain.pixels[i]);
    }
  }
}

TEST(TextDrawTest, SyntheticItalicLeansToTheRight) {
  const TextFontPtr upright = OpenTextFont(Request("DejaVu Sans Light", -40));
  const TextFontPtr slanted = OpenTextFont(Request("DejaVu Sans Light", -40, 0, 400, true));
  ASSERT_NE(upright, nullptr);
  ASSERT_NE(slanted, nullptr);
  ASSERT_TRUE(GetFontMetrics(*slanted).syntheticItalic);
  PixelSurface a = BlackSurface(60, 60);
  PixelSurface b = BlackSurface(60, 60);
  const int advanceA = DrawCharAt(a, *upright, U'I', 10, 5, nullptr, false, false);
  const int advanceB = DrawCharAt(b, *slanted, U'I', 10, 5, nullptr, false, false);
  EXPECT_EQ(advanceA, advanceB);  // the shear keeps the advance
  const InkBox boxA = MeasureInk(a);
  const InkBox boxB = MeasureInk(b);
  // The top of the stem moves right by about 0.21 of its height above the baseline;
  // the foot on the baseline stays.
  const int shift = FirstLitInRow(b, boxB.top) - FirstLitInRow(a, boxA.top);
  EXPECT_GE(shift, 4);
  EXPECT_LE(std::abs(FirstLitInRow(b, boxB.bottom) - FirstLitInRow(a, boxA.bottom)), 1);
}

TEST(TextDrawTest, UnderlineLightsARowUnderASpace) {
  const TextFontPtr font = OpenTextFont(Request("DejaVu Sans", 20));
  const TextFontPtr underlined = OpenTextFont(Request("DejaVu Sans", 20, 0, 400, false, true));
  ASSERT_NE(font, nullptr);
  ASSERT_NE(underlined, nullptr);

  PixelSurface plain = BlackSurface(30, 30);
  const int advance = DrawCharAt(plain, *font, U' ', 3, 2, nullptr, false, false);
  EXPECT_GT(advance, 0);
  EXPECT_EQ(MeasureInk(plain).lit, 0);

  // By the font's style and by the drawing flag alike: one row (position -40, thickness
  // 90 at ppem 17), right under the baseline at cell top + ascent 16, across the advance.
  for (bool byFont : {true, false}) {
    SCOPED_TRACE(byFont ? "font style" : "drawing flag");
    PixelSurface surface = BlackSurface(30, 30);
    DrawCharAt(surface, byFont ? *underlined : *font, U' ', 3, 2, nullptr, false, !byFont);
    const InkBox box = MeasureInk(surface);
    EXPECT_EQ(box.top, 2 + 16);
    EXPECT_EQ(box.bottom, 2 + 16);
    EXPECT_EQ(box.left, 3);
    EXPECT_EQ(box.right, 3 + advance - 1);
    EXPECT_EQ(box.lit, advance);
  }
}

TEST(TextDrawTest, ClipKeepsEverythingInside) {
  const TextFontPtr font = OpenTextFont(Request("DejaVu Sans", -40));
  ASSERT_NE(font, nullptr);
  const PixelRect clip{12, 20, 20, 28};  // 8 x 8
  const auto inside = [&](int x, int y) {
    return x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
  };

  // Transparent onto black: ink only inside the clip.
  PixelSurface surface = BlackSurface(64, 64);
  DrawCharAt(surface, *font, U'W', 4, 4, &clip, false, true);
  int litInside = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      if (inside(x, y)) {
        litInside += IsLitAt(surface, x, y);
      } else {
        ASSERT_FALSE(IsLitAt(surface, x, y)) << x << "," << y;
      }
    }
  }
  EXPECT_GT(litInside, 0);

  // Opaque onto white: the black cell is clipped too.
  PixelSurface white = BlackSurface(64, 64);
  FillPixelSurface(white, 255);
  DrawCharAt(white, *font, U'W', 4, 4, &clip, true, false);
  int blackInside = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const std::uint8_t value = white.pixels[static_cast<std::size_t>(y) * 64 + x];
      if (inside(x, y)) {
        blackInside += value == 0;
      } else {
        ASSERT_EQ(value, 255) << x << "," << y;
      }
    }
  }
  EXPECT_GT(blackInside, 0);
}

TEST(TextDrawTest, OpaqueFillsTheCellAndUnclippedStaysOnTheSurface) {
  const TextFontPtr font = OpenTextFont(Request("DejaVu Sans", 20));
  ASSERT_NE(font, nullptr);
  PixelSurface surface = BlackSurface(40, 40);
  FillPixelSurface(surface, 255);
  const int advance = DrawCharAt(surface, *font, U'.', 5, 6, nullptr, true, false);
  // The cell is advance x (ascent + descent) = advance x 20 from (5, 6); around it
  // nothing changed, and its top row (above any ink of ".") went black.
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool inCell = x >= 5 && x < 5 + advance && y >= 6 && y < 26;
      const std::uint8_t value = surface.pixels[static_cast<std::size_t>(y) * 40 + x];
      if (!inCell) {
        ASSERT_EQ(value, 255) << x << "," << y;
      } else if (y == 6) {
        ASSERT_EQ(value, 0) << x << "," << y;
      }
    }
  }

  // A glyph hanging off every edge writes only what lands on the surface.
  PixelSurface small = BlackSurface(6, 6);
  DrawCharAt(small, *font, U'W', -4, -8, nullptr, false, false);
  DrawCharAt(small, *font, U'W', 3, 0, nullptr, true, true);
  EXPECT_GT(MeasureInk(small).lit, 0);
}

TEST(TextDrawTest, LineBreakCodesDrawNothing) {
  const TextFontPtr font = OpenTextFont(Request("DejaVu Sans", 20, 0, 700, true, true));
  ASSERT_NE(font, nullptr);
  for (std::uint8_t code : {10, 13}) {
    SCOPED_TRACE(int{code});
    PixelSurface surface = BlackSurface(30, 30);
    EXPECT_EQ(DrawCharAt(surface, *font, CodeToChar(*font, code), 2, 2, nullptr, true, true), 0);
    EXPECT_EQ(MeasureInk(surface).lit, 0);
  }
}

// FreeType's own bitmap of the whole of ch in font, in 16 levels, synthetic italic and
// bold applied as the text layer applies them, drawn with its pen at penX and its
// baseline at baseline onto a black surface.
PixelSurface WholeGlyph(TextFont& font, char32_t ch, int penX, int baseline, int size) {
  PixelSurface surface = BlackSurface(size, size);
  FT_Face face = font.face->face.get();
  FT_Activate_Size(font.size.get());
  EXPECT_EQ(FT_Load_Glyph(face, FT_Get_Char_Index(face, ch), font.loadFlags), 0);
  if (font.metrics.syntheticItalic) {
    FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
    FT_Outline_Transform(&face->glyph->outline, &shear);
  }
  EXPECT_EQ(FT_Render_Glyph(face->glyph, font.renderMode), 0);
  const FT_Bitmap& bitmap = face->glyph->bitmap;
  const int left = penX + face->glyph->bitmap_left, top = baseline - face->glyph->bitmap_top;
  for (int y = 0; y < static_cast<int>(bitmap.rows); ++y) {
    for (int x = 0; x < static_cast<int>(bitmap.width); ++x) {
      const auto level = static_cast<std::uint8_t>((bitmap.buffer[y * bitmap.pitch + x] >> 4) * 17);
      for (int bold = 0; bold <= (font.metrics.syntheticBold ? 1 : 0); ++bold) {
        std::uint8_t& pixel = surface.pixels[(top + y) * size + left + x + bold];
        pixel = std::max(pixel, level);
      }
    }
  }
  return surface;
}

TEST(TextDrawTest, GlyphsTooLargeToKeepDrawAsTheirWholeBitmap) {
  // At 600 pixels per em these glyphs are too large to keep: each draw renders only the
  // part within its clip, and tiles of clipped draws add up to FreeType's whole bitmap.
  constexpr int kSize = 900, kPenX = 100, kTop = 100;
  for (const bool styled : {false, true}) {
    const TextFontPtr font =
        OpenTextFont(Request("DejaVu Sans", -600, 0, styled ? 700 : 400, styled));
    ASSERT_NE(font, nullptr);
    for (const char32_t ch : {U'@', U'Q', U'%'}) {
      SCOPED_TRACE(static_cast<int>(ch) + 1000 * styled);
      ASSERT_FALSE(RenderChar(*font, ch).kept);
      PixelSurface tiled = BlackSurface(kSize, kSize);
      for (int y = 0; y < kSize; y += 67) {
        for (int x = 0; x < kSize; x += 61) {
          const PixelRect clip{x, y, x + 61, y + 67};
          DrawCharAt(tiled, *font, ch, kPenX, kTop, &clip, false, false);
        }
      }
      const int baseline = kTop + GetFontMetrics(*font).ascentPx;
      EXPECT_TRUE(tiled.pixels == WholeGlyph(*font, ch, kPenX, baseline, kSize).pixels);
    }
  }
}

}  // namespace
