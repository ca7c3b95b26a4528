// The image color modes and LoadTextureImage, with textures written to a temporary
// folder by FreeImage.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "color/fillers.h"
#include "color_test_support.h"
#include "headless/headless_host.h"
#include "image/texture_image.h"
#include "options/control_ids.h"

namespace {

namespace fs = std::filesystem;

// Texels given top row first as blue, green, red, alpha.
using Texels = std::vector<std::vector<Bgra>>;

class ColorTextureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(testing::TempDir()) /
              ("glyphex-texture-" + std::to_string(::getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Writes texels as a 32-bit image (with alpha) under name; returns its path.
  std::string WriteTexture(const std::string& name, const Texels& texels) {
    const int height = static_cast<int>(texels.size());
    const int width = static_cast<int>(texels[0].size());
    BitmapHandle image(FreeImage_Allocate(width, height, 32, 0, 0, 0));
    for (int v = 0; v < height; ++v) {
      std::uint8_t* line = FreeImage_GetScanLine(image.get(), height - 1 - v);
      for (int u = 0; u < width; ++u)
        for (int k = 0; k < 4; ++k) line[4 * u + k] = static_cast<std::uint8_t>(texels[v][u][k]);
    }
    const std::string path = (folder_ / name).string();
    EXPECT_TRUE(
        FreeImage_Save(FreeImage_GetFIFFromFilename(path.c_str()), image.get(), path.c_str(), 0));
    return path;
  }

  std::string WriteBytes(const std::string& name, const std::string& bytes) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  // A 2 x 2 image of float RGB pixels, which has no 32-bit conversion.
  std::string WriteFloatImage(const std::string& name) {
    BitmapHandle image(FreeImage_AllocateT(FIT_RGBF, 2, 2));
    const std::string path = (folder_ / name).string();
    EXPECT_TRUE(FreeImage_Save(FIF_PFM, image.get(), path.c_str(), 0));
    return path;
  }

  // The texture the Path field names; a load that fails throws, failing the test.
  TextureImage Texture() { return LoadTextureImage(host.Text(kIdTexturePath), host).value(); }

  HeadlessHost host;
  Dialog dlg{host};
  fs::path folder_;
};

constexpr int kTile = 4, kWidth = 128, kHeight = 32;

TEST_F(ColorTextureTest, ImageOnlyRepeatsTheTextureFromTheTopLeftIgnoringAlpha) {
  // 3 x 2 texels, transparent ones included; the pattern crosses tile edges.
  const Texels texels = {{{1, 2, 3, 0}, {4, 5, 6, 128}, {7, 8, 9, 255}},
                         {{10, 11, 12, 0}, {13, 14, 15, 0}, {16, 17, 18, 0}}};
  host.SetText(kIdTexturePath, WriteTexture("tile.png", texels));
  const GlyphSurface sheet = MakeSheet(kTile, PatternLit);
  Bitmap32Handle bitmap = MakeMarkedBitmap(kWidth, kHeight);
  ASSERT_TRUE(FillImageOnly(bitmap.get(), sheet, Texture(), kWidth, kHeight, ColorTriple{9, 8, 7}));
  ExpectEveryPixel(bitmap.get(), kWidth, kHeight, [&](int x, int y) -> Bgra {
    if (!PatternLit(x, y)) return {7, 8, 9, 255};
    const Bgra& texel = texels[y % 2][x % 3];
    return {texel[0], texel[1], texel[2], 255};
  });
  // Sheet pixel (7, 5) takes texel (7 mod 3, 5 mod 2) = (1, 1).
  EXPECT_TRUE(PatternLit(7, 5));
  EXPECT_EQ(SheetPixel(bitmap.get(), 7, 5), (Bgra{13, 14, 15, 255}));
  EXPECT_TRUE(host.messages().empty());
}

TEST_F(ColorTextureTest, GradientOverImageAddsTheBandAndClamps) {
  // One texel under every pixel; two steps, so the lower half of each tile has
  // e = 0.5 and the upper half e = 0.
  host.SetText(kIdTexturePath, WriteTexture("one.png", {{{100, 50, 250, 255}}}));
  const GlyphSurface sheet = MakeSheet(kTile, PatternLit);
  Bitmap32Handle bitmap = MakeMarkedBitmap(kWidth, kHeight);
  const ColorTriple top{10, 20, 30}, sub{110, 20, 0};
  ASSERT_TRUE(FillGradientOverImage(bitmap.get(), sheet, Texture(), kWidth, kHeight, kTile, 2.0f,
                                    top, sub, ColorTriple{0, 0, 0}));
  ExpectEveryPixel(bitmap.get(), kWidth, kHeight, [&](int x, int y) -> Bgra {
    if (!PatternLit(x, y)) return {0, 0, 0, 255};
    if (y % kTile < 2) return {130, 70, 255, 255};  // 100+30, 50+20, 250+10 -> 255
    return {115, 70, 255, 255};                     // blue 100+30-15; red 310 -> 255
  });

  // Sums below 0 are stored as 0; with one step every lit pixel is texel + TopColor.
  Bitmap32Handle dark = MakeMarkedBitmap(kWidth, kHeight);
  ASSERT_TRUE(FillGradientOverImage(dark.get(), sheet, Texture(), kWidth, kHeight, kTile, 1.0f,
                                    ColorTriple{-300, -20, 5}, ColorTriple{0, 0, 0},
                                    ColorTriple{0, 0, 0}));
  ExpectEveryPixel(dark.get(), kWidth, kHeight, [&](int x, int y) -> Bgra {
    return PatternLit(x, y) ? Bgra{105, 30, 0, 255} : Bgra{0, 0, 0, 255};
  });
}

TEST_F(ColorTextureTest, ReliefOverImageAddsTheReliefColorAndClamps) {
  host.SetText(kIdTexturePath, WriteTexture("one.png", {{{10, 10, 100, 0}}}));
  // A diagonal stroke in tile 0: TopColor, SubColor, SubColor.
  auto lit = [](int x, int y) { return x == y && x >= 1 && x <= 3; };
  const GlyphSurface sheet = MakeSheet(kTile, lit);
  Bitmap32Handle bitmap = MakeMarkedBitmap(kWidth, kHeight);
  const ColorTriple top{-50, 1, 2}, sub{200, 0, 0};
  ASSERT_TRUE(FillReliefOverImage(bitmap.get(), sheet, Texture(), kWidth, kHeight,
                                  PixelSize{kTile, kTile}, top, sub, ColorTriple{5, 6, 7}));
  ExpectEveryPixel(bitmap.get(), kWidth, kHeight, [&](int x, int y) -> Bgra {
    if (!lit(x, y)) return {7, 6, 5, 255};
    if (x == 1) return {12, 11, 50, 255};  // TopColor: red 100 - 50
    return {10, 10, 255, 255};             // SubColor: red 300 -> 255
  });
}

TEST_F(ColorTextureTest, UnusableTextureLeavesTheBitmapUntouchedAfterOneMessage) {
  struct Case {
    const char* what;
    std::string path;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"no format", WriteBytes("texture.nosuchformat", "abc"),
       "Unknown Image Format of the font image!"},
      {"no extension", (folder_ / "texture").string(), "Unknown Image Format of the font image!"},
      {"missing file", (folder_ / "missing.png").string(), "Could not load the font image file!"},
      {"float pixels", WriteFloatImage("float.pfm"),
       "Could not convert the font image to 32 bits!"},
      {"damaged file", WriteBytes("damaged.png", std::string(64, '\x5A')),
       "Could not load the font image file!"},
  };
  const GlyphSurface sheet = MakeSheet(kTile, PatternLit);
  FillValues values{kWidth,    kHeight,   {kTile, kTile}, 2.0f,
                    {1, 2, 3}, {1, 2, 3}, {1, 2, 3},      nullptr};
  for (const Case& c : cases) {
    for (ColorMode mode :
         {ColorMode::kImageOnly, ColorMode::kGradientOverImage, ColorMode::kReliefOverImage}) {
      SCOPED_TRACE(testing::Message() << c.what << ", mode " << static_cast<int>(mode));
      host.ClearMessages();
      Bitmap32Handle bitmap = MakeMarkedBitmap(kWidth, kHeight);
      const std::vector<std::uint8_t> before = BitmapBytes(bitmap.get());
      ASSERT_TRUE(FillNeedsTexture(mode, bitmap.get(), values));
      const std::optional<TextureImage> texture = LoadTextureImage(c.path, host);
      EXPECT_FALSE(texture.has_value());
      EXPECT_FALSE(FillSheet(mode, bitmap.get(), sheet, values));
      EXPECT_EQ(BitmapBytes(bitmap.get()), before);
      ASSERT_EQ(host.messages().size(), 1u);
      // The messages this program chose go on with the file and the reason.
      const std::string& text = host.messages()[0].text;
      EXPECT_EQ(text.substr(0, text.find('\n')), c.message);
      if (text != "Unknown Image Format of the font image!") {
        EXPECT_NE(text.find("\n" + c.path + "\n"), std::string::npos) << text;
      }
      EXPECT_EQ(host.messages()[0].title, "Error");
      EXPECT_EQ(host.messages()[0].icon, MessageIcon::kWarning);
    }
  }
}

}  // namespace
