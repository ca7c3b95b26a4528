// The descriptors read back by independent readers: a .fnt reader and a JSON parser
// written here, and the C header compiled by gcc and clang into a program that prints
// a cell. Sheets are real renders, so positions and ink are checked against coverage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "descriptor/descriptors.h"
#include "render/sheet_pipeline.h"
#include "support/temp_dir.h"

namespace {

struct QuietSink : MessageSink {
  void Show(std::string_view, std::string_view, MessageIcon) override {}
};

struct SheetRow {
  const char* note;
  const char* face;
  int height;
  CharMapKind map;
  Grid grid;
  CellSize cell;
};

const SheetRow kSheets[] = {
    {"today's sheet", "DejaVu Sans", 14, CharMapKind::kCp1252, {32, 8}, {}},
    {"cp437, tall cells", "DejaVu Sans Mono", 16, CharMapKind::kCp437, {16, 16}, {8, 16}},
    {"tcod, wide cells", "DejaVu Sans", 12, CharMapKind::kTcod, {32, 8}, {12, 14}},
};

std::optional<Sheet> Render(const SheetRow& row) {
  SheetOptions o;
  o.font = FontRequest{row.face, row.height, 0, 400, false, false};
  o.tileSize = 16;
  o.cell = row.cell;
  o.grid = row.grid;
  o.charMap = BuiltInCharMap(row.map);
  o.colorSteps = 1;
  o.exportMode = ExportMode::kAll;
  o.colorMode = ColorMode::kGradient;
  QuietSink sink;
  return RenderSheet(o, sink);
}

SheetDescription Describe(const Sheet& s) {
  SheetDescription d;
  d.sheetFileName = "font.png";
  d.face = "DejaVu Sans";
  d.fontSizePx = 14;
  d.widthPx = s.width;
  d.heightPx = s.height;
  d.grid = s.grid;
  d.cellPx = s.cellPx;
  d.baselineRow = s.baselineRow;
  d.mapName = s.map.name;
  d.mapCells = s.map.cells;
  d.cells = s.drawnCells;
  d.coverage = &s.coverage;
  return d;
}

int Lit(const Sheet& s, int x, int y) {
  return s.coverage.pixels[static_cast<std::size_t>(y) * s.coverage.width + x];
}

// A .fnt line as its tag and key=value pairs; a quoted value runs to the next quote.
using FntLine = std::pair<std::string, std::map<std::string, std::string>>;
std::vector<FntLine> ReadFnt(const std::string& text) {
  std::vector<FntLine> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::size_t i = line.find(' ');
    FntLine parsed{line.substr(0, i), {}};
    while (i < line.size()) {
      const std::size_t eq = line.find('=', i + 1);
      const std::string key = line.substr(i + 1, eq - i - 1);
      std::size_t end = line[eq + 1] == '"' ? line.find('"', eq + 2) + 1 : line.find(' ', eq);
      if (end == 0 || end > line.size()) end = line.size();
      std::string value = line.substr(eq + 1, end - eq - 1);
      if (!value.empty() && value[0] == '"') value = value.substr(1, value.size() - 2);
      parsed.second[key] = value;
      i = end;
    }
    lines.push_back(parsed);
  }
  return lines;
}

// A small JSON reader: objects, arrays, strings with every escape, integers, null.
struct Json {
  std::variant<std::nullptr_t, long long, std::string, std::vector<Json>,
               std::map<std::string, Json>>
      v;
  const Json& operator[](const std::string& k) const {
    return std::get<std::map<std::string, Json>>(v).at(k);
  }
  long long Int() const { return std::get<long long>(v); }
  const std::string& Str() const { return std::get<std::string>(v); }
};
struct JsonReader {
  std::string_view s;
  std::size_t i = 0;
  bool ok = true;
  void Ws() {
    while (i < s.size() && std::strchr(" \n\r\t", s[i])) ++i;
  }
  bool Eat(char c) {
    Ws();
    if (i < s.size() && s[i] == c) return ++i, true;
    return false;
  }
  void Utf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | cp >> 6), out += static_cast<char>(0x80 | (cp & 63));
    } else {
      out += static_cast<char>(0xE0 | cp >> 12);
      out += static_cast<char>(0x80 | (cp >> 6 & 63)), out += static_cast<char>(0x80 | (cp & 63));
    }
  }
  Json Value() {
    Ws();
    if (Eat('{')) {
      std::map<std::string, Json> m;
      if (!Eat('}')) {
        do {
          std::string k = Value().Str();
          ok = ok && Eat(':');
          m[k] = Value();
        } while (Eat(','));
        ok = ok && Eat('}');
      }
      return {m};
    }
    if (Eat('[')) {
      std::vector<Json> a;
      if (!Eat(']')) {
        do a.push_back(Value());
        while (Eat(','));
        ok = ok && Eat(']');
      }
      return {a};
    }
    if (Eat('"')) {
      std::string out;
      while (i < s.size() && s[i] != '"') {
        const unsigned char c = s[i++];
        ok = ok && c >= 0x20;
        if (c != '\\') {
          out += static_cast<char>(c);
          continue;
        }
        const char e = s[i++];
        const char* plain = std::strchr("\"\\/bfnrt", e);
        ok = ok && (plain || e == 'u');
        if (e == 'u') {
          Utf8(out, std::stoul(std::string(s.substr(i, 4)), nullptr, 16));
          i += 4;
        } else if (plain) {
          out += "\"\\/\b\f\n\r\t"[plain - "\"\\/bfnrt"];
        }
      }
      ok = ok && Eat('"');
      return {out};
    }
    if (s.substr(i, 4) == "null") return i += 4, Json{nullptr};
    std::size_t used = 0;
    const long long n = std::stoll(std::string(s.substr(i, 24)), &used);
    i += used;
    return {n};
  }
};

TEST(DescriptorsTest, FntHasACharLineForEachExportedCharacterAtItsCell) {
  for (const SheetRow& row : kSheets) {
    SCOPED_TRACE(row.note);
    const std::optional<Sheet> sheet = Render(row);
    ASSERT_TRUE(sheet);
    const std::vector<FntLine> fnt = ReadFnt(FntDescriptor(Describe(*sheet)));
    ASSERT_GE(fnt.size(), 4u);
    EXPECT_EQ(fnt[0].first, "info");
    EXPECT_EQ(fnt[0].second.at("face"), "DejaVu Sans");
    auto common = fnt[1].second;
    EXPECT_EQ(std::stoi(common.at("lineHeight")), sheet->cellPx.heightPx);
    EXPECT_EQ(std::stoi(common.at("scaleW")), sheet->width);
    EXPECT_EQ(std::stoi(common.at("scaleH")), sheet->height);
    EXPECT_EQ(fnt[2].second.at("file"), "font.png");
    EXPECT_EQ(std::stoul(fnt[3].second.at("count")), fnt.size() - 4);

    // Each exported character has exactly one line, and every lit pixel of the sheet lies
    // in one line's rectangle.
    std::map<char32_t, int> lines;
    int hBottom = -1, covered = 0, lit = 0;
    for (std::size_t i = 4; i < fnt.size(); ++i) {
      auto c = fnt[i].second;
      const char32_t id = std::stoul(c.at("id"));
      EXPECT_EQ(lines[id]++, 0) << "id " << static_cast<unsigned long>(id);
      const int x = std::stoi(c.at("x")), y = std::stoi(c.at("y"));
      const int w = std::stoi(c.at("width")), h = std::stoi(c.at("height"));
      EXPECT_EQ(w, sheet->cellPx.widthPx);
      EXPECT_EQ(h, sheet->cellPx.heightPx);
      EXPECT_EQ(std::stoi(c.at("xadvance")), w);
      const int cell = (y / h) * sheet->grid.columns + x / w;
      EXPECT_EQ(sheet->map.cells[cell], id) << "id " << static_cast<unsigned long>(id);
      for (int py = y; py < y + h; ++py) {
        for (int px = x; px < x + w; ++px) {
          if (!Lit(*sheet, px, py)) continue;
          ++covered;
          if (id == U'H') hBottom = py - y;
        }
      }
    }
    EXPECT_EQ(lines.size(), sheet->drawnCells.size());
    for (int py = 0; py < sheet->height; ++py)
      for (int px = 0; px < sheet->width; ++px) lit += Lit(*sheet, px, py) != 0;
    EXPECT_EQ(covered, lit);
    // "H" stands on the baseline: its last ink row is the row above it.
    EXPECT_EQ(std::stoi(common.at("base")), hBottom + 1);
  }
}

TEST(DescriptorsTest, JsonParsesWithEachCellsCharacterAndInkBox) {
  const std::optional<Sheet> sheet = Render(kSheets[1]);
  ASSERT_TRUE(sheet);
  SheetDescription d = Describe(*sheet);
  d.sheetFileName = "a \"b\"\\c\n\x01\xC3\xA4.png";  // quotes, backslash, controls, UTF-8
  const std::string text = JsonDescriptor(d);
  JsonReader reader{text};
  const Json json = reader.Value();
  reader.Ws();
  ASSERT_TRUE(reader.ok && reader.i == text.size())
      << reader.ok << " at " << reader.i << ": "
      << text.substr(reader.i > 40 ? reader.i - 40 : 0, 80);
  EXPECT_EQ(json["file"].Str(), d.sheetFileName);
  EXPECT_EQ(json["map"].Str(), "cp437");
  EXPECT_EQ(json["grid"]["columns"].Int(), 16);
  EXPECT_EQ(json["cell"]["width"].Int(), 8);
  const auto& cells = std::get<std::vector<Json>>(json["cells"].v);
  ASSERT_EQ(cells.size(), sheet->drawnCells.size());
  for (std::size_t k = 0; k < cells.size(); ++k) {
    const Json& c = cells[k];
    const int index = static_cast<int>(c["index"].Int());
    SCOPED_TRACE(index);
    EXPECT_EQ(index, sheet->drawnCells[k]);
    EXPECT_EQ(c["codePoint"].Int(), static_cast<long long>(sheet->map.cells[index]));
    std::string utf8;
    reader.Utf8(utf8, sheet->map.cells[index]);
    EXPECT_EQ(c["char"].Str(), utf8);
    const int x0 = static_cast<int>(c["x"].Int()), y0 = static_cast<int>(c["y"].Int());
    int left = 99, top = 99, right = -1, bottom = -1;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 8; ++x)
        if (Lit(*sheet, x0 + x, y0 + y)) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
    if (right < 0) {
      EXPECT_TRUE(std::holds_alternative<std::nullptr_t>(c["ink"].v));
      continue;
    }
    EXPECT_EQ(c["ink"]["x"].Int(), left);
    EXPECT_EQ(c["ink"]["y"].Int(), top);
    EXPECT_EQ(c["ink"]["width"].Int(), right - left + 1);
    EXPECT_EQ(c["ink"]["height"].Int(), bottom - top + 1);
  }
}

TEST(DescriptorsTest, FntNamesWithQuotesAndLineBreaksStayOneValue) {
  SheetDescription d;
  d.face = "My \"Odd\"\nFace";
  d.sheetFileName = "x\"y.png";
  const std::vector<FntLine> fnt = ReadFnt(FntDescriptor(d));
  ASSERT_EQ(fnt.size(), 4u);
  EXPECT_EQ(fnt[0].second.at("face"), "My 'Odd' Face");
  EXPECT_EQ(fnt[0].second.at("size"), "0");
  EXPECT_EQ(fnt[2].second.at("file"), "x'y.png");
}

// A map that repeats a character: the .fnt and the C table name its first exported
// cell only, the JSON lists every cell and marks the repeats.
TEST(DescriptorsTest, RepeatedCharactersAreNamedByTheirFirstCell) {
  const std::u32string map(U"AAB\0A", 5);  // 'A' in cells 0, 1 and 4
  const int cells[] = {1, 2, 3, 4};        // cell 0 is not exported
  SheetDescription d;
  d.grid = {5, 1};
  d.cellPx = {8, 8};
  d.mapCells = std::span(map.data(), map.size());
  d.cells = cells;
  const std::vector<FntLine> fnt = ReadFnt(FntDescriptor(d));
  ASSERT_EQ(fnt.size(), 6u);
  EXPECT_EQ(fnt[3].second.at("count"), "2");
  EXPECT_EQ(fnt[4].second.at("id"), "65");
  EXPECT_EQ(fnt[4].second.at("x"), "8");  // cell 1
  EXPECT_EQ(fnt[5].second.at("id"), "66");

  const std::string header = CHeaderDescriptor(d, "rep");
  const std::size_t table = header.find("rep_code_points[");
  ASSERT_NE(table, std::string::npos);
  std::istringstream numbers(header.substr(header.find('{', table) + 1));
  std::vector<unsigned long> codePoints(5);
  char comma;
  for (unsigned long& cp : codePoints) numbers >> cp >> comma;
  EXPECT_EQ(codePoints, (std::vector<unsigned long>{0, 65, 66, 0, 0}));

  const std::string text = JsonDescriptor(d);
  JsonReader reader{text};
  const Json json = reader.Value();
  ASSERT_TRUE(reader.ok);
  const auto& listed = std::get<std::vector<Json>>(json["cells"].v);
  ASSERT_EQ(listed.size(), 3u);
  const auto& first = std::get<std::map<std::string, Json>>(listed[0].v);
  EXPECT_EQ(first.count("repeatOf"), 0u);
  EXPECT_EQ(listed[2]["index"].Int(), 4);
  EXPECT_EQ(listed[2]["repeatOf"].Int(), 1);
}

// A plain identifier is its own prefix; any other name keeps its letters and digits,
// joined by "_", and gets 8 hex digits of a hash.
TEST(DescriptorsTest, IdentifiersAreValidCAndCxx) {
  const std::pair<const char*, const char*> rows[] = {
      {"Font16", "Font16"},
      {"ab", "ab"},
      {"AB", "AB"},
      {"sheet_int", "sheet_int"},
      {"3d-font", "sheet_3d_font_"},
      {"int", "int_"},
      {"class", "class_"},
      {"my font", "my_font_"},
      {"_private", "private_"},
      {"a__b", "a_b_"},
      {"a_", "a_"},
      {"", "sheet_"},
      {"gr\xC3\xB6\xC3\x9F"
       "e",
       "gr_e_"},
      {"x_0123abcd", "x_0123abcd_"},  // a plain name in the form of a hashed one
  };
  for (auto [base, expected] : rows) {
    const std::string id = CIdentifier(base);
    if (std::string_view(expected).back() != '_') {
      EXPECT_EQ(id, expected) << base;
      continue;
    }
    EXPECT_EQ(id.size(), std::strlen(expected) + 8) << base;
    EXPECT_EQ(id.rfind(expected, 0), 0u) << id;
    EXPECT_EQ(id.find_first_not_of("0123456789abcdef", std::strlen(expected)), std::string::npos)
        << id;
  }
}

// Pairs of sheets whose names once made the same guard or identifiers: both headers in
// one translation unit, each name checked against its own header's sizes.
TEST(DescriptorsTest, HeadersOfTwoSheetsCompileTogether) {
  const std::pair<const char*, const char*> pairs[] = {
      {"ab", "AB"}, {"int", "sheet_int"}, {"a-b", "a_b"}, {"my font", "my_font"}, {"a b", "a-b"}};
  TempDir dir;
  SheetDescription d;
  d.grid = {2, 1};
  d.cellPx = {8, 8};
  for (auto [first, second] : pairs) {
    SCOPED_TRACE(testing::Message() << first << " and " << second);
    std::string program, names[2];
    int n = 0;
    for (const char* base : {first, second}) {
      const std::string header = CHeaderDescriptor(d, base);
      std::ofstream(dir.File(std::string(base) + ".h")) << header;
      const std::size_t at = header.find("static const unsigned char ") + 27;
      names[n] = header.substr(at, header.find("_bits[", at) - at);
      program += "#include \"" + std::string(base) + ".h\"\n";
      const std::string& id = names[n];
      program += "typedef char check" + std::to_string(n) + "[sizeof " + id + "_bits == " + id +
                 "_CELL_COUNT * " + id + "_CELL_BYTES && sizeof " + id + "_code_points == " + id +
                 "_CELL_COUNT * sizeof(unsigned long) ? 1 : -1];\n";
      ++n;
    }
    EXPECT_NE(names[0], names[1]);
    std::ofstream(dir.File("both.c")) << program << "int main(void) { return 0; }\n";
    const std::string build = "gcc -x c -std=c99 -Wall -Wextra -pedantic -Werror -Wno-unused " +
                              dir.File("both.c") + " -o " + dir.File("both") + " 2>&1";
    EXPECT_EQ(std::system(build.c_str()), 0) << program;
  }
}

// The header compiled as C99 and C++17 by gcc and clang, included twice, into a program
// that prints one cell's rows; the rows must be the cell's coverage at the threshold.
TEST(DescriptorsTest, CHeaderCompilesAndHoldsTheCellsBits) {
  const std::optional<Sheet> sheet = Render(kSheets[2]);  // 12-px cells: two bytes a row
  ASSERT_TRUE(sheet);
  TempDir dir;
  const char* program = R"(#include <stdio.h>
#include <stdlib.h>
#include "Font_3d.h"
#include "Font_3d.h"
int main(int argc, char** argv) {
  int cell = atoi(argv[1]), x, y;
  const unsigned char* bits = Font_3d_bits + cell * Font_3d_CELL_BYTES;
  printf("%lu\n", Font_3d_code_points[cell]);
  for (y = 0; y < Font_3d_CELL_HEIGHT; ++y) {
    for (x = 0; x < Font_3d_CELL_WIDTH; ++x)
      putchar(bits[y * Font_3d_ROW_BYTES + x / 8] & (0x80 >> (x % 8)) ? '#' : '.');
    putchar('\n');
  }
  return argc - 2;
}
)";
  std::ofstream(dir.File("main.c")) << program;
  const int cellIndex = static_cast<int>(
      std::find(sheet->map.cells.begin(), sheet->map.cells.end(), U'A') - sheet->map.cells.begin());
  for (int threshold : {1, 128}) {
    std::ofstream(dir.File("Font_3d.h"))
        << CHeaderDescriptor(Describe(*sheet), "Font_3d", threshold);
    for (const char* compiler : {"gcc -x c -std=c99", "clang -x c -std=c99",
                                 "g++ -x c++ -std=c++17", "clang++ -x c++ -std=c++17"}) {
      SCOPED_TRACE(testing::Message() << compiler << " threshold " << threshold);
      const std::string exe = dir.File("cell");
      const std::string build = std::string(compiler) + " -Wall -Wextra -pedantic -Werror " +
                                dir.File("main.c") + " -o " + exe + " 2>&1";
      ASSERT_EQ(std::system(build.c_str()), 0) << build;
      FILE* pipe = popen((exe + " " + std::to_string(cellIndex)).c_str(), "r");
      ASSERT_NE(pipe, nullptr);
      std::string out;
      char buffer[512];
      for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
      EXPECT_EQ(pclose(pipe), 0);

      std::string expected = std::to_string(sheet->map.cells[cellIndex]) + "\n";
      const int x0 = cellIndex % 32 * 12, y0 = cellIndex / 32 * 14;
      for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 12; ++x)
          expected += Lit(*sheet, x0 + x, y0 + y) >= threshold ? '#' : '.';
        expected += '\n';
      }
      EXPECT_EQ(out, expected);
      EXPECT_NE(expected.find('#'), std::string::npos);
    }
  }
}

}  // namespace
