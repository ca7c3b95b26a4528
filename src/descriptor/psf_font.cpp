// The PSF2 console font of a sheet, with its Unicode table.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "descriptor/font_file_parts.h"
#include "descriptor/font_files.h"
#include "text/windows1252.h"

namespace {

constexpr unsigned char kPsf2Magic[] = {0x72, 0xB5, 0x4A, 0x86};
constexpr std::uint32_t kPsf2HasUnicodeTable = 1;
constexpr std::uint32_t kPsf2HeaderBytes = 32;
// The console loads 256 or 512 glyphs.
constexpr int kPsfSmallGlyphs = 256;
// Ends each glyph's entry of the Unicode table.
constexpr char kPsf2EntryEnd = '\xFF';

void AppendU32(std::string& out, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) out += static_cast<char>(v >> (8 * k) & 0xFF);
}

}  // namespace

Status PsfLimitRefusal(PixelSize cellPx, int mapCells) {
  if (cellPx.widthPx > kMaxPsfCellWidthPx) {
    return Failure("A PSF font holds cells at most " + std::to_string(kMaxPsfCellWidthPx) +
                   " pixels wide; these are " + std::to_string(cellPx.widthPx) + ".");
  }
  if (cellPx.heightPx > kMaxPsfCellHeightPx) {
    return Failure("A PSF font holds cells at most " + std::to_string(kMaxPsfCellHeightPx) +
                   " pixels high; these are " + std::to_string(cellPx.heightPx) + ".");
  }
  if (mapCells > kMaxPsfGlyphs) {
    return Failure("A PSF font holds at most " + std::to_string(kMaxPsfGlyphs) +
                   " characters; the map has " + std::to_string(mapCells) + " cells.");
  }
  return {};
}

Result<std::string> PsfFont(const SheetDescription& sheet, int threshold) {
  const int cellW = sheet.cellPx.widthPx;
  const int cellH = sheet.cellPx.heightPx;
  const int mapCells = static_cast<int>(sheet.mapCells.size());
  if (Status limits = PsfLimitRefusal(sheet.cellPx, mapCells); !limits) return limits;
  const std::vector<FontCharacter> chars = CellCharacters(sheet);
  if (chars.empty()) return Failure(NoCharacterRefusal("PSF"));

  const int glyphs = mapCells > kPsfSmallGlyphs ? kMaxPsfGlyphs : kPsfSmallGlyphs;
  const int rowBytes = (cellW + 7) / 8;
  const std::size_t glyphBytes = static_cast<std::size_t>(rowBytes) * cellH;
  std::vector<char32_t> codePoints(glyphs, 0);  // the character each glyph is listed for
  for (const FontCharacter& c : chars) codePoints[c.cell] = c.codePoint;

  std::string out(reinterpret_cast<const char*>(kPsf2Magic), sizeof kPsf2Magic);
  AppendU32(out, 0);  // version
  AppendU32(out, kPsf2HeaderBytes);
  AppendU32(out, kPsf2HasUnicodeTable);
  AppendU32(out, static_cast<std::uint32_t>(glyphs));
  AppendU32(out, static_cast<std::uint32_t>(glyphBytes));
  AppendU32(out, static_cast<std::uint32_t>(cellH));
  AppendU32(out, static_cast<std::uint32_t>(cellW));

  // Glyph i is cell i; a cell that exports no character stays empty. A character that
  // several cells hold is listed for the first of them only.
  const std::size_t glyphsStart = out.size();
  out.resize(glyphsStart + glyphBytes * glyphs, '\0');
  std::vector<std::uint8_t> pixels;
  for (int cell : sheet.cells) {
    if (cell < 0 || cell >= mapCells || sheet.mapCells[cell] == 0) continue;
    auto* glyph = reinterpret_cast<std::uint8_t*>(out.data() + glyphsStart + glyphBytes * cell);
    MonoCellPixels(sheet, cell, threshold, pixels);
    for (int y = 0; y < cellH; ++y) PackCellRow(pixels, cellW, y, glyph + y * rowBytes);
  }

  for (char32_t cp : codePoints) {
    if (cp != 0) AppendUtf8(out, cp);
    out += kPsf2EntryEnd;
  }
  if (out.size() > kMaxPsfFileBytes) {
    return Failure("A PSF font of " + std::to_string(glyphs) + " glyphs of " +
                   std::to_string(cellW) + "x" + std::to_string(cellH) + " pixels would take " +
                   std::to_string(out.size()) + " bytes; the console's font tools read at most " +
                   std::to_string(kMaxPsfFileBytes) + ".");
  }
  return out;
}
