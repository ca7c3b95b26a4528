// Choosing and decoding the family name among name table records, and reading
// names from files.
#include "text/sfnt_names.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "fileio/file_handle.h"
#include "text/text_font.h"
#include "text_test_support.h"

namespace {

using namespace std::string_view_literals;

TEST(TextSfntNamesTest, PrefersWindowsEnglish) {
  const std::string_view german = "\0D\0e\0u\0t\0s\0c\0h"sv;
  const std::string_view us = "\0U\0S"sv;
  const std::string_view uk = "\0U\0K"sv;
  const std::string_view mac = "Mac\x8A"sv;  // "Macä" in Mac OS Roman
  EXPECT_EQ(PickFamilyName(
                {{1, 0, 0, mac}, {3, 1, 0x0407, german}, {3, 1, 0x0809, uk}, {3, 1, 0x0409, us}}),
            "US");
  EXPECT_EQ(PickFamilyName({{1, 0, 0, mac}, {3, 1, 0x0407, german}, {3, 1, 0x0809, uk}}), "UK");
  EXPECT_EQ(PickFamilyName({{1, 0, 0, mac}, {3, 1, 0x0407, german}}), "Deutsch");
  EXPECT_EQ(PickFamilyName({{1, 0, 0, mac}, {3, 3, 0x0409, "xx"sv}}), "Mac\xC3\xA4");
  // A surrogate pair decodes to one character; an empty name is passed over.
  EXPECT_EQ(PickFamilyName({{3, 1, 0x0409, ""sv}, {3, 10, 0x0409, "\xD8\x3D\xDE\x00"sv}}),
            "\xF0\x9F\x98\x80");
  EXPECT_EQ(PickFamilyName({}), "");
}

TEST(TextSfntNamesTest, ReadsFilesAndRejectsDamagedOnes) {
  const TextFontPtr font = OpenTextFont(Request("DejaVu Sans", 20, 0, 400, true));
  ASSERT_NE(font, nullptr);
  const std::string path = GetFontMetrics(*font).file;
  const auto read = [&](const std::string& file, long index) {
    const FileDescriptor fd(open(file.c_str(), O_RDONLY | O_CLOEXEC));
    return ReadSfntFaceInfo(fd.get(), index);
  };
  const Result<SfntFaceInfo> info = read(path, 0);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->family, "DejaVu Sans");
  EXPECT_EQ(info->weight, 400);
  EXPECT_TRUE(info->italic);
  EXPECT_FALSE(read(path, 1));  // not a collection

  // Cut copies of the file: never read beyond what is there.
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 1000u);
  const std::string cut = testing::TempDir() + "glyphex_cut_font.ttf";
  for (std::size_t length :
       {std::size_t{0}, std::size_t{4}, std::size_t{12}, std::size_t{100}, std::size_t{400}}) {
    SCOPED_TRACE(length);
    std::ofstream(cut, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(length));
    EXPECT_FALSE(read(cut, 0));
  }
  std::remove(cut.c_str());
  EXPECT_FALSE(read("/nonexistent/glyphex.ttf", 0));
}

}  // namespace
