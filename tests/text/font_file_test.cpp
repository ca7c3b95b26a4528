// Font files added for the session: named, listed and matched as installed files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "support/fifo_guard.h"
#include "support/temp_dir.h"
#include "text/case_fold.h"
#include "text/font_catalog.h"
#include "text/font_list.h"
#include "text/font_match.h"
#include "text/text_font_internal.h"

namespace {

constexpr const char* kMono = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

// Every test leaves the catalog as a fresh process has it.
class TextFontFileTest : public ::testing::Test {
 protected:
  void TearDown() override { ForgetAddedFontFiles(); }
};

TEST_F(TextFontFileTest, AddedFileIsListedOnceAndServesItsStyleFirst) {
  // Under /var/tmp, whose path sorts after the installed file's /usr: the catalog's own
  // order would put the installed file first.
  TempDir dir("/var/tmp");
  const std::string copy = dir.File("DejaVuSansMono.ttf");
  ASSERT_TRUE(std::filesystem::copy_file(kMono, copy));
  const std::size_t filesBefore = InstalledFontCatalog().files.size();

  for (int round = 0; round < 2; ++round) {  // the second adds nothing new
    SCOPED_TRACE(round);
    const Result<std::vector<std::string>> families = AddFontFile(copy);
    ASSERT_TRUE(families) << families.message();
    EXPECT_EQ(*families, std::vector<std::string>{"DejaVu Sans Mono"});
    EXPECT_EQ(InstalledFontCatalog().files.size(), filesBefore + 1);
  }
  const std::vector<std::string>& list = InstalledTypefaces();
  EXPECT_EQ(std::count(list.begin(), list.end(), "DejaVu Sans Mono"), 1);
  for (std::size_t i = 1; i < list.size(); ++i) {
    EXPECT_LT(CompareIgnoringCase(list[i - 1], list[i]), 0) << list[i];
  }

  Result<FaceChoice> regular =
      ChooseFace({.face = "dejavu sans mono", .height = 16, .weight = 400});
  ASSERT_TRUE(regular);
  EXPECT_EQ(regular->file, copy);
  // Bold is still served by the installed bold file, not synthesized from the copy.
  const Result<FaceChoice> bold =
      ChooseFace({.face = "DejaVu Sans Mono", .height = 16, .weight = 700});
  ASSERT_TRUE(bold);
  EXPECT_NE(bold->file, copy);
  EXPECT_EQ(bold->weight, 700);

  ForgetAddedFontFiles();  // the test seam itself: the installed files serve again
  EXPECT_EQ(InstalledFontCatalog().files.size(), filesBefore);
  regular = ChooseFace({.face = "DejaVu Sans Mono", .height = 16, .weight = 400});
  ASSERT_TRUE(regular);
  EXPECT_NE(regular->file, copy);
}

// A FIFO is refused before FreeType could block on it, when a file is added and when
// the face cache opens a face (the other refusals are checked through glyphex-cli's
// messages).
TEST_F(TextFontFileTest, RefusesAFifoWithoutBlocking) {
  TempDir dir;
  const std::string fifo = dir.File("pipe.ttf");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::size_t filesBefore = InstalledFontCatalog().files.size();
  const Result<std::vector<std::string>> families =
      CallGuardedAgainstFifo(fifo, [&] { return AddFontFile(fifo); });
  EXPECT_EQ(families.message(),
            "Could not open the font file \"" + fifo + "\": it is not a regular file.");
  EXPECT_EQ(InstalledFontCatalog().files.size(), filesBefore);
  EXPECT_EQ(CallGuardedAgainstFifo(fifo, [&] { return OpenTextFontFile(fifo, 0, {}); }), nullptr);
}

// An added file is opened once and read through that descriptor: a FIFO renamed over it
// at any moment, while it is added or after, when its face is drawn, blocks nothing.
TEST_F(TextFontFileTest, ReadsAnAddedFileThroughOneDescriptor) {
  TempDir dir;
  const std::string font = dir.File("font.ttf");
  const std::string fifo = dir.File("pipe");  // the guard's way in, whatever path holds
  const std::string path = dir.File("swapped.ttf");
  ASSERT_TRUE(std::filesystem::copy_file(kMono, font));
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const auto swapIn = [&](const std::string& from, const std::string& spare) {
    unlink(spare.c_str());
    if (link(from.c_str(), spare.c_str()) == 0) std::rename(spare.c_str(), path.c_str());
  };
  swapIn(font, dir.File("spare"));

  std::atomic<bool> stop = false;
  std::thread swapper([&] {
    for (bool toFifo = true; !stop; toFifo = !toFifo) {
      swapIn(toFifo ? fifo : font, dir.File("spare-swapper"));
    }
  });
  CallGuardedAgainstFifo(fifo, [&] {
    // Enough rounds that reopening the path after the check hung in every try.
    for (int i = 0; i < 5000; ++i) {
      const Result<std::vector<std::string>> families = AddFontFile(path);
      EXPECT_TRUE(families || families.message().ends_with(": it is not a regular file."))
          << families.message();
    }
    return 0;
  });
  stop = true;
  swapper.join();

  swapIn(font, dir.File("spare"));
  ASSERT_TRUE(AddFontFile(path));
  swapIn(fifo, dir.File("spare"));
  const TextFontPtr drawn =
      CallGuardedAgainstFifo(fifo, [] { return OpenTextFont({.face = "DejaVu Sans Mono"}); });
  ASSERT_NE(drawn, nullptr);
  EXPECT_EQ(GetFontMetrics(*drawn).file, path);
}

}  // namespace
