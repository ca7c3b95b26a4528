// glyphex-cli as a user runs it: output, messages and exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/sheet_image.h"
#include "support/temp_dir.h"
#include "text/case_fold.h"

namespace {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs a shell command line, capturing stdout and stderr.
CliRun RunCommandLine(const std::string& line) {
  TempDir dir;
  const std::string errFile = dir.File("err");
  const std::string command = "{ " + line + "; } 2>" + errFile;
  CliRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  if (FILE* err = fopen(errFile.c_str(), "r")) {
    while ((n = fread(buffer, 1, sizeof buffer, err)) > 0) run.err.append(buffer, n);
    fclose(err);
  }
  return run;
}

// Runs glyphex-cli with args (already shell-quoted), capturing stdout and stderr.
CliRun RunCli(const std::string& args) {
  return RunCommandLine(std::string(GLYPHEX_CLI_PATH) + " " + args);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(CliTest, FontsAreSortedWithCondensedAndLightAsTheirOwnFaces) {
  const CliRun run = RunCli("fonts");
  ASSERT_EQ(run.status, 0);
  const std::vector<std::string> faces = Lines(run.out);
  for (std::size_t i = 1; i < faces.size(); ++i) {
    EXPECT_LT(CompareIgnoringCase(faces[i - 1], faces[i]), 0) << faces[i];
  }
  for (const char* face :
       {"DejaVu Sans", "DejaVu Sans Condensed", "DejaVu Sans Light", "DejaVu Sans Mono"}) {
    EXPECT_NE(std::find(faces.begin(), faces.end(), face), faces.end()) << face;
  }
}

TEST(CliTest, FieldsShowEveryControlAfterTheOptionsInOrder) {
  const CliRun run = RunCli(
      "fields --font 'dejavu sans m' --height 9 --height 12 --bold --export range "
      "--bg 1,2,3 --field '1015=a\tb' --color image");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  auto line = [&](int id) {
    const std::string prefix = std::to_string(id) + "\t";
    for (const std::string& l : lines)
      if (l.rfind(prefix, 0) == 0) return l;
    return std::string("missing");
  };
  EXPECT_EQ(line(1001), "1001\t1\t0\tDejaVu Sans Mono");
  EXPECT_EQ(line(1003), "1003\t1\t0\t12");  // the later option wins
  EXPECT_EQ(line(1004), "1004\t1\t1\t");
  EXPECT_EQ(line(1054), "1054\t1\t1\t");
  EXPECT_EQ(line(1012), "1012\t1\t0\t");
  EXPECT_EQ(line(1019), "1019\t1\t0\t1");
  EXPECT_EQ(line(1021), "1021\t1\t0\t3");
  EXPECT_EQ(line(1015), "1015\t1\t0\ta\\tb");
  EXPECT_EQ(line(1025), "1025\t1\t1\t");
  EXPECT_EQ(line(1024), "1024\t1\t0\t");
  EXPECT_EQ(line(1022).rfind("1022\t1\t0\tGlyphex v0.3a by Quenlor\\r\\n", 0), 0u);
  // The clicks ran the enabling rules: range mode enables From and To and relabels
  // the characters field; an image mode enables the texture path.
  EXPECT_EQ(line(1055), "1055\t1\t0\t0");
  EXPECT_EQ(line(1052), "1052\t1\t0\tIn- / Exclude the following chars:");
  EXPECT_EQ(line(1027), "1027\t1\t0\t");
  EXPECT_EQ(line(1037), "1037\t0\t0\t8");
}

TEST(CliTest, UsageErrorsExitTwoWithAReason) {
  struct Row {
    const char* args;
    const char* reason;  // a part of the message on stderr
  };
  const Row rows[] = {
      {"fields --no-such-option", "no-such-option"},
      {"fields --bg 1,2", "R,G,B"},
      {"fields --bg 1,x,3", "\"x\" is not an integer"},
      {"fields --export sideways", "sideways"},
      {"fields --field 9999=x", "9999"},
      {"fields --field 1010=x", "1010"},
      {"fields --font 'No Such Face Anywhere'", "No Such Face Anywhere"},
      {"export", "FILE"},
      {"frobnicate", "frobnicate"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args);
    const CliRun run = RunCli(row.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(row.reason), std::string::npos) << run.err;
  }
  for (const char* command : {"fonts", "fields", "export", "preview"}) {
    const CliRun help = RunCli(std::string(command) + " --help");
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_NE(help.out.find("Usage"), std::string::npos) << command;
  }
}

// A settings file that cannot be opened is the load's failure, not a usage error.
TEST(CliTest, MissingSettingsFileGetsTheLoadsMessage) {
  TempDir dir;
  const CliRun run = RunCli("fields --settings '" + dir.File("missing.ini") + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Error: Could not open the specified file!\n");
  EXPECT_TRUE(run.out.empty());
}

// Every control character of a text is escaped, so a text stays on its line; the
// rows are joined into one preview text and read back from its line.
TEST(CliTest, FieldTextsEscapeEveryControlCharacter) {
  struct Row {
    const char* text;
    const char* shown;
  };
  const Row rows[] = {
      {"plain \xC3\xA4 text", "plain \xC3\xA4 text"},  // UTF-8 passes unchanged
      {"a\\b", "a\\\\b"},
      {"\t\r\n", "\\t\\r\\n"},
      {"\x01\x1B[31m", "\\x01\\x1b[31m"},  // a terminal's escape sequence
      {"\x1F\x7F", "\\x1f\\x7f"},
      {"\x0B\x0C", "\\x0b\\x0c"},  // vertical tab and form feed
  };
  std::string text, shown;
  for (const Row& row : rows) {
    text += std::string(row.text) + "|";
    shown += std::string(row.shown) + "|";
  }
  const CliRun run = RunCli("fields --field '1015=" + text + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  const auto line = std::find_if(lines.begin(), lines.end(),
                                 [](const std::string& l) { return l.rfind("1015\t", 0) == 0; });
  ASSERT_NE(line, lines.end());
  EXPECT_EQ(*line, "1015\t1\t0\t" + shown);
}

// Messages and the log keep their lines, but their other control characters are
// escaped: a NUL or a terminal's escape sequence from a file arrives as text.
TEST(CliTest, MessagesAndTheLogEscapeControlCharacters) {
  TempDir dir;
  const std::string map = dir.File("map");
  std::ofstream(map, std::ios::binary) << std::string("A\0\x1B]0;x\x07Z", 9);
  CliRun run = RunCli("export '" + dir.File("s.png") + "' --charmap '" + map + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Error: Bad character map file \"" + map +
                         "\", line 1: \"A\\x00\\x1b]0;x\\x07Z\" is neither one character nor "
                         "U+XXXX.\n");

  run = RunCli("settings save '" + dir.File("s.ini") + "' --field '1022=a\x1B[2J\tb\r\nc\rd'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "a\\x1b[2J\\x09b\nc\\x0dd\n");
}

TEST(CliTest, ExportWritesTheSheetOrSaysWhyNot) {
  TempDir dir;
  const std::string png = dir.File("sheet.png");
  CliRun run = RunCli("export '" + png + "' --font 'DejaVu Sans' --tile-size 16 --steps 4");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("Too wide characters:\n", 0), 0u) << run.out;
  const SheetImage image = LoadSheetImage(png);
  EXPECT_EQ(image.width, 512);
  EXPECT_EQ(image.height, 128);
  EXPECT_EQ(image.bpp, 32);

  const std::string bad = dir.File("sheet.xyz");
  run = RunCli("export '" + bad + "' --font 'DejaVu Sans'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Error: Could not identify file type"), std::string::npos);
  EXPECT_NE(run.err.find("Error: An error occurred while saving!"), std::string::npos);
  EXPECT_TRUE(run.out.empty());
  EXPECT_FALSE(std::filesystem::exists(bad));

  run = RunCli("export '" + png + "' --tile-size 17");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Wrong value for tile size"), std::string::npos);
}

// A color value outside 0..255 stops the export with a message naming the field,
// whichever option set it, and nothing is written.
TEST(CliTest, ColorsOutOfRangeStopTheExport) {
  TempDir dir;
  const std::string png = dir.File("sheet.png");
  const struct {
    const char* options;
    const char* message;
  } rows[] = {
      {"--bg 300,0,0", "Error: Wrong value for bg color red, must be from 0 to 255!\n"},
      {"--top 0,-5,0", "Error: Wrong value for top color green, must be from 0 to 255!\n"},
      {"--field 1036=abc", "Error: Wrong value for sub color blue, must be from 0 to 255!\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.options);
    const CliRun run = RunCli("export '" + png + "' --font 'DejaVu Sans' " + row.options);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, row.message);
    EXPECT_FALSE(std::filesystem::exists(png));
  }
}

// The image library is opened only for formats our own PNG writer does not cover: the
// dynamic loader logs every library it loads (LD_DEBUG=files) into LD_DEBUG_OUTPUT.PID.
TEST(CliTest, OnlyFormatsOtherThanPngLoadTheImageLibrary) {
  const struct {
    const char* file;
    int status;
    bool loadsLibrary;
  } rows[] = {{"sheet.png", 0, false},
              {"sheet.PNG", 0, false},
              {"sheet.bmp", 0, true},
              {"sheet.xyz", 1, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    TempDir dir, logs;
    setenv("LD_DEBUG", "files", 1);
    setenv("LD_DEBUG_OUTPUT", logs.File("ld").c_str(), 1);
    const int status = RunCli("export '" + dir.File(row.file) + "' --tile-size 4 --steps 2").status;
    unsetenv("LD_DEBUG");
    unsetenv("LD_DEBUG_OUTPUT");
    std::string log;
    for (const auto& entry : std::filesystem::directory_iterator(logs.path())) {
      std::ifstream in(entry.path());
      log.append(std::istreambuf_iterator<char>(in), {});
    }
    EXPECT_EQ(status, row.status);
    ASSERT_NE(log.find("libfontconfig"), std::string::npos) << "no loader log";
    EXPECT_EQ(log.find("libfreeimage") != std::string::npos, row.loadsLibrary);
  }
}

// A face that cannot be saved (a folder stands where its file goes) is named, the
// batch still finishes, and the exit status says that something failed.
TEST(CliTest, SaveAllExitsOneWhenAFaceFailed) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("DejaVu Sans.png"));
  const CliRun run = RunCli("save-all '" + dir.path().string() + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Error: Could not save the output bitmap!\n"
                         "Error: Could not save the sheet of \"DejaVu Sans\"!\n"),
            std::string::npos)
      << run.err;
  const std::string finished = "Finished: Save all has finished!\n";
  EXPECT_EQ(run.err.rfind(finished), run.err.size() - finished.size()) << run.err;
  EXPECT_EQ(LoadSheetImage(dir.File("DejaVu Sans Mono.png")).width, 256);
}

TEST(CliTest, AutosizeReportsItsSuggestion) {
  CliRun run = RunCli("autosize --font 'DejaVu Sans' --tile-size 8");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("Autosize (proportional):\nsuggest height ", 0), 0u) << run.out;
  run = RunCli("autosize --full --font 'DejaVu Sans' --tile-size 8");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("Autosize (full):\nsuggest width ", 0), 0u) << run.out;
  run = RunCli("autosize --tile-size 0 --steps 0");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Error: Wrong value for tile size, must be from 1 to 16!\n");
}

TEST(CliTest, PreviewWritesThePreviewArea) {
  TempDir dir;
  const std::string png = dir.File("area.png");
  const CliRun run = RunCli("preview '" + png + "' --font 'DejaVu Sans' --tile-size 16 --steps 1");
  ASSERT_EQ(run.status, 0) << run.err;
  FIBITMAP* bitmap = FreeImage_Load(FIF_PNG, png.c_str(), 0);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(FreeImage_GetWidth(bitmap), 369u);
  EXPECT_EQ(FreeImage_GetHeight(bitmap), 185u);
  RGBQUAD top, bottom;
  FreeImage_GetPixelColor(bitmap, 0, 184, &top);   // the sheet's background
  FreeImage_GetPixelColor(bitmap, 0, 0, &bottom);  // below the sheet: black
  EXPECT_EQ(top.rgbRed, 255);
  EXPECT_EQ(top.rgbGreen, 0);
  EXPECT_EQ(top.rgbBlue, 255);
  EXPECT_EQ(bottom.rgbRed + bottom.rgbGreen + bottom.rgbBlue, 0);
  FreeImage_Unload(bitmap);
}

// The Preview area written by the preview command, as 0x00RRGGBB, top row first.
std::vector<std::uint32_t> LoadArea(const std::string& png) {
  std::vector<std::uint32_t> pixels;
  FIBITMAP* bitmap = FreeImage_Load(FIF_PNG, png.c_str(), 0);
  if (!bitmap) return pixels;
  for (int y = 0; y < 185; ++y) {
    for (int x = 0; x < 369; ++x) {
      RGBQUAD c;
      FreeImage_GetPixelColor(bitmap, x, 184 - y, &c);
      pixels.push_back(std::uint32_t{c.rgbRed} << 16 | std::uint32_t{c.rgbGreen} << 8 | c.rgbBlue);
    }
  }
  FreeImage_Unload(bitmap);
  return pixels;
}

TEST(CliTest, PreviewZoomsAndDragsLikeTheWindow) {
  TempDir dir;
  const std::string fields = " --font 'DejaVu Sans' --tile-size 16 --steps 4 --sub 255,0,0";
  ASSERT_EQ(RunCli("preview '" + dir.File("one.png") + "'" + fields).status, 0);
  ASSERT_EQ(
      RunCli("preview '" + dir.File("four.png") + "' --zoom 4 --drag -40,-20" + fields).status, 0);
  const std::vector<std::uint32_t> one = LoadArea(dir.File("one.png"));
  const std::vector<std::uint32_t> four = LoadArea(dir.File("four.png"));
  ASSERT_EQ(one.size(), 369u * 185u);
  ASSERT_EQ(four.size(), one.size());
  // Dragging 40 px left and 20 up at 4x pans by (10, 5) canvas pixels; each canvas
  // pixel shows as a 4 x 4 block. The visible part is 92 x 46 canvas pixels.
  int mismatches = 0;
  for (int y = 0; y < 46 * 4; ++y) {
    for (int x = 0; x < 92 * 4; ++x) {
      mismatches += four[y * 369 + x] != one[(5 + y / 4) * 369 + 10 + x / 4];
    }
  }
  EXPECT_EQ(mismatches, 0);
  // The visible part fills the whole area at 2x and 4x: the odd last column and row
  // (369 and 185 are odd) repeat their neighbours instead of staying black.
  ASSERT_EQ(RunCli("preview '" + dir.File("two.png") + "' --zoom 2" + fields).status, 0);
  for (const char* name : {"two.png", "four.png"}) {
    SCOPED_TRACE(name);
    const std::vector<std::uint32_t> area = LoadArea(dir.File(name));
    ASSERT_EQ(area.size(), one.size());
    int edgeMismatches = 0, edgeBlack = 0;
    for (int y = 0; y < 185; ++y) {
      edgeMismatches += area[y * 369 + 368] != area[y * 369 + 367];
      edgeBlack += area[y * 369 + 368] == 0;
    }
    for (int x = 0; x < 369; ++x) {
      edgeMismatches += area[184 * 369 + x] != area[183 * 369 + x];
      edgeBlack += area[184 * 369 + x] == 0;
    }
    EXPECT_EQ(edgeMismatches, 0);
    EXPECT_EQ(edgeBlack, 0);  // the sheet's background covers both edges at these offsets
  }
  // Drags to the ends of the int range pan as far as a long ordinary drag does.
  for (const char* drag : {"2147483647,2147483647", "-2147483648,-2147483648"}) {
    SCOPED_TRACE(drag);
    const bool right = drag[0] != '-';
    ASSERT_EQ(
        RunCli("preview '" + dir.File("far.png") + "' --zoom 4 --drag " + drag + fields).status, 0);
    ASSERT_EQ(RunCli("preview '" + dir.File("long.png") + "' --zoom 4 --drag " +
                     (right ? "100000,100000" : "-100000,-100000") + fields)
                  .status,
              0);
    EXPECT_EQ(LoadArea(dir.File("far.png")), LoadArea(dir.File("long.png")));
  }
  // A drag on the font sample at its own size moves nothing.
  ASSERT_EQ(RunCli("preview '" + dir.File("s1.png") + "' --sample" + fields).status, 0);
  ASSERT_EQ(RunCli("preview '" + dir.File("s2.png") + "' --sample --drag -50,0" + fields).status,
            0);
  EXPECT_EQ(LoadArea(dir.File("s1.png")), LoadArea(dir.File("s2.png")));
  EXPECT_NE(LoadArea(dir.File("s1.png")), one);
}

}  // namespace
namespace {

// The layout options set their fields for every command; "" restores square cells; a
// grid or cell the parsers refuse is a usage error; an export honors them.
TEST(CliTest, LayoutOptionsSetTheirFieldsAndShapeTheSheet) {
  const struct {
    const char* args;
    const char* fields;  // the lines of 1057..1061
  } rows[] = {
      {"--charmap cp437 --grid 16x16 --cell 8x12",
       "1057\t1\t0\tcp437\n1058\t1\t0\t16\n1059\t1\t0\t16\n1060\t1\t0\t8\n1061\t1\t0\t12\n"},
      {"--cell 8x12 --grid 4X64 --cell ''",
       "1057\t1\t0\tcp1252\n1058\t1\t0\t4\n1059\t1\t0\t64\n1060\t1\t0\t\n1061\t1\t0\t\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args);
    const CliRun run = RunCli(std::string("fields ") + row.args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(row.fields), std::string::npos) << run.out;
  }
  for (const char* bad :
       {"fields --grid 0x8", "fields --grid 16", "export x.png --cell 65x8", "autosize --cell 8"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(RunCli(bad).status, 2);
  }

  TempDir dir;
  const std::string png = dir.File("cp437.png");
  const CliRun run = RunCli("export '" + png +
                            "' --font 'DejaVu Sans Mono' --height 12 --charmap cp437 "
                            "--grid 16x16 --cell 8x12 --export all");
  ASSERT_EQ(run.status, 0) << run.err;
  const SheetImage image = LoadSheetImage(png);
  EXPECT_EQ(image.width, 128);
  EXPECT_EQ(image.height, 192);
}

}  // namespace

namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A copy of an installed font outside every font folder draws the same sheet as the
// installed file; what is not a font file is refused with a message naming it.
TEST(CliTest, FontFileDrawsAsInstalledOrIsRefused) {
  TempDir dir;
  const std::string copy = dir.File("copy-of-mono.ttf");
  ASSERT_TRUE(
      std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", copy));
  const std::string options = " --font 'DejaVu Sans Mono' --height 14 --export all";
  const std::string a = dir.File("a.png"), b = dir.File("b.png");
  CliRun run = RunCli("export '" + a + "' --font-file '" + copy + "'" + options);
  ASSERT_EQ(run.status, 0) << run.err;
  run = RunCli("export '" + b + "'" + options);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string sheet = FileBytes(a);
  EXPECT_GT(sheet.size(), 100u);
  EXPECT_TRUE(sheet == FileBytes(b));

  // The file's typeface is selected, and the list keeps one entry for it.
  run = RunCli("fields --font-file '" + copy + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("1001\t1\t0\tDejaVu Sans Mono\n", 0), 0u) << run.out;
  EXPECT_EQ(RunCli("fonts --font-file '" + copy + "'").out, RunCli("fonts").out);

  const std::string text = dir.File("notes.ttf");
  std::ofstream(text) << "not a font\n";
  struct Row {
    std::string path;
    std::string reason;
  };
  const Row rows[] = {
      {dir.File("missing.ttf"), "No such file or directory."},
      {text, "it is not a font FreeType can read."},
      {dir.path().string(), "it is not a regular file."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    for (const std::string& command :
         {std::string("fonts"), "export '" + dir.File("c.png") + "'"}) {
      run = RunCli(command + " --font-file '" + row.path + "'");
      EXPECT_EQ(run.status, 1);
      EXPECT_EQ(run.err,
                "Error: Could not open the font file \"" + row.path + "\": " + row.reason + "\n");
      EXPECT_TRUE(run.out.empty());
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("c.png")));
}

// Saving records the font file while its typeface is selected; loading opens it again
// and names it when it has gone.
TEST(CliTest, SettingsRecordAndReopenTheFontFile) {
  TempDir dir;
  const std::string copy = dir.File("copy-of-mono.ttf");
  ASSERT_TRUE(
      std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", copy));
  const std::string withFile = dir.File("with.ini"), without = dir.File("without.ini");
  ASSERT_EQ(RunCli("settings save '" + withFile + "' --font-file '" + copy + "'").status, 0);
  ASSERT_EQ(
      RunCli("settings save '" + without + "' --font-file '" + copy + "' --font 'DejaVu Sans'")
          .status,
      0);
  EXPECT_NE(FileBytes(withFile).find(copy), std::string::npos);
  EXPECT_EQ(FileBytes(without).size(), 1219u);  // an installed face: no extension block

  CliRun run = RunCli("fields --settings '" + withFile + "'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.rfind("1001\t1\t0\tDejaVu Sans Mono\n", 0), 0u) << run.out;

  std::filesystem::remove(copy);
  run = RunCli("fields --settings '" + withFile + "'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err,
            "Error: Could not open the font file \"" + copy + "\": No such file or directory.\n");
}

// --descriptor writes each kind asked for beside the saved sheet; a kind it does not know
// is a usage error, a descriptor that cannot be written fails the run naming it and
// keeps the sheet from being written, a name the .fnt cannot hold is refused, a preview
// writes none, and the boxes survive a settings file.
TEST(CliTest, DescriptorsAreWrittenBesideTheSheet) {
  TempDir dir;
  const std::string sheet = dir.File("my font.png");
  const std::string options = " --font 'DejaVu Sans' --tile-size 8 --steps 1";
  CliRun run = RunCli("export '" + sheet + "'" + options +
                      " --descriptor fnt --descriptor c --descriptor json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(FileBytes(dir.File("my font.fnt")).find("file=\"my font.png\""), std::string::npos);
  EXPECT_EQ(FileBytes(dir.File("my font.json")).rfind("{", 0), 0u);
  EXPECT_NE(FileBytes(dir.File("my font.h")).find("static const unsigned char my_font_"),
            std::string::npos);

  EXPECT_EQ(RunCli("export '" + sheet + "' --descriptor xml").status, 2);

  std::filesystem::create_directory(dir.File("blocked.fnt"));
  run = RunCli("export '" + dir.File("blocked.png") + "'" + options + " --descriptor fnt");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(
      run.err.find("Could not write the descriptor file \"" + dir.File("blocked.fnt") + "\"!"),
      std::string::npos)
      << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("blocked.png")));  // all files or none

  // The .fnt cannot hold a double quote: such a name is refused before anything is written.
  run = RunCli("export '" + dir.File("say \"hi\".png") + "'" + options +
               " --descriptor json --descriptor fnt");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "Error: The .fnt descriptor cannot name the sheet \"say \"hi\".png\": a double quote "
            "or a control character cannot be written in it!\nError: An error occurred while "
            "saving!\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("say \"hi\".png")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("say \"hi\".json")));

  run = RunCli("preview '" + dir.File("p.png") + "'" + options + " --descriptor json");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("p.json")));

  const std::string settings = dir.File("s.gxs");
  ASSERT_EQ(RunCli("settings save '" + settings + "' --descriptor json").status, 0);
  EXPECT_GT(FileBytes(settings).size(), 1219u);
  run = RunCli("fields --settings '" + settings + "'");
  EXPECT_NE(run.out.find("\n1071\t1\t1\t"), std::string::npos);
  EXPECT_NE(run.out.find("\n1070\t1\t0\t"), std::string::npos);
}

// The font files and the BMFont variants beside a CP437 sheet, each opened by a program
// that reads it; a PSF limit refuses the run before anything is written.
TEST(CliTest, FontFilesAreWrittenBesideTheSheetAndOpenInTheirReaders) {
  for (const char* tool : {"bdftopcf", "psfgettable", "fc-query"}) {
    if (std::system(("command -v " + std::string(tool) + " >/dev/null").c_str()) != 0) {
      GTEST_SKIP() << tool << " is not installed: run scripts/bootstrap";
    }
  }
  TempDir dir;
  const std::string options =
      " --font 'DejaVu Sans Mono' --height 16 --charmap cp437 --grid 16x16 --cell 8x16"
      " --export all";
  CliRun run = RunCli("export '" + dir.File("f.png") + "'" + options +
                      " --font-file-out bdf --font-file-out psf --font-file-out otb"
                      " --descriptor fnt --descriptor fnt-xml --descriptor fnt-bin");
  ASSERT_EQ(run.status, 0) << run.err;
  const auto tool = [&](const std::string& command) {
    return RunCommandLine("cd '" + dir.path().string() + "' && " + command);
  };
  // bdftopcf says nothing about a good font.
  run = tool("bdftopcf -o f.pcf f.bdf 2>&1");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  // The console's table: CP437's cell 1 is the smiling face, cell 65 "A".
  run = tool("psfgettable f.psf");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("0x001	U+263a"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("0x041	U+0041"), std::string::npos) << run.out;
  run = tool("fc-query --format '%{pixelsize}|%{outline}' f.otb");
  EXPECT_EQ(run.out, "16|False");
  const std::string modules = GLYPHEX_SOURCE_DIR "/build/npm/node_modules";
  if (std::filesystem::exists(modules + "/parse-bmfont-binary")) {
    run = tool("NODE_PATH=" + modules +
               " node " GLYPHEX_SOURCE_DIR "/tests/descriptor/bmfont_readers.js .");
    EXPECT_EQ(run.out, "same records: 255 chars\n");
  }

  // Cells too wide for the console.
  run = RunCli("export '" + dir.File("wide.png") + "' --cell 40x16 --font-file-out bdf" +
               " --font-file-out psf");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "Error: Could not make the PSF font: A PSF font holds cells at most 32 pixels wide; "
            "these are 40.\nError: An error occurred while saving!\n");
  for (const char* file : {"wide.png", "wide.bdf", "wide.psf"}) {
    EXPECT_FALSE(std::filesystem::exists(dir.File(file))) << file;
  }
}

}  // namespace

namespace {

// --output clicks its button (the threshold follows it); --threshold is kept with any
// kind; bad values are usage errors.
TEST(CliTest, OutputOptionsSetTheirFieldsOrAreRefused) {
  const struct {
    const char* args;
    const char* fields;  // the lines of 1068 and 1069
  } rows[] = {
      {"", "1068\t1\t0\t\n1069\t0\t0\t1\n"},
      {"--output mono --threshold 128", "1068\t1\t1\t\n1069\t1\t0\t128\n"},
      {"--threshold 255 --output gray", "1068\t1\t0\t\n1069\t0\t0\t255\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args);
    const CliRun run = RunCli(std::string("fields ") + row.args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(row.fields), std::string::npos) << run.out;
  }
  const struct {
    const char* args;
    const char* reason;
  } bad[] = {
      {"fields --output sepia", "sepia"},
      {"fields --threshold 0", "\"0\" is not a threshold from 1 to 255"},
      {"fields --threshold 256", "\"256\" is not a threshold from 1 to 255"},
      {"fields --threshold 12x", "\"12x\" is not a threshold from 1 to 255"},
      {"fields --threshold ''", "is not a threshold from 1 to 255"},
  };
  for (const auto& row : bad) {
    SCOPED_TRACE(row.args);
    const CliRun run = RunCli(row.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(row.reason), std::string::npos) << run.err;
  }
}

// What a command prints on stdout, or nothing when it cannot run.
std::string CommandOutput(const std::string& command) {
  std::string out;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return out;
  char buffer[256];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

// Decoders other than the image library read the mono sheets as 1 bit a pixel.
TEST(CliTest, MonoSheetsAreOneBitToOtherDecoders) {
  if (CommandOutput("command -v pngcheck").empty() ||
      CommandOutput("command -v identify").empty()) {
    GTEST_SKIP() << "pngcheck or ImageMagick's identify is not installed";
  }
  TempDir dir;
  for (const char* name : {"mono.png", "mono.bmp"}) {
    const CliRun run = RunCli("export '" + dir.File(name) +
                              "' --font 'DejaVu Sans' --output mono --threshold 100");
    ASSERT_EQ(run.status, 0) << run.err;
  }
  EXPECT_NE(CommandOutput("pngcheck -v '" + dir.File("mono.png") + "'").find("1-bit grayscale"),
            std::string::npos);
  EXPECT_EQ(
      CommandOutput("identify -format '%[png:IHDR.bit-depth-orig]' '" + dir.File("mono.png") + "'"),
      "1");
  EXPECT_EQ(CommandOutput("identify -format '%z' '" + dir.File("mono.bmp") + "'"), "1");
}

}  // namespace

TEST(CliTest, AlphaBmpsShowTheirAlphaToPillow) {
  // Debian's interpreter, which python3-pil serves, whatever else is first on the path.
  if (CommandOutput("/usr/bin/python3 -c 'import PIL' && echo yes") != "yes\n") {
    GTEST_SKIP() << "python3-pil is not installed";
  }
  TempDir dir;
  for (const char* name : {"alpha.bmp", "alpha.png", "color.bmp"}) {
    const CliRun run =
        RunCli("export '" + dir.File(name) + "' --font 'DejaVu Sans' --tile-size 12 --output " +
               std::string(name).substr(0, std::string(name).find('.')));
    ASSERT_EQ(run.status, 0) << run.err;
  }
  // The alpha BMP reads as RGBA, every pixel as in the PNG; the color BMP stays RGB.
  const std::string script =
      "import sys; from PIL import Image\n"
      "b, p, c = (Image.open(f) for f in sys.argv[1:])\n"
      "print(b.mode, list(b.convert(\"RGBA\").getdata()) == list(p.getdata()), c.mode)\n";
  EXPECT_EQ(CommandOutput("/usr/bin/python3 -c '" + script + "' '" + dir.File("alpha.bmp") + "' '" +
                          dir.File("alpha.png") + "' '" + dir.File("color.bmp") + "'"),
            "RGBA True RGB\n");
}

namespace {

// The JSON descriptor's line of the cell holding code point cp, "" when none.
std::string JsonCellLine(const std::string& json, char32_t cp) {
  const std::string key = "\"codePoint\": " + std::to_string(static_cast<unsigned>(cp)) + ",";
  for (const std::string& line : Lines(json)) {
    if (line.find(key) != std::string::npos) return line;
  }
  return {};
}

bool FaceInstalled(const std::string& face) {
  return std::system(("fc-list | grep -q '" + face + "'").c_str()) == 0;
}

// Characters DejaVu Sans lacks are drawn by the fallback faces (system, or named ones in
// their order) and named in the JSON and the log; a character no face has stays empty and
// is logged; with none, nothing changes. The list survives a settings file.
TEST(CliTest, FallbackFacesDrawWhatTheFontLacks) {
  if (!FaceInstalled("AR PL UMing TW") || !FaceInstalled("Scheherazade")) {
    GTEST_SKIP() << "scripts/bootstrap installs fonts-arphic-uming and fonts-sil-scheherazade";
  }
  TempDir dir;
  const std::string map = dir.File("map.txt");
  // Two CJK ideographs, two Arabic Supplement letters (DejaVu Sans has neither), a letter
  // DejaVu Sans has, and a private-use character of plane 16 that no face has.
  std::ofstream(map) << "中 文 U+0750 U+0753 A U+10FFFD\n";
  struct Row {
    const char* fallback;
    const char* cjkFace;     // the face named on the CJK cells; "" none, "*" any but DejaVu
    const char* arabicFace;  // and on the Arabic ones
  };
  const Row rows[] = {
      {"--fallback system", "*", "*"},
      {"--fallback scheher --fallback 'ar pl uming tw'", "AR PL UMing TW", "Scheherazade"},
      {"--fallback system --fallback none", "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fallback);
    const std::string png = dir.File("s.png");
    const CliRun run =
        RunCli("export '" + png + "' --font 'DejaVu Sans' --charmap '" + map +
               "' --cell 16x16 --height 16 --export all --descriptor json " + row.fallback);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string json = FileBytes(dir.File("s.json"));
    const bool fallback = *row.cjkFace != '\0';
    for (const auto& [cp, face] : {std::pair{U'中', row.cjkFace},
                                   {U'文', row.cjkFace},
                                   {U'\u0750', row.arabicFace},
                                   {U'\u0753', row.arabicFace}}) {
      const std::string line = JsonCellLine(json, cp);
      SCOPED_TRACE(line);
      ASSERT_FALSE(line.empty());
      EXPECT_EQ(line.find("\"ink\": null") == std::string::npos, fallback);
      if (!fallback) {
        EXPECT_EQ(line.find("\"face\""), std::string::npos);
      } else if (std::string(face) == "*") {
        EXPECT_NE(line.find("\"face\": \""), std::string::npos);
        EXPECT_EQ(line.find("\"face\": \"DejaVu"), std::string::npos);
      } else {
        EXPECT_NE(line.find("\"face\": \"" + std::string(face) + "\""), std::string::npos);
      }
    }
    EXPECT_EQ(JsonCellLine(json, U'A').find("\"face\""), std::string::npos);
    EXPECT_NE(JsonCellLine(json, U'\U0010FFFD').find("\"ink\": null"), std::string::npos);
    EXPECT_EQ(run.out.find("no face has U+10FFFD\n") != std::string::npos, fallback) << run.out;
    if (std::string(row.cjkFace) == "AR PL UMing TW") {
      // In the order the faces first drew a cell.
      EXPECT_NE(run.out.find("fallback: AR PL UMing TW draws 2 cells\nfallback: Scheherazade "
                             "draws 2 cells\n"),
                std::string::npos)
          << run.out;
    }
    EXPECT_EQ(run.out.find("fallback:") != std::string::npos, fallback) << run.out;
  }

  EXPECT_EQ(RunCli("fields --fallback 'no such face'").err,
            "--fallback: no installed font begins with \"no such face\"\n");
  const std::string settings = dir.File("s.gxs");
  ASSERT_EQ(
      RunCli("settings save '" + settings + "' --fallback system --fallback 'dejavu serif'").status,
      0);
  EXPECT_NE(RunCli("fields --settings '" + settings + "'")
                .out.find("\n1095\t1\t0\tsystem, "
                          "dejavu serif\n"),
            std::string::npos);
}

// The log names at most 20 characters that no face has, then counts the rest.
TEST(CliTest, FallbackLogNamesTwentyMissingCharactersThenCounts) {
  TempDir dir;
  const std::string map = dir.File("map.txt");
  std::ofstream out(map);
  for (int i = 0; i < 25; ++i) out << "U+10FF" << std::hex << (0x10 + i) << ' ';
  out.close();
  const CliRun run = RunCli("export '" + dir.File("s.png") + "' --font 'DejaVu Sans' --charmap '" +
                            map + "' --export all --fallback system");
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> missing;
  for (const std::string& line : Lines(run.out)) {
    if (line.rfind("no face has ", 0) == 0) missing.push_back(line);
  }
  ASSERT_EQ(missing.size(), 20u) << run.out;
  EXPECT_EQ(missing.front(), "no face has U+10FF10");
  EXPECT_EQ(missing.back(), "no face has U+10FF23");
  EXPECT_NE(run.out.find("no face has U+10FF23\n... and 5 more characters no face has\n"),
            std::string::npos)
      << run.out;
}

// A Unicode map of 606 characters with the grid left out: 16 columns, as many rows as
// needed, and a .fnt naming every character; the fields show the grid left out.
TEST(CliTest, UnicodeRangesWithTheGridLeftOutGetSixteenColumns) {
  constexpr char kRanges[] = "U+0021..U+007E,U+00A0..U+024F,U+0400..U+044F";
  std::set<long> expected;
  for (long c = 0x21; c <= 0x7E; ++c) expected.insert(c);
  for (long c = 0xA0; c <= 0x24F; ++c) expected.insert(c);
  for (long c = 0x400; c <= 0x44F; ++c) expected.insert(c);
  ASSERT_EQ(expected.size(), 606u);

  TempDir dir;
  const std::string png = dir.File("ranges.png");
  // Without --grid the grid is chosen from the map, as with --grid auto.
  const std::string options = std::string(" --font 'DejaVu Sans Mono' --height 14 --cell 8x16") +
                              " --export all --charmap 'unicode:" + kRanges + "'";
  const CliRun run = RunCli("export '" + png + "'" + options + " --descriptor fnt");
  ASSERT_EQ(run.status, 0) << run.err;
  const SheetImage image = LoadSheetImage(png);
  EXPECT_EQ(image.width, 16 * 8);
  EXPECT_EQ(image.height, 38 * 16);  // ceil(606 / 16) rows

  std::set<long> ids;
  std::istringstream fnt(FileBytes(dir.File("ranges.fnt")));
  for (std::string line; std::getline(fnt, line);) {
    if (line.rfind("char id=", 0) == 0) ids.insert(std::stol(line.substr(8)));
  }
  EXPECT_EQ(ids, expected);

  for (const char* grid : {"", " --grid auto"}) {
    const CliRun fields = RunCli("fields" + options + grid);
    EXPECT_NE(fields.out.find("\n1058\t1\t0\t\n1059\t1\t0\t\n"), std::string::npos) << grid;
  }

  // A grid given that cannot hold the map takes pages; held to one page, the message says
  // how to have the grid chosen.
  const std::string small =
      "export '" + dir.File("small.png") + "' --charmap 'unicode:" + kRanges + "' --grid 32x8";
  EXPECT_EQ(RunCli(small).status, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.File("small_2.png")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("small_3.png")));
  EXPECT_EQ(RunCli(small + " --pages 1").err,
            "Error: The character map needs 3 pages of 32x8 cells, but Pages allows 1. Use --grid "
            "auto to have it chosen from the map.\n");
}

}  // namespace
