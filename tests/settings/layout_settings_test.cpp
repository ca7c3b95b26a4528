// The layout fields in settings files: saved in the extension block by the window's and
// the command line's save, and moved back into the fields on load.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "options/control_ids.h"
#include "settings/settings_file.h"
#include "support/dialog_fixture.h"
#include "support/temp_dir.h"

namespace {

constexpr int kLayoutFields[] = {kIdCharMap, kIdGridColumns, kIdGridRows, kIdCellWidth,
                                 kIdCellHeight};

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class LayoutSettingsTest : public DialogFixture {
 protected:
  void SetLayout(const std::string& map, const char* columns, const char* rows, const char* width,
                 const char* height) {
    SetText(dlg, kIdCharMap, map);
    SetText(dlg, kIdGridColumns, columns);
    SetText(dlg, kIdGridRows, rows);
    SetText(dlg, kIdCellWidth, width);
    SetText(dlg, kIdCellHeight, height);
  }

  HeadlessHost otherHost;
  Dialog other{otherHost};
  TempDir dir;
};

TEST_F(LayoutSettingsTest, FieldsRoundTripThroughTheBlockAfterUnchangedFixedBytes) {
  StartDialog(other);
  SetText(dlg, kIdCharHeight, "13");
  const std::string plain = dir.File("plain.ini");
  ASSERT_TRUE(SaveSettingsToFile(dlg, plain).ok);
  ASSERT_EQ(ReadFileBytes(plain).size(), 1219u);  // defaults: no block

  const struct {
    const char* what;
    std::string map;
    const char* columns;
    const char* rows;
    const char* width;
    const char* height;
  } rows[] = {
      {"cp437 16x16 with 8x12 cells", "cp437", "16", "16", "8", "12"},
      {"tcod with square cells", "tcod", "32", "8", "", ""},
      {"a user map path", "/maps/my map ä.txt", "10", "3", "64", "1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    SetLayout(row.map, row.columns, row.rows, row.width, row.height);
    const std::string first = dir.File("a.ini"), second = dir.File("b.ini");
    ASSERT_TRUE(SaveSettingsToFile(dlg, first).ok);
    ASSERT_TRUE(LoadSettingsFromFile(other, first).ok);
    EXPECT_TRUE(otherHost.messages().empty());
    for (int id : kLayoutFields) EXPECT_EQ(otherHost.Text(id), host.Text(id)) << id;
    ASSERT_TRUE(SaveSettingsToFile(other, second).ok);

    const std::string bytes = ReadFileBytes(first);
    EXPECT_GT(bytes.size(), 1219u);
    EXPECT_EQ(bytes.substr(0, 1219), ReadFileBytes(plain));
    EXPECT_EQ(ReadFileBytes(second), bytes);
  }

  // A file without a block puts the defaults back; a damaged block warns and does too.
  auto expectDefaults = [&] {
    EXPECT_EQ(otherHost.Text(kIdCharMap), "cp1252");
    EXPECT_EQ(otherHost.Text(kIdGridColumns), "32");
    EXPECT_EQ(otherHost.Text(kIdGridRows), "8");
    EXPECT_EQ(otherHost.Text(kIdCellWidth), "");
    EXPECT_EQ(otherHost.Text(kIdCellHeight), "");
  };
  ASSERT_TRUE(LoadSettingsFromFile(other, plain).ok);
  expectDefaults();
  SetLayout("cp437", "16", "16", "8", "12");
  const std::string damaged = dir.File("damaged.ini");
  ASSERT_TRUE(SaveSettingsToFile(dlg, damaged).ok);
  std::string bytes = ReadFileBytes(damaged);
  bytes.pop_back();  // the end record cut short
  std::ofstream(damaged, std::ios::binary | std::ios::trunc) << bytes;
  ASSERT_TRUE(LoadSettingsFromFile(other, damaged).ok);
  ASSERT_EQ(otherHost.messages().size(), 1u);
  EXPECT_EQ(otherHost.messages()[0].text, kSettingsExtensionWarning);
  expectDefaults();
}

}  // namespace
