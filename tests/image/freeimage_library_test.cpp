// FreeImage opened at run time: names answered without it, and a library that is
// missing or incomplete reported instead of used.
#include <gtest/gtest.h>

#include <FreeImage.h>

#include <string>

#include "base/status.h"
#include "image/freeimage_library.h"
#include "image/png_writer.h"

namespace {

// The PNG shortcut must give the image library's own answer: the test binary links
// FreeImage, so every name is checked against it rather than against a list of ours.
TEST(FreeImageLibraryTest, PngNamesAreTheOnesTheLibraryTakesForPng) {
  const char* names[] = {
      "sheet.png",  "SHEET.PNG", "s.pNg", "png",    ".png",         "a.bmp.png", "a.png.bmp",
      "dir.png/a",  "dir.png/",  "a.pn",  "a.pngx", "a.png ",       "a.",        "sheet",
      "/tmp/x.Png", "a.tga",     "a.jpg", "ä.png",  "a.p\xC3\xB1g", "",
  };
  for (const char* name : names) {
    SCOPED_TRACE(std::string("\"") + name + "\"");
    EXPECT_EQ(FileNameMeansPng(name), FreeImage_GetFIFFromFilename(name) == FIF_PNG);
  }
}

TEST(FreeImageLibraryTest, AMissingOrForeignLibraryIsRefusedWithTheReason) {
  struct Row {
    const char* soname;
    const char* reasonHas;  // a part of the error text
  } rows[] = {
      {"libglyphex-no-such-library.so.0", "libglyphex-no-such-library.so.0"},
      {"libz.so.1", "has no function FreeImage_Allocate"},  // loads, but is not FreeImage
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.soname);
    FreeImageLibrary library;
    const Status loaded = LoadFreeImageLibrary(row.soname, library);
    EXPECT_FALSE(loaded.ok);
    EXPECT_NE(loaded.message.find(row.reasonHas), std::string::npos) << loaded.message;
    EXPECT_EQ(library.Allocate, nullptr);
  }
  FreeImageLibrary library;
  const Status loaded = LoadFreeImageLibrary(kFreeImageSoname, library);
  ASSERT_TRUE(loaded) << loaded.message;
  EXPECT_EQ(library.GetFIFFromFilename("x.tga"), FIF_TARGA);
}

}  // namespace
