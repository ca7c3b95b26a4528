// The PNG writer's files decode, in another decoder, to the bitmap's own pixels.
#include <FreeImage.h>
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "base/status.h"
#include "image/bitmap32.h"
#include "image/png_writer.h"

TEST(PngWriterTest, DecodesToTheSamePixels) {
  struct Case {
    const char* name;
    int width, height;
    bool noise;  // random bytes (stored nearly as they are, in several data chunks)
  };
  for (const Case& c : {Case{"one pixel", 1, 1, false}, Case{"flat rows and columns", 37, 5, false},
                        Case{"noise", 700, 700, true},
                        // Over 16 MiB: compressed as the rows come, in many data chunks.
                        Case{"streamed noise", 2100, 2100, true}}) {
    SCOPED_TRACE(c.name);
    Bitmap32Handle bitmap = AllocateBitmap32(c.width, c.height);
    ASSERT_TRUE(bitmap);
    std::mt19937 random(7);
    for (std::size_t i = 0; i < bitmap->bytes.size(); ++i) {
      // Without noise: a pattern that differs by row, by column and by channel.
      const std::size_t pixel = i / 4, x = pixel % c.width, y = pixel / c.width;
      bitmap->bytes[i] =
          static_cast<std::uint8_t>(c.noise ? random() : x * 7 + y * 31 + i % 4 * 64);
    }
    std::string png;
    ASSERT_TRUE(EncodeRgbaPng(bitmap.get(), png));

    FIMEMORY* memory =
        FreeImage_OpenMemory(reinterpret_cast<BYTE*>(png.data()), static_cast<DWORD>(png.size()));
    FIBITMAP* decoded = FreeImage_LoadFromMemory(FIF_PNG, memory, 0);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(FreeImage_GetBPP(decoded), 32u);
    ASSERT_EQ(FreeImage_GetWidth(decoded), unsigned(c.width));
    ASSERT_EQ(FreeImage_GetHeight(decoded), unsigned(c.height));
    for (int line = 0; line < c.height; ++line) {
      ASSERT_EQ(std::memcmp(FreeImage_GetScanLine(decoded, line), ScanLine(bitmap.get(), line),
                            4 * std::size_t(c.width)),
                0)
          << "scanline " << line;
    }
    FreeImage_Unload(decoded);
    FreeImage_CloseMemory(memory);
  }
}
