// The settings file's extension block: round trips, the unchanged fixed layout, and
// blocks that are damaged, unknown or not blocks at all. Expected blocks are built
// here byte by byte from the layout in settings_extension.h, not with the encoder.
#include "settings/settings_extension.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "options/control_ids.h"
#include "settings/settings_file.h"
#include "support/dialog_fixture.h"
#include "support/temp_dir.h"

namespace {

using Ext = SettingsExtension;

constexpr char kWarning[] =
    "The extension block of this settings file is damaged or from a newer version and was "
    "ignored.\nThe character map, grid, cell size and output options keep their defaults.";

std::string U16(unsigned v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
std::string U32(std::size_t v) {
  return U16(v & 0xFFFF) + U16((v >> 16) & 0xFFFF);
}
std::string Record(unsigned tag, const std::string& payload) {
  return U16(tag) + U32(payload.size()) + payload;
}
std::string Block(const std::string& records, unsigned version = 1) {
  return std::string("\x89GLX\r\n\x1A\n", 8) + U16(version) + records + Record(0, "");
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Pair(unsigned a, unsigned b) {
  return U16(a) + U16(b);
}

TEST(SettingsExtension, RoundTripsValuesThatDifferFromTheDefaults) {
  const Ext rows[] = {
      {{1, "\x01"}},
      {{1, "\x03"}, {2, "/home/jürgen/map.txt"}},
      {{3, Pair(1, 256)}},
      {{4, Pair(64, 0)}},
      {{5, "\x03"}, {6, "\xFF"}},
      {{7, "\x02"}},
      {{7, "\x05"}, {8, std::string(4096, 'f')}},
      {{1, "\x02"},
       {2, "m"},
       {3, Pair(16, 16)},
       {4, Pair(8, 12)},
       {5, "\x01"},
       {6, "\x02"},
       {7, "\x07"},
       {8, "/x.ttf"}},
  };
  for (const Ext& row : rows) {
    const std::string block = EncodeSettingsExtension(row);
    Ext back{{3, Pair(3, 3)}};
    std::string warning = "stale";
    EXPECT_TRUE(DecodeSettingsExtension(block, back, warning));
    EXPECT_EQ(back, row) << testing::PrintToString(block);
    EXPECT_EQ(warning, "");
  }
  EXPECT_EQ(EncodeSettingsExtension(Ext{}), "");
  EXPECT_EQ(EncodeSettingsExtension({{3, Pair(16, 16)}}), Block(Record(3, Pair(16, 16))));
  // A value the reader would refuse is left out rather than spoiling the others.
  EXPECT_EQ(EncodeSettingsExtension({{3, Pair(300, 8)}, {5, "\x02"}}),
            EncodeSettingsExtension({{5, "\x02"}}));
}

class SettingsExtensionFileTest : public DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    StartDialog(other);
    SetText(dlg, kIdCharHeight, "13");
    fixed = EncodeSettings(dlg);
  }
  // Loads the fixed fields followed by tail into other, whose Char height was 20.
  Ext LoadWithTail(const std::string& tail) {
    otherHost.ClearMessages();
    SetText(other, kIdCharHeight, "20");
    Ext loaded{{4, Pair(0, 9)}};
    LoadSettingsFromBytes(other, fixed + tail, loaded);
    EXPECT_EQ(otherHost.Text(kIdCharHeight), "13");
    return loaded;
  }

  HeadlessHost otherHost;
  Dialog other{otherHost};
  TempDir dir;
  std::string fixed;
};

TEST_F(SettingsExtensionFileTest, SavesLoadsAndSavesTheSameBytes) {
  const Ext values{{1, "\x01"}, {3, Pair(16, 16)}, {4, Pair(8, 12)}, {7, "\x01"}};
  const std::string plain = dir.File("plain.ini"), first = dir.File("a.ini"),
                    second = dir.File("b.ini");
  ASSERT_TRUE(SaveSettingsToFile(dlg, plain, Ext{}).ok);
  ASSERT_TRUE(SaveSettingsToFile(dlg, first, values).ok);
  Ext loaded;
  ASSERT_TRUE(LoadSettingsFromFile(other, first, loaded).ok);
  EXPECT_EQ(loaded, values);
  EXPECT_TRUE(otherHost.messages().empty());
  ASSERT_TRUE(SaveSettingsToFile(other, second, loaded).ok);

  EXPECT_EQ(ReadFileBytes(plain).size(), 1219u);
  EXPECT_GT(ReadFileBytes(first).size(), 1219u);
  EXPECT_EQ(ReadFileBytes(first).substr(0, 1219), ReadFileBytes(plain));
  EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(first));
}

TEST_F(SettingsExtensionFileTest, IgnoresADamagedBlockWithAWarning) {
  const std::string grid = Record(3, std::string("\x10\0\x10\0", 4));
  const std::string valid = Block(grid + Record(8, "/f.ttf"));
  std::vector<std::pair<std::string, std::string>> rows = {
      {"length past the end", valid.substr(0, 10) + U16(3) + U32(1000) + valid.substr(16)},
      {"version 2", Block(grid, 2)},
      {"version 0", Block(grid, 0)},
      {"0 columns", Block(Record(3, std::string("\0\0\x08\0", 4)))},
      {"257 rows", Block(Record(3, std::string("\x08\0\x01\x01", 4)))},
      {"cell 65", Block(Record(4, std::string("\x41\0\0\0", 4)))},
      {"map kind 6", Block(Record(1, "\x06"))},
      {"output kind 4", Block(Record(5, "\x04"))},
      {"threshold 0", Block(Record(6, std::string(1, '\0')))},
      {"descriptor bit 8", Block(Record(7, "\x08"))},
      {"short grid", Block(Record(3, std::string("\x10\0\x10", 3)))},
      {"record twice", Block(Record(5, "\x01") + Record(5, "\x02"))},
      {"zero in path", Block(Record(8, std::string("/a\0b", 4)))},
      {"path not UTF-8", Block(Record(2, "/\xFF"))},
      {"path too long", Block(Record(8, std::string(4097, 'a')))},
      {"end record with payload", valid.substr(0, valid.size() - 6) + Record(0, "x")},
      {"bytes after the end", valid + "x"},
      {"over 64 KiB", Block(Record(999, std::string(64 * 1024, 'x')))},
  };
  for (std::size_t cut = 1; cut < valid.size(); ++cut) {
    rows.push_back({"cut to " + std::to_string(cut), valid.substr(0, cut)});
  }
  for (const auto& [name, block] : rows) {
    SCOPED_TRACE(name);
    EXPECT_EQ(LoadWithTail(block), Ext{});
    ASSERT_EQ(otherHost.messages().size(), 1u);
    EXPECT_EQ(otherHost.messages()[0].text, kWarning);
    EXPECT_EQ(otherHost.messages()[0].title, "Warning");
    EXPECT_EQ(otherHost.messages()[0].icon, MessageIcon::kWarning);
  }
}

TEST_F(SettingsExtensionFileTest, SkipsUnknownRecordsAndIgnoresBytesThatAreNoBlock) {
  const struct {
    const char* name;
    std::string tail;
    Ext expected;
  } rows[] = {
      {"grid and font file",
       Block(Record(3, std::string("\x10\0\x10\0", 4)) + Record(8, "/f")),
       {{3, Pair(16, 16)}, {8, "/f"}}},
      {"unknown tags",
       Block(Record(40, "later") + Record(5, "\x03") + Record(65535, "")),
       {{5, "\x03"}}},
      {"any order", Block(Record(5, "\x03") + Record(1, "\x02")), {{1, "\x02"}, {5, "\x03"}}},
      {"no block", "", {}},
      {"other bytes", "trailing text", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(LoadWithTail(row.tail), row.expected);
    EXPECT_TRUE(otherHost.messages().empty());
  }
}

}  // namespace
