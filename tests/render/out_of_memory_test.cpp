// A 16384 x 16384 sheet rendered and saved where no other sheet-sized buffer fits in
// memory: each run says so in its own words and keeps the old file; the colored PNG,
// compressed as its rows come, needs no such buffer and is written.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "image/freeimage_library.h"
#include "render/sheet_pipeline.h"
#include "support/temp_dir.h"

namespace {

constexpr char kNoMemory[] = "Could not allocate memory for the output bitmap!\n";

// Runs step in a child whose address space may grow by 64 MiB at most; the messages it
// showed, one a line, then its exit status, or "died" when it did not exit.
std::string UnderMemoryLimit(const std::function<int(MessageSink&)>& step) {
  struct PipeSink : MessageSink {
    int fd = -1;
    void Show(std::string_view text, std::string_view, MessageIcon) override {
      const std::string line = std::string(text) + "\n";
      if (write(fd, line.data(), line.size()) < 0) _exit(3);
    }
  };
  int fds[2];
  if (pipe(fds) != 0) return "no pipe";
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t limit = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (rlim_t{64} << 20);
    const rlimit rl{limit, limit};
    if (setrlimit(RLIMIT_AS, &rl) != 0) _exit(4);
    PipeSink sink;
    sink.fd = fds[1];
    // An exception that escapes ends the child here, not in the test framework's hands.
    [&]() noexcept { _exit(step(sink)); }();
  }
  close(fds[1]);
  std::string shown;
  char buffer[256];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) shown.append(buffer, n);
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return shown + (WIFEXITED(status) ? std::to_string(WEXITSTATUS(status)) : "died");
}

TEST(OutOfMemoryTest, EveryHugeBufferThatFailsIsReportedAndKeepsTheOldFile) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer's allocator cannot run under an address-space limit";
#endif
  ASSERT_NE(OpenFreeImage(), nullptr);  // loaded before the limit, as a run would have it
  constexpr int kSide = 16384;
  Sheet sheet;
  sheet.width = sheet.height = kSide;
  sheet.bitmap = AllocateBitmap32(kSide, kSide);
  ASSERT_TRUE(sheet.bitmap);
  ASSERT_TRUE(ResizePixelSurface(sheet.coverage, kSide, kSide));

  // Rendering afresh: the sheet's own surface is the first buffer of its size.
  SheetOptions options;
  options.tileSize = 16;
  options.colorSteps = 1;
  options.grid = {256, 256};
  options.cell = {64, 64};
  options.colorMode = ColorMode::kGradient;
  struct QuietSink : MessageSink {
    void Show(std::string_view, std::string_view, MessageIcon) override {}
  } quiet;
  SheetOptions small = options;
  small.grid = {32, 8};
  ASSERT_TRUE(RenderSheet(small, quiet));  // fonts found before the limit

  struct Row {
    OutputKind output;
    const char* name;
    bool fits = false;  // needs no sheet-sized buffer: the colored PNG, encoded as rows come
  };
  const Row rows[] = {{OutputKind::kColor, "sheet.bmp"},       {OutputKind::kColor, "sheet.tga"},
                      {OutputKind::kColor, "sheet.png", true}, {OutputKind::kAlpha, "sheet.bmp"},
                      {OutputKind::kAlpha, "sheet.tga"},       {OutputKind::kGray, "sheet.tga"},
                      {OutputKind::kGray, "sheet.bmp"},        {OutputKind::kMono, "sheet.bmp"},
                      {OutputKind::kMono, "sheet.tga"}};
  const TempDir dir;
  for (const char* name : {"sheet.bmp", "sheet.tga", "sheet.png"}) {
    std::ofstream(dir.File(name)) << "old";
  }
  // One child takes every row in turn (a fork of a process this size is not free), each
  // row's status after its messages.
  std::string expected;
  for (const Row& row : rows) {
    expected += (row.fits ? std::string() : kNoMemory) + row.name + " as " +
                std::to_string(static_cast<int>(row.output)) + (row.fits ? ": 0\n" : ": 1\n");
  }
  expected += kNoMemory + std::string("render: 1\n0");
  EXPECT_EQ(
      UnderMemoryLimit([&](MessageSink& sink) {
        for (const Row& row : rows) {
          sheet.output = row.output;
          const int status =
              ExitCode(SaveSheet(sheet, dir.File(row.name), *SheetFileFormat(row.name), sink));
          sink.Show(std::string(row.name) + " as " + std::to_string(static_cast<int>(row.output)) +
                        ": " + std::to_string(status),
                    "", MessageIcon::kInformation);
        }
        const bool rendered = RenderSheet(options, sink).has_value();
        sink.Show(rendered ? "render: 0" : "render: 1", "", MessageIcon::kInformation);
        return 0;
      }),
      expected);
  for (const char* name : {"sheet.bmp", "sheet.tga"}) {
    std::ifstream in(dir.File(name));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old") << name;
  }
  std::ifstream png(dir.File("sheet.png"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(png), {}).substr(1, 3), "PNG");
}

}  // namespace
