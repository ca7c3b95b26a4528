// Fonts from the dialog's fields, and drawing and reading back on scratch surfaces.
#include "glyph/glyph_surface.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "dialog/font_fields.h"
#include "glyph/glyph_font.h"
#include "options/control_ids.h"
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
  Result<GlyphSurface> opened = OpenSurface(100, 100);
  ASSERT_TRUE(opened);
  GlyphSurface& s = *opened;
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
}

TEST_F(GlyphTest, LineBreaksDrawNothingAndAmpersandDrawsItself) {
  SelectFace("DejaVu Sans");
  Result<GlyphSurface> opened = OpenSurface(100, 100);
  ASSERT_TRUE(opened);
  GlyphSurface& s = *opened;
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
}

TEST_F(GlyphTest, OpaqueModeBlanksTheCellFirst) {
  SelectFace("DejaVu Sans");
  Result<GlyphSurface> opened = OpenSurface(100, 100);
  ASSERT_TRUE(opened);
  GlyphSurface& s = *opened;
  SelectSurfaceFont(s, CreateGlyphFont(ReadFontRequest(dlg)));
  FillPixelSurface(s.pixels, 255);
  SetTextMode(s, TextMode::kOpaqueBlack);
  DrawGlyph(s, ' ', {0, 0, 80, 80}, false);
  EXPECT_FALSE(IsLit(s, 1, 1));   // inside the space's cell
  EXPECT_TRUE(IsLit(s, 90, 90));  // outside it
}

TEST_F(GlyphTest, WithoutAFontTheDefaultFontDraws) {
  FontListSelect(dlg, -1);
  Result<GlyphSurface> opened = OpenSurface(100, 100);
  ASSERT_TRUE(opened);
  GlyphSurface& s = *opened;
  SelectSurfaceFont(s, CreateGlyphFont(ReadFontRequest(dlg)));  // no font: nothing is selected
  EXPECT_EQ(s.font, nullptr);
  DrawGlyph(s, 'A', {0, 0, 80, 80}, false);
  EXPECT_GT(CountLit(s, {0, 0, 100, 100}), 0);
}

TEST_F(GlyphTest, SharedFontIsReleasedWithItsLastSurface) {
  SelectFace("DejaVu Sans");
  std::weak_ptr<TextFont> watch;
  {
    Result<GlyphSurface> probe = OpenSurface(100, 100);
    ASSERT_TRUE(probe);
    {
      Result<GlyphSurface> sheet = OpenSurface(306, 114);
      ASSERT_TRUE(sheet);
      GlyphFont font = CreateGlyphFont(ReadFontRequest(dlg));
      ASSERT_NE(font, nullptr);
      watch = font;
      SelectSurfaceFont(*sheet, font);
      SelectSurfaceFont(*probe, font);
    }                               // the sheet and the caller's hold go
    EXPECT_FALSE(watch.expired());  // the probe still holds it
  }
  EXPECT_TRUE(watch.expired());
}

TEST(GlyphSurfaceTest, ImpossibleSizesFailToOpen) {
  for (const auto& [width, height] : {std::pair{0, 10}, std::pair{10, -5}}) {
    const Result<GlyphSurface> s = OpenSurface(width, height);
    EXPECT_FALSE(s);
    EXPECT_FALSE(s.message().empty());
  }
  const GlyphSurface never;  // a surface that was not opened has nothing lit
  EXPECT_FALSE(IsLit(never, 0, 0));
}

}  // namespace
