// A font tiny on disk whose glyphs reach far beyond its em: each run draws what its
// cells, probe and preview show, and stays small in memory.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "support/box_font.h"
#include "support/sheet_image.h"
#include "support/temp_dir.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;  // its shadow memory outgrows any limit or budget
#else
constexpr bool kSanitized = false;
#endif

struct MeasuredRun {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  long peakKiB = 0;
};

// glyphex-cli with args, in an address space of 1 GiB, so that a run that would take
// gigabytes fails at once instead; its status and its peak resident memory.
MeasuredRun RunCliMeasured(std::vector<std::string> args) {
  args.insert(args.begin(), GLYPHEX_CLI_PATH);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const rlimit limit{rlim_t{1} << 30, rlim_t{1} << 30};
    if (!kSanitized && setrlimit(RLIMIT_AS, &limit) != 0) _exit(126);
    if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(126);
    execv(argv[0], argv.data());
    _exit(127);
  }
  MeasuredRun run;
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return run;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.peakKiB = usage.ru_maxrss;
  return run;
}

TEST(CliFontMemoryTest, GlyphsFarBeyondTheirEmTakeLittleMemory) {
  // unitsPerEm 16 and a cell of one unit, so that the default cell of 20 pixels asks
  // for 320 pixels per em, and glyphs of 600 units: boxes of 12000 x 12000 pixels for
  // every character.
  BoxFontShape shape;
  shape.unitsPerEm = 16;
  shape.ascender = 1;
  shape.descender = 0;
  shape.left = shape.bottom = 0;
  shape.right = shape.top = shape.advance = 600;
  shape.first = U' ';
  shape.last = U'\u00FF';
  const TempDir dir;
  const std::string font = dir.File("tiny.ttf");
  std::ofstream(font, std::ios::binary) << BoxTrueTypeFont(shape);
  const std::string sheet = dir.File("sheet.png");

  const std::vector<std::vector<std::string>> runs = {
      {"export", sheet, "--font-file", font, "--export", "all"},
      {"preview", dir.File("preview.png"), "--sample", "--font-file", font},
      {"autosize", "--full", "--font-file", font}};
  for (const std::vector<std::string>& args : runs) {
    SCOPED_TRACE(args[0]);
    const MeasuredRun run = RunCliMeasured(args);
    EXPECT_EQ(run.status, 0);
    if (!kSanitized) {
      EXPECT_LT(run.peakKiB, 256 * 1024);
    }
  }
  // Each cell shows the part of its box that falls in it.
  const SheetImage image = LoadSheetImage(sheet);
  std::set<std::array<std::uint8_t, 4>> colors(image.pixels.begin(), image.pixels.end());
  EXPECT_GE(colors.size(), 2u);
}

}  // namespace
