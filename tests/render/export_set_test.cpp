// The ExportSet of each mode, and how BuildExportSet reads the dialog.
#include "render/export_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/read_sheet_options.h"
#include "dialog/mode_buttons.h"
#include "headless/headless_host.h"
#include "options/control_ids.h"

namespace {

// The set codes, ascending.
std::vector<int> Codes(const ExportSet& set) {
  std::vector<int> codes;
  for (int code = 0; code < 256; ++code)
    if (set[code]) codes.push_back(code);
  return codes;
}

std::vector<int> Range(int first, int last, std::vector<int> except = {}) {
  std::vector<int> codes;
  for (int code = first; code <= last; ++code)
    if (std::find(except.begin(), except.end(), code) == except.end()) codes.push_back(code);
  return codes;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  std::sort(a.begin(), a.end());
  return a;
}

TEST(ExportSetTest, EachModeFromItsText) {
  struct Row {
    const char* note;
    ExportMode mode;
    std::string text;  // Windows-1252
    int from, to;
    std::vector<int> expected;
  };
  const Row rows[] = {
      {"normal, empty", ExportMode::kNormal, "", 0, 0, Range(32, 127)},
      {"normal, abc", ExportMode::kNormal, "abc", 0, 0, Range(32, 127, {97, 98, 99})},
      {"normal, line break", ExportMode::kNormal, "\r\n", 0, 0, Range(32, 127)},
      {"all, \xE4", ExportMode::kAll, "\xE4", 0, 0, Range(32, 255, {228})},
      {"all, twice", ExportMode::kAll, "xx", 0, 0, Range(32, 255, {'x'})},
      {"range, a", ExportMode::kRange, "a", 65, 90, Join(Range(65, 90), {97})},
      {"range, A", ExportMode::kRange, "A", 65, 90, Range(66, 90)},
      {"range, e acute", ExportMode::kRange, "\xE9", 65, 90, Join(Range(65, 90), {233})},
      {"range 200-255, e acute", ExportMode::kRange, "\xE9", 200, 255, Range(200, 255, {233})},
      {"range 0-255", ExportMode::kRange, "", 0, 255, Range(0, 255)},
      {"user, empty", ExportMode::kUserDefined, "", 0, 0, {}},
      {"user, text", ExportMode::kUserDefined, "ba\r\nb\xFF", 0, 0, {10, 13, 97, 98, 255}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.note);
    EXPECT_EQ(Codes(BuildExportSetFrom(row.mode, row.text, row.from, row.to)), row.expected);
  }
}

TEST(ExportSetTest, ReadsModeRangeAndConvertedText) {
  HeadlessHost host;
  Dialog dlg{host};
  auto checkOnly = [&](std::vector<int> ids) {
    for (int id : {kIdExportAll, kIdExportNormal, kIdExportRange, kIdExportUser})
      host.SetChecked(id, std::find(ids.begin(), ids.end(), id) != ids.end());
  };
  host.SetText(kIdCharacters, "\xC3\xA4");  // "ä" in UTF-8 is code 228
  host.SetText(kIdRangeFrom, "220");
  host.SetText(kIdRangeTo, "230");

  checkOnly({kIdExportAll, kIdExportNormal, kIdExportRange});  // All wins
  EXPECT_EQ(ReadExportMode(dlg), ExportMode::kAll);
  EXPECT_EQ(Codes(BuildExportSet(*CheckedSheetOptions(dlg))), Range(32, 255, {228}));
  checkOnly({kIdExportNormal, kIdExportRange});
  EXPECT_EQ(ReadExportMode(dlg), ExportMode::kNormal);
  checkOnly({kIdExportRange, kIdExportUser});
  EXPECT_EQ(Codes(BuildExportSet(*CheckedSheetOptions(dlg))), Range(220, 230, {228}));
  checkOnly({});  // no button: user-defined
  EXPECT_EQ(ReadExportMode(dlg), ExportMode::kUserDefined);
  EXPECT_EQ(Codes(BuildExportSet(*CheckedSheetOptions(dlg))), std::vector<int>{228});

  // Characters Windows-1252 cannot hold are dropped.
  host.SetText(kIdCharacters, "a\xE2\x82\xAC\xE4\xB8\x80z");  // a, euro sign (128), U+4E00, z
  EXPECT_EQ(Codes(BuildExportSet(*CheckedSheetOptions(dlg))), (std::vector<int>{97, 122, 128}));
}

TEST(ExportSetTest, OnlyTheFirst511BytesOfWindows1252TextCount) {
  HeadlessHost host;
  Dialog dlg{host};
  host.SetChecked(kIdExportAll, false);
  host.SetChecked(kIdExportNormal, false);
  host.SetChecked(kIdExportRange, false);
  // 511 codes, then one more: the 512th byte has no effect.
  host.SetText(kIdCharacters, std::string(511, 'a') + "b");
  EXPECT_EQ(Codes(BuildExportSet(*CheckedSheetOptions(dlg))), std::vector<int>{'a'});
  // 300 "ä" are 600 UTF-8 bytes but 300 code bytes: the "b" after them still counts.
  std::string text;
  for (int i = 0; i < 300; ++i) text += "\xC3\xA4";
  host.SetText(kIdCharacters, text + "b");
  EXPECT_EQ(Codes(BuildExportSet(*CheckedSheetOptions(dlg))), (std::vector<int>{'b', 228}));
}

}  // namespace
