// Sheets of maps other than cp1252, whole runs: Unifont drawn exactly as its own .hex
// bitmaps, letters of several faces on one baseline, built-in box glyphs that fill
// their cells whatever the face.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "render/sheet_pipeline.h"
#include "support/unifont_hex.h"

namespace {

struct FailingSink : MessageSink {
  void Show(std::string_view text, std::string_view, MessageIcon) override {
    ADD_FAILURE() << "message: " << text;
  }
};

SheetOptions Cp437Sheet(const char* face, int height, PixelSize cell) {
  SheetOptions options;
  options.font = FontRequest{face, height, 0, 400, false, false};
  options.cell = {cell.widthPx, cell.heightPx};
  options.grid = {16, 16};
  options.charMap = BuiltInCharMap(CharMapKind::kCp437);
  options.colorSteps = 1;
  options.bg = {255, 0, 255};
  options.top = options.sub = {255, 255, 255};
  options.exportMode = ExportMode::kAll;
  options.colorMode = ColorMode::kGradient;
  options.builtinBoxes = true;
  return options;
}

bool Installed(const char* face) {
  const TextFontPtr font = OpenTextFont({.face = face, .height = 16});
  return font && GetFontMetrics(*font).family == face;
}

bool Lit(const Sheet& sheet, int cell, int x, int y) {
  const int left = sheet.cellPx.widthPx * (cell % sheet.grid.columns);
  const int top = sheet.cellPx.heightPx * (cell / sheet.grid.columns);
  return sheet.coverage.pixels[static_cast<std::size_t>(top + y) * sheet.width + left + x] != 0;
}

TEST(JoinedCellsTest, UnifontCellsEqualItsHexBitmaps) {
  if (!std::filesystem::exists(kUnifontHexPath) || !Installed("Unifont")) {
    GTEST_SKIP() << "install fonts-unifont and unifont";
  }
  // A cp437 sheet, and a map of the box drawing and block ranges, from the face.
  CharMap boxes{.kind = CharMapKind::kFile, .name = "boxes.txt", .cells = {}};
  for (char32_t ch = 0x2500; ch <= 0x259F; ++ch) boxes.cells.push_back(ch);
  std::vector<char32_t> wanted(boxes.cells);
  for (const char32_t ch : BuiltInCharMap(CharMapKind::kCp437).cells) wanted.push_back(ch);
  const std::map<char32_t, HexGlyph> hex = ReadUnifontHex(wanted);

  const struct {
    PixelSize cell;
    int scale;
  } rows[] = {{{8, 16}, 1}, {{16, 32}, 2}};
  for (const auto& row : rows) {
    for (const CharMap& map : {BuiltInCharMap(CharMapKind::kCp437), boxes}) {
      SCOPED_TRACE(map.name + " at " + std::to_string(row.cell.heightPx) + " px");
      SheetOptions options = Cp437Sheet("Unifont", 20, row.cell);
      options.charMap = map;
      options.builtinBoxes = false;
      FailingSink sink;
      const std::optional<Sheet> sheet = RenderSheet(options, sink);
      ASSERT_TRUE(sheet);
      EXPECT_EQ(sheet->note, "pixel font: grid 4 units = " + std::to_string(row.scale) + " px");
      // The .hex baseline lies under its row 13: the sheet's under row 14 x scale - 1.
      ASSERT_EQ(sheet->baselineRow, 14 * row.scale);
      for (const int cell : sheet->drawnCells) {
        const char32_t ch = map.cells[cell];
        SCOPED_TRACE("U+" + std::to_string(static_cast<unsigned>(ch)));
        ASSERT_TRUE(hex.contains(ch));
        const HexGlyph& glyph = hex.at(ch);
        int wrong = 0;
        for (int y = 0; y < row.cell.heightPx; ++y) {
          for (int x = 0; x < row.cell.widthPx; ++x) {
            const bool lit = glyph.lit[(y / row.scale) * glyph.width + x / row.scale] != 0;
            wrong += Lit(*sheet, cell, x, y) != lit;
          }
        }
        EXPECT_EQ(wrong, 0);
      }
    }
  }
}

// Every character of the BMP that Unifont maps, from the face, on pages of the grid chosen from the
// map: each cell holds its .hex bitmap at the cell's top left, and nothing else. A combining mark
// has no advance in the face and its ink lies left of its pen, so the sheet places its pen to keep
// the ink in the cell; the .hex draws it where it would combine. Those cells are left out, and they
// are few.
TEST(JoinedCellsTest, EveryUnifontCharacterOnItsPagesEqualsItsHexBitmap) {
  if (!std::filesystem::exists(kUnifontHexPath) || !Installed("Unifont")) {
    GTEST_SKIP() << "install fonts-unifont and unifont";
  }
  SheetOptions options = Cp437Sheet("Unifont", 16, {16, 16});
  Result<CharMap> map = FontCharMap(MappedChars(*options.font));
  ASSERT_TRUE(map);
  options.charMap = *map;
  options.grid = ChooseGrid(kAutoGrid, options.charMap);
  options.builtinBoxes = false;
  const std::map<char32_t, HexGlyph> hex = ReadUnifontHex(map->cells);
  FailingSink sink;
  const std::optional<Sheet> sheet = RenderSheet(options, sink);
  ASSERT_TRUE(sheet);
  EXPECT_GT(sheet->laterPages.size(), 1u);
  const int gridCells = sheet->grid.columns * sheet->grid.rows;
  std::vector<std::string> wrong;
  std::size_t marks = 0;
  const TextFontPtr face = OpenTextFont(*options.font);
  ASSERT_TRUE(face);
  for (const int cell : sheet->drawnCells) {
    const char32_t ch = map->cells[static_cast<std::size_t>(cell)];
    if (ch > 0xFFFF) continue;  // unifont.hex holds the BMP
    if (RenderChar(*face, ch).advancePx == 0) {
      ++marks;
      continue;
    }
    const int page = cell / gridCells;
    const Sheet& onPage =
        page == 0 ? *sheet : sheet->laterPages[static_cast<std::size_t>(page - 1)];
    const auto glyph = hex.find(ch);
    int differ = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const bool lit = glyph != hex.end() && x < glyph->second.width &&
                         glyph->second.lit[static_cast<std::size_t>(y * glyph->second.width + x)];
        differ += Lit(onPage, cell % gridCells, x, y) != lit;
      }
    }
    if (differ != 0) wrong.push_back(std::to_string(static_cast<unsigned>(ch)));
  }
  EXPECT_GT(sheet->drawnCells.size(), 50000u);
  EXPECT_LT(marks, sheet->drawnCells.size() / 20);
  EXPECT_TRUE(wrong.empty()) << wrong.size() << " cells differ, the first U+" << std::hex
                             << (wrong.empty() ? 0 : std::stoul(wrong.front()));
}

TEST(JoinedCellsTest, CapitalsOfEveryFaceSitOnTheSheetsBaseline) {
  // The bottom ink row of A..Z (Q's tail crosses the baseline) and of the accented
  // capitals, which the classic rules moved down, is the row above the baseline that the
  // descriptors give.
  std::vector<int> capitals;
  for (int c = 'A'; c <= 'Z'; ++c) {
    if (c != 'Q') capitals.push_back(c);
  }
  for (const int c : {142, 143, 144, 153, 154, 165}) capitals.push_back(c);  // ÄÅÉÖÜÑ
  for (const char* face : {"DejaVu Sans Mono", "Liberation Mono", "Unifont"}) {
    SCOPED_TRACE(face);
    if (!Installed(face)) {
      ADD_FAILURE() << face << " is not installed: run scripts/bootstrap";
      continue;
    }
    FailingSink sink;
    const std::optional<Sheet> sheet = RenderSheet(Cp437Sheet(face, 16, {8, 16}), sink);
    ASSERT_TRUE(sheet);
    for (const int cell : capitals) {
      int bottom = -1;
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 8; ++x) {
          if (Lit(*sheet, cell, x, y)) bottom = y;
        }
      }
      EXPECT_EQ(bottom, sheet->baselineRow - 1) << "cell " << cell;
    }
  }
}

TEST(JoinedCellsTest, BuiltinGlyphsFillTheirCellsWhateverTheFace) {
  // █ ▀ ─ │ ┼ of DejaVu Sans (proportional, its own box glyphs narrower than the cell)
  // in 8 x 12 cells: built in, ─ and │ cross the whole cell at the rows and columns ┼
  // has, █ is the top color everywhere, and nothing is cut or trimmed.
  SheetOptions options = Cp437Sheet("DejaVu Sans", 12, {8, 12});
  options.trim = true;
  FailingSink sink;
  const std::optional<Sheet> sheet = RenderSheet(options, sink);
  ASSERT_TRUE(sheet);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 8; ++x) {
      SCOPED_TRACE(testing::Message() << x << "," << y);
      EXPECT_TRUE(Lit(*sheet, 219, x, y));                         // █
      EXPECT_EQ(Lit(*sheet, 223, x, y), y < 6);                    // ▀
      EXPECT_EQ(Lit(*sheet, 197, x, y), Lit(*sheet, 196, x, y) ||  // ┼ = ─ + │
                                            Lit(*sheet, 179, x, y));
      EXPECT_EQ(Lit(*sheet, 196, x, y), y == 5);  // light = 1 px
      EXPECT_EQ(Lit(*sheet, 179, x, y), x == 3);
      const std::uint8_t* p =
          ScanLine(sheet->bitmap.get(), sheet->height - 1 - (13 * 12 + y)) + 4 * (11 * 8 + x);
      EXPECT_TRUE(p[0] == 255 && p[1] == 255 && p[2] == 255);  // █ in the top color
    }
  }
  for (const int cell : {176, 177, 178, 179, 196, 197, 219, 223, 254}) {
    EXPECT_FALSE(sheet->flags.tooWide[cell] || sheet->flags.tooHigh[cell] ||
                 sheet->flags.tooLow[cell])
        << cell;
  }
}

}  // namespace
