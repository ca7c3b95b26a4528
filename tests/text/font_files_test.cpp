// Faces of formats that are rarely installed, written by the tests themselves: a
// BDF bitmap face, a Type 1 symbol face and a TrueType face without instructions.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <fstream>
#include <string>

#include "support/box_font.h"
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

// A side x side bitmap face with one glyph, a frame on code 65.
std::string BdfFont(int side = 8) {
  const std::string n = std::to_string(side);
  std::string bdf = "STARTFONT 2.1\nFONT -glyphex-test-medium-r-normal--" + n + "-" + n +
                    "0-75-75-c-" + n + "0-iso10646-1\nSIZE " + n + " 75 75\nFONTBOUNDINGBOX " + n +
                    " " + n + " 0 -1\nSTARTPROPERTIES 4\nFONT_ASCENT " + std::to_string(side - 1) +
                    "\nFONT_DESCENT 1\nCHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\n"
                    "ENDPROPERTIES\nCHARS 1\nSTARTCHAR A\nENCODING 65\nSWIDTH 500 0\nDWIDTH " +
                    n + " 0\nBBX " + n + " " + n + " 0 -1\nBITMAP\n";
  for (int row = 0; row < side; ++row) {
    for (int byte = 0; byte < (side + 7) / 8; ++byte) {
      int bits = 0;
      for (int x = byte * 8; x < byte * 8 + 8; ++x) {
        const bool set = x < side && (row == 0 || row == side - 1 || x == 0 || x == side - 1);
        bits = bits << 1 | (set ? 1 : 0);
      }
      bdf += "0123456789ABCDEF"[bits >> 4];
      bdf += "0123456789ABCDEF"[bits & 15];
    }
    bdf += "\n";
  }
  return bdf + "ENDCHAR\nENDFONT\n";
}

// Type 1 charstring and eexec encryption, with the four leading bytes of lenIV 4.
std::string Encrypt(const std::string& plain, std::uint16_t r) {
  std::string out;
  for (const unsigned char p : std::string(4, '\0') + plain) {
    const unsigned char c = p ^ (r >> 8);
    r = static_cast<std::uint16_t>((c + r) * 52845u + 22719u);
    out += static_cast<char>(c);
  }
  return out;
}

// A Type 1 charstring number.
std::string T1Number(int v) {
  std::string out;
  if (v >= -107 && v <= 107) return std::string(1, static_cast<char>(v + 139));
  const int m = (v > 0 ? v : -v) - 108;
  out += static_cast<char>((v > 0 ? 247 : 251) + m / 256);
  return out + static_cast<char>(m % 256);
}

// A symbol face as Type 1: code 65 holds "Alpha" (a box), which the Unicode map made
// from glyph names files under U+0391, not under "A".
std::string SymbolType1Font() {
  const auto charString = [](const std::string& name, const std::string& ops) {
    const std::string bytes = Encrypt(ops, 4330);
    return "/" + name + " " + std::to_string(bytes.size()) + " RD " + bytes + " ND\n";
  };
  const std::string box = T1Number(0) + T1Number(600) + "\x0d" + T1Number(50) + T1Number(0) +
                          "\x15" + T1Number(500) + "\x06" + T1Number(700) + "\x07" +
                          T1Number(-500) + "\x06\x09\x0e";
  const std::string secret =
      "dup /Private 6 dict dup begin\n/RD{string currentfile exch readstring pop}executeonly def\n"
      "/ND{noaccess def}executeonly def\n/NP{noaccess put}executeonly def\n/BlueValues [] ND\n"
      "/password 5839 def\n2 index /CharStrings 2 dict dup begin\n" +
      charString(".notdef", T1Number(0) + T1Number(600) + "\x0d\x0e") + charString("Alpha", box) +
      "end\nend\nreadonly put\nnoaccess put\ndup/FontName get exch definefont pop\n"
      "mark currentfile closefile\n";
  std::string hex;
  for (const unsigned char c : Encrypt(secret, 55665)) {
    hex += "0123456789abcdef"[c >> 4];
    hex += "0123456789abcdef"[c & 15];
    if (hex.size() % 65 == 64) hex += '\n';
  }
  return "%!PS-AdobeFont-1.0: GlyphexTestSymbol 001.000\n11 dict begin\n"
         "/FontInfo 1 dict dup begin\n/FamilyName (Glyphex Test Symbol) readonly def\n"
         "end readonly def\n/FontName /GlyphexTestSymbol def\n/PaintType 0 def\n"
         "/FontType 1 def\n/FontMatrix [0.001 0 0 0.001 0 0] readonly def\n"
         "/Encoding 256 array\n0 1 255 {1 index exch /.notdef put} for\ndup 65 /Alpha put\n"
         "readonly def\n/FontBBox {0 0 600 700} readonly def\ncurrentdict end\n"
         "currentfile eexec\n" +
         hex + "\n" + std::string(8, '\n') + "cleartomark\n";
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

TEST(TextFontFilesTest, BitmapGlyphTooLargeToKeepDrawsInParts) {
  const TempDir dir;
  const std::string file = WriteFile(dir, "large.bdf", BdfFont(400));
  const TextFontPtr font = OpenTextFontFile(file, 0, Request("", 400));
  ASSERT_NE(font, nullptr);
  ASSERT_FALSE(RenderChar(*font, U'A').kept);
  // Clipped draws in tiles add up to the whole frame.
  PixelSurface surface;
  ASSERT_TRUE(ResizePixelSurface(surface, 450, 450));
  for (int y = 0; y < 450; y += 67) {
    for (int x = 0; x < 450; x += 61) {
      const PixelRect clip{x, y, x + 61, y + 67};
      DrawCharAt(surface, *font, U'A', 20, 20, &clip, false, false);
    }
  }
  const InkBox ink = MeasureInk(surface);
  EXPECT_EQ(ink.lit, 4 * 400 - 4);
  EXPECT_EQ(ink.left, 20);
  EXPECT_EQ(ink.top, 20);
  EXPECT_EQ(ink.right, 419);
  EXPECT_EQ(ink.bottom, 419);
}

TEST(TextFontFilesTest, SymbolType1FaceDrawsThroughItsEncoding) {
  const TempDir dir;
  const std::string file = WriteFile(dir, "symbol.pfa", SymbolType1Font());
  const TextFontPtr font = OpenTextFontFile(file, 0, Request("", -20));
  ASSERT_NE(font, nullptr);
  ASSERT_EQ(GetFontMetrics(*font).family, "Glyphex Test Symbol");
  // Code 65 is the box, 10 px wide and 14 high at 20 ppem; code 66 is not encoded.
  const InkBox box = MeasureInk(DrawCode(*font, 65));
  EXPECT_EQ(box.right - box.left + 1, 10);
  EXPECT_EQ(box.bottom - box.top + 1, 14);
  EXPECT_EQ(MeasureInk(DrawCode(*font, 66)).lit, 0);
}

TEST(TextFontFilesTest, UnhintedTrueTypeIsNotAutoHinted) {
  const TempDir dir;
  const std::string file = WriteFile(dir, "unhinted.ttf", BoxTrueTypeFont({}));
  // At 21 ppem the box's top lies at 13.65 px: drawn from its outline, the top row
  // is partly covered; the auto-hinter would move the edge onto the pixel grid.
  const TextFontPtr font = OpenTextFontFile(file, 0, Request("", -21));
  ASSERT_NE(font, nullptr);
  const GlyphImage& glyph = RenderChar(*font, U'H');
  ASSERT_EQ(glyph.top, 14);
  ASSERT_GT(glyph.width, 4);
  const std::uint8_t middleOfTopRow = glyph.coverage[static_cast<std::size_t>(glyph.width / 2)];
  EXPECT_GT(middleOfTopRow, 0);
  EXPECT_LT(middleOfTopRow, 255);
}

}  // namespace
