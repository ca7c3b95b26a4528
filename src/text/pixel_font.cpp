// Pixel fonts: finding a face's design grid, the multiple of it that fits a cell, and
// the font that draws it exactly.
#include "text/pixel_font.h"

#include <ft2build.h>
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>

#include "text/size_rules.h"
#include "text/text_font_internal.h"

namespace {

// What one glyph's outline says, as kept in CachedFace::glyphGrids: the greatest
// common divisor of its coordinates (> 0), or one of these.
constexpr std::int32_t kGlyphUnread = -2;
constexpr std::int32_t kGlyphOffGrid = -1;  // a curve, a slanted segment or a damaged outline
constexpr std::int32_t kGlyphNoPoints = 0;  // no outline, or one without a point

// The glyph grid of the outline in the glyph slot (font units).
std::int32_t OutlineGridOf(const FT_Outline& outline) {
  long divisor = 0;
  int first = 0;
  for (int c = 0; c < outline.n_contours; ++c) {
    const int last = outline.contours[c];
    if (last < first || last >= outline.n_points) return kGlyphOffGrid;
    for (int i = first; i <= last; ++i) {
      const FT_Vector& p = outline.points[i];
      const FT_Vector& next = outline.points[i == last ? first : i + 1];
      if (FT_CURVE_TAG(outline.tags[i]) != FT_CURVE_TAG_ON || (p.x != next.x && p.y != next.y)) {
        return kGlyphOffGrid;
      }
      divisor = std::gcd(divisor, std::gcd(std::labs(p.x), std::labs(p.y)));
    }
    first = last + 1;
  }
  // A step beyond 16 bits is no design grid (FindPixelGrid refuses it).
  return divisor > 0x7FFF ? kGlyphOffGrid : static_cast<std::int32_t>(divisor);
}

// The glyph grid of glyph index, read once per face.
std::int32_t GlyphGrid(CachedFace& cached, FT_UInt index) {
  FT_Face face = cached.face.get();
  if (cached.glyphGrids.empty()) {
    cached.glyphGrids.assign(static_cast<std::size_t>(std::max<FT_Long>(face->num_glyphs, 1)),
                             kGlyphUnread);
  }
  if (index >= cached.glyphGrids.size()) return kGlyphNoPoints;
  std::int32_t& grid = cached.glyphGrids[index];
  if (grid == kGlyphUnread) {
    grid = FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) == 0 &&
                   face->glyph->format == FT_GLYPH_FORMAT_OUTLINE
               ? OutlineGridOf(face->glyph->outline)
               : kGlyphNoPoints;
  }
  return grid;
}

// value / step rounded up, for value >= 0; negative values count as 0.
int StepsUp(long value, long step) {
  return value <= 0 ? 0 : static_cast<int>((value + step - 1) / step);
}

}  // namespace

std::optional<PixelGrid> FindPixelGrid(const TextFont& font, std::u32string_view extra) {
  CachedFace& cached = *font.face;
  FT_Face face = cached.face.get();
  if (!FT_IS_SCALABLE(face)) return std::nullopt;

  // The sample: printable ASCII, then the extra characters.
  long divisor = 0;
  bool straight = true;
  auto take = [&](char32_t ch) {
    const FT_UInt index = FT_Get_Char_Index(face, ch);
    if (index == 0) return;
    const std::int32_t grid = GlyphGrid(cached, index);
    if (grid == kGlyphOffGrid) straight = false;
    if (grid > 0) divisor = std::gcd(divisor, static_cast<long>(grid));
  };
  for (char32_t ch = 0x21; ch < 0x7F && straight; ++ch) take(ch);
  for (std::size_t i = 0; i < extra.size() && straight; ++i) take(extra[i]);
  // Font units are 16-bit quantities: a larger step is no design grid.
  if (!straight || divisor <= 1 || divisor > 0x7FFF) return std::nullopt;

  const long step = divisor;
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
