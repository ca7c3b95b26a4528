// glyphex-cli with a map larger than the grid: pages NAME.png, NAME_1.png, ... and the
// descriptors that list them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/sheet_image.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

struct ShellRun {
  int status = -1;
  std::string output;  // standard output and error together
};

ShellRun RunShell(const std::string& line) {
  ShellRun run;
  FILE* pipe = popen(("{ " + line + "; } 2>&1").c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    run.output.append(buffer, n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

// Exports every cp437 cell in grid to path, with args after.
ShellRun ExportCp437(const std::string& path, const std::string& grid,
                     const std::string& args = "") {
  return RunShell(std::string(GLYPHEX_CLI_PATH) + " export '" + path +
                  "' --font 'DejaVu Sans' --tile-size 16 --steps 4 --export all --charmap cp437 "
                  "--grid " +
                  grid + " " + args);
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The four 16x4 pages hold the cells of the one 32x8 sheet: cell i at page i / 64, column
// i % 16, row (i % 64) / 16 there, and at column i % 32, row i / 32 on the whole sheet.
TEST(PagesTest, SmallGridWritesPagesOfTheWholeSheetsCells) {
  TempDir dir;
  ASSERT_EQ(ExportCp437(dir.File("whole.png"), "32x8").status, 0);
  const ShellRun paged = ExportCp437(dir.File("p.png"), "16x4", "--descriptor fnt");
  ASSERT_EQ(paged.status, 0) << paged.output;
  EXPECT_FALSE(fs::exists(dir.File("p_4.png")));

  const SheetImage whole = LoadSheetImage(dir.File("whole.png"));
  ASSERT_EQ(whole.width, 512);
  SheetImage pages[4];
  for (int k = 0; k < 4; ++k) {
    pages[k] = LoadSheetImage(dir.File(k == 0 ? "p.png" : "p_" + std::to_string(k) + ".png"));
    ASSERT_EQ(pages[k].width, 256) << k;
    ASSERT_EQ(pages[k].height, 64) << k;
  }
  int differing = 0;
  for (int cell = 0; cell < 256; ++cell) {
    const SheetImage& page = pages[cell / 64];
    const int px = (cell % 16) * 16, py = (cell % 64) / 16 * 16;
    const int wx = (cell % 32) * 16, wy = cell / 32 * 16;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) differing += page.At(px + x, py + y) != whole.At(wx + x, wy + y);
    }
  }
  EXPECT_EQ(differing, 0);

  const std::string fnt = ReadText(dir.File("p.fnt"));
  EXPECT_NE(fnt.find(" pages=4 "), std::string::npos);
  EXPECT_NE(fnt.find("page id=3 file=\"p_3.png\"\n"), std::string::npos);
  // 'A' (65) is cell 1 of page 1, at column 1 of row 0.
  EXPECT_NE(fnt.find("char id=65 x=16 y=0 width=16 height=16 xoffset=0 yoffset=0 xadvance=16 "
                     "page=1 "),
            std::string::npos)
      << fnt;
}

TEST(PagesTest, MorePagesThanPagesAllowsAreRefusedBeforeAnyFile) {
  TempDir dir;
  const ShellRun run = ExportCp437(dir.File("p.png"), "16x4", "--pages 2");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output,
            "Error: The character map needs 4 pages of 16x4 cells, but Pages allows 2.\n");
  EXPECT_TRUE(fs::is_empty(dir.path()));
  EXPECT_EQ(ExportCp437(dir.File("p.png"), "16x4", "--pages 4").status, 0);
}

// load-bmfont (installed by scripts/npm-readers) reads the three pages of the text and
// binary forms and finds every page file. (Its XML reader under node takes only the first
// <page> of <pages>, so the XML form is left out here.)
TEST(PagesTest, ThreePagesLoadInLoadBmfontWithEveryPageFile) {
  const std::string modules = GLYPHEX_SOURCE_DIR "/build/npm/node_modules";
  if (RunShell("command -v node").status != 0 || !fs::exists(modules + "/load-bmfont")) {
    GTEST_SKIP() << "node or load-bmfont is missing: run scripts/npm-readers";
  }
  TempDir dir;
  const ShellRun paged =
      ExportCp437(dir.File("f.png"), "16x6", "--descriptor fnt --descriptor fnt-bin");
  ASSERT_EQ(paged.status, 0) << paged.output;
  const ShellRun read =
      RunShell("NODE_PATH=" + modules + " node " GLYPHEX_SOURCE_DIR "/tests/cli/bmfont_pages.js '" +
               dir.path().string() + "' f.fnt f.bin");
  EXPECT_EQ(read.status, 0) << read.output;
  EXPECT_EQ(read.output,
            "f.fnt: 3 pages, 255 chars\n"
            "f.bin: 3 pages, 255 chars\n");
}

}  // namespace
