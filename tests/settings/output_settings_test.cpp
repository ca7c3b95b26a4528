// The output kind and the mono threshold in settings files: saved in the extension
// block and put back into their fields, with the threshold's enabling rule.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/read_sheet_options.h"
#include "options/control_ids.h"
#include "settings/settings_file.h"
#include "support/dialog_fixture.h"
#include "support/temp_dir.h"

namespace {

class OutputSettingsTest : public DialogFixture {
 protected:
  HeadlessHost otherHost;
  Dialog other{otherHost};
  TempDir dir;
};

TEST_F(OutputSettingsTest, KindAndThresholdRoundTrip) {
  StartDialog(other);
  const struct {
    int button;
    const char* threshold;  // as typed
    const char* loaded;     // the threshold field after loading
    bool withBlock;         // the file holds an extension block
  } rows[] = {
      {kIdOutputColor, "1", "1", false},  // the defaults: the file stays 1219 bytes
      {kIdOutputMono, "200", "200", true}, {kIdOutputGray, "1", "1", true},
      {kIdOutputAlpha, "37", "37", true},  // kept with a kind other than mono
      {kIdOutputMono, "0", "1", true},     // unusable: stored as the default
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.button) + " " + row.threshold);
    host.Click(row.button);
    SetText(dlg, kIdMonoThreshold, row.threshold);
    // The other dialog starts elsewhere, so that loading must move every value.
    otherHost.Click(row.button == kIdOutputMono ? kIdOutputGray : kIdOutputMono);
    SetText(other, kIdMonoThreshold, "99");

    const std::string path = dir.File("out.ini");
    ASSERT_TRUE(SaveSettingsToFile(dlg, path).ok);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes.size() > 1219u, row.withBlock) << bytes.size();
    ASSERT_TRUE(LoadSettingsFromFile(other, path).ok);
    for (int id : {kIdOutputColor, kIdOutputAlpha, kIdOutputGray, kIdOutputMono}) {
      EXPECT_EQ(IsChecked(other, id), id == row.button) << id;
    }
    EXPECT_EQ(otherHost.Text(kIdMonoThreshold), row.loaded);
    EXPECT_EQ(otherHost.Enabled(kIdMonoThreshold), row.button == kIdOutputMono);
  }
}

// Choices added after their option's record keep records of their own, which older
// readers skip: the distance field leaves them the gray output under the kind's tag, and
// the new descriptors' bits never reach the descriptors' record.
TEST_F(OutputSettingsTest, NewerChoicesKeepRecordsThatOlderReadersSkip) {
  StartDialog(other);
  for (int id : {kIdOutputSdf, kIdDescriptorFnt, kIdDescriptorFntXml, kIdDescriptorFntBinary,
                 kIdFontFileBdf, kIdFontFileOtb}) {
    host.Click(id);
  }
  SetText(dlg, kIdSdfSpread, "9");
  const SettingsExtension expected{{5, "\x02"},  {7, "\x01"},  {9, "\x05"},
                                   {10, "\x03"}, {11, "\x09"}, {12, "\x04"}};
  EXPECT_EQ(ReadSettingsExtension(dlg), expected);

  const std::string path = dir.File("new.ini");
  ASSERT_TRUE(SaveSettingsToFile(dlg, path).ok);
  ASSERT_TRUE(LoadSettingsFromFile(other, path).ok);
  for (int id : {kIdOutputSdf, kIdDescriptorFnt, kIdDescriptorFntXml, kIdDescriptorFntBinary,
                 kIdFontFileBdf, kIdFontFileOtb}) {
    EXPECT_TRUE(IsChecked(other, id)) << id;
  }
  for (int id : {kIdOutputGray, kIdDescriptorJson, kIdDescriptorC, kIdFontFilePsf}) {
    EXPECT_FALSE(IsChecked(other, id)) << id;
  }
  EXPECT_EQ(otherHost.Text(kIdSdfSpread), "9");
  EXPECT_TRUE(otherHost.Enabled(kIdSdfSpread));

  // What an older version saves back: the kind's record alone, the gray output.
  ApplySettingsExtension(other, {{5, "\x02"}});
  EXPECT_TRUE(IsChecked(other, kIdOutputGray));
  EXPECT_FALSE(IsChecked(other, kIdOutputSdf));
  EXPECT_EQ(otherHost.Text(kIdSdfSpread), "4");
}

// Box drawing's default follows the map and is never stored; a choice made is stored
// and holds whatever the map; the pixel font mode likewise (its auto leaves cp1252 be).
TEST_F(OutputSettingsTest, DrawingChoicesAreStoredOnlyWhenMade) {
  StartDialog(other);
  const struct {
    const char* map;
    int boxButton, pixelButton;
    bool builtin;         // box drawing built in, as the run reads it
    PixelFontMode pixel;  // as the run reads it: auto is off for cp1252
    bool boxRecord;       // records 12 and 13 in the extension block
    bool pixelRecord;
  } rows[] = {
      {"cp1252", kIdBoxDrawingAuto, kIdPixelFontAuto, false, PixelFontMode::kOff, false, false},
      {"cp437", kIdBoxDrawingAuto, kIdPixelFontOff, true, PixelFontMode::kOff, false, true},
      {"cp1252", kIdBoxDrawingBuiltin, kIdPixelFontOn, true, PixelFontMode::kOn, true, true},
      {"tcod", kIdBoxDrawingFont, kIdPixelFontAuto, false, PixelFontMode::kAuto, true, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.map) + " " + std::to_string(row.boxButton));
    SetText(dlg, kIdCharMap, row.map);
    host.Click(row.boxButton);
    host.Click(row.pixelButton);
    otherHost.Click(row.boxButton == kIdBoxDrawingFont ? kIdBoxDrawingBuiltin : kIdBoxDrawingFont);
    otherHost.Click(row.pixelButton == kIdPixelFontOff ? kIdPixelFontOn : kIdPixelFontOff);
    const SettingsExtension records = ReadSettingsExtension(dlg);
    EXPECT_EQ(records.count(13), row.boxRecord);
    EXPECT_EQ(records.count(14), row.pixelRecord);

    const std::string path = dir.File("drawing.ini");
    ASSERT_TRUE(SaveSettingsToFile(dlg, path).ok);
    ASSERT_TRUE(LoadSettingsFromFile(other, path).ok);
    EXPECT_TRUE(IsChecked(other, row.boxButton));
    EXPECT_TRUE(IsChecked(other, row.pixelButton));
    const std::optional<SheetOptions> options = CheckedSheetOptions(other);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->builtinBoxes, row.builtin);
    EXPECT_EQ(options->pixelFont, row.pixel);
  }
}

}  // namespace
