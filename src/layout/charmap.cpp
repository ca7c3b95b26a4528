// The built-in character maps and the names that choose a map.
#include "layout/charmap.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "base/char_codes.h"
#include "layout/charmap_file.h"
#include "layout/unicode_ranges.h"
#include "text/windows1252.h"

namespace {

// Cells 1..31 and 127 of code page 437: the graphic characters the IBM PC showed for
// the control codes.
constexpr std::u32string_view kCp437Low = U"☺☻♥♦♣♠•◘○◙♂♀♪♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼";
constexpr char32_t kCp437House = U'⌂';

// Cells 128..255 of code page 437, 32 a line.
constexpr std::u32string_view kCp437High =
    U"ÇüéâäàåçêëèïîìÄÅÉæÆôöòûùÿÖÜ¢£¥₧ƒ"
    U"áíóúñÑªº¿⌐¬½¼¡«»░▒▓│┤╡╢╖╕╣║╗╝╜╛┐"
    U"└┴┬├─┼╞╟╚╔╩╦╠═╬╧╨╤╥╙╘╒╓╫╪┘┌█▄▌▐▀"
    U"αßΓπΣσµτΦΘΩδ∞φε∩≡±≥≤⌠⌡÷≈°∙·√ⁿ²■\u00A0";

// The TCOD order, one string per grid row of 32 cells; the cells a row leaves out
// at its end are empty, as are rows 5..7.
constexpr std::array<std::u32string_view, 5> kTcodRows = {
    U" !\"#$%&'()*+,-./0123456789:;<=>?", U"@[\\]^_`{|}~░▒▓│─┼┤┴├┬└┌┐┘▘▝▀▖▚▐▗",
    U"↑↓←→▲▼◄►↕↔☐☑○◉║═╬╣╩╠╦╚╔╗╝",         U"ABCDEFGHIJKLMNOPQRSTUVWXYZ",
    U"abcdefghijklmnopqrstuvwxyz",
};
constexpr int kTcodColumns = 32;

static_assert(kCp437Low.size() == 31 && kCp437High.size() == 128);

std::vector<char32_t> Cp1252Cells() {
  std::vector<char32_t> cells(kCodes);
  for (int c = 0; c < kCodes; ++c) cells[c] = Cp1252ToUnicode(static_cast<std::uint8_t>(c));
  return cells;
}

std::vector<char32_t> Cp437Cells() {
  std::vector<char32_t> cells(kCodes, kEmptyCell);
  for (std::size_t i = 0; i < kCp437Low.size(); ++i) cells[1 + i] = kCp437Low[i];
  for (char32_t c = 0x20; c <= 0x7E; ++c) cells[c] = c;
  cells[127] = kCp437House;
  for (std::size_t i = 0; i < kCp437High.size(); ++i) cells[128 + i] = kCp437High[i];
  return cells;
}

std::vector<char32_t> TcodCells() {
  std::vector<char32_t> cells(kCodes, kEmptyCell);
  for (std::size_t row = 0; row < kTcodRows.size(); ++row) {
    for (std::size_t i = 0; i < kTcodRows[row].size(); ++i) {
      cells[row * kTcodColumns + i] = kTcodRows[row][i];
    }
  }
  return cells;
}

}  // namespace

CharMap BuiltInCharMap(CharMapKind kind) {
  switch (kind) {
    case CharMapKind::kCp1252:
      return {.kind = kind, .name = "cp1252", .cells = Cp1252Cells()};
    case CharMapKind::kCp437:
      return {.kind = kind, .name = "cp437", .cells = Cp437Cells()};
    case CharMapKind::kTcod:
      return {.kind = kind, .name = "tcod", .cells = TcodCells()};
    case CharMapKind::kFile:
    case CharMapKind::kUnicode:
    case CharMapKind::kFont:
      break;
  }
  return {.kind = kind, .name = "", .cells = {}};
}

Result<CharMapChoice> ParseCharMapName(std::string_view name) {
  if (name.empty()) return Failure("The character map must be cp1252, cp437, tcod or a file.");
  if (name == "cp1252") return CharMapChoice{.kind = CharMapKind::kCp1252, .path = ""};
  if (name == "cp437") return CharMapChoice{.kind = CharMapKind::kCp437, .path = ""};
  if (name == "tcod") return CharMapChoice{.kind = CharMapKind::kTcod, .path = ""};
  if (name == kFontMapName) return CharMapChoice{.kind = CharMapKind::kFont, .path = ""};
  if (name.starts_with(kUnicodeMapPrefix)) {
    return CharMapChoice{.kind = CharMapKind::kUnicode,
                         .path = std::string(name.substr(kUnicodeMapPrefix.size()))};
  }
  return CharMapChoice{.kind = CharMapKind::kFile, .path = std::string(name)};
}

std::string CharMapName(const CharMapChoice& choice) {
  switch (choice.kind) {
    case CharMapKind::kFile:
      return choice.path;
    case CharMapKind::kUnicode:
      return std::string(kUnicodeMapPrefix) + choice.path;
    case CharMapKind::kFont:
      return std::string(kFontMapName);
    default:
      return BuiltInCharMap(choice.kind).name;
  }
}

Result<CharMap> LoadCharMap(const CharMapChoice& choice) {
  switch (choice.kind) {
    case CharMapKind::kFile:
      return LoadCharMapFile(choice.path);
    case CharMapKind::kUnicode: {
      Result<std::vector<char32_t>> cells = ParseUnicodeRanges(choice.path, kMaxMapCells);
      if (!cells) return cells.status();
      return CharMap{.kind = choice.kind, .name = CharMapName(choice), .cells = std::move(*cells)};
    }
    case CharMapKind::kFont:
      return CharMap{.kind = choice.kind, .name = CharMapName(choice), .cells = {}};
    default:
      return BuiltInCharMap(choice.kind);
  }
}

bool LeftOutOfFontMap(char32_t ch) {
  const bool control = ch <= 0x1F || (ch >= 0x7F && ch <= 0x9F);
  const bool surrogate = ch >= 0xD800 && ch <= 0xDFFF;
  const bool privateUse = (ch >= 0xE000 && ch <= 0xF8FF) || ch >= 0xF0000;
  const bool nonCharacter = (ch >= 0xFDD0 && ch <= 0xFDEF) || (ch & 0xFFFE) == 0xFFFE;
  return control || surrogate || privateUse || nonCharacter || ch > 0x10FFFF;
}

Result<CharMap> FontCharMap(const std::vector<char32_t>& mapped) {
  std::vector<char32_t> cells;
  for (char32_t ch : mapped) {
    if (!LeftOutOfFontMap(ch)) cells.push_back(ch);
  }
  // FreeType lists a character map in code order; a damaged table is put in order here.
  std::sort(cells.begin(), cells.end());
  cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
  if (cells.empty()) return Failure("The font maps no character that the sheet can hold.");
  if (cells.size() > static_cast<std::size_t>(kMaxMapCells)) {
    return Failure("The font maps " + std::to_string(cells.size()) + " characters, more than " +
                   std::to_string(kMaxMapCells) +
                   " cells can hold: choose some with unicode:RANGES.");
  }
  return CharMap{
      .kind = CharMapKind::kFont, .name = std::string(kFontMapName), .cells = std::move(cells)};
}

std::string CellText(const CharMap& map, int cell) {
  std::string text;
  if (cell < 0 || cell >= static_cast<int>(map.cells.size())) return text;
  if (map.cells[cell] != kEmptyCell) AppendUtf8(text, map.cells[cell]);
  return text;
}

std::vector<RepeatedChar> FindRepeatedChars(const CharMap& map) {
  std::vector<RepeatedChar> repeats;
  std::unordered_map<char32_t, int> firstCell;  // and, once repeated, -1 - its entry
  for (int cell = 0; cell < static_cast<int>(map.cells.size()); ++cell) {
    const char32_t ch = map.cells[cell];
    if (ch == kEmptyCell) continue;
    const auto [seen, isNew] = firstCell.try_emplace(ch, cell);
    if (isNew) continue;
    if (seen->second >= 0) {
      repeats.push_back({.ch = ch, .cells = {seen->second}});
      seen->second = -static_cast<int>(repeats.size());
    }
    repeats[-1 - seen->second].cells.push_back(cell);
  }
  return repeats;
}

std::string RepeatedCharsWarning(const CharMap& map) {
  constexpr std::size_t kShown = 8;
  const std::vector<RepeatedChar> repeats = FindRepeatedChars(map);
  if (repeats.empty()) return "";
  std::string text = "The character map \"" + map.name +
                     "\" holds characters more than once; the descriptors map each to its first "
                     "cell:";
  for (std::size_t i = 0; i < repeats.size() && i < kShown; ++i) {
    const RepeatedChar& r = repeats[i];
    text += i == 0 ? " \"" : "; \"";
    AppendUtf8(text, r.ch);
    text += "\" in cells ";
    for (std::size_t k = 0; k < r.cells.size() && k < kShown; ++k) {
      text += (k == 0 ? "" : ", ") + std::to_string(r.cells[k]);
    }
    if (r.cells.size() > kShown) {
      text += " and " + std::to_string(r.cells.size() - kShown) + " more";
    }
  }
  if (repeats.size() > kShown) {
    text += "; " + std::to_string(repeats.size() - kShown) + " more characters";
  }
  return text + ".";
}

Grid ChooseGrid(const Grid& given, const CharMap& map) {
  if (!IsAutoGrid(given)) return given;
  const int cells = static_cast<int>(map.cells.size());
  const bool classic = map.kind == CharMapKind::kCp1252 || map.kind == CharMapKind::kCp437 ||
                       map.kind == CharMapKind::kTcod ||
                       (map.kind == CharMapKind::kFile && cells <= kCodes);
  return classic ? Grid{} : AutoGrid(cells);
}
