// RenderSheet and SaveSheet from plain values: no dialog, no host, a sink that records.
#include "render/sheet_pipeline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyph/sheet_geometry.h"
#include "support/sheet_image.h"
#include "support/temp_dir.h"

namespace {

struct RecordingSink : MessageSink {
  std::vector<std::string> texts;
  void Show(std::string_view text, std::string_view title, MessageIcon icon) override {
    EXPECT_EQ(title, "Error");
    EXPECT_EQ(icon, MessageIcon::kWarning);
    texts.emplace_back(text);
  }
};

SheetOptions TwoLetters() {
  SheetOptions options;
  options.font = FontRequest{"DejaVu Sans", 14, 0, 400, false, false};
  options.tileSize = 16;
  options.colorSteps = 4;
  options.bg = {255, 0, 255};
  options.top = options.sub = {10, 20, 30};  // one color for every band
  options.exportMode = ExportMode::kUserDefined;
  options.exportText = "AB";
  options.colorMode = ColorMode::kGradient;
  return options;
}

TEST(SheetPipelineTest, RendersOnlyTheChosenCharactersInTheirTiles) {
  RecordingSink sink;
  const SheetOptions options = TwoLetters();
  const std::optional<Sheet> sheet = RenderSheet(options, sink);
  ASSERT_TRUE(sheet.has_value());
  EXPECT_TRUE(sink.texts.empty());
  ASSERT_EQ(sheet->width, SheetWidth(options.tileSize));
  ASSERT_EQ(sheet->height, SheetHeight(options.tileSize));

  // Saved and read back: every pixel is the background or the glyph color, and glyph
  // pixels lie only in the tiles of 'A' and 'B', each of which has some.
  TempDir dir;
  const std::string path = dir.File("sheet.png");
  ASSERT_TRUE(SaveSheet(*sheet, path, *SheetFileFormat(path), sink).ok);
  const SheetImage image = LoadSheetImage(path);
  ASSERT_EQ(image.width, sheet->width);
  ASSERT_EQ(image.height, sheet->height);
  const int tile = options.tileSize;
  int inkA = 0, inkB = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const auto& p = image.At(x, y);
      ASSERT_EQ(p[3], 255);
      if (p[0] == 255 && p[1] == 0 && p[2] == 255) continue;  // background
      ASSERT_EQ(p[0], 30) << x << "," << y;
      ASSERT_EQ(p[1], 20);
      ASSERT_EQ(p[2], 10);
      const int code = (y / tile) * 32 + x / tile;
      ASSERT_TRUE(code == 'A' || code == 'B') << "ink in the tile of " << code;
      (code == 'A' ? inkA : inkB)++;
    }
  }
  EXPECT_GT(inkA, 0);
  EXPECT_GT(inkB, 0);
}

TEST(SheetPipelineTest, FailuresReportOnceOnTheSink) {
  struct Row {
    const char* what;
    const char* texturePath;  // the image mode with this path
    const char* saveName;     // or a save of a rendered sheet under this name
    const char* message;      // the first line of the one message
  };
  const Row rows[] = {
      {"missing texture", "/nonexistent/texture.png", nullptr,
       "Could not load the font image file!"},
      {"missing folder", nullptr, "/nonexistent/sheet.png", "Could not save the output bitmap!"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    RecordingSink sink;
    SheetOptions options = TwoLetters();
    if (row.texturePath) {
      options.colorMode = ColorMode::kImageOnly;
      options.texturePath = row.texturePath;
      EXPECT_FALSE(RenderSheet(options, sink).has_value());
    } else {
      const std::optional<Sheet> sheet = RenderSheet(options, sink);
      ASSERT_TRUE(sheet.has_value());
      EXPECT_FALSE(SaveSheet(*sheet, row.saveName, *SheetFileFormat(row.saveName), sink).ok);
    }
    ASSERT_EQ(sink.texts.size(), 1u);
    EXPECT_EQ(sink.texts[0].substr(0, sink.texts[0].find('\n')), row.message);
  }
}

}  // namespace
