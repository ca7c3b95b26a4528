// The output kinds of a sheet.
#include "render/sheet_outputs.h"

#include <algorithm>
#include <cstdint>

#include "base/sheet_modes.h"
#include "image/save_bitmap.h"

namespace {

bool CoverageFits(const Sheet& sheet) {
  const PixelSurface& coverage = sheet.coverage;
  return sheet.width > 0 && sheet.height > 0 && coverage.width == sheet.width &&
         coverage.height == sheet.height &&
         coverage.pixels.size() == static_cast<std::size_t>(sheet.width) * sheet.height;
}

}  // namespace

Bitmap32Handle AlphaSheet(const Sheet& sheet) {
  const Bitmap32* colored = sheet.bitmap.get();
  if (!CoverageFits(sheet) || !colored || colored->width != sheet.width ||
      colored->height != sheet.height) {
    return {};
  }
  Bitmap32Handle alpha = AllocateBitmap32(sheet.width, sheet.height);
  if (!alpha) return {};
  std::copy(colored->bytes.begin(), colored->bytes.end(), alpha->bytes.begin());
  // Sheet row y is scanline height - 1 - y; alpha is each pixel's fourth byte.
  for (int y = 0; y < sheet.height; ++y) {
    const std::uint8_t* from =
        sheet.coverage.pixels.data() + static_cast<std::size_t>(y) * sheet.width;
    std::uint8_t* line = ScanLine(alpha.get(), sheet.height - 1 - y);
    for (int x = 0; x < sheet.width; ++x) line[4 * x + 3] = from[x];
  }
  return alpha;
}

GrayImage GraySheet(const Sheet& sheet) {
  if (!CoverageFits(sheet)) return {};
  return {sheet.width, sheet.height, sheet.coverage.pixels};
}

GrayImage MonoSheet(const Sheet& sheet, int threshold) {
  GrayImage mono = GraySheet(sheet);
  for (std::uint8_t& value : mono.pixels) value = MonoBit(value, threshold) ? 255 : 0;
  return mono;
}

EncodeStatus EncodeSheetKind(const Sheet& sheet, FREE_IMAGE_FORMAT fif, std::string& out) {
  if (sheet.output == OutputKind::kColor) return EncodeBitmap(sheet.bitmap.get(), fif, out);
  if (!CoverageFits(sheet)) return EncodeStatus::kFailed;
  // Each other kind is a sheet-sized copy made first: a copy without memory throws, or
  // (the alpha sheet) comes back empty.
  return EncodeWithoutThrowing([&] {
    switch (sheet.output) {
      case OutputKind::kAlpha: {
        Bitmap32Handle alpha = AlphaSheet(sheet);
        if (!alpha) return EncodeStatus::kNoMemory;
        return EncodeAlphaBitmap(alpha.get(), fif, out);
      }
      case OutputKind::kGray:
        return EncodeGrayImage(GraySheet(sheet), GrayDepth::k8Bit, fif, out);
      case OutputKind::kMono:
        return EncodeGrayImage(MonoSheet(sheet, sheet.monoThreshold), GrayDepth::k1Bit, fif, out);
      case OutputKind::kColor:
        break;
    }
    return EncodeStatus::kFailed;
  });
}
