// The dialog's buttons at work on the in-memory host: the color choosers, "Save
// bitmap" and "Browse ..." with what they ask and where the answers go, "Image
// preview (once)" against the font sample, and radio buttons pressed again.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "app/chooser_commands.h"
#include "dialog/control_table.h"
#include "options/control_ids.h"
#include "preview/pan_drag.h"
#include "preview/preview_state.h"
#include "preview/sample_text.h"
#include "support/dialog_fixture.h"
#include "support/sheet_image.h"
#include "support/temp_dir.h"

namespace {

// The program's one preview outlives each test: every test starts at zoom 1, home.
class CommandsTest : public DialogFixture {
 protected:
  void SetUp() override {
    PreviewState& preview = Preview();
    preview.zoomFactor = 1;
    preview.panX = preview.panY = 0.0f;
    preview.drag = {};
    DialogFixture::SetUp();
  }

  // The font sample as the dialog's fields draw it now, on a canvas of its own.
  std::vector<std::uint32_t> SampleNow() {
    PreviewState reference;
    CreatePreviewCanvas(reference);
    DrawSampleText(dlg, reference);
    return reference.canvas.pixels;
  }

  const std::vector<std::uint32_t>& Canvas() { return Preview().canvas.pixels; }
};

// Everything a command could change: each control's text, check and enabled state,
// the preview's zoom, pan and canvas, and the messages shown.
struct DialogState {
  std::vector<std::string> texts;
  std::vector<bool> checks, enables;
  int zoom = 0;
  float panX = 0, panY = 0;
  std::vector<std::uint32_t> canvas;
  std::size_t messages = 0;
  bool operator==(const DialogState&) const = default;
};

DialogState Capture(HeadlessHost& host) {
  DialogState state;
  for (const ControlDef& def : ControlTable()) {
    state.texts.push_back(host.Text(def.id));
    state.checks.push_back(host.Checked(def.id));
    state.enables.push_back(host.Enabled(def.id));
  }
  state.zoom = Preview().zoomFactor;
  state.panX = Preview().panX;
  state.panY = Preview().panY;
  state.canvas = Preview().canvas.pixels;
  state.messages = host.messages().size();
  return state;
}

TEST_F(CommandsTest, ColorChooserStartsAtTheLowBytesAndWritesTheChoice) {
  struct Row {
    int button, first;
    const char* start[3];
    Rgb initial;
    Rgb chosen;
  };
  const Row rows[] = {
      {kIdChooseBg, kIdBgRed, {"300", "0", "-1"}, {44, 0, 255}, {1, 2, 3}},
      {kIdChooseTop, kIdTopRed, {"12", "abc", "511"}, {12, 0, 255}, {255, 128, 0}},
      {kIdChooseSub, kIdSubRed, {"256", "7x", " 9"}, {0, 7, 9}, {0, 0, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.button);
    for (int k = 0; k < 3; ++k) SetText(dlg, row.first + k, row.start[k]);
    const DialogState before = Capture(host);

    // Cancelled: asked once at the starting color, nothing changes.
    host.colorRequests.clear();
    host.Click(row.button);
    ASSERT_EQ(host.colorRequests.size(), 1u);
    EXPECT_EQ(host.colorRequests[0].red, row.initial.red);
    EXPECT_EQ(host.colorRequests[0].green, row.initial.green);
    EXPECT_EQ(host.colorRequests[0].blue, row.initial.blue);
    EXPECT_TRUE(Capture(host) == before);

    // Chosen: the three fields of this button, and no other, take the values.
    host.colorAnswers.push_back(row.chosen);
    host.Click(row.button);
    EXPECT_EQ(host.colorRequests.size(), 2u);
    EXPECT_EQ(host.Text(row.first), std::to_string(row.chosen.red));
    EXPECT_EQ(host.Text(row.first + 1), std::to_string(row.chosen.green));
    EXPECT_EQ(host.Text(row.first + 2), std::to_string(row.chosen.blue));
    DialogState after = Capture(host);
    for (std::size_t i = 0; i < ControlTable().size(); ++i) {
      const int id = ControlTable()[i].id;
      if (id < row.first || id > row.first + 2) {
        EXPECT_EQ(after.texts[i], before.texts[i]) << id;
      }
    }
  }
}

// A host whose chooser edits the custom colors, as the user may.
class CustomColorHost : public HeadlessHost {
 public:
  std::optional<Rgb> AskColor(Rgb initial, std::array<std::uint32_t, 16>& custom) override {
    tables.push_back(&custom);
    seen.push_back(custom[5]);
    custom[5] += 0x010203;
    return HeadlessHost::AskColor(initial, custom);
  }
  std::vector<const std::array<std::uint32_t, 16>*> tables;
  std::vector<std::uint32_t> seen;
};

TEST(ChooserCustomColorsTest, CustomColorsPersistBetweenChoosers) {
  CustomColorHost host;
  Dialog dlg{host};
  StartDialog(dlg);
  host.Click(kIdChooseBg);
  host.Click(kIdChooseSub);
  ASSERT_EQ(host.tables.size(), 2u);
  EXPECT_EQ(host.tables[0], host.tables[1]);
  EXPECT_EQ(host.tables[0], &CustomColors());
  // The second chooser shows what the first one left.
  EXPECT_EQ(host.seen[1], host.seen[0] + 0x010203);
  EXPECT_EQ(CustomColors()[5], host.seen[0] + 2 * 0x010203);
}

TEST_F(CommandsTest, SaveBitmapAsksForAFileAndWritesTheFormatOfItsName) {
  SelectFace("DejaVu Sans");
  TempDir dir;
  const std::string png = dir.File("sheet.png");
  host.saveFileAnswers.push_back(png);
  host.Click(kIdSaveBitmap);

  ASSERT_EQ(host.fileRequests.size(), 1u);
  const FileDialogRequest& request = host.fileRequests[0];
  EXPECT_EQ(request.title, "Save bitmap");
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"PNG - Portable Network Graphics", "*.png"},
      {"BMP - Windows Bitmaps", "*.bmp"},
      {"TGA - Truevision Targa files", "*.tga"},
      {"All Files", "*.*"}};
  ASSERT_EQ(request.filters.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(request.filters[i].name, expected[i].first) << i;
    EXPECT_EQ(request.filters[i].pattern, expected[i].second) << i;
  }
  EXPECT_EQ(request.defaultExtension, ".bmp");
  EXPECT_TRUE(request.confirmOverwrite);
  EXPECT_TRUE(host.messages().empty());

  std::ifstream file(png, std::ios::binary);
  char magic[8] = {};
  file.read(magic, sizeof magic);
  EXPECT_EQ(std::string(magic, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  const SheetImage image = LoadSheetImage(png);
  EXPECT_EQ(image.width, 256);  // 32 x 8 tiles of 8 pixels
  EXPECT_EQ(image.height, 64);

  // Cancelled: nothing written, nothing said.
  host.Click(kIdSaveBitmap);
  EXPECT_EQ(host.fileRequests.size(), 2u);
  EXPECT_TRUE(host.messages().empty());

  // A name the image library cannot write: the run's own message, then the command's.
  const std::string odd = dir.File("sheet.unwritable");
  host.saveFileAnswers.push_back(odd);
  host.Click(kIdSaveBitmap);
  ASSERT_EQ(host.messages().size(), 2u);
  EXPECT_NE(host.messages()[0].text, "An error occurred while saving!");
  EXPECT_EQ(host.messages()[1].text, "An error occurred while saving!");
  EXPECT_EQ(host.messages()[1].title, "Error");
  EXPECT_EQ(host.messages()[1].icon, MessageIcon::kWarning);
  EXPECT_FALSE(std::ifstream(odd).good());
}

TEST_F(CommandsTest, BrowsePutsThePickedFileIntoThePath) {
  host.Click(kIdColorImageOnly);
  ASSERT_TRUE(host.Enabled(kIdBrowseTexture));
  host.openFileAnswers.push_back("/some/folder/texture image.bmp");
  host.Click(kIdBrowseTexture);
  ASSERT_EQ(host.fileRequests.size(), 1u);
  const FileDialogRequest& request = host.fileRequests[0];
  EXPECT_EQ(request.title, "Choose Image");
  ASSERT_EQ(request.filters.size(), 1u);
  EXPECT_EQ(request.filters[0].name, "All Files");
  EXPECT_EQ(request.filters[0].pattern, "*.*");
  EXPECT_EQ(request.defaultExtension, ".bmp");
  EXPECT_FALSE(request.confirmOverwrite);
  EXPECT_EQ(host.Text(kIdTexturePath), "/some/folder/texture image.bmp");

  const DialogState before = Capture(host);
  host.Click(kIdBrowseTexture);  // cancelled
  EXPECT_EQ(host.fileRequests.size(), 2u);
  EXPECT_TRUE(Capture(host) == before);
}

// The sheet stays in the preview while the font fields, the timer and the buttons
// that redraw the sample are used, until "Font Preview" is pressed again.
TEST_F(CommandsTest, ImagePreviewKeepsTheSheetUntilFontPreviewIsPressed) {
  SelectFace("DejaVu Sans");
  ASSERT_TRUE(IsChecked(dlg, kIdFontPreview));
  host.Click(kIdImagePreview);
  EXPECT_FALSE(IsChecked(dlg, kIdFontPreview));
  EXPECT_TRUE(host.messages().empty());
  const std::vector<std::uint32_t> sheet = Canvas();
  ASSERT_EQ(sheet.size(), static_cast<std::size_t>(kCanvasWidth) * kCanvasHeight);
  // Code 0 is not exported, so the first tile is the background color (255, 0, 255).
  EXPECT_EQ(sheet[0], 0x00FF00FFu);
  EXPECT_NE(sheet, SampleNow());

  const int repaints = host.repaintCount();
  SetText(dlg, kIdCharHeight, "30");
  SetText(dlg, kIdPreviewText, "Other text");
  host.Click(kIdBold);
  host.UserSelectFont(FontListSelection(dlg) == 0 ? 1 : 0);
  host.pendingTicks = 3;
  host.DispatchPendingMessages();
  EXPECT_EQ(Canvas(), sheet);
  EXPECT_EQ(host.repaintCount(), repaints);

  Preview().panX = 30;  // as a drag would leave it
  host.Click(kIdFontPreview);
  EXPECT_TRUE(IsChecked(dlg, kIdFontPreview));
  EXPECT_EQ(Canvas(), SampleNow());
  EXPECT_NE(Canvas(), sheet);
  EXPECT_FLOAT_EQ(Preview().panX, 0.0f);
  EXPECT_GT(host.repaintCount(), repaints);
}

TEST_F(CommandsTest, FontStyleButtonsRedrawOnlyWithFontPreviewChecked) {
  SelectFace("DejaVu Sans");
  host.UserSelectFont(FontListSelection(dlg));  // the sample shows the face
  for (int id : {kIdBold, kIdItalic, kIdUnderline}) {
    SCOPED_TRACE(id);
    ASSERT_TRUE(IsChecked(dlg, kIdFontPreview));
    const std::vector<std::uint32_t> plain = Canvas();
    ASSERT_EQ(plain, SampleNow());
    int repaints = host.repaintCount();
    host.Click(id);  // on
    EXPECT_TRUE(IsChecked(dlg, id));
    EXPECT_GT(host.repaintCount(), repaints);
    EXPECT_EQ(Canvas(), SampleNow());
    EXPECT_NE(Canvas(), plain);

    host.Click(kIdFontPreview);  // off: the canvas keeps the styled sample
    ASSERT_FALSE(IsChecked(dlg, kIdFontPreview));
    const std::vector<std::uint32_t> styled = Canvas();
    repaints = host.repaintCount();
    host.Click(id);  // off, not shown
    EXPECT_FALSE(IsChecked(dlg, id));
    EXPECT_EQ(host.repaintCount(), repaints);
    EXPECT_EQ(Canvas(), styled);

    host.Click(kIdFontPreview);  // on again: the plain sample is back
    EXPECT_EQ(Canvas(), plain);
  }
}

TEST_F(CommandsTest, PressingACheckedRadioButtonChangesNothing) {
  SelectFace("DejaVu Sans");
  // At start-up, then in modes the rules change something for.
  const std::vector<std::vector<int>> setups = {
      {},
      {kIdExportRange, kIdColorImageOnly, kIdZoom4},
      {kIdExportUser, kIdColorReliefOverImage, kIdZoom2},
  };
  for (const std::vector<int>& setup : setups) {
    for (int id : setup) host.Click(id);
    if (Preview().zoomFactor > 1) {  // a panned view, kept on the canvas
      Preview().panX = 37;
      Preview().panY = 12;
      ClampPan(dlg);
    }
    for (const ControlDef& def : ControlTable()) {
      if (def.kind != ControlKind::kRadioButton || !host.Checked(def.id)) continue;
      SCOPED_TRACE(def.id);
      const DialogState before = Capture(host);
      host.Click(def.id);
      EXPECT_TRUE(Capture(host) == before);
    }
  }
}

TEST_F(CommandsTest, LeavingRangeModeKeepsTheRangeButStopsCheckingIt) {
  host.Click(kIdExportRange);
  ASSERT_TRUE(host.Enabled(kIdRangeFrom));
  SetText(dlg, kIdRangeFrom, "40");
  SetText(dlg, kIdRangeTo, "30");  // invalid while range mode is on
  host.Click(kIdExportNormal);
  EXPECT_FALSE(host.Enabled(kIdRangeFrom));
  EXPECT_FALSE(host.Enabled(kIdRangeTo));
  EXPECT_EQ(host.Text(kIdRangeFrom), "40");
  EXPECT_EQ(host.Text(kIdRangeTo), "30");
  EXPECT_EQ(host.Text(kIdCharactersLabel), "Exclude the following chars:");

  host.Click(kIdSaveBitmap);  // validation passes; the file prompt is cancelled
  EXPECT_EQ(host.fileRequests.size(), 1u);
  EXPECT_TRUE(host.messages().empty());
}

}  // namespace
