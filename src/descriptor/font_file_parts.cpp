// The characters of a font file and its family name.
#include "descriptor/font_file_parts.h"

#include <algorithm>
#include <unordered_set>

#include "base/sheet_modes.h"
#include "text/windows1252.h"

std::vector<FontCharacter> CellCharacters(const SheetDescription& sheet) {
  std::vector<FontCharacter> out;
  out.reserve(sheet.cells.size());
  std::unordered_set<char32_t> seen;
  for (int cell : sheet.cells) {
    if (cell < 0 || cell >= static_cast<int>(sheet.mapCells.size())) continue;
    const char32_t cp = sheet.mapCells[cell];
    if (cp == 0 || !seen.insert(cp).second) continue;
    out.push_back({cp, cell});
  }
  return out;
}

std::vector<FontCharacter> FontCharacters(const SheetDescription& sheet) {
  std::vector<FontCharacter> out = CellCharacters(sheet);
  std::sort(out.begin(), out.end(), [](const FontCharacter& a, const FontCharacter& b) {
    return a.codePoint < b.codePoint;
  });
  return out;
}

void MonoCellPixels(const SheetDescription& sheet, int cell, int threshold,
                    std::vector<std::uint8_t>& pixels) {
  const int cellW = std::max(sheet.cellPx.widthPx, 0);
  const int cellH = std::max(sheet.cellPx.heightPx, 0);
  pixels.assign(static_cast<std::size_t>(cellW) * cellH, 0);
  if (cell < 0 || sheet.grid.columns < 1) return;
  const CellPlace place = PlaceOfCell(sheet, cell);
  const PixelSurface* cov = place.coverage;
  if (!cov) return;
  const int x0 = place.x;
  const int y0 = place.y;
  // The part of each row that lies on the coverage.
  const int columns = std::clamp(cov->width - x0, 0, cellW);
  const int rows = std::clamp(cov->height - y0, 0, cellH);
  for (int y = 0; y < rows; ++y) {
    const std::uint8_t* row =
        cov->pixels.data() + static_cast<std::size_t>(y0 + y) * cov->width + x0;
    std::uint8_t* out = pixels.data() + static_cast<std::size_t>(y) * cellW;
    for (int x = 0; x < columns; ++x) out[x] = MonoBit(row[x], threshold) ? 1 : 0;
  }
}

void PackCellRow(const std::vector<std::uint8_t>& pixels, int width, int y, std::uint8_t* out) {
  const std::uint8_t* row = pixels.data() + static_cast<std::size_t>(y) * width;
  for (int b = 0; b * 8 < width; ++b) {
    unsigned byte = 0;
    for (int bit = 0; bit < 8 && b * 8 + bit < width; ++bit) {
      byte |= static_cast<unsigned>(row[b * 8 + bit]) << (7 - bit);
    }
    out[b] = static_cast<std::uint8_t>(byte);
  }
}

std::string FontFamilyName(std::string_view face, std::size_t maxBytes) {
  std::string out;
  for (char32_t cp : DecodeUtf8(face)) {
    if (cp < 0x20 || cp == 0x7F) cp = ' ';
    std::string one;
    AppendUtf8(one, cp);
    if (out.size() + one.size() > maxBytes) break;
    out += one;
  }
  const std::size_t begin = out.find_first_not_of(' ');
  if (begin == std::string::npos) return "Untitled";
  return out.substr(begin, out.find_last_not_of(' ') - begin + 1);
}

std::string NoCharacterRefusal(std::string_view format) {
  return "The " + std::string(format) +
         " font would hold no character: no exported cell holds one.";
}
