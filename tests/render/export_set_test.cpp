// The cells a run draws, as read from the dialog: the mode, the range and the
// characters text (the export set's own rules are tested with the layout).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/read_sheet_options.h"
#include "dialog/mode_buttons.h"
#include "headless/headless_host.h"
#include "layout/charmap.h"
#include "options/control_ids.h"
#include "render/sheet_pipeline.h"

namespace {

// The cells the dialog's options draw with its map, ascending. A cp1252 cell holds its
// own byte code; another map's cell its character.
std::vector<int> Codes(Dialog& dlg) {
  const SheetOptions options = *CheckedSheetOptions(dlg);
  const CharMap map = BuiltInCharMap(options.charMap.kind);
  const bool cp1252 = map.kind == CharMapKind::kCp1252;
  std::vector<int> codes;
  for (const CellChar& c : CellsToDraw(options, map)) {
    EXPECT_EQ(c.c.byteCode, cp1252);
    EXPECT_EQ(c.c.ch, cp1252 ? static_cast<char32_t>(c.cell) : map.cells[c.cell]);
    codes.push_back(c.cell);
  }
  return codes;
}

std::vector<int> Range(int first, int last, std::vector<int> except = {}) {
  std::vector<int> codes;
  for (int code = first; code <= last; ++code)
    if (std::find(except.begin(), except.end(), code) == except.end()) codes.push_back(code);
  return codes;
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
  EXPECT_EQ(Codes(dlg), Range(32, 255, {228}));
  checkOnly({kIdExportNormal, kIdExportRange});
  EXPECT_EQ(ReadExportMode(dlg), ExportMode::kNormal);
  checkOnly({kIdExportRange, kIdExportUser});
  EXPECT_EQ(Codes(dlg), Range(220, 230, {228}));
  checkOnly({});  // no button: user-defined
  EXPECT_EQ(ReadExportMode(dlg), ExportMode::kUserDefined);
  EXPECT_EQ(Codes(dlg), std::vector<int>{228});

  // Characters Windows-1252 cannot hold are dropped.
  host.SetText(kIdCharacters, "a\xE2\x82\xAC\xE4\xB8\x80z");  // a, euro sign (128), U+4E00, z
  EXPECT_EQ(Codes(dlg), (std::vector<int>{97, 122, 128}));
}

TEST(ExportSetTest, OnlyTheFirst511BytesOfWindows1252TextCount) {
  HeadlessHost host;
  Dialog dlg{host};
  host.SetChecked(kIdExportAll, false);
  host.SetChecked(kIdExportNormal, false);
  host.SetChecked(kIdExportRange, false);
  // 511 codes, then one more: the 512th byte has no effect.
  host.SetText(kIdCharacters, std::string(511, 'a') + "b");
  EXPECT_EQ(Codes(dlg), std::vector<int>{'a'});
  // 300 "ä" are 600 UTF-8 bytes but 300 code bytes: the "b" after them still counts.
  std::string text;
  for (int i = 0; i < 300; ++i) text += "\xC3\xA4";
  host.SetText(kIdCharacters, text + "b");
  EXPECT_EQ(Codes(dlg), (std::vector<int>{'b', 228}));
  // Another map takes the whole text: cp437 holds "a" and "b", and "ä" in cell 132.
  host.SetText(kIdCharacters, std::string(511, 'a') + "b\xC3\xA4");
  host.SetText(kIdCharMap, "cp437");
  EXPECT_EQ(Codes(dlg), (std::vector<int>{'a', 'b', 132}));
}

}  // namespace
