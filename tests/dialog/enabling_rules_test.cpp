// The enabling rules: which controls each color mode enables, how each export mode
// labels the characters field, and that neither rule touches a value.
#include "dialog/enabling_rules.h"

#include <gtest/gtest.h>

#include "dialog/dialog_fields.h"
#include "headless/headless_host.h"
#include "options/control_ids.h"

namespace {

constexpr int kColorButtons[] = {kIdColorGradient, kIdColorRelief, kIdColorImageOnly,
                                 kIdColorGradientOverImage, kIdColorReliefOverImage};
constexpr int kExportButtons[] = {kIdExportNormal, kIdExportAll, kIdExportUser, kIdExportRange};
constexpr int kTopSubControls[] = {kIdTopRed, kIdTopGreen, kIdTopBlue, kIdChooseTop,
                                   kIdSubRed, kIdSubGreen, kIdSubBlue, kIdChooseSub};

void CheckOnly(Dialog& dlg, const int (&group)[5], int id) {
  for (int member : group) SetChecked(dlg, member, member == id);
}
void CheckOnly(Dialog& dlg, const int (&group)[4], int id) {
  for (int member : group) SetChecked(dlg, member, member == id);
}

TEST(EnablingRulesTest, ColorModeEnablesWhatTheModeUses) {
  struct Row {
    int button;
    bool image, topSub, steps;
  };
  // What each mode uses: the texture in the three image modes, Top and Sub wherever the
  // glyphs get colors of their own, the steps in the two gradients.
  const Row rows[] = {
      {kIdColorGradient, false, true, true},        {kIdColorRelief, false, true, false},
      {kIdColorImageOnly, true, false, false},      {kIdColorGradientOverImage, true, true, true},
      {kIdColorReliefOverImage, true, true, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.button);
    for (bool startEnabled : {false, true}) {
      HeadlessHost host;
      Dialog dlg{host};
      // Start from every control in the same state, so each must be set by the rule.
      for (int id : {kIdTexturePath, kIdBrowseTexture, kIdColorSteps, kIdBgRed, kIdChooseBg}) {
        host.SetEnabled(id, startEnabled);
      }
      for (int id : kTopSubControls) host.SetEnabled(id, startEnabled);
      CheckOnly(dlg, kColorButtons, row.button);
      host.SetText(kIdColorSteps, "5");

      ApplyColorModeRule(dlg);

      EXPECT_EQ(host.Enabled(kIdTexturePath), row.image);
      EXPECT_EQ(host.Enabled(kIdBrowseTexture), row.image);
      for (int id : kTopSubControls) EXPECT_EQ(host.Enabled(id), row.topSub) << id;
      EXPECT_EQ(host.Enabled(kIdColorSteps), row.steps);
      // Background controls are not the rule's business; values and buttons stay.
      EXPECT_EQ(host.Enabled(kIdBgRed), startEnabled);
      EXPECT_EQ(host.Enabled(kIdChooseBg), startEnabled);
      EXPECT_EQ(host.Text(kIdColorSteps), "5");
      for (int id : kColorButtons) EXPECT_EQ(host.Checked(id), id == row.button);
    }
  }
}

TEST(EnablingRulesTest, ExportModeLabelsTheCharactersAndEnablesTheRange) {
  struct Row {
    int button;
    const char* label;
    bool range;
  };
  const Row rows[] = {
      {kIdExportNormal, "Exclude the following chars:", false},
      {kIdExportAll, "Exclude the following chars:", false},
      {kIdExportUser, "Export the following chars:", false},
      {kIdExportRange, "In- / Exclude the following chars:", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.button);
    for (bool startEnabled : {false, true}) {
      HeadlessHost host;
      Dialog dlg{host};
      host.SetText(kIdCharactersLabel, "?");
      host.SetEnabled(kIdRangeFrom, startEnabled);
      host.SetEnabled(kIdRangeTo, startEnabled);
      host.SetText(kIdRangeFrom, "40");
      CheckOnly(dlg, kExportButtons, row.button);

      ApplyExportModeRule(dlg);

      EXPECT_EQ(host.Text(kIdCharactersLabel), row.label);
      EXPECT_EQ(host.Enabled(kIdRangeFrom), row.range);
      EXPECT_EQ(host.Enabled(kIdRangeTo), row.range);
      EXPECT_EQ(host.Text(kIdRangeFrom), "40");  // a disabled field keeps its text
      for (int id : kExportButtons) EXPECT_EQ(host.Checked(id), id == row.button);
    }
  }
}

}  // namespace
