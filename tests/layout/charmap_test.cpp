// The built-in maps against libtcod's tables, and user map files.
#include "layout/charmap.h"

#include <gtest/gtest.h>

#include <libtcod/tileset.h>
#include <cerrno>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <fstream>

#include "layout/charmap_file.h"
#include "support/temp_dir.h"
#include "text/text_font.h"

namespace {

TEST(CharMapTest, BuiltInMapsMatchLibtcodAndWindows1252) {
  // libtcod's CP437 table has DEL in cell 127 where the IBM PC showed a house.
  const CharMap cp437 = BuiltInCharMap(CharMapKind::kCp437);
  ASSERT_EQ(cp437.cells.size(), 256u);
  for (int cell = 0; cell < 256; ++cell) {
    SCOPED_TRACE(cell);
    const char32_t expected = cell == 127 ? U'\u2302' : char32_t(TCOD_CHARMAP_CP437[cell]);
    EXPECT_EQ(cp437.cells[cell], expected);
  }
  // libtcod marks unused cells with 0, our empty cell.
  const CharMap tcod = BuiltInCharMap(CharMapKind::kTcod);
  ASSERT_EQ(tcod.cells.size(), 256u);
  for (int cell = 0; cell < 256; ++cell) {
    SCOPED_TRACE(cell);
    EXPECT_EQ(tcod.cells[cell], char32_t(TCOD_CHARMAP_TCOD[cell]));
  }
  // Windows-1252 as the text layer draws it: a few landmarks, and cell 0 empty.
  const CharMap cp1252 = BuiltInCharMap(CharMapKind::kCp1252);
  ASSERT_EQ(cp1252.cells.size(), 256u);
  EXPECT_EQ(cp1252.cells[0], kEmptyCell);
  EXPECT_EQ(cp1252.cells[0x41], U'A');
  EXPECT_EQ(cp1252.cells[0x80], U'€');
  EXPECT_EQ(cp1252.cells[0x81], char32_t(0x81));
  EXPECT_EQ(cp1252.cells[0xE4], U'ä');
  EXPECT_EQ(CellText(cp437, 1), "☺");
  EXPECT_EQ(CellText(cp437, 0), "");
  EXPECT_EQ(CellText(cp437, 256), "");
}

TEST(CharMapTest, NamesChooseABuiltInMapOrAFile) {
  const Result<CharMapChoice> tcod = ParseCharMapName("tcod");
  ASSERT_TRUE(tcod);
  EXPECT_EQ(tcod->kind, CharMapKind::kTcod);
  const Result<CharMapChoice> file = ParseCharMapName("CP437");  // names are exact: a file
  ASSERT_TRUE(file);
  EXPECT_EQ(file->kind, CharMapKind::kFile);
  EXPECT_EQ(file->path, "CP437");
  EXPECT_EQ(ParseCharMapName("").message(),
            "The character map must be cp1252, cp437, tcod or a file.");
}

TEST(CharMapTest, UserMapText) {
  struct Row {
    const char* text;
    std::u32string cells;  // when accepted
    const char* fault;     // when refused: the message after the file's name
  };
  const Row rows[] = {
      {"A", U"A", nullptr},
      {"\xEF\xBB\xBF"
       "a b\tc\r\nd",
       U"abcd", nullptr},
      {"U+0041 U+00e9 U+263A U+1F600 U+10FFFF", U"Aé☺\U0001F600\U0010FFFF", nullptr},
      {"U+0000 U+0020 U +", std::u32string(1, U'\0') + U" U+", nullptr},
      {"☺ ☻\n\n ♥", U"☺☻♥", nullptr},
      {"a\n\nU+12", U"", ", line 3: \"U+12\" is neither one character nor U+XXXX."},
      {"e\xCC\x81", U"", ", line 1: \"e\xCC\x81\" is neither one character nor U+XXXX."},
      {"u+0041", U"", ", line 1: \"u+0041\" is neither one character nor U+XXXX."},
      {"U+1234567", U"", ", line 1: \"U+1234567\" is neither one character nor U+XXXX."},
      {"U+00G1", U"", ", line 1: \"U+00G1\" is neither one character nor U+XXXX."},
      {"a\nU+110000", U"", ", line 2: \"U+110000\" is not a Unicode character."},
      {"U+D800", U"", ", line 1: \"U+D800\" is not a Unicode character."},
      {"a\r\nb\r\n\xC3", U"", ", line 3: the text is not valid UTF-8."},
      {"\xC0\x81", U"", ", line 1: the text is not valid UTF-8."},
      {" \n\t", U"", ": it holds no characters."},
      {"", U"", ": it holds no characters."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const Result<CharMap> map = ParseCharMapText(row.text, "maps/my.txt");
    if (row.fault) {
      EXPECT_EQ(map.message(), std::string("Bad character map file \"maps/my.txt\"") + row.fault);
    } else {
      ASSERT_TRUE(map) << map.message();
      EXPECT_EQ(std::u32string(map->cells.begin(), map->cells.end()), row.cells);
      EXPECT_EQ(map->kind, CharMapKind::kFile);
      EXPECT_EQ(map->name, "maps/my.txt");
    }
  }
  // 65536 tokens fill every cell; the 65537th, on line 2, is one too many.
  std::string full(65536 * 2, ' ');
  for (int i = 0; i < 65536; ++i) full[2 * i] = 'x';
  const Result<CharMap> map = ParseCharMapText(full, "f");
  ASSERT_TRUE(map);
  EXPECT_EQ(map->cells.size(), 65536u);
  EXPECT_EQ(ParseCharMapText(full + "\ny", "f").message(),
            "Bad character map file \"f\", line 2: more than 65536 characters.");
}

// Ranges in map files and after "unicode:": every code point in order, or the reason
// they are refused (file faults name the file and line, ranges the text).
TEST(CharMapTest, RangesStandForEveryCodePointInThem) {
  struct Row {
    const char* text;   // a map file's text, or with "unicode:" the --charmap value
    std::size_t cells;  // when accepted: how many, then the first and last
    char32_t first, last;
    const char* fault;  // when refused: the whole message
  };
  const Row rows[] = {
      {"U+0041..U+0043", 3, U'A', U'C', nullptr},
      {"a\nU+0020..U+007E b", 97, U'a', U'b', nullptr},
      {"U+D7FF..U+D7FF U+E000..U+E000", 2, 0xD7FF, 0xE000, nullptr},
      {"U+10FFF0..U+10ffff", 16, 0x10FFF0, 0x10FFFF, nullptr},
      {"unicode:U+0020..U+007E,U+00A0..U+00FF,U+2500..U+259F", 95 + 96 + 160, U' ', 0x259F,
       nullptr},
      {"unicode: U+0041 , U+0042..U+0042", 2, U'A', U'B', nullptr},
      {"unicode:U+0000..U+FFFF,U+10000..U+1FFFF", 0, 0, 0,
       "Bad Unicode ranges \"U+0000..U+FFFF,U+10000..U+1FFFF\": \"U+0000..U+FFFF\" holds "
       "surrogates (U+D800..U+DFFF), which are not characters."},
      {"unicode:U+10000..U+1FFFF", 65536, 0x10000, 0x1FFFF, nullptr},
      {"unicode:U+10000..U+20000", 0, 0, 0,
       "Bad Unicode ranges \"U+10000..U+20000\": more than 65536 characters."},
      {"x\n\nU+0043..U+0041", 0, 0, 0,
       "Bad character map file \"m\", line 3: \"U+0043..U+0041\" runs backwards."},
      {"U+D800", 0, 0, 0,
       "Bad character map file \"m\", line 1: \"U+D800\" is not a Unicode character."},
      {"U+D700..U+E000", 0, 0, 0,
       "Bad character map file \"m\", line 1: \"U+D700..U+E000\" holds surrogates "
       "(U+D800..U+DFFF), which are not characters."},
      {"U+0041..U+110000", 0, 0, 0,
       "Bad character map file \"m\", line 1: \"U+0041..U+110000\" is not a Unicode character."},
      {"U+0041..", 0, 0, 0,
       "Bad character map file \"m\", line 1: \"U+0041..\" is not a range U+XXXX..U+YYYY."},
      {"U+41..U+43", 0, 0, 0,
       "Bad character map file \"m\", line 1: \"U+41..U+43\" is not a range U+XXXX..U+YYYY."},
      {"U+0000..U+FFFF U+10000..U+1FFFF", 0, 0, 0,
       "Bad character map file \"m\", line 1: \"U+0000..U+FFFF\" holds surrogates "
       "(U+D800..U+DFFF), which are not characters."},
      {"U+E000..U+F8FF U+10000..U+1FFFF", 0, 0, 0,
       "Bad character map file \"m\", line 1: more than 65536 characters."},
      {"unicode:U+0041,", 0, 0, 0,
       "Bad Unicode ranges \"U+0041,\": an entry is empty; write U+XXXX or U+XXXX..U+YYYY."},
      {"unicode:A", 0, 0, 0,
       "Bad Unicode ranges \"A\": \"A\" is neither U+XXXX nor U+XXXX..U+YYYY."},
      {"unicode:U+0050..U+0040", 0, 0, 0,
       "Bad Unicode ranges \"U+0050..U+0040\": \"U+0050..U+0040\" runs backwards."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const Result<CharMapChoice> choice = ParseCharMapName(row.text);
    ASSERT_TRUE(choice);
    const Result<CharMap> map = choice->kind == CharMapKind::kUnicode
                                    ? LoadCharMap(*choice)
                                    : ParseCharMapText(row.text, "m");
    if (row.fault) {
      EXPECT_EQ(map.message(), row.fault);
      continue;
    }
    ASSERT_TRUE(map) << map.message();
    ASSERT_EQ(map->cells.size(), row.cells);
    EXPECT_EQ(map->cells.front(), row.first);
    EXPECT_EQ(map->cells.back(), row.last);
  }
  // Each range in order, one code point a cell, where the one before it ends.
  const Result<CharMap> three = LoadCharMap(*ParseCharMapName(rows[4].text));
  ASSERT_TRUE(three);
  EXPECT_EQ(three->cells[94], U'~');
  EXPECT_EQ(three->cells[95], 0xA0u);
  EXPECT_EQ(three->cells[191], 0x2500u);
  EXPECT_EQ(three->name, rows[4].text);
}

// Characters held in several cells, listed by their first cell; empty cells and the
// built-in maps have none.
TEST(CharMapTest, RepeatedCharactersAreFoundWithTheirCells) {
  const CharMap map{
      .kind = CharMapKind::kFile, .name = "m", .cells = {'A', 0, 'B', 'A', 0, 'B', 'A'}};
  const std::vector<RepeatedChar> repeats = FindRepeatedChars(map);
  ASSERT_EQ(repeats.size(), 2u);
  EXPECT_EQ(repeats[0].ch, U'A');
  EXPECT_EQ(repeats[0].cells, (std::vector<int>{0, 3, 6}));
  EXPECT_EQ(repeats[1].ch, U'B');
  EXPECT_EQ(repeats[1].cells, (std::vector<int>{2, 5}));
  for (CharMapKind kind : {CharMapKind::kCp1252, CharMapKind::kCp437, CharMapKind::kTcod}) {
    EXPECT_TRUE(FindRepeatedChars(BuiltInCharMap(kind)).empty()) << static_cast<int>(kind);
  }
}

TEST(CharMapTest, UserMapFilesAreReadOnlyWhenRegularAndSmall) {
  TempDir dir;
  const std::string good = dir.File("good.txt");
  std::ofstream(good) << "U+2588 ░";
  const Result<CharMap> map = LoadCharMap({.kind = CharMapKind::kFile, .path = good});
  ASSERT_TRUE(map) << map.message();
  EXPECT_EQ(std::u32string(map->cells.begin(), map->cells.end()), U"█░");

  const std::string big = dir.File("big.txt");
  std::ofstream(big) << std::string(kMaxCharMapFileBytes + 1, ' ');
  EXPECT_EQ(LoadCharMapFile(big).message(),
            "Bad character map file \"" + big + "\": it is longer than 1024 KiB.");
  EXPECT_EQ(LoadCharMapFile(dir.path().string()).message(),
            "Could not read the character map file \"" + dir.path().string() +
                "\". It is not a regular file.");
  const std::string missing = dir.File("missing.txt");
  const Result<CharMap> gone = LoadCharMapFile(missing);
  EXPECT_EQ(gone.message(), "Could not read the character map file \"" + missing +
                                "\". No such file or directory.");
  EXPECT_EQ(gone.status().error, ENOENT);
}

}  // namespace

// The map of a face's characters, judged by FreeType's own count of the face's
// character map less the code points a sheet leaves out (written out here as ranges).
TEST(CharMapTest, FontMapHoldsTheFacesCharactersButNoControlOrPrivateUse) {
  const FontRequest request{.face = "DejaVu Sans Mono", .height = 16};
  const TextFontPtr font = OpenTextFont(request);
  ASSERT_TRUE(font);
  const std::string file = GetFontMetrics(*font).file;
  ASSERT_NE(file.find("DejaVuSansMono"), std::string::npos) << file;

  constexpr std::pair<char32_t, char32_t> kLeftOut[] = {
      {0x0000, 0x001F}, {0x007F, 0x009F}, {0xD800, 0xDFFF},
      {0xE000, 0xF8FF}, {0xFDD0, 0xFDEF}, {0xF0000, 0x10FFFF},
  };
  FT_Library library = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  FT_Face face = nullptr;
  ASSERT_EQ(FT_New_Face(library, file.c_str(), 0, &face), 0);
  std::size_t mapped = 0;
  std::size_t leftOut = 0;
  FT_UInt glyph = 0;
  for (FT_ULong c = FT_Get_First_Char(face, &glyph); glyph != 0;
       c = FT_Get_Next_Char(face, c, &glyph)) {
    ++mapped;
    bool out = (c & 0xFFFE) == 0xFFFE;
    for (const auto& [first, last] : kLeftOut) out = out || (c >= first && c <= last);
    leftOut += out ? 1 : 0;
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  ASSERT_GT(leftOut, 0u);  // the face maps some: a map that kept them would fail below

  const Result<CharMap> map = FontCharMap(MappedChars(request));
  ASSERT_TRUE(map) << map.message();
  EXPECT_EQ(map->kind, CharMapKind::kFont);
  EXPECT_EQ(map->cells.size(), mapped - leftOut);
  EXPECT_TRUE(std::is_sorted(map->cells.begin(), map->cells.end()));
  EXPECT_TRUE(std::binary_search(map->cells.begin(), map->cells.end(), U'A'));
  EXPECT_TRUE(std::binary_search(map->cells.begin(), map->cells.end(), U'▒'));
  for (char32_t ch : map->cells) {
    ASSERT_FALSE(ch < 0x20 || (ch >= 0x7F && ch <= 0x9F) || (ch >= 0xE000 && ch <= 0xF8FF))
        << std::hex << static_cast<unsigned>(ch);
  }
}
