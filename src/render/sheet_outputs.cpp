// The output kinds of a sheet.
#include "render/sheet_outputs.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "base/sheet_modes.h"
#include "color/output_pixels.h"
#include "image/save_bitmap.h"

namespace {

bool CoverageFits(const Sheet& sheet) {
  const PixelSurface& coverage = sheet.coverage;
  return sheet.width > 0 && sheet.height > 0 && coverage.width == sheet.width &&
         coverage.height == sheet.height &&
         coverage.pixels.size() == static_cast<std::size_t>(sheet.width) * sheet.height;
}

// Gives each unlit texel of the alpha sheet the color of the nearest lit texel of its
// cell, so that a reader filtering between texels never blends in the background: the
// city-block distance, found in two passes over the cell (left and above, then right and
// below), each texel taking its neighbor's color only when that brings it strictly
// nearer, so that ties go to the texel reached first. A cell without a lit texel gets
// the top color. Texels are sheet pixels; row y is scanline height - 1 - y.
void SpreadLitColors(const Sheet& sheet, Bitmap32* alpha) {
  const int cellW = sheet.cellPx.widthPx;
  const int cellH = sheet.cellPx.heightPx;
  if (cellW <= 0 || cellH <= 0 || sheet.grid.columns * cellW != sheet.width ||
      sheet.grid.rows * cellH != sheet.height) {
    return;
  }
  constexpr int kFar = 1 << 30;
  const std::array<std::uint8_t, 3> top = {LowByte(sheet.top.blue), LowByte(sheet.top.green),
                                           LowByte(sheet.top.red)};
  std::vector<int> distance(static_cast<std::size_t>(cellW) * cellH);
  std::vector<std::array<std::uint8_t, 3>> color(distance.size());
  const auto texel = [&](int x, int y) { return ScanLine(alpha, sheet.height - 1 - y) + 4 * x; };
  const auto reach = [&](std::size_t to, std::size_t from) {
    if (distance[from] + 1 < distance[to]) {
      distance[to] = distance[from] + 1;
      color[to] = color[from];
    }
  };
  for (int cellY = 0; cellY < sheet.height; cellY += cellH) {
    for (int cellX = 0; cellX < sheet.width; cellX += cellW) {
      bool anyLit = false;
      for (int y = 0; y < cellH; ++y) {
        for (int x = 0; x < cellW; ++x) {
          const std::size_t i = static_cast<std::size_t>(y) * cellW + x;
          const std::uint8_t* pixel = texel(cellX + x, cellY + y);
          const bool lit = pixel[3] != 0;
          anyLit = anyLit || lit;
          distance[i] = lit ? 0 : kFar;
          color[i] = lit ? std::array<std::uint8_t, 3>{pixel[0], pixel[1], pixel[2]} : top;
        }
      }
      if (anyLit) {
        for (std::size_t i = 0; i < distance.size(); ++i) {
          if (i % cellW > 0) reach(i, i - 1);
          if (i >= static_cast<std::size_t>(cellW)) reach(i, i - cellW);
        }
        for (std::size_t i = distance.size(); i-- > 0;) {
          if (i % cellW + 1 < static_cast<std::size_t>(cellW)) reach(i, i + 1);
          if (i + cellW < distance.size()) reach(i, i + cellW);
        }
      }
      for (int y = 0; y < cellH; ++y) {
        for (int x = 0; x < cellW; ++x) {
          std::uint8_t* pixel = texel(cellX + x, cellY + y);
          if (pixel[3] != 0) continue;
          const auto& c = color[static_cast<std::size_t>(y) * cellW + x];
          std::copy(c.begin(), c.end(), pixel);
        }
      }
    }
  }
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
  SpreadLitColors(sheet, alpha.get());
  return alpha;
}

GrayImage GraySheet(const Sheet& sheet) {
  if (!CoverageFits(sheet)) return {};
  return {sheet.width, sheet.height, {sheet.coverage.pixels.begin(), sheet.coverage.pixels.end()}};
}

GrayImage MonoSheet(const Sheet& sheet, int threshold) {
  GrayImage mono = GraySheet(sheet);
  for (std::uint8_t& value : mono.pixels) value = MonoBit(value, threshold) ? 255 : 0;
  return mono;
}

GrayImage DistanceSheet(const Sheet& sheet) {
  const PixelSurface& distance = sheet.distance;
  if (distance.width != sheet.width || distance.height != sheet.height ||
      distance.pixels.size() != static_cast<std::size_t>(sheet.width) * sheet.height) {
    return {};
  }
  return {sheet.width, sheet.height, {distance.pixels.begin(), distance.pixels.end()}};
}

Status EncodeSheetKind(const Sheet& sheet, FREE_IMAGE_FORMAT fif, std::string& out) {
  if (sheet.output == OutputKind::kColor) return EncodeBitmap(sheet.bitmap.get(), fif, out);
  if (!CoverageFits(sheet)) return Failure(kNoPixelsMessage);
  // Each other kind is a sheet-sized copy made first: a copy without memory throws, or
  // (the alpha sheet) comes back empty.
  return EncodeWithoutThrowing([&] {
    switch (sheet.output) {
      case OutputKind::kAlpha: {
        Bitmap32Handle alpha = AlphaSheet(sheet);
        if (!alpha) return NoMemoryFailure();
        return EncodeAlphaBitmap(alpha.get(), fif, out);
      }
      case OutputKind::kGray:
        return EncodeGrayImage(GraySheet(sheet), GrayDepth::k8Bit, fif, out);
      case OutputKind::kMono:
        return EncodeGrayImage(MonoSheet(sheet, sheet.monoThreshold), GrayDepth::k1Bit, fif, out);
      case OutputKind::kSdf:
        return EncodeGrayImage(DistanceSheet(sheet), GrayDepth::k8Bit, fif, out);
      case OutputKind::kColor:
        break;
    }
    return Failure(kNoPixelsMessage);
  });
}

std::string_view WrittenDepth(OutputKind kind, FREE_IMAGE_FORMAT fif) {
  switch (kind) {
    case OutputKind::kColor:
      return "32-bit color";
    case OutputKind::kAlpha:
      return "32-bit with alpha";
    case OutputKind::kGray:
      return "8-bit gray";
    case OutputKind::kMono:
      return fif == FIF_TARGA ? "8-bit black and white" : "1-bit";
    case OutputKind::kSdf:
      return "8-bit distance field";
  }
  return "";
}
