// Checking the dialog's numbers: which values each check accepts, the order of the
// checks (only the first failure is reported), what the autosize flag leaves out,
// and that a failed check stops "Save bitmap" before it asks for a file.
#include "app/read_sheet_options.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "dialog/dialog_fields.h"
#include "options/control_ids.h"
#include "support/dialog_fixture.h"
#include "support/temp_dir.h"

namespace {

constexpr const char* kTileMessage = "Wrong value for tile size, must be from 1 to 16!";
constexpr const char* kRangeMessage =
    "Wrong value for export range - can't be greater than 0 - 255!";
constexpr const char* kStepsMessage = "Wrong value for color steps, must be from 1 to tile_height!";

class ValidationTest : public DialogFixture {
 protected:
  // Runs the validation from a clean message record and checks its report: nothing
  // when it passes, exactly one warning titled "Error" with message when it fails.
  void ExpectResult(bool forAutosize, const char* message) {
    host.ClearMessages();
    const bool failed =
        !CheckedSheetOptions(dlg, forAutosize ? OptionCheck::kAutosize : OptionCheck::kRun);
    if (message == nullptr) {
      EXPECT_FALSE(failed);
      EXPECT_TRUE(host.messages().empty())
          << "unexpected message: " << host.messages().front().text;
      return;
    }
    EXPECT_TRUE(failed);
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].text, message);
    EXPECT_EQ(host.messages()[0].title, "Error");
    EXPECT_EQ(host.messages()[0].icon, MessageIcon::kWarning);
  }
};

TEST_F(ValidationTest, TileSizeReadsLikeAtoiAndMustBeOneToSixteen) {
  struct Row {
    const char* text;
    bool valid;
  };
  const Row rows[] = {
      {"", false}, {"abc", false}, {"0", false},  {"-1", false}, {"17", false},
      {"1", true}, {"16", true},   {"8px", true}, {" 12", true}, {"4294967297", false},
  };
  // Color steps 1 fits every valid tile size, so only the tile size can fail.
  SetText(dlg, kIdColorSteps, "1");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    SetText(dlg, kIdTileSize, row.text);
    for (bool forAutosize : {false, true}) {
      SCOPED_TRACE(forAutosize ? "autosize" : "export");
      ExpectResult(forAutosize, row.valid ? nullptr : kTileMessage);
    }
  }
}

TEST_F(ValidationTest, AutosizeChecksOnlyTheTileSize) {
  struct Row {
    const char* steps;
    bool rangeMode;
    const char* from;
    const char* to;
    const char* exportMessage;  // what the same fields give without the flag
  };
  const Row rows[] = {
      {"0", false, "0", "255", kStepsMessage},
      {"8", true, "300", "5", kRangeMessage},
      {"99", true, "300", "5", kRangeMessage},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.steps) + " " + row.from + ".." + row.to);
    SetText(dlg, kIdColorSteps, row.steps);
    SetChecked(dlg, kIdExportNormal, !row.rangeMode);
    SetChecked(dlg, kIdExportRange, row.rangeMode);
    SetText(dlg, kIdRangeFrom, row.from);
    SetText(dlg, kIdRangeTo, row.to);
    ExpectResult(true, nullptr);
    ExpectResult(false, row.exportMessage);
  }
}

TEST_F(ValidationTest, RangeIsCheckedOnlyInRangeMode) {
  struct Row {
    const char* from;
    const char* to;
    bool valid;  // in range mode
  };
  const Row rows[] = {
      {"0", "255", true},  {"5", "5", true},      {"6", "5", false},  {"-1", "10", false},
      {"0", "256", false}, {"256", "256", false}, {"0", "-1", false}, {"", "x", true},
  };
  const int otherModes[] = {kIdExportNormal, kIdExportAll, kIdExportUser};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.from) + ".." + row.to);
    SetText(dlg, kIdRangeFrom, row.from);
    SetText(dlg, kIdRangeTo, row.to);
    for (int mode : otherModes) {
      SCOPED_TRACE(mode);
      for (int id : {kIdExportNormal, kIdExportAll, kIdExportUser, kIdExportRange}) {
        SetChecked(dlg, id, id == mode);
      }
      ExpectResult(false, nullptr);
    }
    SetChecked(dlg, kIdExportUser, false);
    SetChecked(dlg, kIdExportRange, true);
    ExpectResult(false, row.valid ? nullptr : kRangeMessage);
  }
}

TEST_F(ValidationTest, ColorStepsMustBeOneToTheTileSize) {
  struct Row {
    const char* tile;
    const char* steps;
    bool valid;
  };
  const Row rows[] = {
      {"8", "8", true},   {"8", "9", false},  {"8", "0", false},   {"8", "1", true},
      {"8", "-1", false}, {"16", "16", true}, {"16", "17", false}, {"1", "1", true},
      {"1", "2", false},  {"8", "", false},   {"3", "3x", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.tile) + " / " + row.steps);
    SetText(dlg, kIdTileSize, row.tile);
    SetText(dlg, kIdColorSteps, row.steps);
    ExpectResult(false, row.valid ? nullptr : kStepsMessage);
  }
}

TEST_F(ValidationTest, OnlyTheFirstFailingCheckIsReported) {
  // Tile size 0 would also make any color steps wrong.
  SetText(dlg, kIdTileSize, "0");
  SetText(dlg, kIdColorSteps, "0");
  ExpectResult(false, kTileMessage);

  // A bad range comes before bad color steps.
  SetText(dlg, kIdTileSize, "8");
  SetChecked(dlg, kIdExportNormal, false);
  SetChecked(dlg, kIdExportRange, true);
  SetText(dlg, kIdRangeFrom, "9");
  SetText(dlg, kIdRangeTo, "1");
  ExpectResult(false, kRangeMessage);
}

// Color steps is checked whatever the color mode, also when "Only Image" has disabled
// its field; the failed check ends "Save bitmap" and "Image preview (once)" before
// anything else happens.
TEST_F(ValidationTest, DisabledColorStepsStillStopTheCommands) {
  host.Click(kIdColorImageOnly);
  ASSERT_FALSE(host.Enabled(kIdColorSteps));
  SetText(dlg, kIdTileSize, "8");
  SetText(dlg, kIdColorSteps, "20");
  host.ClearMessages();
  host.saveFileAnswers.push_back("/nonexistent/never-written.png");

  host.Click(kIdSaveBitmap);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].text, kStepsMessage);
  EXPECT_EQ(host.messages()[0].title, "Error");
  EXPECT_EQ(host.messages()[0].icon, MessageIcon::kWarning);
  EXPECT_TRUE(host.fileRequests.empty());
  EXPECT_EQ(host.saveFileAnswers.size(), 1u);

  ASSERT_TRUE(IsChecked(dlg, kIdFontPreview));
  host.ClearMessages();
  host.Click(kIdImagePreview);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].text, kStepsMessage);
  EXPECT_TRUE(IsChecked(dlg, kIdFontPreview));
}

}  // namespace

namespace {

// The layout fields: cell size before tile size, color steps against the cell height,
// then the grid and the map. Each row starts from the defaults (tile 8, steps 8).
TEST_F(ValidationTest, LayoutFieldsAreCheckedAfterTheNumbersTheyChange) {
  TempDir dir;
  const std::string shortMap = dir.File("three.txt");
  {
    std::ofstream out(shortMap);
    out << "a b c\n";
  }
  struct Row {
    const char* what;
    std::string cellWidth, cellHeight, tile, steps, columns, rows, map;
    const char* message;        // nullptr: valid
    const char* windowMessage;  // where messages name the fields; nullptr: the same
  };
  const Row rows[] = {
      {"cells ignore a bad tile size", "20", "40", "99", "8", "32", "8", "cp1252", nullptr,
       nullptr},
      {"steps up to the cell height", "8", "12", "8", "12", "32", "8", "cp1252", nullptr, nullptr},
      {"steps above the cell height", "12", "6", "16", "8", "32", "8", "cp1252", kStepsMessage,
       nullptr},
      {"one cell field alone", "8", "", "8", "8", "32", "8", "cp1252",
       "The cell size \"8x\" is not width x height in pixels, such as 8x12.",
       "Cell height must be 1 to 64 pixels."},
      {"cell above 64", "65", "12", "8", "8", "32", "8", "cp1252",
       "The cell size must be 1 to 64 pixels: 65x12.", "Cell width must be 1 to 64 pixels."},
      {"cell of 0", "12", "0", "8", "8", "32", "8", "cp1252",
       "The cell size must be 1 to 64 pixels: 12x0.", "Cell height must be 1 to 64 pixels."},
      {"empty cells keep the tile check", "", "", "17", "8", "32", "8", "cp1252", kTileMessage,
       nullptr},
      {"a grid too small for cp437 takes pages", "", "", "8", "8", "16", "15", "cp437", nullptr,
       nullptr},
      {"a user map of three cells fits 3x1", "", "", "8", "8", "3", "1", shortMap.c_str(), nullptr,
       nullptr},
      {"grid of 0 rows", "", "", "8", "8", "32", "0", "cp1252",
       "The grid must be 1 to 256 columns by 1 to 256 rows: 32x0.", "Rows must be 1 to 256."},
      {"letters pasted into Columns", "", "", "8", "8", "x9z", "8", "cp1252",
       "The grid \"x9zx8\" is not columns x rows, such as 16x16.", "Columns must be 1 to 256."},
      {"empty map name", "", "", "8", "8", "32", "8", "",
       "The character map must be cp1252, cp437, tcod or a file.", nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    SetText(dlg, kIdCellWidth, row.cellWidth);
    SetText(dlg, kIdCellHeight, row.cellHeight);
    SetText(dlg, kIdTileSize, row.tile);
    SetText(dlg, kIdColorSteps, row.steps);
    SetText(dlg, kIdGridColumns, row.columns);
    SetText(dlg, kIdGridRows, row.rows);
    SetText(dlg, kIdCharMap, row.map);
    for (bool window : {false, true}) {
      host.messagesNameFields = window;
      ExpectResult(false, window && row.windowMessage ? row.windowMessage : row.message);
    }
  }
  // A map that repeats a character passes, with a warning that names its cells.
  const std::string repeats = dir.File("repeats.txt");
  std::ofstream(repeats) << "A A B\n";
  SetText(dlg, kIdCharMap, repeats);
  host.ClearMessages();
  EXPECT_TRUE(CheckedSheetOptions(dlg).has_value());
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].title, "Warning");
  EXPECT_EQ(host.messages()[0].text,
            "The character map \"" + repeats +
                "\" holds characters more than once; the descriptors map each to its first cell: "
                "\"A\" in cells 0, 1.");

  // Autosize checks only the cell (or tile) size.
  SetText(dlg, kIdCharMap, "cp437");
  SetText(dlg, kIdGridRows, "1");
  SetText(dlg, kIdCellWidth, "64");
  SetText(dlg, kIdCellHeight, "64");
  ExpectResult(true, nullptr);
}

// Each color value is a whole number from 0 to 255, named in its message; top and sub
// are not checked where "Only Image" leaves them unused.
TEST_F(ValidationTest, ColorValuesMustBeWholeNumbersFromZeroTo255) {
  struct Row {
    int id;
    const char* text;
    const char* message;  // nullptr: valid
  };
  const Row rows[] = {
      {kIdBgRed, "0", nullptr},
      {kIdBgGreen, " 255 ", nullptr},
      {kIdBgRed, "300", "Wrong value for bg color red, must be from 0 to 255!"},
      {kIdBgBlue, "-5", "Wrong value for bg color blue, must be from 0 to 255!"},
      {kIdTopGreen, "abc", "Wrong value for top color green, must be from 0 to 255!"},
      {kIdSubBlue, "", "Wrong value for sub color blue, must be from 0 to 255!"},
      {kIdSubRed, "12px", "Wrong value for sub color red, must be from 0 to 255!"},
  };
  for (bool imageOnly : {false, true}) {
    host.Click(imageOnly ? kIdColorImageOnly : kIdColorGradient);
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(row.text) + (imageOnly ? " image only" : ""));
      const std::string before = ReadText(dlg, row.id);
      SetText(dlg, row.id, row.text);
      const bool unused = imageOnly && row.id >= kIdTopRed;
      ExpectResult(false, unused ? nullptr : row.message);
      SetText(dlg, row.id, before);
    }
  }
}

// The threshold counts where it sets bits (the mono output, the C header, the font
// files) and the spread with the distance field, each within its range; the Output
// group's rule enables each field exactly then.
TEST_F(ValidationTest, ThresholdAndSpreadAreCheckedAndEnabledWhereUsed) {
  constexpr char kThreshold[] = "Wrong value for the threshold, must be from 1 to 255!";
  constexpr char kSpread[] = "Wrong value for the spread, must be from 1 to 32!";
  const struct {
    int button;
    int box;    // a check box clicked too, or 0
    int field;  // the field typed into
    const char* text;
    const char* message;
  } rows[] = {
      {kIdOutputMono, 0, kIdMonoThreshold, "1", nullptr},
      {kIdOutputMono, 0, kIdMonoThreshold, "255", nullptr},
      {kIdOutputMono, 0, kIdMonoThreshold, "0", kThreshold},
      {kIdOutputMono, 0, kIdMonoThreshold, "256", kThreshold},
      {kIdOutputMono, 0, kIdMonoThreshold, "", kThreshold},
      {kIdOutputGray, 0, kIdMonoThreshold, "0", nullptr},
      {kIdOutputColor, 0, kIdMonoThreshold, "999", nullptr},
      {kIdOutputColor, kIdFontFilePsf, kIdMonoThreshold, "0", kThreshold},
      {kIdOutputGray, kIdDescriptorC, kIdMonoThreshold, "256", kThreshold},
      {kIdOutputSdf, kIdFontFileOtb, kIdMonoThreshold, "128", nullptr},
      {kIdOutputSdf, 0, kIdSdfSpread, "32", nullptr},
      {kIdOutputSdf, 0, kIdSdfSpread, "0", kSpread},
      {kIdOutputSdf, 0, kIdSdfSpread, "33", kSpread},
      {kIdOutputMono, 0, kIdSdfSpread, "0", nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.button) + " " + std::to_string(row.box) + " " + row.text);
    host.Click(row.button);
    if (row.box != 0) host.Click(row.box);
    EXPECT_EQ(host.Enabled(kIdMonoThreshold), row.button == kIdOutputMono || row.box != 0);
    EXPECT_EQ(host.Enabled(kIdSdfSpread), row.button == kIdOutputSdf);
    SetText(dlg, row.field, row.text);
    ExpectResult(false, row.message);
    SetText(dlg, row.field, row.field == kIdSdfSpread ? "4" : "1");
    if (row.box != 0) host.Click(row.box);
  }
}

}  // namespace
