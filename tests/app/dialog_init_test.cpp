// The dialog at start-up and its closing.
#include <gtest/gtest.h>

#include "app/dialog_proc.h"
#include "dialog/control_table.h"
#include "dialog/dialog_fields.h"
#include "headless/headless_host.h"
#include "options/control_ids.h"
#include "text/case_fold.h"

namespace {

TEST(DialogInitTest, StartsWithEveryDefault) {
  HeadlessHost host;
  Dialog dlg{host};
  // Scramble every record first, so that only the initialization can restore them
  // (the Path field is empty from the window's own template and is not set).
  for (const ControlDef& def : ControlTable()) {
    if (def.id == kIdTexturePath) continue;
    if (def.kind == ControlKind::kEdit || def.kind == ControlKind::kDigitsEdit) {
      host.SetText(def.id, "x");
    }
    host.SetChecked(def.id, false);
  }
  StartDialog(dlg);

  EXPECT_EQ(host.title(), "Glyphex v0.3a");
  EXPECT_EQ(host.Text(kIdLog), kWelcomeText);
  for (const ControlDef& def : ControlTable()) {
    SCOPED_TRACE(def.id);
    if (def.kind == ControlKind::kEdit || def.kind == ControlKind::kDigitsEdit) {
      EXPECT_EQ(host.Text(def.id), def.defaultText);
    }
    if (def.kind == ControlKind::kRadioButton || def.kind == ControlKind::kCheckBox ||
        def.kind == ControlKind::kPushLikeCheck) {
      EXPECT_EQ(host.Checked(def.id), def.checkedAtStart);
    }
    EXPECT_EQ(host.Enabled(def.id), def.enabledAtStart);
  }
  EXPECT_EQ(ReadInt(dlg, kIdCharWidth), 0);  // empty: natural aspect
  EXPECT_FALSE(host.Enabled(kIdRangeFrom));
  EXPECT_FALSE(host.Enabled(kIdTexturePath));

  // The font list: installed typefaces, sorted ignoring case, entry 0 selected.
  ASSERT_GT(FontListCount(dlg), 0);
  EXPECT_EQ(FontListSelection(dlg), 0);
  for (int i = 1; i < FontListCount(dlg); ++i) {
    EXPECT_LE(CompareIgnoringCase(FontListEntry(dlg, i - 1), FontListEntry(dlg, i)), 0);
  }
}

TEST(DialogInitTest, ExitAndCloseEndTheDialogAndMaximizeRestores) {
  HeadlessHost host;
  Dialog dlg{host};
  StartDialog(dlg);
  EXPECT_EQ(DialogProc(dlg, DialogMessage::kMaximize), 1);
  EXPECT_EQ(host.restoreCount(), 1);
  EXPECT_FALSE(host.endResult().has_value());

  host.Click(kIdExit);
  ASSERT_TRUE(host.endResult().has_value());
  EXPECT_EQ(*host.endResult(), 0);

  HeadlessHost other;
  Dialog second{other};
  StartDialog(second);
  EXPECT_EQ(DialogProc(second, DialogMessage::kClose), 1);
  EXPECT_EQ(other.endResult(), 0);
  EXPECT_FALSE(other.timerRunning());
}

TEST(DialogInitTest, RadioGroupsAreIndependent) {
  HeadlessHost host;
  Dialog dlg{host};
  StartDialog(dlg);
  host.Click(kIdColorRelief);
  EXPECT_TRUE(host.Checked(kIdColorRelief));
  EXPECT_FALSE(host.Checked(kIdColorGradient));
  EXPECT_TRUE(host.Checked(kIdExportNormal));
  EXPECT_TRUE(host.Checked(kIdZoom1));
  host.Click(kIdZoom4);
  EXPECT_FALSE(host.Checked(kIdZoom1));
  EXPECT_TRUE(host.Checked(kIdColorRelief));
  // A program may uncheck one button and leave its group with none checked.
  SetChecked(dlg, kIdZoom4, false);
  for (int id : RadioGroupMembers(RadioGroup::kZoom)) EXPECT_FALSE(host.Checked(id));
}

}  // namespace
