// libtcod as a real consumer of the BDF font: TCOD_load_bdf sizes its tiles from the
// font's bounding box and places each glyph by its own box, so a character-cell font
// must give tiles of the cell size whose lit pixels are the cell's bits.
#include <gtest/gtest.h>
#include <libtcod/tileset.h>
#include <libtcod/tileset_bdf.h>

#include <fstream>
#include <vector>

#include "descriptor/font_files.h"
#include "support/font_sheet.h"
#include "support/temp_dir.h"

namespace {

TEST(TcodBdfTest, TilesAreTheCells) {
  struct Row {
    PixelSize cell;
    int baseline;
    int threshold;
  };
  const Row rows[] = {{{8, 16}, 12, 1}, {{12, 14}, 11, 128}, {{5, 7}, 7, 200}};
  TempDir dir;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.cell.widthPx << "x" << row.cell.heightPx);
    const auto sheet = MakeFontSheet(row.cell, row.baseline, DefaultFontMap(), {13});
    const Result<std::string> bdf = BdfFont(sheet->d, row.threshold);
    ASSERT_TRUE(bdf) << bdf.message();
    const std::string path = dir.File("f.bdf");
    std::ofstream(path, std::ios::binary) << *bdf;

    tcod::TilesetPtr tileset(TCOD_load_bdf(path.c_str()));
    ASSERT_TRUE(tileset) << TCOD_get_error();
    const int w = TCOD_tileset_get_tile_width_(tileset.get());
    const int h = TCOD_tileset_get_tile_height_(tileset.get());
    ASSERT_EQ(w, row.cell.widthPx);
    ASSERT_EQ(h, row.cell.heightPx);
    std::vector<TCOD_ColorRGBA> tile(static_cast<std::size_t>(w) * h);
    for (auto [cp, cell] : ExpectedCharacters(*sheet)) {
      SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<unsigned>(cp));
      ASSERT_EQ(TCOD_tileset_get_tile_(tileset.get(), static_cast<int>(cp), tile.data()),
                TCOD_E_OK);
      int wrong = 0;
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          wrong += (tile[y * w + x].a != 0) != ExpectedBit(*sheet, cell, x, y, row.threshold);
        }
      }
      EXPECT_EQ(wrong, 0);
    }
  }
}

}  // namespace
