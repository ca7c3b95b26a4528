// Fonts from the dialog's fields, and drawing and reading back on scratch surfaces.
#include "glyph/glyph_surface.h"

#include <gtest/gtest.h>

#include "dialog/control_ids.h"
#include "dialog/font_fields.h"
#include "glyph/glyph_font.h"
#include "support/dialog_fixture.h"

namespace {

class GlyphTest : public DialogFixture {};

int CountLit(const GlyphSurface& s, PixelRect area) {
  int lit = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) lit += IsLit(s, x, y);
  return lit;
}

TEST_F(GlyphTest, FontRequestFollowsTheFields) {
  SelectFace("DejaVu Sans");
  SetText(dlg, kIdCharHeight, "30");
  SetText(dlg, kIdCharWidth, "");
  FontRequest r = SizedFontRequest(*ReadFontRequest(dlg), std::nullopt, std::nullopt);
  EXPECT_EQ(r.face, "DejaVu Sans");
  EXPECT_EQ(r.height, 30);
  EXPECT_EQ(r.width, 0);  // an empty Char width: natural proportions
  EXPECT_EQ(r.weight, 400);
  EXPECT_FALSE(r.italic);

  // A given height ignores Char width; a missing width is 0.
  SetText(dlg, kIdCharWidth, "9");
  r = SizedFontRequest(*ReadFontRequest(dlg), 12, std::nullopt);
  EXPECT_EQ(r.height, 12);
  EXPECT_EQ(r.width, 0);
  r = SizedFontRequest(*ReadFontRequest(dlg), 12, 5);
  EXPECT_EQ(r.width, 5);
  r = SizedFontRequest(*ReadFontRequest(dlg), std::nullopt, std::nullopt);
  EXPECT_EQ(r.width, 9);

  host.Click(kIdBold);
  host.Click(kIdItalic);
  host.Click(kIdUnderline);
  r = SizedFontRequest(*ReadFontRequest(dlg), std::nullopt, std::nullopt);
  EXPECT_EQ(r.weight, 700);
  EXPECT_TRUE(r.italic);
  EXPECT_TRUE(r.underline);

  // Without a selection no font is made.
  FontListSelect(dlg, -1);
  EXPECT_EQ(CreateGlyphFont(ReadFontRequest(dlg)), nullptr);
}

TEST_F(GlyphTest, ClippedDrawingStaysInsideItsRectangle) {
  SelectFace("DejaVu Sans");
  SetText(dlg, kIdCharHeight, "40");
  GlyphSurface s;
  ASSERT_EQ(OpenSurface(s, "Test", 10, 10, 100, 100), 0);
  SelectSurfaceFont(s, CreateGlyphFont(ReadFontRequest(dlg)));
  ClearSurface(s);
  SetTextMode(s, TextMode::kTransparent);
  const PixelRect box{20, 20, 28, 28};
  DrawGlyph(s, 'W', box, true);
  const int inside = CountLit(s, box);
  EXPECT_GT(inside, 0);
  EXPECT_EQ(CountLit(s, {0, 0, 100, 100}), inside);  // nothing outside the 8 x 8 box

  // Unclipped, the same glyph reaches beyond the box.
  ClearSurface(s);
  DrawGlyph(s, 'W', box, false);
  EXPECT_GT(CountLit(s, {0, 0, 100, 100}), CountLit(s, box));
  CloseSurface(s);
}

TEST_F(GlyphTest, LineBreaksDrawNothingAndAmpersandDrawsItself) {
  SelectFace("DejaVu Sans");
  GlyphSurface s;
  ASSERT_EQ(OpenSurface(s, "Test", 10, 10, 100, 100), 0);
  SelectSurfaceFont(s, CreateGlyphFont(ReadFontRequest(dlg)));
  const PixelRect all{0, 0, 80, 80};
  for (unsigned char code : {10, 13}) {
    ClearSurface(s);
    DrawGlyph(s, code, all, false);
    EXPECT_EQ(CountLit(s, all), 0) << int(code);
  }
  ClearSurface(s);
  DrawGlyph(s, '&', all, false);
  const int ampersand = CountLit(s, all);
  EXPECT_GT(ampersand, 20);
  // The same ink as the ampersand character drawn directly by the text layer.
  PixelSurface direct;
  ASSERT_TRUE(ResizePixelSurface(direct, 100, 100));
  DrawCharAt(direct, *s.font, U'&', 0, 0, nullptr, false, false);
  EXPECT_EQ(direct.pixels, s.pixels.pixels);
  CloseSurface(s);
}

TEST_F(GlyphTest, OpaqueModeBlanksTheCellFirst) {
  SelectFace("DejaVu Sans");
  GlyphSurface s;
  ASSERT_EQ(OpenSurface(s, "Char Window", 0, 0, 100, 100), 0);
  SelectSurfaceFont(s, CreateGlyphFont(ReadFontRequest(dlg)));
  FillPixelSurface(s.pixels, 255);
  SetTextMode(s, TextMode::kOpaqueBlack);
  DrawGlyph(s, ' ', {0, 0, 80, 80}, false);
  EXPECT_FALSE(IsLit(s, 1, 1));   // inside the space's cell
  EXPECT_TRUE(IsLit(s, 90, 90));  // outside it
  CloseSurface(s);
}

TEST_F(GlyphTest, WithoutAFontTheDefaultFontDraws) {
  FontListSelect(dlg, -1);
  GlyphSurface s;
  ASSERT_EQ(OpenSurface(s, "Test", 10, 10, 100, 100), 0);
  SelectSurfaceFont(s, CreateGlyphFont(ReadFontRequest(dlg)));  // no font: nothing is selected
  EXPECT_FALSE(s.fontSelected);
  DrawGlyph(s, 'A', {0, 0, 80, 80}, false);
  EXPECT_GT(CountLit(s, {0, 0, 100, 100}), 0);
  CloseSurface(s);
}

TEST_F(GlyphTest, SharedFontIsReleasedWithItsLastSurface) {
  SelectFace("DejaVu Sans");
  GlyphSurface sheet, probe;
  ASSERT_EQ(OpenSurface(sheet, "Output", 10, 10, 306, 114), 0);
  ASSERT_EQ(OpenSurface(probe, "Char Window", 326, 10, 100, 100), 0);
  std::weak_ptr<TextFont> watch;
  {
    GlyphFont font = CreateGlyphFont(ReadFontRequest(dlg));
    ASSERT_NE(font, nullptr);
    watch = font;
    SelectSurfaceFont(sheet, font);
    SelectSurfaceFont(probe, font);
  }
  EXPECT_FALSE(watch.expired());
  CloseSurface(sheet);
  EXPECT_FALSE(watch.expired());  // the probe still holds it
  CloseSurface(probe);
  EXPECT_TRUE(watch.expired());
  CloseSurface(probe);  // closing twice is harmless
}

TEST(GlyphSurfaceTest, ImpossibleSizesFailToOpen) {
  GlyphSurface s;
  EXPECT_EQ(OpenSurface(s, "Bad", 0, 0, 0, 10), 1);
  EXPECT_EQ(OpenSurface(s, "Bad", 0, 0, 10, -5), 1);
  EXPECT_EQ(s.pixels.width, 0);
  EXPECT_FALSE(IsLit(s, 0, 0));
}

}  // namespace
