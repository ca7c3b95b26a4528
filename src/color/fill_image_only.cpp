// The ImageOnly color mode: lit pixels show the TextureImage.
#include "color/fillers.h"
#include "color/sheet_walk.h"
#include "color/texture_image.h"

int FillImageOnly(FIBITMAP* bitmap, const GlyphSurface& sheet, Dialog& dlg, int width, int height,
                  const ColorTriple& bg) {
  if (!BitmapHoldsSheet(bitmap, width, height)) return 1;
  const std::optional<TextureImage> texture = LoadTextureImage(dlg);
  if (!texture) return 1;

  const std::uint8_t* texRow = nullptr;
  auto beginRow = [&](int y) { texRow = TextureRow(*texture, y % texture->height); };
  auto paintLit = [&](int x, int, std::uint8_t* pixel) {
    const std::uint8_t* texel = texRow + 4 * (x % texture->width);
    PutPixel(pixel, texel[0], texel[1], texel[2]);
  };
  WalkSheet(bitmap, sheet, width, height, bg, beginRow, paintLit);
  return 0;
}
