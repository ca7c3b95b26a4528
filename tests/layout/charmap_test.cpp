// The built-in maps against libtcod's tables, and user map files.
#include "layout/charmap.h"

#include <gtest/gtest.h>

#include <libtcod/tileset.h>
#include <cerrno>

#include <fstream>

#include "layout/charmap_file.h"
#include "support/temp_dir.h"

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
  // 256 tokens fill every cell; the 257th, on line 2, is one too many.
  std::string full(256 * 2, ' ');
  for (int i = 0; i < 256; ++i) full[2 * i] = 'x';
  const Result<CharMap> map = ParseCharMapText(full, "f");
  ASSERT_TRUE(map);
  EXPECT_EQ(map->cells.size(), 256u);
  EXPECT_EQ(ParseCharMapText(full + "\ny", "f").message(),
            "Bad character map file \"f\", line 2: more than 256 characters.");
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
            "Bad character map file \"" + big + "\": it is longer than 64 KiB.");
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
