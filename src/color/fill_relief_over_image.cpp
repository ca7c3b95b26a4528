// The ReliefOverImage color mode: the relief color added to the TextureImage.
#include "color/fillers.h"
#include "color/relief.h"
#include "color/sheet_walk.h"
#include "color/texture_image.h"

namespace {

// texel + color as an integer, clamped to 0..255; 64 bits so no field value overflows.
std::uint8_t AddClamped(std::uint8_t texel, int color) {
  const long long sum = static_cast<long long>(texel) + color;
  return sum > 255 ? 255 : sum < 0 ? 0 : static_cast<std::uint8_t>(sum);
}

}  // namespace

int FillReliefOverImage(FIBITMAP* bitmap, const GlyphSurface& sheet, Dialog& dlg, int width,
                        int height, int tileSize, const ColorTriple& top, const ColorTriple& sub,
                        const ColorTriple& bg) {
  if (!BitmapHoldsSheet(bitmap, width, height) || tileSize < 1) return 1;
  const std::optional<TextureImage> texture = LoadTextureImage(dlg);
  if (!texture) return 1;

  const std::uint8_t* texRow = nullptr;
  auto beginRow = [&](int y) { texRow = TextureRow(*texture, y % texture->height); };
  auto paintLit = [&](int x, int y, std::uint8_t* pixel) {
    const ColorTriple& color = ReliefAt(sheet, x, y, tileSize) == ReliefShade::kTop ? top : sub;
    const std::uint8_t* texel = texRow + 4 * (x % texture->width);
    PutPixel(pixel, AddClamped(texel[0], color.blue), AddClamped(texel[1], color.green),
             AddClamped(texel[2], color.red));
  };
  WalkSheet(bitmap, sheet, width, height, bg, beginRow, paintLit);
  return 0;
}
