// Pixel fonts: finding a face's design grid, the multiple of it that fits a cell, and
// the font that draws it exactly.
#include "text/pixel_font.h"

#include <ft2build.h>
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "text/size_rules.h"
#include "text/text_font_internal.h"

namespace {

// What the outlines of a sample say: the greatest common divisor of every coordinate
// (0 while none is non-zero) and whether every contour ran straight along the axes.
struct OutlineGrid {
  long divisor = 0;
  bool straight = true;
  bool anyPoint = false;
};

// Takes the outline in the glyph slot (font units) into grid.
void TakeOutline(const FT_Outline& outline, OutlineGrid& grid) {
  int first = 0;
  for (int c = 0; c < outline.n_contours && grid.straight; ++c) {
    const int last = outline.contours[c];
    if (last < first || last >= outline.n_points) {
      grid.straight = false;  // a damaged outline is no design grid
      return;
    }
    for (int i = first; i <= last; ++i) {
      const FT_Vector& p = outline.points[i];
      const FT_Vector& next = outline.points[i == last ? first : i + 1];
      if (FT_CURVE_TAG(outline.tags[i]) != FT_CURVE_TAG_ON || (p.x != next.x && p.y != next.y)) {
        grid.straight = false;
        return;
      }
      grid.divisor = std::gcd(grid.divisor, std::gcd(std::labs(p.x), std::labs(p.y)));
      grid.anyPoint = true;
    }
    first = last + 1;
  }
}

// value / step rounded up, for value >= 0; negative values count as 0.
int StepsUp(long value, long step) {
  return value <= 0 ? 0 : static_cast<int>((value + step - 1) / step);
}

}  // namespace

std::optional<PixelGrid> FindPixelGrid(const TextFont& font, std::u32string_view extra) {
  const CachedFace& cached = *font.face;
  FT_Face face = cached.face.get();
  if (!FT_IS_SCALABLE(face)) return std::nullopt;

  // The sample: printable ASCII, then the extra characters.
  OutlineGrid grid;
  auto take = [&](char32_t ch) {
    const FT_UInt index = FT_Get_Char_Index(face, ch);
    if (index == 0) return;
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0) return;
    if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) return;
    TakeOutline(face->glyph->outline, grid);
  };
  for (char32_t ch = 0x21; ch < 0x7F && grid.straight; ++ch) take(ch);
  for (std::size_t i = 0; i < extra.size() && grid.straight; ++i) take(extra[i]);
  // Font units are 16-bit quantities: a larger step is no design grid.
  if (!grid.straight || !grid.anyPoint || grid.divisor <= 1 || grid.divisor > 0x7FFF) {
    return std::nullopt;
  }

  const long step = grid.divisor;
  return PixelGrid{.gridUnits = static_cast<int>(step),
                   .unitsPerEm = cached.unitsPerEm,
                   .ascentSteps = StepsUp(cached.winAscent, step),
                   .descentSteps = StepsUp(cached.winDescent, step)};
}

PixelFontSize PickPixelFontSize(const PixelGrid& grid, int cellHeightPx) {
  const int gridUnits = std::max(grid.gridUnits, 1);
  const int unitsPerEm = std::max(grid.unitsPerEm, 1);
  const int designSteps = std::max(grid.ascentSteps + grid.descentSteps, 1);
  // The largest multiple whose em stays within kMaxPpem, at least 1x.
  const long long maxMultiple =
      std::max<long long>(1, static_cast<long long>(kMaxPpem) * gridUnits / unitsPerEm);
  const int multiple =
      static_cast<int>(std::clamp<long long>(cellHeightPx / designSteps, 1, maxMultiple));
  const long long ppem =
      (static_cast<long long>(multiple) * unitsPerEm + gridUnits / 2) / gridUnits;
  return {.gridUnits = gridUnits,
          .pxPerStep = multiple,
          .ppem = static_cast<int>(std::clamp<long long>(ppem, 1, kMaxPpem)),
          .ascentPx = grid.ascentSteps * multiple,
          .descentPx = grid.descentSteps * multiple};
}

std::string PixelFontLogLine(const PixelFontSize& size) {
  return "pixel font: grid " + std::to_string(size.gridUnits) +
         " units = " + std::to_string(size.pxPerStep) + " px";
}

TextFontPtr OpenMonoTextFont(const TextFont& font, const std::optional<PixelFontSize>& exactSize) {
  FT_Face face = font.face->face.get();
  if (!FT_IS_SCALABLE(face)) return nullptr;

  auto mono = std::make_shared<TextFont>();
  mono->face = font.face;
  FT_Size size = nullptr;
  if (FT_New_Size(face, &size) != 0) return nullptr;
  mono->size.reset(size);
  if (FT_Activate_Size(size) != 0) return nullptr;

  mono->metrics = font.metrics;
  if (exactSize) {
    // The scale itself, pxPerStep / gridUnits pixels a unit in 16.16, so that a point on
    // the grid scales to whole pixels with no rounding of the em between.
    const long scale =
        ((static_cast<long>(exactSize->pxPerStep) << 22) + exactSize->gridUnits / 2) /
        std::max(exactSize->gridUnits, 1);
    FT_Size_RequestRec request{FT_SIZE_REQUEST_TYPE_SCALES, scale, scale, 0, 0};
    if (FT_Request_Size(face, &request) != 0) return nullptr;
    mono->metrics.ascentPx = exactSize->ascentPx;
    mono->metrics.descentPx = exactSize->descentPx;
    mono->metrics.ppemX = mono->metrics.ppemY = exactSize->ppem;
  } else if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(font.metrics.ppemX),
                                static_cast<FT_UInt>(font.metrics.ppemY)) != 0) {
    return nullptr;
  }

  // Unhinted, so that nothing moves off the grid; mono, so that nothing is half lit.
  mono->loadFlags = FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_MONO;
  mono->renderMode = FT_RENDER_MODE_MONO;
  mono->underline = font.underline;
  mono->underlineRows = PickUnderline(font.face->underlinePosition, font.face->underlineThickness,
                                      mono->metrics.ppemY, font.face->unitsPerEm);
  return mono;
}
