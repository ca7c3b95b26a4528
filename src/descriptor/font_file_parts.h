// What the font file writers share: the characters a font holds, a cell's mono pixels,
// the family name, and the message for a font of nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// The mono pixels of cell at threshold into pixels: cell width x cell height bytes, top
// row first, 1 where set. Pixels of the cell that lie off the sheet's coverage are clear.
void MonoCellPixels(const SheetDescription& sheet, int cell, int threshold,
                    std::vector<std::uint8_t>& pixels);

// Row y of pixels (as MonoCellPixels makes them) packed into ceil(width / 8) bytes at
// out, most significant bit leftmost, the bits past the width clear.
void PackCellRow(const std::vector<std::uint8_t>& pixels, int width, int y, std::uint8_t* out);

// The face as a font's family name: control characters become spaces, the name is cut to
// at most maxBytes without splitting a character, and an empty name is "Untitled".
std::string FontFamilyName(std::string_view face, std::size_t maxBytes);

// "The FORMAT font would hold no character: the export has none."
std::string NoCharacterRefusal(std::string_view format);
