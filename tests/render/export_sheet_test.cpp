// The export run end to end on the headless dialog, with DejaVu Sans.
#include "app/export_commands.h"
#include "app/read_sheet_options.h"
#include "dialog/option_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>

#include "color/overflow_flags.h"
#include "options/control_ids.h"
#include "preview/preview_state.h"
#include "render/height_correction.h"
#include "render/sheet_pipeline.h"
#include "support/dialog_fixture.h"
#include "support/sheet_image.h"
#include "support/temp_dir.h"

namespace {

using Pixel = std::array<std::uint8_t, 4>;

class ExportSheetTest : public DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    SelectFace("DejaVu Sans");
  }

  void SetColors(const char* bg, const char* top, const char* sub) {
    auto set3 = [&](int first, const char* rgb) {
      int r, g, b;
      ASSERT_EQ(std::sscanf(rgb, "%d,%d,%d", &r, &g, &b), 3);
      SetInt(dlg, first, r);
      SetInt(dlg, first + 1, g);
      SetInt(dlg, first + 2, b);
    };
    set3(kIdBgRed, bg);
    set3(kIdTopRed, top);
    set3(kIdSubRed, sub);
  }

  // Exports with the current fields, colors outside 0..255 included (read as they are,
  // unchecked), and loads the file back.
  SheetImage Export(const std::string& name) {
    const std::string file = dir.File(name);
    const Result<SheetOptions> options = ReadOptions(dlg, OptionCheck::kAutosize);
    EXPECT_TRUE(options.ok());
    EXPECT_EQ(ExportSheet(dlg, *options, file, false), 0);
    return LoadSheetImage(file);
  }

  // The lit pixels of the sheet: white glyphs on black through the gradient filler.
  std::vector<bool> LitMask() {
    host.Click(kIdColorGradient);
    SetColors("0,0,0", "255,255,255", "255,255,255");
    const SheetImage image = Export("mask.png");
    std::vector<bool> lit;
    for (const Pixel& p : image.pixels) {
      EXPECT_TRUE((p == Pixel{0, 0, 0, 255} || p == Pixel{255, 255, 255, 255}));
      lit.push_back(p[0] == 255);
    }
    return lit;
  }

  TempDir dir;
};

TEST_F(ExportSheetTest, DefaultsGiveATwoColorSheetWithPrintableGlyphs) {
  const SheetImage image = Export("defaults.png");
  ASSERT_EQ(image.width, 256);
  ASSERT_EQ(image.height, 64);
  ASSERT_EQ(image.bpp, 32);
  const Pixel magenta{255, 0, 255, 255};
  const Pixel white{255, 255, 255, 255};
  std::set<int> inkedCodes;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 256; ++x) {
      const Pixel& p = image.At(x, y);
      ASSERT_TRUE(p == magenta || p == white) << x << "," << y;
      if (p == white) inkedCodes.insert((y / 8) * 32 + x / 8);
    }
  }
  // Normal mode: the printable ASCII glyphs have ink, nothing else does.
  for (int code = 33; code < 127; ++code) EXPECT_TRUE(inkedCodes.count(code)) << code;
  for (int code : inkedCodes) EXPECT_TRUE(code > 32 && code < 128) << code;
  EXPECT_EQ(host.Text(kIdLog).rfind("Too wide characters:\r\n", 0), 0u);
  EXPECT_TRUE(host.messages().empty());
}

TEST_F(ExportSheetTest, EveryColorModeColorsTheLitPixels) {
  SetText(dlg, kIdTileSize, "6");
  SetText(dlg, kIdColorSteps, "3");
  const std::vector<bool> lit = LitMask();
  const int width = 6 * 32, height = 6 * 8;
  ASSERT_EQ(lit.size(), static_cast<std::size_t>(width * height));
  auto isLit = [&](int x, int y) { return lit[static_cast<std::size_t>(y) * width + x]; };

  // A 2 x 2 texture, written as a PNG.
  const std::string texturePath = dir.File("texture.png");
  {
    FIBITMAP* t = FreeImage_Allocate(2, 2, 32, 0, 0, 0);
    for (int v = 0; v < 2; ++v) {
      BYTE* line = FreeImage_GetScanLine(t, 1 - v);
      for (int u = 0; u < 2; ++u) {
        BYTE* p = line + 4 * u;
        p[FI_RGBA_BLUE] = 40 + 100 * u;
        p[FI_RGBA_GREEN] = 200;
        p[FI_RGBA_RED] = 10 + 120 * v;
        p[FI_RGBA_ALPHA] = 0;  // a transparent texture still colors
      }
    }
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, t, texturePath.c_str(), 0));
    FreeImage_Unload(t);
  }
  auto texel = [](int x, int y) {
    return std::array<int, 3>{40 + 100 * (x % 2), 200, 10 + 120 * (y % 2)};  // b, g, r
  };

  const std::array<int, 3> bg{7, 8, 9}, top{30, 250, 200}, sub{230, 10, 300};  // b, g, r
  SetColors("9,8,7", "200,250,30", "300,10,230");
  SetText(dlg, kIdTexturePath, texturePath);

  // The band of a tile row with 3 steps at tile size 6: rows 0-1, 2-3, 4-5.
  auto fraction = [](int y) { return static_cast<float>((y % 6) / 2) / 3.0f; };
  auto relief = [&](int x, int y) {  // true: top color
    const int cx = x % 6, cy = y % 6;
    if (cx == 0 || cy == 0 || !isLit(x - 1, y - 1)) return true;
    if (cx == 5 || !isLit(x + 1, y)) return false;
    if (cy == 5 || !isLit(x + 1, y + 1)) return false;
    return true;
  };
  auto clamp = [](double v) { return v > 255 ? 255 : v < 0 ? 0 : static_cast<int>(v); };

  struct Mode {
    int button;
    std::function<std::array<int, 3>(int, int)> color;  // b, g, r of a lit pixel
  };
  const Mode modes[] = {
      {kIdColorGradient,
       [&](int, int y) {
         std::array<int, 3> c;
         for (int k = 0; k < 3; ++k)
           c[k] = static_cast<int>(top[k] + (sub[k] - top[k]) * static_cast<double>(fraction(y))) &
                  0xFF;
         return c;
       }},
      {kIdColorImageOnly, texel},
      {kIdColorRelief,
       [&](int x, int y) {
         const auto& c = relief(x, y) ? top : sub;
         return std::array<int, 3>{c[0] & 0xFF, c[1] & 0xFF, c[2] & 0xFF};
       }},
      {kIdColorGradientOverImage,
       [&](int x, int y) {
         std::array<int, 3> c;
         for (int k = 0; k < 3; ++k)
           c[k] = clamp(texel(x, y)[k] + top[k] +
                        (sub[k] - top[k]) * static_cast<double>(fraction(y)));
         return c;
       }},
      {kIdColorReliefOverImage,
       [&](int x, int y) {
         const auto& c = relief(x, y) ? top : sub;
         std::array<int, 3> out;
         for (int k = 0; k < 3; ++k) out[k] = clamp(texel(x, y)[k] + c[k]);
         return out;
       }},
  };
  for (const Mode& mode : modes) {
    SCOPED_TRACE(mode.button);
    host.Click(mode.button);
    const SheetImage image = Export("mode.png");
    ASSERT_EQ(image.width, width);
    int mismatches = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const std::array<int, 3> want = isLit(x, y) ? mode.color(x, y) : bg;
        const Pixel& got = image.At(x, y);
        const bool same =
            got[0] == want[0] && got[1] == want[1] && got[2] == want[2] && got[3] == 255;
        if (!same && ++mismatches < 5) ADD_FAILURE() << "pixel " << x << "," << y;
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
}

TEST_F(ExportSheetTest, FailuresLeaveTheLogAndFilesAlone) {
  SetText(dlg, kIdLog, "before");

  // A name whose extension no writer knows.
  EXPECT_EQ(ExportSheet(dlg, dir.File("sheet.xyz"), false), 1);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].text,
            "Could not identify file type or writing to this type not supported!");
  EXPECT_EQ(host.messages()[0].title, "Error");
  EXPECT_FALSE(std::filesystem::exists(dir.File("sheet.xyz")));

  // A texture that cannot be used.
  host.ClearMessages();
  host.Click(kIdColorImageOnly);
  SetText(dlg, kIdTexturePath, dir.File("missing.png"));
  EXPECT_EQ(ExportSheet(dlg, dir.File("sheet.png"), false), 1);
  EXPECT_EQ(host.messages().size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(dir.File("sheet.png")));

  // A format the library cannot write at 32 bits: the old file stays as it was.
  host.ClearMessages();
  host.Click(kIdColorGradient);
  const std::string old = dir.File("old.gif");
  { std::ofstream(old) << "previous contents"; }
  EXPECT_EQ(ExportSheet(dlg, old, false), 1);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].text, "Could not save the output bitmap!");
  std::ifstream in(old);
  std::string contents((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(contents, "previous contents");
  // A folder that does not exist.
  EXPECT_EQ(ExportSheet(dlg, dir.File("no/such/folder.png"), false), 1);
  EXPECT_EQ(host.Text(kIdLog), "before");
  // No temporary file is left behind.
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_EQ(entry.path().filename().string().rfind(".glyphex", 0), std::string::npos);
  }

  // "Save bitmap" adds its own message after the run's.
  host.ClearMessages();
  host.saveFileAnswers.push_back(dir.File("again.xyz"));
  EXPECT_EQ(SaveBitmapCommand(dlg), 1);
  ASSERT_EQ(host.messages().size(), 2u);
  EXPECT_EQ(host.messages()[1].text, "An error occurred while saving!");
}

TEST_F(ExportSheetTest, PreviewShowsTheSheetWithoutWritingAFile) {
  SetText(dlg, kIdLog, "before");
  SetText(dlg, kIdTileSize, "16");
  SetText(dlg, kIdColorSteps, "1");
  EXPECT_EQ(ImagePreviewCommand(dlg), 0);
  EXPECT_FALSE(IsChecked(dlg, kIdFontPreview));
  EXPECT_NE(host.Text(kIdLog), "before");
  const PreviewState& preview = Preview();
  ASSERT_TRUE(preview.canvas.created);
  // Background magenta in the sheet's 512 x 128, black below it.
  EXPECT_EQ(preview.canvas.pixels[0], 0xFF00FFu);
  EXPECT_EQ(preview.canvas.pixels[127 * kCanvasWidth + 511], 0xFF00FFu);
  EXPECT_EQ(preview.canvas.pixels[128 * kCanvasWidth], 0u);
  bool anyWhite = false;
  for (int i = 0; i < 128 * kCanvasWidth; ++i) anyWhite |= preview.canvas.pixels[i] == 0xFFFFFFu;
  EXPECT_TRUE(anyWhite);
}

TEST_F(ExportSheetTest, UnderlineGivesTheSpaceInk) {
  SetText(dlg, kIdTileSize, "16");
  SetText(dlg, kIdColorSteps, "1");
  const std::vector<bool> plain = LitMask();
  auto spaceInk = [](const std::vector<bool>& lit) {
    int n = 0;
    for (int y = 16; y < 32; ++y)  // code 32: tile column 0, tile row 1
      for (int x = 0; x < 16; ++x) n += lit[static_cast<std::size_t>(y) * 512 + x];
    return n;
  };
  EXPECT_EQ(spaceInk(plain), 0);
  host.Click(kIdUnderline);
  EXPECT_GT(spaceInk(LitMask()), 0);
}

// The height correction with the dialog's tile size and font.
std::optional<int> HeightCorrection(Dialog& dlg) {
  const SheetOptions options = *CheckedSheetOptions(dlg);
  return FindHeightCorrection(options.tileSize, CreateGlyphFont(options.font), dlg.host);
}

TEST_F(ExportSheetTest, HeightCorrectionIsTheSameFromTileSizeEightUp) {
  const int atEight = HeightCorrection(dlg).value();
  EXPECT_GE(atEight, 0);
  EXPECT_LE(atEight, 7);
  for (const char* tile : {"9", "12", "16"}) {
    SetText(dlg, kIdTileSize, tile);
    EXPECT_EQ(HeightCorrection(dlg), atEight) << tile;
  }
  EXPECT_TRUE(host.messages().empty());

  // Capitals that begin below row 7 leave no row with enough ink.
  SetText(dlg, kIdCharHeight, "120");
  EXPECT_EQ(HeightCorrection(dlg), 0);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].text.rfind("Could not find a valid setting for the height", 0), 0u);
  EXPECT_EQ(host.messages()[0].title, "Error");
}

// Glyphs far larger than their tile, whose ink the probe's scan area holds only in part
// or not at all: every one the report should name is named, and a sheet that no
// character left ink on is refused with a message after the report.
TEST_F(ExportSheetTest, GlyphsPastTheProbeAreNamedAndAnEmptySheetFails) {
  struct Row {
    const char* tile;
    const char* height;
    const char* mustName;  // every one is far taller than the tile at this height
    bool fails;
  };
  const Row rows[] = {
      // 60 px glyphs in 12-px tiles reach past the 50-px scan area.
      {"12", "60", "0123456789ABCDEFGHKMNORSWXbdhkmw@#%&", false},
      // 1000 px glyphs start beyond it: the probe saw no ink at all.
      {"16", "1000",
       "!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqr"
       "stuvwxyz{|}~",
       true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.height);
    host.ClearMessages();
    SetText(dlg, kIdLog, "");
    SetText(dlg, kIdTileSize, row.tile);
    SetText(dlg, kIdCharHeight, row.height);
    const std::string file = dir.File(std::string("big") + row.height + ".png");
    EXPECT_EQ(ExportSheet(dlg, file, false), row.fails ? 1 : 0);
    EXPECT_EQ(std::filesystem::exists(file), !row.fails);
    // The listed characters alone, without the headings and "[none]".
    std::string named = host.Text(kIdLog);
    for (const std::string cut : {"Too wide and high characters:", "Too wide characters:",
                                  "Too high characters:", "[none]"}) {
      if (const std::size_t at = named.find(cut); at != std::string::npos)
        named.erase(at, cut.size());
    }
    for (const char* c = row.mustName; *c; ++c) {
      EXPECT_NE(named.find(*c), std::string::npos) << "not named: " << *c;
    }
    EXPECT_EQ(!host.messages().empty() && host.messages().back().text == kNoneFitsMessage,
              row.fails);
  }
}

}  // namespace
