// Starting the preview and keeping the font sample current.
#include "preview/preview_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "options/control_ids.h"
#include "preview/pan_drag.h"
#include "preview/sample_text.h"
#include "support/dialog_fixture.h"

namespace {

bool HasInk(const PreviewState& preview) {
  return std::any_of(preview.canvas.pixels.begin(), preview.canvas.pixels.end(),
                     [](std::uint32_t p) { return p != 0; });
}

class PreviewCommandsTest : public DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    sans = IndexOf("DejaVu Sans");
    mono = IndexOf("DejaVu Sans Mono");
    SetChecked(dlg, kIdFontPreview, true);
  }

  int IndexOf(const std::string& face) {
    for (int i = 0; i < FontListCount(dlg); ++i)
      if (FontListEntry(dlg, i) == face) return i;
    ADD_FAILURE() << "font \"" << face << "\" is not installed";
    return 0;
  }

  void Blank() { preview.canvas.pixels.assign(preview.canvas.pixels.size(), 0); }

  PreviewState preview;
  int sans = 0;
  int mono = 0;
};

TEST_F(PreviewCommandsTest, NothingHappensBeforeTheCanvasExists) {
  DrawSampleText(dlg, preview);
  RedrawFontPreview(dlg, preview);
  FontPreviewCommand(dlg, preview);
  FontListSelect(dlg, 1);
  PreviewTimerTick(dlg, preview);
  ZoomCommand(dlg, preview);
  ClampPan(dlg, preview);
  EXPECT_FALSE(preview.canvas.created);
  EXPECT_TRUE(preview.canvas.pixels.empty());
}

TEST_F(PreviewCommandsTest, StartDrawsTheSampleAndStartsTheTimer) {
  FontListSelect(dlg, mono);
  host.StopPreviewTimer();
  const int repaints = host.repaintCount();
  StartPreview(dlg, preview);
  EXPECT_TRUE(preview.canvas.created);
  EXPECT_TRUE(HasInk(preview));
  EXPECT_GT(host.repaintCount(), repaints);
  EXPECT_TRUE(host.timerRunning());
  EXPECT_EQ(preview.lastFontSelection, mono);
}

TEST_F(PreviewCommandsTest, StartMakesTheCanvasOnlyForAHostThatShowsIt) {
  host.previewAreaSeen = false;
  const int repaints = host.repaintCount();
  StartPreview(dlg, preview);
  EXPECT_FALSE(preview.canvas.created);
  EXPECT_TRUE(preview.canvas.pixels.empty());
  EXPECT_GT(host.repaintCount(), repaints);
  EXPECT_TRUE(host.timerRunning());
}

TEST_F(PreviewCommandsTest, RedrawsOnlyWithFontPreviewChecked) {
  StartPreview(dlg, preview);
  Blank();
  SetChecked(dlg, kIdFontPreview, false);
  RedrawFontPreview(dlg, preview);
  FontPreviewCommand(dlg, preview);
  EXPECT_FALSE(HasInk(preview));

  SetChecked(dlg, kIdFontPreview, true);
  RedrawFontPreview(dlg, preview);
  EXPECT_TRUE(HasInk(preview));

  // Checking "Font Preview" again redraws, and at 1x moves the view home.
  Blank();
  preview.panX = 40;
  FontPreviewCommand(dlg, preview);
  EXPECT_TRUE(HasInk(preview));
  EXPECT_FLOAT_EQ(preview.panX, 0);
}

TEST_F(PreviewCommandsTest, TimerRedrawsWhenTheSelectionChanged) {
  FontListSelect(dlg, sans);
  StartPreview(dlg, preview);
  Blank();
  int repaints = host.repaintCount();
  PreviewTimerTick(dlg, preview);  // same selection
  EXPECT_EQ(host.repaintCount(), repaints);
  EXPECT_FALSE(HasInk(preview));

  FontListSelect(dlg, mono);
  PreviewTimerTick(dlg, preview);
  EXPECT_EQ(preview.lastFontSelection, mono);
  EXPECT_GT(host.repaintCount(), repaints);
  EXPECT_TRUE(HasInk(preview));

  // Once seen, the same selection is not drawn again.
  Blank();
  repaints = host.repaintCount();
  PreviewTimerTick(dlg, preview);
  EXPECT_EQ(host.repaintCount(), repaints);

  // Without "Font Preview" or without a selection the timer does nothing, and does
  // not remember the selection either.
  SetChecked(dlg, kIdFontPreview, false);
  FontListSelect(dlg, sans);
  PreviewTimerTick(dlg, preview);
  EXPECT_EQ(preview.lastFontSelection, mono);
  SetChecked(dlg, kIdFontPreview, true);
  FontListSelect(dlg, -1);
  PreviewTimerTick(dlg, preview);
  EXPECT_EQ(preview.lastFontSelection, mono);
  EXPECT_EQ(host.repaintCount(), repaints);
  EXPECT_FALSE(HasInk(preview));
}

}  // namespace
