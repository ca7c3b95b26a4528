// FreeType's stream over a font file: what it reads through its kept blocks is what the
// file holds, across block edges and at the file's end.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "text/face_cache.h"
#include "text/font_source.h"

namespace {

constexpr const char* kMono = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

TEST(TextFontStream, ReadsWhatTheFileHoldsAcrossBlocksAndAtItsEnd) {
  std::ifstream in(kMono, std::ios::binary);
  const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), {});
  ASSERT_GT(file.size(), 4 * kFontStreamBlockBytes);
  Result<FontSourcePtr> source = OpenFontSource(kMono);
  ASSERT_TRUE(source);
  const SourceFace opened = OpenSourceFace(SharedFreeTypeLibrary().get(), *source, 0);
  ASSERT_TRUE(opened.face);
  FT_Stream stream = &opened.stream->stream;

  const unsigned long size = file.size(), block = kFontStreamBlockBytes;
  struct Row {
    unsigned long offset, count, expected;
  };
  // More distinct blocks than are kept, then the first again: one is read anew.
  const Row rows[] = {
      {0, 12, 12},
      {block - 5, 10, 10},
      {3 * block + 7, block - 1, block - 1},
      {size - 3, 10, 3},
      {size, 4, 0},
      {size + 9, 4, 0},
      {100, 2 * block, 2 * block},
      {5 * block, 64, 64},
      {6 * block, 64, 64},
      {7 * block, 64, 64},
      {8 * block, 64, 64},
      {9 * block, 64, 64},
      {10 * block, 64, 64},
      {0, 12, 12},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.offset);
    std::vector<unsigned char> got(row.count, 0xEE);
    ASSERT_EQ(stream->read(stream, row.offset, got.data(), row.count), row.expected);
    if (row.expected > 0) {
      EXPECT_TRUE(std::equal(got.begin(), got.begin() + row.expected, file.begin() + row.offset));
    }
  }
}

}  // namespace
