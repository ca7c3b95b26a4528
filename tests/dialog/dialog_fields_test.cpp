// Field access: buffer cuts, the atoi conversion, "%d" writes and the font list.
#include "dialog/dialog_fields.h"

#include <gtest/gtest.h>

#include <climits>

#include "headless/headless_host.h"
#include "options/control_ids.h"

namespace {

TEST(DialogFieldsTest, ParsesLikeAtoi) {
  struct Row {
    const char* text;
    int expected;
  };
  // Leading blanks, one sign, digits up to the first non-digit; anything else is 0.
  const Row rows[] = {
      {"", 0},
      {"abc", 0},
      {"8px", 8},
      {"  \t12", 12},
      {"-5", -5},
      {"+7", 7},
      {"- 5", 0},
      {"12abc", 12},
      {"--3", 0},
      {"0x10", 0},
      {"007", 7},
      {"3 4", 3},
      {"99999999999", INT_MAX},
      {"-99999999999", INT_MIN},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ParseLikeAtoi(row.text), row.expected);
  }
}

TEST(DialogFieldsTest, ReadsTextCutToTheBufferWithoutSplittingCharacters) {
  HeadlessHost host;
  Dialog dlg{host};
  host.SetText(kIdCharacters, "abcdef");
  EXPECT_EQ(ReadText(dlg, kIdCharacters, 4), "abc");  // three bytes and the terminator
  EXPECT_EQ(ReadText(dlg, kIdCharacters, 1), "");
  host.SetText(kIdCharacters, "a\xC3\xA4");  // "aä": the second character takes two bytes
  EXPECT_EQ(ReadText(dlg, kIdCharacters, 3), "a");
  EXPECT_EQ(ReadText(dlg, kIdCharacters, 4), "a\xC3\xA4");
  // Read integer uses a 256-byte buffer: digits past byte 255 do not count.
  host.SetText(kIdTileSize, std::string(254, ' ') + "12");
  EXPECT_EQ(ReadInt(dlg, kIdTileSize), 1);
}

TEST(DialogFieldsTest, WritesIntegersAsDecimalText) {
  HeadlessHost host;
  Dialog dlg{host};
  SetInt(dlg, kIdCharHeight, -1);
  EXPECT_EQ(host.Text(kIdCharHeight), "-1");
  SetInt(dlg, kIdCharHeight, INT_MIN);
  EXPECT_EQ(host.Text(kIdCharHeight), "-2147483648");
  EXPECT_EQ(ReadInt(dlg, kIdCharHeight), INT_MIN);
}

TEST(DialogFieldsTest, FontListSortsAndSearchesPrefixesIgnoringCase) {
  HeadlessHost host;
  Dialog dlg{host};
  for (const char* face : {"dejavu Serif", "Bitstream", "DejaVu Sans Mono", "DejaVu Sans", "abc"}) {
    host.ListAdd(face);
  }
  ASSERT_EQ(FontListCount(dlg), 5);
  EXPECT_EQ(FontListEntry(dlg, 0), "abc");
  EXPECT_EQ(FontListEntry(dlg, 1), "Bitstream");
  EXPECT_EQ(FontListEntry(dlg, 2), "DejaVu Sans");
  EXPECT_EQ(FontListEntry(dlg, 3), "DejaVu Sans Mono");
  EXPECT_EQ(FontListEntry(dlg, 4), "dejavu Serif");
  EXPECT_EQ(FontListSelection(dlg), -1);

  EXPECT_EQ(FontListSelectPrefix(dlg, "DEJAVU s"), 0);
  EXPECT_EQ(FontListSelection(dlg), 2);  // the first match from the top
  EXPECT_EQ(FontListSelectPrefix(dlg, "dejavu se"), 0);
  EXPECT_EQ(FontListSelection(dlg), 4);
  EXPECT_EQ(FontListSelectPrefix(dlg, "Nimbus"), 1);
  EXPECT_EQ(FontListSelection(dlg), 4);  // a failed search keeps the selection
  EXPECT_EQ(FontListEntry(dlg, 9), "");
}

}  // namespace
