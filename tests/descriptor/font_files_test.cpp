// The font files and descriptor forms judged by the programs that read them: X11's
// bdftopcf and Debian's bdf2psf, kbd's psfgettable, fontconfig's fc-query, FreeType, and
// the npm bitmap-font readers. Cells come from tests/support/font_sheet.h, so every pixel
// of every glyph can be compared with the coverage it was made from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <FreeImage.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BDF_H

#include "descriptor/font_files.h"
#include "support/font_sheet.h"
#include "support/temp_dir.h"
#include "text/ft_handles.h"

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The command's status, and what it wrote on both streams.
std::pair<int, std::string> RunCommand(const std::string& command) {
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return {-1, ""};
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  return {pclose(pipe), out};
}

bool HaveProgram(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// glyph -> code points, from psfgettable's "0x041\tU+0041" lines.
std::map<int, std::vector<char32_t>> PsfTable(const std::string& psfPath) {
  const auto [status, out] = RunCommand("psfgettable " + psfPath);
  EXPECT_EQ(status, 0) << out;
  std::map<int, std::vector<char32_t>> table;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string glyph, cp;
    fields >> glyph;
    auto& entry = table[std::stoi(glyph, nullptr, 16)];
    while (fields >> cp) entry.push_back(std::stoul(cp.substr(2), nullptr, 16));
  }
  return table;
}

struct FontRow {
  const char* note;
  PixelSize cell;
  int baseline;
  int threshold;
};

const FontRow kRows[] = {
    {"8x16, one byte a row", {8, 16}, 12, 1},
    {"12x14, two bytes a row, half the coverage", {12, 14}, 11, 128},
    {"5x7 standing on the bottom row, a high threshold", {5, 7}, 7, 200},
};

TEST(FontFilesTest, BdfConvertsWithoutWarningInBdftopcfAndBdf2psf) {
  if (!HaveProgram("bdftopcf") || !HaveProgram("bdf2psf") || !HaveProgram("psfgettable")) {
    GTEST_SKIP() << "bdftopcf (xfonts-utils), bdf2psf and psfgettable (kbd) are not installed: "
                    "run scripts/bootstrap";
  }
  TempDir dir;
  for (const FontRow& row : kRows) {
    SCOPED_TRACE(row.note);
    const auto sheet = MakeFontSheet(row.cell, row.baseline, DefaultFontMap(), {13});
    sheet->d.face = "Odd \"Quoted\"-Face, *";  // what a BDF string and an XLFD name reserve
    const Result<std::string> bdf = BdfFont(sheet->d, row.threshold);
    ASSERT_TRUE(bdf) << bdf.message();
    WriteFile(dir.File("f.bdf"), *bdf);

    const auto [pcfStatus, pcfOut] =
        RunCommand("bdftopcf -o " + dir.File("f.pcf") + " " + dir.File("f.bdf"));
    EXPECT_EQ(pcfStatus, 0);
    EXPECT_EQ(pcfOut, "");
    EXPECT_GT(std::filesystem::file_size(dir.File("f.pcf")), 0u);

    // bdf2psf places what the symbol list asks for and warns about anything it cannot.
    std::string symbols;
    for (auto [cp, cell] : ExpectedCharacters(*sheet)) {
      char line[16];
      std::snprintf(line, sizeof line, "U+%04X\n", static_cast<unsigned>(cp));
      symbols += line;
    }
    WriteFile(dir.File("symbols"), symbols);
    WriteFile(dir.File("equivalents"), "");
    const auto [psfStatus, psfOut] =
        RunCommand("bdf2psf --fb " + dir.File("f.bdf") + " " + dir.File("equivalents") + " " +
                   dir.File("symbols") + " 256 " + dir.File("f.psf"));
    EXPECT_EQ(psfStatus, 0);
    EXPECT_EQ(psfOut, "");
    std::vector<char32_t> listed;
    for (const auto& [glyph, cps] : PsfTable(dir.File("f.psf")))
      listed.insert(listed.end(), cps.begin(), cps.end());
    EXPECT_EQ(listed.size(), ExpectedCharacters(*sheet).size());
  }
}

// FreeType opens the file with the cell as its one strike (and, for BDF, the properties
// given), and draws every character as its first cell at the threshold, standing on the
// baseline, advancing by the cell width.
void ExpectFreeTypeDrawsTheCells(const std::string& path, const FontSheet& sheet, int threshold,
                                 const std::map<std::string, std::string>& bdfProperties = {}) {
  FT_Library raw = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&raw), 0);
  const FtLibraryPtr library(raw, FtLibraryDeleter());
  FT_Face rawFace = nullptr;
  ASSERT_EQ(FT_New_Face(library.get(), path.c_str(), 0, &rawFace), 0);
  const FtFacePtr face(rawFace);
  const int w = sheet.d.cellPx.widthPx, h = sheet.d.cellPx.heightPx;
  EXPECT_FALSE(FT_IS_SCALABLE(face));
  ASSERT_EQ(face->num_fixed_sizes, 1);
  EXPECT_EQ(face->available_sizes[0].width, w);
  EXPECT_EQ(face->available_sizes[0].height, h);
  EXPECT_EQ(face->available_sizes[0].y_ppem, h * 64);
  EXPECT_STREQ(face->family_name, sheet.d.face.c_str());
  EXPECT_EQ((face->style_flags & FT_STYLE_FLAG_BOLD) != 0, sheet.d.bold);
  EXPECT_EQ((face->style_flags & FT_STYLE_FLAG_ITALIC) != 0, sheet.d.italic);
  for (const auto& [name, value] : bdfProperties) {
    BDF_PropertyRec p{};
    ASSERT_EQ(FT_Get_BDF_Property(face.get(), name.c_str(), &p), 0) << name;
    EXPECT_EQ(p.type == BDF_PROPERTY_TYPE_ATOM ? std::string(p.u.atom ? p.u.atom : "")
                                               : std::to_string(p.u.integer),
              value)
        << name;
  }
  ASSERT_EQ(FT_Select_Size(face.get(), 0), 0);
  EXPECT_EQ(FT_Get_Char_Index(face.get(), U'Z'), 0u);  // in the map, not exported

  for (auto [cp, cell] : ExpectedCharacters(sheet)) {
    SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<unsigned>(cp));
    const FT_UInt glyph = FT_Get_Char_Index(face.get(), cp);
    ASSERT_NE(glyph, 0u);
    ASSERT_EQ(FT_Load_Glyph(face.get(), glyph, FT_LOAD_DEFAULT), 0);
    const FT_GlyphSlot slot = face->glyph;
    ASSERT_EQ(slot->format, FT_GLYPH_FORMAT_BITMAP);
    ASSERT_EQ(slot->bitmap.pixel_mode, FT_PIXEL_MODE_MONO);
    ASSERT_EQ(static_cast<int>(slot->bitmap.width), w);
    ASSERT_EQ(static_cast<int>(slot->bitmap.rows), h);
    EXPECT_EQ(slot->bitmap_left, 0);
    EXPECT_EQ(slot->bitmap_top, sheet.d.baselineRow);
    EXPECT_EQ(slot->advance.x, w * 64);
    int wrong = 0;
    for (int y = 0; y < h; ++y) {
      const unsigned char* row = slot->bitmap.buffer + y * slot->bitmap.pitch;
      for (int x = 0; x < w; ++x) {
        wrong +=
            ((row[x / 8] >> (7 - x % 8) & 1) != 0) != ExpectedBit(sheet, cell, x, y, threshold);
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

TEST(FontFilesTest, FreeTypeDrawsBdfAndOtbGlyphsAsTheCells) {
  TempDir dir;
  for (const FontRow& row : kRows) {
    SCOPED_TRACE(row.note);
    // One row is bold and italic, and holds a character past the Basic Multilingual
    // Plane, which OTB maps in a second table.
    const bool styled = &row == &kRows[1];
    std::vector<char32_t> map = DefaultFontMap();
    if (styled) map.push_back(U'\x1F600');
    const auto sheet = MakeFontSheet(row.cell, row.baseline, map, {13});
    sheet->d.bold = sheet->d.italic = styled;

    const Result<std::string> bdf = BdfFont(sheet->d, row.threshold);
    ASSERT_TRUE(bdf) << bdf.message();
    WriteFile(dir.File("f.bdf"), *bdf);
    // FONT_ASCENT + FONT_DESCENT is the strike's height, checked with the cell.
    ExpectFreeTypeDrawsTheCells(dir.File("f.bdf"), *sheet, row.threshold,
                                {{"SPACING", "C"},
                                 {"WEIGHT_NAME", styled ? "Bold" : "Medium"},
                                 {"SLANT", styled ? "I" : "R"},
                                 {"AVERAGE_WIDTH", std::to_string(10 * row.cell.widthPx)},
                                 {"PIXEL_SIZE", std::to_string(row.cell.heightPx)},
                                 {"DEFAULT_CHAR", "32"}});

    const Result<std::string> otb = OtbFont(sheet->d, row.threshold);
    ASSERT_TRUE(otb) << otb.message();
    WriteFile(dir.File("f.otb"), *otb);
    ExpectFreeTypeDrawsTheCells(dir.File("f.otb"), *sheet, row.threshold);
  }
}

TEST(FontFilesTest, OtbIsABitmapFaceOfTheCellSizeForFontconfig) {
  if (!HaveProgram("fc-query")) GTEST_SKIP() << "fc-query (fontconfig) is not installed";
  TempDir dir;
  for (const FontRow& row : kRows) {
    SCOPED_TRACE(row.note);
    const auto sheet = MakeFontSheet(row.cell, row.baseline, DefaultFontMap());
    const Result<std::string> otb = OtbFont(sheet->d, row.threshold);
    ASSERT_TRUE(otb) << otb.message();
    WriteFile(dir.File("f.otb"), *otb);
    const auto [status, out] =
        RunCommand("fc-query --format '%{family}|%{scalable}|%{outline}|%{pixelsize}|%{spacing}' " +
                   dir.File("f.otb"));
    EXPECT_EQ(status, 0);
    // Spacing 100: every advance alike.
    EXPECT_EQ(out, "Glyph Test Sans|False|False|" + std::to_string(row.cell.heightPx) + "|100");

    // The sfnt checksum rule: the whole file's 32-bit words add up to 0xB1B0AFBA.
    std::uint32_t sum = 0;
    const std::string& b = *otb;
    ASSERT_EQ(b.size() % 4, 0u);
    for (std::size_t i = 0; i < b.size(); i += 4) {
      sum += static_cast<std::uint32_t>(static_cast<unsigned char>(b[i])) << 24 |
             static_cast<unsigned char>(b[i + 1]) << 16 |
             static_cast<unsigned char>(b[i + 2]) << 8 | static_cast<unsigned char>(b[i + 3]);
    }
    EXPECT_EQ(sum, 0xB1B0AFBAu);
  }
}

// Pango, which draws bitmap fonts only as OTB, sets a line of the font found through a
// fontconfig file that knows nothing but the font's folder: each character must appear
// as its cell, one cell width after the other.
TEST(FontFilesTest, PangoDrawsALineAsTheCells) {
  if (!HaveProgram("pango-view")) {
    GTEST_SKIP() << "pango-view (pango1.0-tools) is not installed: run scripts/bootstrap";
  }
  TempDir dir;
  std::filesystem::create_directory(dir.File("fonts"));
  WriteFile(dir.File("fonts.conf"), "<?xml version=\"1.0\"?>\n<fontconfig><dir>" +
                                        dir.File("fonts") + "</dir><cachedir>" + dir.File("cache") +
                                        "</cachedir></fontconfig>\n");
  const std::u32string text = U"AB~\xE4g\x2500\x263A";
  for (const FontRow& row : {kRows[0], kRows[1]}) {
    SCOPED_TRACE(row.note);
    const auto sheet = MakeFontSheet(row.cell, row.baseline, DefaultFontMap(), {13});
    const Result<std::string> otb = OtbFont(sheet->d, row.threshold);
    ASSERT_TRUE(otb) << otb.message();
    WriteFile(dir.File("fonts/f.otb"), *otb);
    std::filesystem::remove_all(dir.File("cache"));
    const auto [status, out] =
        RunCommand("FONTCONFIG_FILE=" + dir.File("fonts.conf") +
                   " pango-view --no-display --antialias=none --margin=0 --font='Glyph Test Sans " +
                   std::to_string(row.cell.heightPx) +
                   "px' --text='AB~\xC3\xA4g\xE2\x94\x80\xE2\x98\xBA' -o " + dir.File("line.png"));
    ASSERT_EQ(status, 0) << out;

    const int w = row.cell.widthPx, h = row.cell.heightPx;
    FIBITMAP* loaded = FreeImage_Load(FIF_PNG, dir.File("line.png").c_str(), 0);
    ASSERT_NE(loaded, nullptr);
    FIBITMAP* gray = FreeImage_ConvertToGreyscale(loaded);
    FreeImage_Unload(loaded);
    ASSERT_NE(gray, nullptr);
    EXPECT_EQ(static_cast<int>(FreeImage_GetWidth(gray)), w * static_cast<int>(text.size()));
    EXPECT_EQ(static_cast<int>(FreeImage_GetHeight(gray)), h);
    int wrong = 0, inked = 0;
    for (std::size_t k = 0; k < text.size() && FreeImage_GetHeight(gray) == unsigned(h); ++k) {
      const int cell = static_cast<int>(std::find(sheet->map.begin(), sheet->map.end(), text[k]) -
                                        sheet->map.begin());
      for (int y = 0; y < h; ++y) {
        const BYTE* line = FreeImage_GetScanLine(gray, h - 1 - y);
        for (int x = 0; x < w; ++x) {
          const bool black = line[k * w + x] < 128;  // black text on white
          inked += black;
          wrong += black != ExpectedBit(*sheet, cell, x, y, row.threshold);
        }
      }
    }
    FreeImage_Unload(gray);
    EXPECT_GT(inked, 0);
    EXPECT_EQ(wrong, 0);
  }
}

// A PSF2 file read as the console reads it: its header, glyph i as cell i, and the
// Unicode table as psfgettable reads it.
TEST(FontFilesTest, PsfHoldsEachCellAsItsGlyphAndTheMapAsItsTable) {
  if (!HaveProgram("psfgettable")) GTEST_SKIP() << "psfgettable (kbd) is not installed";
  struct PsfRow {
    const char* note;
    PixelSize cell;
    int mapCells;
    int glyphs;
  };
  const PsfRow rows[] = {
      {"8x16 console cells", {8, 16}, 16, 256},
      {"12x14: two bytes a row", {12, 14}, 16, 256},
      {"the widest cell", {32, 32}, 16, 256},
      {"the highest cell", {24, 64}, 16, 256},
      {"a map of 300 cells takes 512 glyphs", {6, 9}, 300, 512},
  };
  TempDir dir;
  for (const PsfRow& row : rows) {
    SCOPED_TRACE(row.note);
    std::vector<char32_t> map = DefaultFontMap();
    for (int i = static_cast<int>(map.size()); i < row.mapCells; ++i) map.push_back(0x400 + i);
    const auto sheet = MakeFontSheet(row.cell, row.cell.heightPx - 2, map, {13}, 16);
    const int threshold = 100;
    const Result<std::string> psf = PsfFont(sheet->d, threshold);
    ASSERT_TRUE(psf) << psf.message();
    const std::string& b = *psf;
    const auto u32 = [&](std::size_t at) {
      std::uint32_t v = 0;
      for (int k = 3; k >= 0; --k) v = v << 8 | static_cast<unsigned char>(b[at + k]);
      return v;
    };
    const int rowBytes = (row.cell.widthPx + 7) / 8;
    const std::size_t glyphBytes = static_cast<std::size_t>(rowBytes) * row.cell.heightPx;
    ASSERT_GE(b.size(), 32 + glyphBytes * row.glyphs);
    // Magic, version, header size, flags (a table follows), glyphs, bytes a glyph, size.
    const std::uint32_t header[] = {0x864AB572u,
                                    0,
                                    32,
                                    1,
                                    static_cast<std::uint32_t>(row.glyphs),
                                    static_cast<std::uint32_t>(glyphBytes),
                                    static_cast<std::uint32_t>(row.cell.heightPx),
                                    static_cast<std::uint32_t>(row.cell.widthPx)};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(u32(4 * k), header[k]) << "header field " << k;

    int wrong = 0;
    for (int g = 0; g < row.glyphs; ++g) {
      const bool exported = g < row.mapCells && map[g] != 0 && g != 13;
      for (int y = 0; y < row.cell.heightPx; ++y) {
        for (int x = 0; x < row.cell.widthPx; ++x) {
          const unsigned char byte = b[32 + glyphBytes * g + y * rowBytes + x / 8];
          wrong += ((byte >> (7 - x % 8) & 1) != 0) !=
                   (exported && ExpectedBit(*sheet, g, x, y, threshold));
        }
      }
    }
    EXPECT_EQ(wrong, 0);

    WriteFile(dir.File("f.psf"), b);
    std::map<int, std::vector<char32_t>> expected;
    for (auto [cp, cell] : ExpectedCharacters(*sheet)) expected[cell].push_back(cp);
    std::map<int, std::vector<char32_t>> table = PsfTable(dir.File("f.psf"));
    std::erase_if(table, [](const auto& entry) { return entry.second.empty(); });
    EXPECT_EQ(table, expected);
  }
}

TEST(FontFilesTest, PsfRefusesWhatTheConsoleCannotLoad) {
  struct Refused {
    PixelSize cell;
    int mapCells;
    const char* message;
  };
  const Refused rows[] = {
      {{33, 16}, 16, "A PSF font holds cells at most 32 pixels wide; these are 33."},
      {{8, 65}, 16, "A PSF font holds cells at most 64 pixels high; these are 65."},
      {{8, 16}, 513, "A PSF font holds at most 512 characters; the map has 513 cells."},
      // 32 header bytes, 256 glyphs of 4 x 64 bytes, a table of "A", "x" and 256 ends.
      {{32, 64},
       16,
       "A PSF font of 256 glyphs of 32x64 pixels would take 65826 bytes; the console's font "
       "tools read at most 65536."},
  };
  for (const Refused& row : rows) {
    SCOPED_TRACE(row.message);
    std::vector<char32_t> map(row.mapCells, U'x');
    map[0] = U'A';
    const auto sheet = MakeFontSheet(row.cell, 1, map);
    const Result<std::string> psf = PsfFont(sheet->d, 1);
    EXPECT_EQ(psf.message(), row.message);
  }
  // No font of nothing, in any of the three forms.
  const auto empty = MakeFontSheet({8, 8}, 6, {0, U'A'}, {1});
  EXPECT_FALSE(BdfFont(empty->d, 1));
  EXPECT_FALSE(PsfFont(empty->d, 1));
  EXPECT_EQ(OtbFont(empty->d, 1).message(),
            "The OTB font would hold no character: no exported cell holds one.");
}

// The text, XML and binary descriptors read by the npm readers (parse-bmfont-ascii,
// -xml and -binary, installed by scripts/npm-readers) give the same records.
TEST(FontFilesTest, FntXmlAndBinaryReadAsTheTextRecords) {
  const std::string modules = GLYPHEX_SOURCE_DIR "/build/npm/node_modules";
  if (!HaveProgram("node") || !std::filesystem::exists(modules + "/parse-bmfont-binary")) {
    GTEST_SKIP() << "node or the npm bitmap-font readers are missing: run scripts/npm-readers";
  }
  TempDir dir;
  std::vector<char32_t> map = DefaultFontMap();
  map[12] = U'\x1F600';  // no character twice: the text form lists each cell
  const auto sheet = MakeFontSheet({12, 14}, 11, map, {13}, 5);
  sheet->d.face = "Sans & <Mono> \xC3\xA4";
  sheet->d.sheetFileName = "my font.png";
  sheet->d.bold = true;
  WriteFile(dir.File("f.fnt"), FntDescriptor(sheet->d));
  WriteFile(dir.File("f.xml"), FntXmlDescriptor(sheet->d));
  WriteFile(dir.File("f.bin"), FntBinaryDescriptor(sheet->d));
  const auto [status, out] = RunCommand(
      "NODE_PATH=" + modules + " node " GLYPHEX_SOURCE_DIR "/tests/descriptor/bmfont_readers.js " +
      dir.path().string());
  EXPECT_EQ(status, 0) << out;
  EXPECT_EQ(out, "same records: 14 chars\n");
}

}  // namespace
