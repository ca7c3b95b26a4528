// A sheet description made in memory for the font file tests: cells of scattered
// coverage (about a third unlit, the rest spread over 1..255), so that every bit of a
// glyph and the threshold count, and a map with a space, Latin-1, box drawing and a
// character held by two cells.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "descriptor/descriptors.h"

struct FontSheet {
  std::vector<char32_t> map;
  std::vector<int> cells;
  PixelSurface coverage;
  SheetDescription d;  // points into the members above
};

inline std::vector<char32_t> DefaultFontMap() {
  return {0,       U' ',      U'A',      U'B',      U'g', U'j', U'0', U'~',
          U'\xE4', U'\x2500', U'\x263A', U'\x20AC', U'A', U'Z', U'_', U'|'};
}

// Every cell that holds a character is exported but those listed in skip.
inline std::unique_ptr<FontSheet> MakeFontSheet(PixelSize cell, int baselineRow,
                                                std::vector<char32_t> map,
                                                std::vector<int> skip = {}, int columns = 8) {
  auto s = std::make_unique<FontSheet>();
  s->map = std::move(map);
  const int count = static_cast<int>(s->map.size());
  for (int i = 0; i < count; ++i) {
    bool skipped = false;
    for (int k : skip) skipped = skipped || k == i;
    if (s->map[i] != 0 && !skipped) s->cells.push_back(i);
  }
  const Grid grid{columns, (count + columns - 1) / columns};
  const int width = grid.columns * cell.widthPx, height = grid.rows * cell.heightPx;
  EXPECT_TRUE(ResizePixelSurface(s->coverage, width, height));
  unsigned state = 12345u + static_cast<unsigned>(cell.widthPx * 131 + cell.heightPx);
  for (std::uint8_t& px : s->coverage.pixels) {
    state = state * 1103515245u + 12345u;
    const unsigned v = state >> 16 & 0x1FF;  // 0..511
    px = v < 170 ? 0 : static_cast<std::uint8_t>(1 + (v - 170) % 255);
  }
  SheetDescription& d = s->d;
  d.sheetFileName = "font.png";
  d.face = "Glyph Test Sans";
  d.fontSizePx = cell.heightPx;
  d.widthPx = width;
  d.heightPx = height;
  d.grid = grid;
  d.cellPx = cell;
  d.baselineRow = baselineRow;
  d.mapName = "test";
  d.mapCells = s->map;
  d.cells = s->cells;
  d.coverage = &s->coverage;
  return s;
}

// What a glyph's pixel must be: the coverage of the cell's pixel reaches the threshold.
inline bool ExpectedBit(const FontSheet& s, int cell, int x, int y, int threshold) {
  const int px = cell % s.d.grid.columns * s.d.cellPx.widthPx + x;
  const int py = cell / s.d.grid.columns * s.d.cellPx.heightPx + y;
  const int v = s.coverage.pixels[static_cast<std::size_t>(py) * s.coverage.width + px];
  return v != 0 && v >= threshold;
}

// The first cell of each character among the exported ones: what the font files hold.
inline std::vector<std::pair<char32_t, int>> ExpectedCharacters(const FontSheet& s) {
  std::vector<std::pair<char32_t, int>> out;
  for (int cell : s.cells) {
    bool seen = false;
    for (auto& [cp, first] : out) seen = seen || cp == s.map[cell];
    if (!seen) out.push_back({s.map[cell], cell});
  }
  return out;
}
