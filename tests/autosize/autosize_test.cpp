// Autosize on DejaVu Sans: the suggestion and the report agree with the search rules
// applied to measurements of every candidate taken here on their own.
#include "app/autosize_command.h"
#include "dialog/font_fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/export_commands.h"
#include "autosize/autosize_search.h"
#include "options/control_ids.h"
#include "support/dialog_fixture.h"
#include "support/temp_dir.h"

namespace {

struct Expected {
  CandidateChoice height;
  CandidateChoice width;  // full mode only
};

class AutosizeTest : public DialogFixture {
 protected:
  // Measures every candidate of the tile size's ranges, cuts each series where its
  // stop rule fires and picks with the choice rule.
  Expected Predict(int tile, AutosizeMode mode) {
    Expected e;
    GlyphSurface s;
    EXPECT_EQ(OpenSizeTestSurface(s), 0);

    const CandidateRange hr = HeightCandidates(tile);
    std::vector<float> heights, heightDiffs;
    for (int h = hr.first; h < hr.first + hr.count; ++h) {
      heights.push_back(
          MeasureSample(s, CreateGlyphFont(ReadFontRequest(dlg), h, 0), 2 * h, 2 * h).height);
      heightDiffs.push_back(TargetDifference(HeightTarget(tile), heights.back()));
    }
    heights.resize(HeightSearchStopIndex(heightDiffs) + 1);
    e.height = ChooseCandidate(hr.first, heights, HeightTarget(tile));
    if (mode == AutosizeMode::kProportional) return e;

    const int hc = e.height.candidate;
    const CandidateRange wr = WidthCandidates(tile);
    std::vector<float> widths, widthDiffs;
    for (int k = wr.first; k < wr.first + wr.count; ++k) {
      widths.push_back(
          MeasureSample(s, CreateGlyphFont(ReadFontRequest(dlg), hc, k), 2 * hc, 4 * k).width);
      widthDiffs.push_back(TargetDifference(WidthTarget(tile), widths.back()));
    }
    widths.resize(WidthSearchStopIndex(widthDiffs) + 1);
    e.width = ChooseCandidate(wr.first, widths, WidthTarget(tile));
    return e;
  }

  static std::string Report(int tile, AutosizeMode mode, const Expected& e) {
    const double dh = std::fabs(double{HeightTarget(tile)} - e.height.average);
    const double dw = std::fabs(double{WidthTarget(tile)} - e.width.average);
    char text[256];
    if (mode == AutosizeMode::kProportional) {
      std::snprintf(text, sizeof text,
                    "Autosize (proportional):\r\nsuggest height %d,\r\n"
                    "difference to optimal height: %f",
                    e.height.candidate, dh);
    } else {
      std::snprintf(text, sizeof text,
                    "Autosize (full):\r\nsuggest width %d, height %d,\r\n"
                    "difference to optimal width: %f\r\ndifference to optimal height: %f",
                    e.width.candidate, e.height.candidate, dw, dh);
    }
    return text;
  }

  // Runs Autosize from fields that must play no part, and checks what it wrote.
  void CheckRun(int tile, AutosizeMode mode) {
    SetInt(dlg, kIdTileSize, tile);
    SetText(dlg, kIdCharHeight, "40");
    SetText(dlg, kIdCharWidth, "3");
    const Expected e = Predict(tile, mode);
    Autosize(dlg, mode);
    EXPECT_EQ(host.Text(kIdCharHeight), std::to_string(e.height.candidate));
    if (mode == AutosizeMode::kProportional) {
      EXPECT_EQ(host.Text(kIdCharWidth), "");
      EXPECT_EQ(ReadInt(dlg, kIdCharWidth), 0);
    } else {
      EXPECT_EQ(host.Text(kIdCharWidth), std::to_string(e.width.candidate));
    }
    EXPECT_EQ(host.Text(kIdLog), Report(tile, mode, e));
  }
};

TEST_F(AutosizeTest, SuggestionAndReportFollowTheMeasurements) {
  SelectFace("DejaVu Sans");
  for (int tile : {1, 8, 16}) {
    for (AutosizeMode mode : {AutosizeMode::kProportional, AutosizeMode::kFull}) {
      SCOPED_TRACE(testing::Message()
                   << "tile " << tile << " full " << (mode == AutosizeMode::kFull));
      CheckRun(tile, mode);
    }
  }
}

TEST_F(AutosizeTest, SuggestedSizesComeCloseToTheTargets) {
  SelectFace("DejaVu Sans");
  for (int tile : {8, 16}) {
    SCOPED_TRACE(tile);
    SetInt(dlg, kIdTileSize, tile);
    Autosize(dlg, AutosizeMode::kFull);
    const CandidateRange hr = HeightCandidates(tile);
    const CandidateRange wr = WidthCandidates(tile);
    const int h = ReadInt(dlg, kIdCharHeight);
    const int w = ReadInt(dlg, kIdCharWidth);
    EXPECT_GE(h, hr.first);
    EXPECT_LT(h, hr.first + hr.count);
    EXPECT_GE(w, wr.first);
    EXPECT_LT(w, wr.first + wr.count);
    // The chosen fonts' averages lie within a pixel of the targets.
    GlyphSurface s;
    ASSERT_EQ(OpenSizeTestSurface(s), 0);
    EXPECT_LT(
        TargetDifference(
            HeightTarget(tile),
            MeasureSample(s, CreateGlyphFont(ReadFontRequest(dlg), h, 0), 2 * h, 2 * h).height),
        1.0f);
    EXPECT_LT(
        TargetDifference(
            WidthTarget(tile),
            MeasureSample(s, CreateGlyphFont(ReadFontRequest(dlg), h, w), 2 * h, 4 * w).width),
        1.0f);
  }
}

TEST_F(AutosizeTest, MeasureSampleAveragesLitExtentsOverTheSampleCharacters) {
  SelectFace("DejaVu Sans");
  for (int h : {8, 20}) {
    SCOPED_TRACE(h);
    // Each letter drawn alone on a surface of its own; extents are last minus first
    // lit column and row within the region, averaged over the 14 letters.
    const int region = 2 * h;
    double widthSum = 0, heightSum = 0;
    for (const char* c = kAutosizeSample; *c; ++c) {
      Result<GlyphSurface> opened = OpenSurface(200, 200);
      ASSERT_TRUE(opened);
      GlyphSurface& one = *opened;
      SelectSurfaceFont(one, CreateGlyphFont(ReadFontRequest(dlg), h, 0));
      DrawGlyph(one, static_cast<unsigned char>(*c), {0, 0, 150, 150}, false);
      std::vector<int> xs, ys;
      for (int y = 0; y < region; ++y)
        for (int x = 0; x < region; ++x)
          if (IsLit(one, x, y)) xs.push_back(x), ys.push_back(y);
      ASSERT_FALSE(xs.empty()) << *c;
      widthSum += *std::max_element(xs.begin(), xs.end()) - *std::min_element(xs.begin(), xs.end());
      heightSum +=
          *std::max_element(ys.begin(), ys.end()) - *std::min_element(ys.begin(), ys.end());
    }
    GlyphSurface s;
    ASSERT_EQ(OpenSizeTestSurface(s), 0);
    // Drawn over a previous candidate's ink: each letter must start from a clear surface.
    MeasureSample(s, CreateGlyphFont(ReadFontRequest(dlg), 2 * h, 0), 10, 10);
    const SampleAverages a =
        MeasureSample(s, CreateGlyphFont(ReadFontRequest(dlg), h, 0), region, region);
    EXPECT_FLOAT_EQ(a.width, static_cast<float>(widthSum / 14));
    EXPECT_FLOAT_EQ(a.height, static_cast<float>(heightSum / 14));
  }
}

TEST_F(AutosizeTest, EmptyRegionsAndTileSizeOneGiveMinusOne) {
  SelectFace("DejaVu Sans");
  GlyphSurface s;
  ASSERT_EQ(OpenSizeTestSurface(s), 0);
  // No columns or no rows: every character counts -99999.
  SampleAverages a = MeasureSample(s, CreateGlyphFont(ReadFontRequest(dlg), 20, 0), 0, 40);
  EXPECT_FLOAT_EQ(a.width, -99999.0f);
  EXPECT_FLOAT_EQ(a.height, -99999.0f);
  a = MeasureSample(s, CreateGlyphFont(ReadFontRequest(dlg), 20, 0), 40, 0);
  EXPECT_FLOAT_EQ(a.height, -99999.0f);

  // Width candidate 0 has no rows, so the full mode never suggests a width.
  SetInt(dlg, kIdTileSize, 1);
  Autosize(dlg, AutosizeMode::kFull);
  EXPECT_EQ(host.Text(kIdCharWidth), "-1");
  EXPECT_NE(host.Text(kIdLog).find("suggest width -1,"), std::string::npos);
}

TEST_F(AutosizeTest, RunsWithTheDefaultFontWhenNoFaceIsSelected) {
  FontListSelect(dlg, -1);
  ASSERT_EQ(FontListSelection(dlg), -1);
  for (AutosizeMode mode : {AutosizeMode::kProportional, AutosizeMode::kFull}) {
    SCOPED_TRACE(mode == AutosizeMode::kFull);
    CheckRun(8, mode);
  }
}

// A code page 437 sheet in cells narrower than they are high: after either Autosize an
// export of that sheet finds no character too wide for its cell (the box-drawing
// characters span their whole advance, so the face's plain height search overshoots).
TEST_F(AutosizeTest, NonSquareCellsGetSizesWhoseCharactersFitAcross) {
  SelectFace("DejaVu Sans Mono");
  SetText(dlg, kIdCharMap, "cp437");
  SetText(dlg, kIdGridColumns, "16");
  SetText(dlg, kIdGridRows, "16");
  host.Click(kIdExportAll);
  TempDir dir;
  const char* cells[][2] = {{"8", "16"}, {"6", "12"}, {"10", "20"}};
  for (const auto& cell : cells) {
    for (AutosizeMode mode : {AutosizeMode::kProportional, AutosizeMode::kFull}) {
      SCOPED_TRACE(testing::Message()
                   << cell[0] << "x" << cell[1] << " full " << (mode == AutosizeMode::kFull));
      SetText(dlg, kIdCellWidth, cell[0]);
      SetText(dlg, kIdCellHeight, cell[1]);
      ASSERT_EQ(AutosizeCommand(dlg, mode), 0);
      ASSERT_EQ(ExportSheet(dlg, dir.File("sheet.png"), false), 0);
      const std::string report = host.Text(kIdLog);
      EXPECT_NE(report.find("Too wide characters:\r\n[none]\r\n"), std::string::npos) << report;
    }
  }
}

}  // namespace

namespace {

// Unifont drawn as a pixel font: Autosize suggests its design height at the largest
// whole multiple that fits the cell, in either mode, and none of that when it is off.
TEST_F(AutosizeTest, PixelFontsGetWholeMultiplesOfTheirGrid) {
  SelectFace("Unifont");
  if (FontListEntry(dlg, FontListSelection(dlg)) != "Unifont") GTEST_SKIP() << "no Unifont";
  SetText(dlg, kIdCharMap, "cp437");
  SetText(dlg, kIdGridColumns, "16");
  SetText(dlg, kIdGridRows, "16");
  const struct {
    const char* width;
    const char* height;
    int pixelButton;
    const char* suggested;  // "": not a pixel font's suggestion
  } rows[] = {{"8", "16", kIdPixelFontAuto, "16"},
              {"8", "31", kIdPixelFontAuto, "16"},
              {"16", "40", kIdPixelFontOn, "32"},
              {"8", "16", kIdPixelFontOff, ""}};
  for (const auto& row : rows) {
    for (AutosizeMode mode : {AutosizeMode::kProportional, AutosizeMode::kFull}) {
      SCOPED_TRACE(testing::Message() << row.height << " " << row.pixelButton);
      SetText(dlg, kIdCellWidth, row.width);
      SetText(dlg, kIdCellHeight, row.height);
      host.Click(row.pixelButton);
      ASSERT_EQ(AutosizeCommand(dlg, mode), 0);
      const bool pixel = *row.suggested != '\0';
      EXPECT_EQ(host.Text(kIdLog).find("Autosize (pixel font):") == 0, pixel) << host.Text(kIdLog);
      if (pixel) {
        EXPECT_EQ(host.Text(kIdCharHeight), row.suggested);
        EXPECT_EQ(host.Text(kIdCharWidth), "");
      }
    }
  }
}

}  // namespace
