// Saving the pages of a map larger than the grid with its descriptors: all or none.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/descriptor_files.h"
#include "fileio/write_seams.h"
#include "render/sheet_pipeline.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

struct RecordingSink : MessageSink {
  void Show(std::string_view text, std::string_view, MessageIcon) override {
    shown += std::string(text) + "\n";
  }
  std::string shown;
};

// The temporary files made so far; from the third (page 2), a write takes half of what
// it is given and the next one finds the disk full.
int gTemporaries = 0;
bool gHalfWritten = false;

ssize_t FillsUpInPageTwo(int fd, const void* data, std::size_t size) {
  if (gTemporaries < 3) return ::write(fd, data, size);
  if (gHalfWritten) {
    errno = ENOSPC;
    return -1;
  }
  gHalfWritten = true;
  return ::write(fd, data, size / 2);
}

TEST(PagesSaveTest, AFullDiskInPageTwoLeavesEveryOldFile) {
  SheetOptions options;
  options.font = FontRequest{.face = "DejaVu Sans", .height = 14};
  options.tileSize = 16;
  options.colorSteps = 4;
  options.colorMode = ColorMode::kGradient;
  options.charMap = BuiltInCharMap(CharMapKind::kCp437);
  options.exportMode = ExportMode::kAll;
  options.grid = {16, 4};
  options.descriptors.fnt = true;
  RecordingSink sink;
  const std::optional<Sheet> sheet = RenderSheet(options, sink);
  ASSERT_TRUE(sheet);
  ASSERT_EQ(sheet->laterPages.size(), 3u);

  TempDir dir;
  const std::vector<std::string> names = {"p.png", "p_1.png", "p_2.png", "p_3.png", "p.fnt"};
  for (const std::string& name : names) std::ofstream(dir.File(name)) << "old " << name;

  const WriteSeams saved = CurrentWriteSeams();
  CurrentWriteSeams().write = FillsUpInPageTwo;
  CurrentWriteSeams().temporaryCreated = [](const char*) { ++gTemporaries; };
  const int result = SaveSheetAndDescriptors(*sheet, options, dir.File("p.png"), FIF_PNG, sink);
  CurrentWriteSeams() = saved;

  EXPECT_EQ(result, kFailed);
  EXPECT_EQ(gTemporaries, 3);
  EXPECT_TRUE(gHalfWritten);
  EXPECT_EQ(sink.shown, "Could not save the output bitmap!\n");
  for (const std::string& name : names) {
    std::ifstream in(dir.File(name));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old " + name);
  }
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    ++files;
    EXPECT_EQ(entry.path().filename().string().rfind(".glyphex-", 0), std::string::npos)
        << entry.path();
  }
  EXPECT_EQ(files, 5);
}

}  // namespace
