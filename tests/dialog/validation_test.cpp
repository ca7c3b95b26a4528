// Checking the dialog's numbers: which values each check accepts, the order of the
// checks (only the first failure is reported), what the autosize flag leaves out,
// and that a failed check stops "Save bitmap" before it asks for a file.
#include "dialog/validation.h"

#include <gtest/gtest.h>

#include <string>

#include "dialog/control_ids.h"
#include "support/dialog_fixture.h"

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
    const bool failed = ValidateParameters(dlg, forAutosize) == kFailed;
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
