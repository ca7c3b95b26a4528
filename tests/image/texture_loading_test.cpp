// LoadTextureImage against hostile and unusual files: declared sizes beyond the limits,
// paths longer than the Path field, FIFOs, and BMP files with V4 and V5 headers that
// only the second decoder reads.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "app/read_sheet_options.h"
#include "headless/headless_host.h"
#include "image/texture_image.h"
#include "options/control_ids.h"
#include "support/fifo_guard.h"
#include "support/temp_dir.h"

namespace {

std::string Le16(unsigned v) {
  return {char(v & 0xFF), char(v >> 8 & 0xFF)};
}
std::string Le32(std::uint32_t v) {
  return Le16(v & 0xFFFF) + Le16(v >> 16);
}

// An uncompressed true-color TGA header declaring width x height, and a few bytes.
std::string TgaHeader(unsigned width, unsigned height) {
  return std::string("\0\0\x02", 3) + std::string(9, '\0') + Le16(width) + Le16(height) +
         std::string("\x18\x00", 2) + std::string(64, '\0');
}

// A BMP with a header of headerSize bytes (40, 108 or 124), 24 bits a pixel, one
// row of width pixels each (blue, green, red) = (x, 2x, 3x + 1), height rows, all alike.
std::string Bmp(std::uint32_t headerSize, int width, int height) {
  const int rowBytes = (3 * width + 3) & ~3;
  std::string info = Le32(headerSize) + Le32(width) + Le32(height) + Le16(1) + Le16(24) + Le32(0) +
                     Le32(rowBytes * height) + Le32(2835) + Le32(2835) + Le32(0) + Le32(0);
  if (headerSize >= 108) {
    info += Le32(0xFF0000) + Le32(0xFF00) + Le32(0xFF) + Le32(0xFF000000) + "BGRs";
    info += std::string(48, '\0');  // endpoints and gamma
  }
  if (headerSize == 124) info += Le32(4) + Le32(0) + Le32(0) + Le32(0);
  std::string row;
  for (int x = 0; x < width; ++x) row += {char(x), char(2 * x), char(3 * x + 1)};
  row.resize(rowBytes, '\0');
  std::string pixels;
  for (int y = 0; y < height; ++y) pixels += row;
  const std::uint32_t offset = 14 + headerSize;
  return "BM" + Le32(offset + pixels.size()) + Le32(0) + Le32(offset) + info + pixels;
}

class TextureLoadingTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir.File(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  // Loads path as the texture; returns the one message shown, or "" when it loaded.
  std::string LoadMessage(const std::string& path) {
    host.SetText(kIdTexturePath, path);
    host.ClearMessages();
    const bool loaded = LoadTextureImage(ReadTexturePath(dlg), host).has_value();
    EXPECT_EQ(host.messages().size(), loaded ? 0u : 1u) << path;
    if (host.messages().empty()) return "";
    EXPECT_EQ(host.messages()[0].title, "Error");
    EXPECT_EQ(host.messages()[0].icon, MessageIcon::kWarning);
    return host.messages()[0].text;
  }

  TempDir dir;
  HeadlessHost host;
  Dialog dlg{host};
};

TEST_F(TextureLoadingTest, RefusesWhatItCannotSafelyDecodeWithTheFileAndTheReason) {
  // Files of under 200 bytes: before the header was checked, each declared size was
  // allocated (the 40000 x 40000 one takes gigabytes).
  // A GIF whose logical screen is 1 x 1 and whose first frame is 20000 x 1.
  std::string gif = "GIF89a" + Le16(1) + Le16(1) + std::string(3, '\0');
  gif += ',';  // image descriptor: left, top, width, height, flags; then a scrap of data
  gif += Le16(0) + Le16(0) + Le16(20000) + Le16(1) + std::string(1, '\0') + "\x02\x02\x4C\x01";
  struct Case {
    const char* what;
    std::string path;
    const char* firstLine;
    const char* reason;  // a part of the message after the path
  };
  ASSERT_EQ(::mkfifo(dir.File("fifo.png").c_str(), 0600), 0);
  ::mkdir(dir.File("folder.png").c_str(), 0700);
  const std::vector<Case> cases = {
      {"40000 x 40000", Write("huge.tga", TgaHeader(40000, 40000)), "The font image is too large!",
       "It is 40000 x 40000 pixels"},
      {"one side over", Write("wide.tga", TgaHeader(16385, 1)), "The font image is too large!",
       "16385 x 1"},
      {"too many pixels", Write("area.tga", TgaHeader(8193, 8192)), "The font image is too large!",
       "8193 x 8192"},
      {"tall BMP", Write("tall.bmp", Bmp(40, 1, 16385).substr(0, 80)),
       "The font image is too large!", "1 x 16385"},
      {"GIF screen too large", Write("screen.gif", "GIF89a" + Le16(20000) + gif.substr(8)),
       "The font image is too large!", "20000 x 1"},
      // A frame that overflows its screen: the old decoder allocated the frame's size.
      {"GIF frame larger than its screen", Write("frame.gif", gif),
       "Could not load the font image file!", "not a GIF image that stb_image can read"},
      // An RLE TGA whose ID field runs past the end: FreeImage returned a freed bitmap.
      {"TGA data past its end",
       Write("cut.tga", std::string("\xFF\x08\x0A", 3) + std::string(9, '\0') + Le16(4) + Le16(3) +
                            std::string("\x20\x03\x00", 3)),
       "Could not load the font image file!", "not a TARGA image"},
      {"missing", dir.File("missing.png"), "Could not load the font image file!",
       "No such file or directory"},
      {"folder", dir.File("folder.png"), "Could not load the font image file!",
       "It is not a regular file."},
      {"FIFO", dir.File("fifo.png"), "Could not load the font image file!",
       "It is not a regular file."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string text = CallGuardedAgainstFifo(c.path, [&] { return LoadMessage(c.path); });
    EXPECT_EQ(text.substr(0, text.find('\n')), c.firstLine);
    EXPECT_NE(text.find("\n" + c.path + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find(c.reason), std::string::npos) << text;
  }
}

TEST_F(TextureLoadingTest, RefusesAPathLongerThanThePathFieldInsteadOfCuttingIt) {
  // Each row names an existing image by its first bytes; only the whole path counts.
  const std::string folder = dir.path().string() + "/";
  const auto nameOfLength = [&](std::size_t pathBytes) {
    return std::string(pathBytes - folder.size() - 4, 'n') + ".bmp";
  };
  struct Case {
    const char* what;
    std::string existing;  // a file with an image
    std::string path;      // what the Path field holds
    bool loads;
  };
  const std::string at255 = folder + nameOfLength(255), at254 = folder + nameOfLength(254);
  const std::vector<Case> cases = {
      {"255 bytes", at255, at255, true},
      {"300 bytes", at255, at255 + std::string(45, 'x'), false},
      // 256 bytes whose last character takes two: a cut at a character boundary leaves 254.
      {"256 bytes, UTF-8", at254, at254 + "\xC3\xA9", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::ofstream(c.existing, std::ios::binary) << Bmp(40, 2, 2);
    EXPECT_EQ(
        LoadMessage(c.path),
        c.loads ? "" : "The font image path is too long!\nThe Path field holds at most 255 bytes.");
  }
}

TEST_F(TextureLoadingTest, ReadsBmpFilesWithV4AndV5Headers) {
  for (std::uint32_t headerSize : {40u, 108u, 124u}) {
    SCOPED_TRACE(headerSize);
    host.SetText(kIdTexturePath, Write("v.bmp", Bmp(headerSize, 5, 3)));
    host.ClearMessages();
    const std::optional<TextureImage> texture = LoadTextureImage(ReadTexturePath(dlg), host);
    ASSERT_TRUE(texture.has_value());
    EXPECT_TRUE(host.messages().empty());
    ASSERT_EQ(texture->width, 5);
    ASSERT_EQ(texture->height, 3);
    for (int v = 0; v < 3; ++v) {
      for (int u = 0; u < 5; ++u) {
        const std::uint8_t* texel = TextureRow(*texture, v) + 4 * u;
        EXPECT_EQ(texel[0], u);
        EXPECT_EQ(texel[1], 2 * u);
        EXPECT_EQ(texel[2], 3 * u + 1);
      }
    }
  }
}

TEST_F(TextureLoadingTest, ReadsTgaAndGifFilesWithoutFreeImage) {
  // Two pixels, red then blue, in each file.
  const std::string tgaHeader = std::string("\0\0", 2);
  const std::string size = Le16(2) + Le16(1) + std::string("\x18\x20", 2);  // 24 bits, top first
  const std::string zeros9(9, '\0');
  struct Case {
    const char* name;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"plain.tga", tgaHeader + "\x02" + zeros9 + size + std::string("\0\0\xFF\xFF\0\0", 6)},
      {"rle.tga", tgaHeader + "\x0A" + zeros9 + size + std::string("\x00\0\0\xFF\x00\xFF\0\0", 8)},
      {"two.gif", std::string("GIF89a\x02\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\xFF"
                              ",\x00\x00\x00\x00\x02\x00\x01\x00\x00\x02\x02\x44\x0A\x00;",
                              35)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host.SetText(kIdTexturePath, Write(c.name, c.bytes));
    host.ClearMessages();
    const std::optional<TextureImage> texture = LoadTextureImage(ReadTexturePath(dlg), host);
    ASSERT_TRUE(texture.has_value()) << (host.messages().empty() ? "" : host.messages()[0].text);
    ASSERT_EQ(texture->width, 2);
    ASSERT_EQ(texture->height, 1);
    const std::uint8_t* row = TextureRow(*texture, 0);
    EXPECT_EQ(std::vector<int>(row, row + 8), (std::vector<int>{0, 0, 255, 255, 255, 0, 0, 255}));
  }
}

}  // namespace
