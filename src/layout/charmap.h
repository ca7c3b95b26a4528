// Character maps: which Unicode character each cell of the sheet holds. A cell index
// is the 8-bit code of the cell (0..255) for the built-in maps; Unicode ranges, a
// face's characters and user files hold up to kMaxMapCells cells.
//
//   BuiltInCharMap    the three maps the program knows: cp1252, cp437, tcod
//   ParseCharMapName  the name given on the command line: a built-in name, unicode:RANGES,
//                     font, or a path
//   LoadCharMap       the map a name stands for (a user file is read and checked)
//   FontCharMap       the map of every character a face maps, less those never drawn
//   CellText          a cell's character as UTF-8, for lists shown to the user
//   FindRepeatedChars the characters a map holds in more than one cell
//
// Reading a user map file lives in charmap_file.h.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "layout/grid.h"

// As many cells as the largest grid holds (256 x 256).
inline constexpr int kMaxMapCells = 65536;

// The values are kept stable: they may be stored in files.
enum class CharMapKind {
  kCp1252 = 0,   // Windows-1252, the default: cell c holds what byte c means there
  kCp437 = 1,    // IBM code page 437 with its graphic characters in cells 1..31 and 127
  kTcod = 2,     // libtcod's 32 x 8 TCOD order
  kFile = 3,     // a user map file
  kUnicode = 4,  // Unicode ranges written after "unicode:"
  kFont = 5,     // every character the selected face maps, in code-point order
};

// An empty cell: it holds no character and is never drawn.
inline constexpr char32_t kEmptyCell = 0;

struct CharMap {
  CharMapKind kind = CharMapKind::kCp1252;
  std::string name;             // "cp1252", "cp437", "tcod", "font", "unicode:RANGES", or the
                                // user file's path
  std::vector<char32_t> cells;  // one per cell, kEmptyCell when empty; 256 for built-ins
};

// The map of a built-in kind, 256 cells. kFile, kUnicode and kFont give an empty map.
CharMap BuiltInCharMap(CharMapKind kind);

// What a character map name stands for: kind and, for kFile, the path, for kUnicode
// the ranges.
struct CharMapChoice {
  CharMapKind kind = CharMapKind::kCp1252;
  std::string path;  // kFile: the path; kUnicode: the text after "unicode:"
};

// The prefix of a map of Unicode ranges, and the name of the map of a face's characters.
inline constexpr std::string_view kUnicodeMapPrefix = "unicode:";
inline constexpr std::string_view kFontMapName = "font";

// "cp1252", "cp437", "tcod" and "font" (exactly so, lower case) name the built-in maps
// and the face's characters, "unicode:" followed by ranges a map of Unicode ranges
// (ParseUnicodeRanges, checked when loaded); any other non-empty text is a file path
// (write "./cp437" or "./font" for a file of that name). Fails with the message for an
// empty name.
Result<CharMapChoice> ParseCharMapName(std::string_view name);

// The name ParseCharMapName reads back as choice.
std::string CharMapName(const CharMapChoice& choice);

// The map of choice: a built-in one, the Unicode ranges (failing with the message naming
// the bad text), or the user file read by LoadCharMapFile, which fails with the message
// saying why the file was refused. kFont needs the face: it gives an empty map named
// "font", which FontCharMap fills once the face is known.
Result<CharMap> LoadCharMap(const CharMapChoice& choice);

// Whether a face's character is left out of the map of its characters: controls
// (U+0000..U+001F, U+007F..U+009F) draw nothing useful, surrogates (U+D800..U+DFFF) are
// not characters, private use (U+E000..U+F8FF, planes 15 and 16) means nothing outside
// the face, and noncharacters (U+FDD0..U+FDEF, U+xxFFFE, U+xxFFFF) are never text.
bool LeftOutOfFontMap(char32_t ch);

// The map of a face's characters: mapped, ascending code points as the text layer lists
// them, less those LeftOutOfFontMap names, at most kMaxMapCells. Fails when none is left.
Result<CharMap> FontCharMap(const std::vector<char32_t>& mapped);

// The character of cell as UTF-8, "" for an empty cell or one beyond the map.
std::string CellText(const CharMap& map, int cell);

// A character that a map holds in more than one cell.
struct RepeatedChar {
  char32_t ch = kEmptyCell;
  std::vector<int> cells;  // ascending, at least two
};

// The characters other than kEmptyCell that map holds more than once, in the order of
// their first cells. The built-in maps hold none.
std::vector<RepeatedChar> FindRepeatedChars(const CharMap& map);

// The warning for a map with repeated characters, naming each and its cells (the first
// 8 characters and 8 cells of each, then how many more), or "" when there are none.
std::string RepeatedCharsWarning(const CharMap& map);

// The grid a sheet of map is drawn in: given itself, or when given is kAutoGrid, the
// classic grid (Grid{}) for the built-in maps and map files of at most 256 cells, and
// AutoGrid for Unicode ranges, a face's characters and larger files.
Grid ChooseGrid(const Grid& given, const CharMap& map);
