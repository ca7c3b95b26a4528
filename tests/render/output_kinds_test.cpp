// The output kinds of a sheet, read back from their files by the image library: each
// lights exactly the pixels the colored sheet of the same options lights.
#include <gtest/gtest.h>

#include <FreeImage.h>

#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "base/sheet_modes.h"
#include "image/image_decode.h"
#include "render/sheet_pipeline.h"
#include "support/temp_dir.h"

namespace {

struct SilentSink : MessageSink {
  int shown = 0;
  void Show(std::string_view, std::string_view, MessageIcon) override { ++shown; }
};

// Blue, green, red, alpha of every pixel, top row first; empty when the file cannot be
// read. Gray and 1-bit files come back with their level in blue, green and red.
std::vector<std::array<std::uint8_t, 4>> LoadPixels(const std::string& path, int& bpp) {
  std::vector<std::array<std::uint8_t, 4>> pixels;
  const FREE_IMAGE_FORMAT fif = FreeImage_GetFIFFromFilename(path.c_str());
  BitmapHandle file(FreeImage_Load(fif, path.c_str(), 0));
  if (!file) {
    // The image library reads no BMP with a V5 header, as the alpha output has: the
    // program's own decoder reads those with stb_image.
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (Result<BitmapHandle> decoded = DecodeImage(fif, bytes, {})) file = std::move(*decoded);
  }
  if (!file) return pixels;
  bpp = static_cast<int>(FreeImage_GetBPP(file.get()));
  FIBITMAP* rgba = FreeImage_ConvertTo32Bits(file.get());
  if (!rgba) return pixels;
  const int width = static_cast<int>(FreeImage_GetWidth(rgba));
  const int height = static_cast<int>(FreeImage_GetHeight(rgba));
  for (int y = 0; y < height; ++y) {
    const BYTE* line = FreeImage_GetScanLine(rgba, height - 1 - y);
    for (int x = 0; x < width; ++x) {
      pixels.push_back({line[4 * x], line[4 * x + 1], line[4 * x + 2], line[4 * x + 3]});
    }
  }
  FreeImage_Unload(rgba);
  return pixels;
}

// Large letters in small cells, so that some overflow is trimmed (a trimmed pixel that
// kept its coverage would be lit in every kind but the colored one), colored far from
// the background; the text layer antialiases their edges.
SheetOptions Options() {
  SheetOptions options;
  options.font = FontRequest{"DejaVu Sans", 14, 0, 400, false, false};
  options.tileSize = 10;
  options.colorSteps = 2;
  options.bg = {255, 0, 255};
  options.top = {10, 20, 30};
  options.sub = {40, 50, 60};
  options.exportMode = ExportMode::kAll;
  options.colorMode = ColorMode::kGradient;
  options.trim = true;
  return options;
}

TEST(OutputKindsTest, EveryKindLightsTheColoredSheetsPixels) {
  SilentSink sink;
  std::optional<Sheet> sheet = RenderSheet(Options(), sink);
  ASSERT_TRUE(sheet.has_value());
  TempDir dir;
  for (const char* extension : {"png", "bmp", "tga"}) {
    SCOPED_TRACE(extension);
    struct Written {
      OutputKind kind;
      int bpp;  // what the file holds
      std::vector<std::array<std::uint8_t, 4>> pixels;
    };
    std::array<Written, 4> files = {
        {{OutputKind::kColor, 32, {}},
         {OutputKind::kAlpha, 32, {}},
         {OutputKind::kGray, 8, {}},
         {OutputKind::kMono, std::string(extension) == "tga" ? 8 : 1, {}}}};
    for (Written& file : files) {
      sheet->output = file.kind;
      const std::string path =
          dir.File("sheet" + std::to_string(static_cast<int>(file.kind)) + "." + extension);
      ASSERT_TRUE(SaveSheet(*sheet, path, *SheetFileFormat(path), sink).ok);
      int bpp = 0;
      file.pixels = LoadPixels(path, bpp);
      ASSERT_EQ(file.pixels.size(), static_cast<std::size_t>(sheet->width) * sheet->height);
      EXPECT_EQ(bpp, file.bpp) << static_cast<int>(file.kind);
    }
    const auto& color = files[0].pixels;
    const auto& alpha = files[1].pixels;
    const auto& gray = files[2].pixels;
    const auto& mono = files[3].pixels;
    std::set<int> alphaLevels;
    for (std::size_t i = 0; i < color.size(); ++i) {
      const bool lit = !(color[i][0] == 255 && color[i][1] == 0 && color[i][2] == 255);
      ASSERT_EQ(alpha[i][3] > 0, lit) << "pixel " << i;
      ASSERT_EQ(gray[i][0], alpha[i][3]) << "pixel " << i;
      ASSERT_EQ(mono[i][0], lit ? 255 : 0) << "pixel " << i;
      if (lit) {
        ASSERT_EQ(alpha[i][0], color[i][0]);
        ASSERT_EQ(alpha[i][1], color[i][1]);
        ASSERT_EQ(alpha[i][2], color[i][2]);
        alphaLevels.insert(alpha[i][3]);
      }
    }
    EXPECT_GE(alphaLevels.size(), 3u);
  }
  EXPECT_EQ(sink.shown, 0);
}

TEST(OutputKindsTest, MonoSetsThePixelsAtOrAboveTheThreshold) {
  SilentSink sink;
  std::optional<Sheet> sheet = RenderSheet(Options(), sink);
  ASSERT_TRUE(sheet.has_value());
  TempDir dir;
  sheet->output = OutputKind::kGray;
  int bpp = 0;
  ASSERT_TRUE(SaveSheet(*sheet, dir.File("gray.png"), FIF_PNG, sink).ok);
  const auto gray = LoadPixels(dir.File("gray.png"), bpp);
  sheet->output = OutputKind::kMono;
  for (int threshold : {1, 2, 128, 254, 255}) {
    SCOPED_TRACE(threshold);
    sheet->monoThreshold = threshold;
    ASSERT_TRUE(SaveSheet(*sheet, dir.File("mono.bmp"), FIF_BMP, sink).ok);
    const auto mono = LoadPixels(dir.File("mono.bmp"), bpp);
    ASSERT_EQ(mono.size(), gray.size());
    int set = 0;
    for (std::size_t i = 0; i < gray.size(); ++i) {
      ASSERT_EQ(mono[i][0] == 255, gray[i][0] >= threshold) << "pixel " << i;
      set += mono[i][0] == 255;
    }
    EXPECT_GT(set, 0);
  }
  // No threshold sets an unlit pixel.
  for (int threshold : {-5, 0, 1, 255, 300}) {
    EXPECT_FALSE(MonoBit(0, threshold)) << threshold;
  }
}

}  // namespace

TEST(OutputKindsTest, AlphaGivesUnlitPixelsTheColorOfTheNearestLitPixelOfTheirCell) {
  SilentSink sink;
  SheetOptions options = Options();
  options.exportMode = ExportMode::kNormal;  // cells 0..32 stay empty
  std::optional<Sheet> sheet = RenderSheet(options, sink);
  ASSERT_TRUE(sheet.has_value());
  sheet->output = OutputKind::kAlpha;
  TempDir dir;
  ASSERT_TRUE(SaveSheet(*sheet, dir.File("alpha.png"), FIF_PNG, sink).ok);
  int bpp = 0;
  const auto pixels = LoadPixels(dir.File("alpha.png"), bpp);
  const int width = sheet->width, cell = options.tileSize;
  ASSERT_EQ(pixels.size(), static_cast<std::size_t>(width) * sheet->height);
  const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; };
  int emptyCells = 0;
  for (int y = 0; y < sheet->height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto pixel = at(x, y);
      if (pixel[3] != 0) continue;
      // Every lit pixel of the cell at the least city-block distance, by brute force.
      int nearest = INT_MAX;
      std::set<std::array<std::uint8_t, 3>> colors;
      for (int ly = y / cell * cell; ly < (y / cell + 1) * cell; ++ly) {
        for (int lx = x / cell * cell; lx < (x / cell + 1) * cell; ++lx) {
          const auto lit = at(lx, ly);
          const int distance = std::abs(lx - x) + std::abs(ly - y);
          if (lit[3] == 0 || distance > nearest) continue;
          if (distance < nearest) colors.clear();
          nearest = distance;
          colors.insert({lit[0], lit[1], lit[2]});
        }
      }
      if (colors.empty()) {
        emptyCells += x % cell == 0 && y % cell == 0;
        colors.insert({30, 20, 10});  // the top color, blue first
      }
      ASSERT_TRUE(colors.count({pixel[0], pixel[1], pixel[2]})) << x << "," << y;
    }
  }
  EXPECT_GE(emptyCells, 33);
}
