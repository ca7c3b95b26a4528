// The font sample in the canvas: centering, clipping and the ampersand prefixes.
#include "preview/sample_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog/font_fields.h"
#include "glyph/glyph_font.h"
#include "options/control_ids.h"
#include "support/dialog_fixture.h"

namespace {

struct InkBox {
  int left = kCanvasWidth, top = kCanvasHeight, right = -1, bottom = -1;  // inclusive
  int count = 0;
  bool empty() const { return count == 0; }
};

InkBox FindInk(const PreviewState& preview) {
  InkBox box;
  for (int y = 0; y < kCanvasHeight; ++y) {
    for (int x = 0; x < kCanvasWidth; ++x) {
      if (preview.canvas.pixels[static_cast<std::size_t>(y) * kCanvasWidth + x] == 0) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
      ++box.count;
    }
  }
  return box;
}

// The row with the most ink (an underline stroke), as a box one row high.
InkBox WidestRow(const PreviewState& preview) {
  InkBox best;
  for (int y = 0; y < kCanvasHeight; ++y) {
    InkBox row;
    for (int x = 0; x < kCanvasWidth; ++x) {
      if (preview.canvas.pixels[static_cast<std::size_t>(y) * kCanvasWidth + x] == 0) continue;
      row.left = std::min(row.left, x);
      row.right = std::max(row.right, x);
      ++row.count;
    }
    row.top = row.bottom = y;
    if (row.count > best.count) best = row;
  }
  return best;
}

class SampleTextTest : public DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    SelectFace("DejaVu Sans");
    SetText(dlg, kIdCharHeight, "30");
    SetText(dlg, kIdCharWidth, "");
    host.SetPreviewAreaSize(369, 185);
    CreatePreviewCanvas(preview);
  }

  // The canvas after drawing text.
  std::vector<std::uint32_t> Draw(const std::string& text) {
    SetText(dlg, kIdPreviewText, text);
    DrawSampleText(dlg, preview);
    return preview.canvas.pixels;
  }

  PreviewState preview;
};

TEST(ApplyPrefixesTest, AmpersandsMarkTheNextCharacter) {
  struct Row {
    std::u32string in;
    std::u32string chars;
    std::string marks;  // 'u' for an underlined character
  };
  const Row rows[] = {
      {U"abc", U"abc", "..."}, {U"&abc", U"abc", "u.."},  {U"a&&b", U"a&b", "..."},
      {U"ab&", U"ab", ".."},   {U"&&&x", U"&x", ".u"},    {U"&&&&", U"&&", ".."},
      {U"&", U"", ""},         {U"a&b&c", U"abc", ".uu"},
  };
  for (const Row& r : rows) {
    const std::vector<SampleChar> out = ApplyPrefixes(r.in);
    std::u32string chars;
    std::string marks;
    for (const SampleChar& c : out) {
      chars += c.ch;
      marks += c.underline ? 'u' : '.';
    }
    EXPECT_EQ(chars, r.chars) << "row " << (&r - rows);
    EXPECT_EQ(marks, r.marks) << "row " << (&r - rows);
  }
}

TEST_F(SampleTextTest, TextIsCenteredInTheArea) {
  // With Underline the stroke spans exactly the sum of the advances, so its row shows
  // where the line starts and ends.
  SetChecked(dlg, kIdUnderline, true);
  Draw("HIH");
  const InkBox box = FindInk(preview);
  ASSERT_FALSE(box.empty());
  const InkBox line = WidestRow(preview);
  EXPECT_NEAR(line.left, 368 - line.right, 1);
  for (std::uint32_t p : preview.canvas.pixels) {
    ASSERT_EQ(p >> 16 & 0xff, p & 0xff);  // gray: white text on black
    ASSERT_EQ(p >> 8 & 0xff, p & 0xff);
  }

  // Vertically the cell is centered: H stands on the baseline.
  SetChecked(dlg, kIdUnderline, false);
  Draw("H");
  const FontMetrics metrics = GetFontMetrics(*CreateGlyphFont(ReadFontRequest(dlg)));
  const int cellTop = (185 - metrics.ascentPx - metrics.descentPx) / 2;
  EXPECT_EQ(FindInk(preview).bottom, cellTop + metrics.ascentPx - 1);

  // Growing the area by 2d moves the line by d, horizontally and vertically.
  SetChecked(dlg, kIdUnderline, true);
  host.SetPreviewAreaSize(369 + 60, 185 - 80);
  Draw("HIH");
  const InkBox moved = FindInk(preview);
  EXPECT_EQ(moved.left, box.left + 30);
  EXPECT_EQ(moved.right, box.right + 30);
  EXPECT_EQ(moved.top, box.top - 40);
  EXPECT_EQ(moved.bottom, box.bottom - 40);
}

TEST_F(SampleTextTest, LongTextIsCutAtBothEndsOfTheArea) {
  const std::string text = "The quick brown fox jumps over the lazy dog, twice over";
  // The underline runs under the whole line, so it shows both cut ends.
  SetChecked(dlg, kIdUnderline, true);
  host.SetPreviewAreaSize(200, 60);
  Draw(text);
  const InkBox line = WidestRow(preview);
  EXPECT_EQ(line.left, 0);
  EXPECT_EQ(line.right, 199);
  EXPECT_EQ(FindInk(preview).right, 199);  // the canvas right of the area stays black

  // A 30 px cell in a 12 px area is cut above and below.
  SetChecked(dlg, kIdUnderline, false);
  host.SetPreviewAreaSize(200, 12);
  Draw(text);
  const InkBox box = FindInk(preview);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.bottom, 11);
  EXPECT_LE(box.right, 199);
}

TEST_F(SampleTextTest, PrefixesUnderlineAndHideTheAmpersand) {
  const std::vector<std::uint32_t> plain = Draw("x");
  const InkBox plainBox = FindInk(preview);
  const std::vector<std::uint32_t> marked = Draw("&x");
  const InkBox markedBox = FindInk(preview);
  ASSERT_FALSE(plainBox.empty());

  // The same x at the same place, plus ink only below it: the underline, not an
  // ampersand.
  int below = 0;
  for (int y = 0; y < kCanvasHeight; ++y) {
    for (int x = 0; x < kCanvasWidth; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * kCanvasWidth + x;
      ASSERT_GE(marked[i], plain[i]) << x << "," << y;
      if (marked[i] == plain[i]) continue;
      EXPECT_GT(y, plainBox.bottom) << x << "," << y;
      ++below;
    }
  }
  EXPECT_GT(below, 0);
  EXPECT_GT(markedBox.bottom, plainBox.bottom);

  // A trailing ampersand draws nothing.
  EXPECT_EQ(Draw("x&"), plain);

  // "&&" draws one ampersand: about half the width of "&&&&".
  Draw("&&");
  const InkBox one = FindInk(preview);
  Draw("&&&&");
  const InkBox two = FindInk(preview);
  ASSERT_FALSE(one.empty());
  const int oneWidth = one.right - one.left + 1;
  const int twoWidth = two.right - two.left + 1;
  EXPECT_GT(twoWidth, oneWidth * 3 / 2);
  EXPECT_LT(twoWidth, oneWidth * 5 / 2);
}

TEST_F(SampleTextTest, NoFaceSelectedDrawsInTheDefaultFont) {
  FontListSelect(dlg, -1);
  Draw("HIH");
  EXPECT_FALSE(FindInk(preview).empty());

  host.ListClear();
  Draw("HIH");
  const InkBox box = FindInk(preview);
  ASSERT_FALSE(box.empty());
  EXPECT_NEAR(box.left, 368 - box.right, 2);
}

TEST_F(SampleTextTest, ANewDrawingClearsTheOldOne) {
  preview.canvas.pixels.assign(preview.canvas.pixels.size(), 0x00ff0000);
  Draw("");
  EXPECT_TRUE(FindInk(preview).empty());
}

TEST_F(SampleTextTest, DrawnOnlyForAHostThatShowsThePreviewArea) {
  for (const bool seen : {true, false}) {
    SCOPED_TRACE(seen ? "seen" : "never seen");
    host.previewAreaSeen = seen;
    CreatePreviewCanvas(preview);
    Draw("HIH");
    EXPECT_EQ(FindInk(preview).empty(), !seen);
  }
}

}  // namespace
