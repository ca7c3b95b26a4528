// Faces of formats that are rarely installed, written by the tests themselves.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <fstream>
#include <string>

#include "support/temp_dir.h"
#include "text/text_font.h"
#include "text/text_font_internal.h"
#include "text_test_support.h"

namespace {

std::string WriteFile(const TempDir& dir, const std::string& name, const std::string& bytes) {
  const std::string path = dir.File(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// An 8 x 8 bitmap face with one glyph, a frame on code 65.
std::string BdfFont() {
  std::string bdf =
      "STARTFONT 2.1\nFONT -glyphex-test-medium-r-normal--8-80-75-75-c-80-iso10646-1\n"
      "SIZE 8 75 75\nFONTBOUNDINGBOX 8 8 0 -1\nSTARTPROPERTIES 4\nFONT_ASCENT 7\n"
      "FONT_DESCENT 1\nCHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\nENDPROPERTIES\n"
      "CHARS 1\nSTARTCHAR A\nENCODING 65\nSWIDTH 500 0\nDWIDTH 8 0\nBBX 8 8 0 -1\nBITMAP\nFF\n";
  for (int row = 0; row < 6; ++row) bdf += "81\n";
  return bdf + "FF\nENDCHAR\nENDFONT\n";
}

// Draws code alone at the top-left of a 64 x 64 surface.
PixelSurface DrawCode(TextFont& font, std::uint8_t code) {
  PixelSurface surface;
  EXPECT_TRUE(ResizePixelSurface(surface, 64, 64));
  DrawCharAt(surface, font, CodeToChar(font, code), 0, 0, nullptr, false, false);
  return surface;
}

TEST(TextFontFilesTest, BitmapFaceServesEveryHeight) {
  const TempDir dir;
  const std::string file = WriteFile(dir, "test.bdf", BdfFont());
  // The one 8-pixel strike serves any height, the extremes of int included.
  for (const int height : {0, 8, -8, 1, INT_MAX, INT_MIN, INT_MIN + 1}) {
    SCOPED_TRACE(height);
    const TextFontPtr font = OpenTextFontFile(file, 0, Request("", height));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(GetFontMetrics(*font).ppemY, 8);
    EXPECT_EQ(MeasureInk(DrawCode(*font, 65)).lit, 28);  // the frame's pixels
  }
}

}  // namespace
