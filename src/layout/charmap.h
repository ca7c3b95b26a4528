// Character maps: which Unicode character each cell of the sheet holds. A cell index
// is the 8-bit code of the cell (0..255); a map has at most 256 cells.
//
//   BuiltInCharMap    the three maps the program knows: cp1252, cp437, tcod
//   ParseCharMapName  the name given on the command line: a built-in name or a path
//   LoadCharMap       the map a name stands for (a user file is read and checked)
//   CellText          a cell's character as UTF-8, for lists shown to the user
//   FindRepeatedChars the characters a map holds in more than one cell
//
// Reading a user map file lives in charmap_file.h.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

inline constexpr int kMaxMapCells = 256;

// The values are kept stable: they may be stored in files.
enum class CharMapKind {
  kCp1252 = 0,  // Windows-1252, the default: cell c holds what byte c means there
  kCp437 = 1,   // IBM code page 437 with its graphic characters in cells 1..31 and 127
  kTcod = 2,    // libtcod's 32 x 8 TCOD order
  kFile = 3,    // a user map file
};

// An empty cell: it holds no character and is never drawn.
inline constexpr char32_t kEmptyCell = 0;

struct CharMap {
  CharMapKind kind = CharMapKind::kCp1252;
  std::string name;             // "cp1252", "cp437", "tcod", or the user file's path
  std::vector<char32_t> cells;  // one per cell, kEmptyCell when empty; 256 for built-ins
};

// The map of a built-in kind, 256 cells. kFile gives an empty map.
CharMap BuiltInCharMap(CharMapKind kind);

// What a character map name stands for: kind and, for kFile, the path.
struct CharMapChoice {
  CharMapKind kind = CharMapKind::kCp1252;
  std::string path;  // only for kFile
};

// "cp1252", "cp437" and "tcod" (exactly so, lower case) name the built-in maps; any
// other non-empty text is a file path (write "./cp437" for a file of that name).
// Fails with the message for an empty name.
Result<CharMapChoice> ParseCharMapName(std::string_view name);

// The map of choice: a built-in one, or the user file read by LoadCharMapFile, which
// fails with the message saying why the file was refused.
Result<CharMap> LoadCharMap(const CharMapChoice& choice);

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
