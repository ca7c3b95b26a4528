// What the font file writers share: the characters a font holds, a cell's mono pixels,
// the family name, and the message for a font of nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/sheet_modes.h"
#include "descriptor/descriptors.h"

struct FontCharacter {
  char32_t codePoint = 0;
  int cell = 0;  // the first exported cell that holds it
};

// The characters of the exported cells, each code point once (from its first cell),
// ascending by code point.
std::vector<FontCharacter> FontCharacters(const SheetDescription& sheet);

// The exported cells' characters in cell order, each code point once (from its first
// cell): the records of the bitmap-font descriptors.
std::vector<FontCharacter> CellCharacters(const SheetDescription& sheet);

// Whether pixel (x, y) of cell is set at threshold. Pixels of the cell that lie off the
// sheet or its coverage read as clear.
inline bool CellBit(const SheetDescription& sheet, int cell, int x, int y, int threshold) {
  const PixelSurface* cov = sheet.coverage;
  if (!cov) return false;
  const int px = CellColumn(cell, sheet.grid) * sheet.cellPx.widthPx + x;
  const int py = CellRow(cell, sheet.grid) * sheet.cellPx.heightPx + y;
  if (px < 0 || py < 0 || px >= cov->width || py >= cov->height) return false;
  return MonoBit(cov->pixels[static_cast<std::size_t>(py) * cov->width + px], threshold);
}

// The face as a font's family name: control characters become spaces, the name is cut to
// at most maxBytes without splitting a character, and an empty name is "Untitled".
std::string FontFamilyName(std::string_view face, std::size_t maxBytes);

// "The FORMAT font would hold no character: the export has none."
std::string NoCharacterRefusal(std::string_view format);
