// The five fillers, the pixel walk they share, and the choice between them.
#include "color/fillers.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "base/status.h"
#include "color/fill_rules.h"
#include "color/output_pixels.h"

namespace {

// The pixel walk that every filler shares: rows top to bottom, pixels left to right,
// alpha 255 everywhere, BgColor (low 8 bits) on unlit pixels, and the mode's own
// color on lit ones.
//
// beginRow(y) runs once before each sheet row (per-row work such as the band
// fraction); paintLit(x, y, pixel) writes the blue, green and red bytes of a lit pixel.
// Both are inlined: no call through a pointer per pixel. The caller has checked that
// bitmap holds width x height pixels.
template <typename BeginRow, typename PaintLit>
void WalkSheet(Bitmap32* bitmap, const GlyphSurface& sheet, int width, int height,
               const ColorTriple& bg, BeginRow beginRow, PaintLit paintLit) {
  const std::uint8_t bgBlue = LowByte(bg.blue);
  const std::uint8_t bgGreen = LowByte(bg.green);
  const std::uint8_t bgRed = LowByte(bg.red);
  // The sheet surface's row y, read directly; pixels beyond the surface are unlit.
  const PixelSurface& lit = sheet.pixels;
  const int litWidth = std::min(width, lit.width);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* line = ScanLine(bitmap, height - 1 - y);
    const bool inkRow =
        y < lit.height && (sheet.inkRows.empty() || sheet.inkRows[static_cast<std::size_t>(y)]);
    const std::uint8_t* litRow =
        inkRow ? lit.pixels.data() + static_cast<std::size_t>(y) * lit.width : nullptr;
    beginRow(y);
    for (int x = 0; x < width; ++x) {
      std::uint8_t* pixel = line + 4 * x;
      pixel[3] = 255;
      if (litRow && x < litWidth && litRow[x] != 0) {
        paintLit(x, y, pixel);
      } else {
        pixel[0] = bgBlue;
        pixel[1] = bgGreen;
        pixel[2] = bgRed;
      }
    }
  }
}

std::uint8_t BandComponent(int top, int sub, float e) {
  const double value = top + (static_cast<double>(sub) - top) * e;
  return LowByte(TruncToInteger(value));
}

bool IsCell(PixelSize cell) {
  return cell.widthPx >= 1 && cell.heightPx >= 1;
}

// Why a filler wrote nothing: the bitmap cannot hold the sheet, or the cell is empty.
Status Refused(int width, int height) {
  return Failure("A sheet of " + std::to_string(width) + " x " + std::to_string(height) +
                 " pixels cannot be filled in this bitmap with such cells.");
}

// texel + color as an integer, clamped to 0..255; 64 bits so no field value overflows.
std::uint8_t AddClamped(std::uint8_t texel, int color) {
  const long long sum = static_cast<long long>(texel) + color;
  return sum > 255 ? 255 : sum < 0 ? 0 : static_cast<std::uint8_t>(sum);
}

}  // namespace

Status FillGradient(Bitmap32* bitmap, const GlyphSurface& sheet, int width, int height,
                    int tileSize, float colorSteps, const ColorTriple& top, const ColorTriple& sub,
                    const ColorTriple& bg) {
  if (!BitmapHoldsSheet(bitmap, width, height) || tileSize < 1) return Refused(width, height);
  const BandScale scale = MakeBandScale(tileSize, colorSteps);

  // Every lit pixel of a row has the same color: work it out once per row.
  std::uint8_t blue = 0, green = 0, red = 0;
  auto beginRow = [&](int y) {
    const float e = BandFraction(scale, y % tileSize);
    blue = BandComponent(top.blue, sub.blue, e);
    green = BandComponent(top.green, sub.green, e);
    red = BandComponent(top.red, sub.red, e);
  };
  auto paintLit = [&](int, int, std::uint8_t* pixel) { PutPixel(pixel, blue, green, red); };
  WalkSheet(bitmap, sheet, width, height, bg, beginRow, paintLit);
  return {};
}

Status FillImageOnly(Bitmap32* bitmap, const GlyphSurface& sheet, const TextureImage& texture,
                     int width, int height, const ColorTriple& bg) {
  if (!BitmapHoldsSheet(bitmap, width, height)) return Refused(width, height);

  const std::uint8_t* texRow = nullptr;
  auto beginRow = [&](int y) { texRow = TextureRow(texture, y % texture.height); };
  auto paintLit = [&](int x, int, std::uint8_t* pixel) {
    const std::uint8_t* texel = texRow + 4 * (x % texture.width);
    PutPixel(pixel, texel[0], texel[1], texel[2]);
  };
  WalkSheet(bitmap, sheet, width, height, bg, beginRow, paintLit);
  return {};
}

Status FillRelief(Bitmap32* bitmap, const GlyphSurface& sheet, int width, int height,
                  PixelSize cell, const ColorTriple& top, const ColorTriple& sub,
                  const ColorTriple& bg) {
  if (!BitmapHoldsSheet(bitmap, width, height) || !IsCell(cell)) return Refused(width, height);
  auto paintLit = [&](int x, int y, std::uint8_t* pixel) {
    const ColorTriple& color = ReliefAt(sheet, x, y, cell) == ReliefShade::kTop ? top : sub;
    PutPixel(pixel, LowByte(color.blue), LowByte(color.green), LowByte(color.red));
  };
  WalkSheet(
      bitmap, sheet, width, height, bg, [](int) {}, paintLit);
  return {};
}

Status FillGradientOverImage(Bitmap32* bitmap, const GlyphSurface& sheet,
                             const TextureImage& texture, int width, int height, int tileSize,
                             float colorSteps, const ColorTriple& top, const ColorTriple& sub,
                             const ColorTriple& bg) {
  if (!BitmapHoldsSheet(bitmap, width, height) || tileSize < 1) return Refused(width, height);
  const BandScale scale = MakeBandScale(tileSize, colorSteps);

  // The band offset (SubColor - TopColor) * e is the same for a whole row.
  const std::uint8_t* texRow = nullptr;
  double blueShift = 0, greenShift = 0, redShift = 0;
  auto beginRow = [&](int y) {
    texRow = TextureRow(texture, y % texture.height);
    const float e = BandFraction(scale, y % tileSize);
    blueShift = (static_cast<double>(sub.blue) - top.blue) * e;
    greenShift = (static_cast<double>(sub.green) - top.green) * e;
    redShift = (static_cast<double>(sub.red) - top.red) * e;
  };
  // texel + TopColor is an integer sum; doubles hold it exactly whatever the fields say.
  auto paintLit = [&](int x, int, std::uint8_t* pixel) {
    const std::uint8_t* texel = texRow + 4 * (x % texture.width);
    PutPixel(pixel, ClampToByte(static_cast<double>(texel[0]) + top.blue + blueShift),
             ClampToByte(static_cast<double>(texel[1]) + top.green + greenShift),
             ClampToByte(static_cast<double>(texel[2]) + top.red + redShift));
  };
  WalkSheet(bitmap, sheet, width, height, bg, beginRow, paintLit);
  return {};
}

Status FillReliefOverImage(Bitmap32* bitmap, const GlyphSurface& sheet, const TextureImage& texture,
                           int width, int height, PixelSize cell, const ColorTriple& top,
                           const ColorTriple& sub, const ColorTriple& bg) {
  if (!BitmapHoldsSheet(bitmap, width, height) || !IsCell(cell)) return Refused(width, height);

  const std::uint8_t* texRow = nullptr;
  auto beginRow = [&](int y) { texRow = TextureRow(texture, y % texture.height); };
  auto paintLit = [&](int x, int y, std::uint8_t* pixel) {
    const ColorTriple& color = ReliefAt(sheet, x, y, cell) == ReliefShade::kTop ? top : sub;
    const std::uint8_t* texel = texRow + 4 * (x % texture.width);
    PutPixel(pixel, AddClamped(texel[0], color.blue), AddClamped(texel[1], color.green),
             AddClamped(texel[2], color.red));
  };
  WalkSheet(bitmap, sheet, width, height, bg, beginRow, paintLit);
  return {};
}

bool FillNeedsTexture(ColorMode mode, Bitmap32* bitmap, const FillValues& values) {
  if (!UsesTexture(mode) || !BitmapHoldsSheet(bitmap, values.width, values.height)) return false;
  return mode == ColorMode::kImageOnly || IsCell(values.cell);
}

Status FillSheet(ColorMode mode, Bitmap32* bitmap, const GlyphSurface& sheet,
                 const FillValues& values) {
  const FillValues& v = values;
  if (UsesTexture(mode) && v.texture == nullptr) return Failure("An image mode needs a texture.");
  switch (mode) {
    case ColorMode::kGradient:
      return FillGradient(bitmap, sheet, v.width, v.height, v.cell.heightPx, v.colorSteps, v.top,
                          v.sub, v.bg);
    case ColorMode::kImageOnly:
      return FillImageOnly(bitmap, sheet, *v.texture, v.width, v.height, v.bg);
    case ColorMode::kRelief:
      return FillRelief(bitmap, sheet, v.width, v.height, v.cell, v.top, v.sub, v.bg);
    case ColorMode::kGradientOverImage:
      return FillGradientOverImage(bitmap, sheet, *v.texture, v.width, v.height, v.cell.heightPx,
                                   v.colorSteps, v.top, v.sub, v.bg);
    case ColorMode::kReliefOverImage:
      return FillReliefOverImage(bitmap, sheet, *v.texture, v.width, v.height, v.cell, v.top, v.sub,
                                 v.bg);
  }
  return Failure("Unknown color mode.");
}
