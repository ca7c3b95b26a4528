// libtcod as a real consumer of the sheets: a CP437 16 x 16 sheet and a TCOD-order
// 32 x 8 sheet are loaded as libtcod tilesets with libtcod's own character maps, text is
// printed on a libtcod console and rendered to pixels, and every rendered tile must
// show the glyph our sheet holds for that character.
//
// libtcod keys nothing out of an opaque sheet, so a pixel that is not a glyph pixel
// renders as the sheet's background or as the console's black; a glyph pixel (white in
// the sheet) renders white on a white foreground. The comparison is lit against unlit.
#include <SDL.h>
#include <gtest/gtest.h>
#include <libtcod/console.h>
#include <libtcod/console_printing.h>
#include <libtcod/tileset.h>
#include <libtcod/tileset_render.h>

#include <memory>
#include <string>
#include <vector>

#include "render/sheet_pipeline.h"
#include "support/temp_dir.h"

namespace {

struct FailingSink : MessageSink {
  void Show(std::string_view text, std::string_view, MessageIcon) override {
    ADD_FAILURE() << "message: " << text;
  }
};

struct SurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

// Whether sheet pixel (x, y) is a glyph pixel (white; the background is magenta).
bool SheetLit(const Sheet& sheet, int x, int y) {
  const std::uint8_t* p = ScanLine(sheet.bitmap.get(), sheet.height - 1 - y) + 4 * x;
  return p[0] == 255 && p[1] == 255 && p[2] == 255;
}

struct Case {
  const char* what;
  CharMapKind map;
  Grid grid;
  PixelSize cell;
  const int* tcodMap;
  std::string text;  // UTF-8, printed through libtcod
};

TEST(TcodConsumerTest, PrintedTextShowsTheSheetsGlyphs) {
  const Case cases[] = {
      {"cp437 16x16",
       CharMapKind::kCp437,
       {16, 16},
       {12, 12},
       TCOD_CHARMAP_CP437,
       "\xE2\x98\xBA"
       "A\xE2\x94\x80\xE2\x96\x88\xC3\xA4"},  // ☺ A ─ █ ä
      {"tcod 32x8",
       CharMapKind::kTcod,
       {32, 8},
       {10, 14},
       TCOD_CHARMAP_TCOD,
       "Az\xE2\x94\x80\xE2\x96\x93\xE2\x86\x91"},  // A z ─ ▓ ↑
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SheetOptions options;
    options.font = FontRequest{"DejaVu Sans", 12, 0, 400, false, false};
    options.tileSize = 16;
    options.cell = {c.cell.widthPx, c.cell.heightPx};
    options.grid = c.grid;
    options.charMap = BuiltInCharMap(c.map);
    options.colorSteps = 1;
    options.bg = {255, 0, 255};
    options.top = options.sub = {255, 255, 255};
    options.exportMode = ExportMode::kAll;
    options.colorMode = ColorMode::kGradient;
    FailingSink sink;
    const std::optional<Sheet> sheet = RenderSheet(options, sink);
    ASSERT_TRUE(sheet);
    const std::string path = dir.File("sheet.png");
    ASSERT_TRUE(SaveSheet(*sheet, path, *SheetFileFormat(path), sink).ok);

    // libtcod reads the PNG with its own loader and its own character map.
    tcod::TilesetPtr tileset(
        TCOD_tileset_load(path.c_str(), c.grid.columns, c.grid.rows, 256, c.tcodMap));
    ASSERT_TRUE(tileset) << TCOD_get_error();
    ASSERT_EQ(TCOD_tileset_get_tile_width_(tileset.get()), c.cell.widthPx);
    ASSERT_EQ(TCOD_tileset_get_tile_height_(tileset.get()), c.cell.heightPx);

    const int length = 5;
    tcod::ConsolePtr console(TCOD_console_new(length, 1));
    ASSERT_TRUE(console);
    ASSERT_GE(TCOD_console_printf(console.get(), 0, 0, "%s", c.text.c_str()), 0);
    SDL_Surface* raw = nullptr;
    ASSERT_GE(TCOD_tileset_render_to_surface(tileset.get(), console.get(), nullptr, &raw), 0)
        << TCOD_get_error();
    std::unique_ptr<SDL_Surface, SurfaceFree> surface(raw);
    ASSERT_EQ(surface->format->format, static_cast<Uint32>(SDL_PIXELFORMAT_RGBA32));

    // Each printed character: the code point libtcod drew, found in libtcod's map, and
    // the cell of our sheet at that index must be pixel for pixel what was rendered.
    const CharMap ours = BuiltInCharMap(c.map);
    for (int i = 0; i < length; ++i) {
      const int codepoint = TCOD_console_get_char(console.get(), i, 0);
      int tcodCell = -1;
      for (int k = 0; k < 256 && tcodCell < 0; ++k) {
        if (c.tcodMap[k] == codepoint) tcodCell = k;
      }
      SCOPED_TRACE(testing::Message() << "U+" << std::hex << codepoint);
      ASSERT_GE(tcodCell, 0);
      ASSERT_EQ(static_cast<int>(ours.cells[tcodCell]), codepoint);  // the same map

      const int left = c.cell.widthPx * (tcodCell % c.grid.columns);
      const int top = c.cell.heightPx * (tcodCell / c.grid.columns);
      int glyphPixels = 0, misses = 0;
      for (int y = 0; y < c.cell.heightPx; ++y) {
        for (int x = 0; x < c.cell.widthPx; ++x) {
          const auto* px = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch +
                           4 * (i * c.cell.widthPx + x);
          const bool rendered = px[0] == 255 && px[1] == 255 && px[2] == 255;
          const bool ours = SheetLit(*sheet, left + x, top + y);
          glyphPixels += ours;
          misses += rendered != ours;
        }
      }
      EXPECT_GT(glyphPixels, 0);
      EXPECT_EQ(misses, 0);
    }
  }
}

// A frame printed from a cp437 sheet of DejaVu Sans in 8 x 16 cells, whose own box
// glyphs are narrower than the cell: each of its four lines, drawn by libtcod from five
// tiles, must run unbroken from corner to corner.
TEST(TcodConsumerTest, PrintedFrameLinesAreContinuous) {
  SheetOptions options;
  options.font = FontRequest{"DejaVu Sans", 16, 0, 400, false, false};
  options.cell = {8, 16};
  options.grid = {16, 16};
  options.charMap = BuiltInCharMap(CharMapKind::kCp437);
  options.builtinBoxes = true;
  options.colorSteps = 1;
  options.bg = {255, 0, 255};
  options.top = options.sub = {255, 255, 255};
  options.exportMode = ExportMode::kAll;
  options.colorMode = ColorMode::kGradient;
  FailingSink sink;
  const std::optional<Sheet> sheet = RenderSheet(options, sink);
  ASSERT_TRUE(sheet);
  TempDir dir;
  const std::string path = dir.File("frame.png");
  ASSERT_TRUE(SaveSheet(*sheet, path, *SheetFileFormat(path), sink).ok);
  tcod::TilesetPtr tileset(TCOD_tileset_load(path.c_str(), 16, 16, 256, TCOD_CHARMAP_CP437));
  ASSERT_TRUE(tileset) << TCOD_get_error();

  const int columns = 5, rows = 4, w = 8, h = 16;
  tcod::ConsolePtr console(TCOD_console_new(columns, rows));
  ASSERT_TRUE(console);
  const char* lines[] = {"\xE2\x94\x8C\xE2\x94\x80\xE2\x94\x80\xE2\x94\x80\xE2\x94\x90",  // ┌───┐
                         "\xE2\x94\x82   \xE2\x94\x82",  // │   │
                         "\xE2\x94\x82   \xE2\x94\x82",
                         "\xE2\x94\x94\xE2\x94\x80\xE2\x94\x80\xE2\x94\x80\xE2\x94\x98"};  // └───┘
  for (int y = 0; y < rows; ++y) {
    ASSERT_GE(TCOD_console_printf(console.get(), 0, y, "%s", lines[y]), 0);
  }
  SDL_Surface* raw = nullptr;
  ASSERT_GE(TCOD_tileset_render_to_surface(tileset.get(), console.get(), nullptr, &raw), 0)
      << TCOD_get_error();
  std::unique_ptr<SDL_Surface, SurfaceFree> surface(raw);
  ASSERT_EQ(surface->format->format, static_cast<Uint32>(SDL_PIXELFORMAT_RGBA32));
  const auto lit = [&](int x, int y) {
    const auto* px = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + 4 * x;
    return px[0] == 255 && px[1] == 255 && px[2] == 255;
  };

  // A line is continuous when some row (column) of its tiles is lit from its first
  // tile's middle to its last tile's middle.
  const auto rowRuns = [&](int tileRow) {
    for (int y = tileRow * h; y < (tileRow + 1) * h; ++y) {
      bool all = true;
      for (int x = w / 2; x < (columns - 1) * w + w / 2 && all; ++x) all = lit(x, y);
      if (all) return true;
    }
    return false;
  };
  const auto columnRuns = [&](int tileColumn) {
    for (int x = tileColumn * w; x < (tileColumn + 1) * w; ++x) {
      bool all = true;
      for (int y = h / 2; y < (rows - 1) * h + h / 2 && all; ++y) all = lit(x, y);
      if (all) return true;
    }
    return false;
  };
  EXPECT_TRUE(rowRuns(0)) << "top";
  EXPECT_TRUE(rowRuns(rows - 1)) << "bottom";
  EXPECT_TRUE(columnRuns(0)) << "left";
  EXPECT_TRUE(columnRuns(columns - 1)) << "right";
}

}  // namespace
