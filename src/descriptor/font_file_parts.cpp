// The characters of a font file and its family name.
#include "descriptor/font_file_parts.h"

#include <algorithm>
#include <unordered_set>

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
