// Signed distance fields of characters, from FreeType's SDF renderer.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_MODULE_H

#include <algorithm>
#include <cmath>
#include <vector>

#include "text/glyph_window.h"
#include "text/text_font.h"
#include "text/text_font_internal.h"

namespace {

// FreeType's SDF renderers take spreads of 2 to 32 pixels; a spread of 1 is rendered at
// 2 and scaled.
constexpr int kMinRenderSpreadPx = 2;

// The largest glyph rendered, as RenderChar keeps them (256 x 256), with its spread.
constexpr long long kMaxDistanceGlyphPixels = 256 * 256;

std::uint8_t DistanceValue(double distancePx, int spreadPx) {
  const double value = 128.0 + 128.0 * distancePx / spreadPx;
  return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

// A value rendered at renderSpread as it reads at spreadPx.
std::uint8_t Rescaled(std::uint8_t value, int renderSpread, int spreadPx) {
  if (renderSpread == spreadPx) return value;
  return DistanceValue((value - 128.0) * renderSpread / 128.0, spreadPx);
}

// Each pixel of surface within bounds gets the larger of old and value(x, y), for
// (x, y) in [x0, x0 + width) x [y0, y0 + rows).
template <typename Value>
void MaxInto(PixelSurface& surface, const PixelRect& bounds, long long x0, long long y0, int width,
             int rows, Value value) {
  const long long left = std::max<long long>(x0, bounds.left);
  const long long right = std::min<long long>(x0 + width, bounds.right);
  const long long top = std::max<long long>(y0, bounds.top);
  const long long bottom = std::min<long long>(y0 + rows, bounds.bottom);
  for (long long y = top; y < bottom; ++y) {
    std::uint8_t* dst = surface.pixels.data() + static_cast<std::size_t>(y) * surface.width;
    for (long long x = left; x < right; ++x) {
      dst[x] = std::max(dst[x], value(static_cast<int>(x - x0), static_cast<int>(y - y0)));
    }
  }
}

// The distance field of the rectangle [left, right) x [top, bottom), out to spreadPx.
void MaxRectDistance(PixelSurface& surface, const PixelRect& bounds, long long left, long long top,
                     long long right, long long bottom, int spreadPx) {
  if (left >= right || top >= bottom) return;
  const auto value = [&](int x, int y) {
    // Pixel centers, relative to the rectangle's top-left corner.
    const double cx = x - spreadPx + 0.5, cy = y - spreadPx + 0.5;
    const double w = static_cast<double>(right - left), h = static_cast<double>(bottom - top);
    const double dx = std::max({-cx, cx - w, 0.0}), dy = std::max({-cy, cy - h, 0.0});
    if (dx > 0 || dy > 0) return DistanceValue(-std::hypot(dx, dy), spreadPx);
    return DistanceValue(std::min({cx, w - cx, cy, h - cy}), spreadPx);
  };
  MaxInto(surface, bounds, left - spreadPx, top - spreadPx,
          static_cast<int>(right - left) + 2 * spreadPx,
          static_cast<int>(bottom - top) + 2 * spreadPx, value);
}

}  // namespace

void DrawCharDistanceAt(PixelSurface& surface, TextFont& font, char32_t ch, int penX, int top,
                        const PixelRect& clip, int spreadPx) {
  spreadPx = std::clamp(spreadPx, 1, 32);
  const PixelRect bounds{std::max(0, clip.left), std::max(0, clip.top),
                         std::min(surface.width, clip.right),
                         std::min(surface.height, clip.bottom)};
  if (bounds.left >= bounds.right || bounds.top >= bounds.bottom) return;
  const long long baseline = static_cast<long long>(top) + font.metrics.ascentPx;
  const GlyphImage& glyph = RenderChar(font, ch);  // the advance, and whether it is kept

  // Contours overlap where a glyph is built of others (a letter and its cedilla) or
  // where the font says so, and FreeType 2.12's outline renderer counts an overlap as
  // outside (or, asked to join the contours' own fields, leaves lines of 0 inside). Such
  // a glyph's field comes from its 8-bit coverage instead, by FreeType's bitmap SDF
  // renderer, which sees the outline's filled area as drawn.
  const bool composite = glyph.kept && IsCompositeChar(font, ch);
  FT_GlyphSlot slot = glyph.kept ? LoadChar(font, ch) : nullptr;
  const PixelBox box = slot ? LoadedBox(slot) : PixelBox{};
  if (slot && box.width > 0 && box.rows > 0 &&
      (box.width + 2 * spreadPx) * (box.rows + 2 * spreadPx) <= kMaxDistanceGlyphPixels) {
    FT_Library library = font.face->library.get();
    const FT_Int renderSpread = std::max(spreadPx, kMinRenderSpreadPx);
    FT_Property_Set(library, "sdf", "spread", &renderSpread);
    FT_Property_Set(library, "bsdf", "spread", &renderSpread);
    const bool overlaps = composite || (slot->format == FT_GLYPH_FORMAT_OUTLINE &&
                                        (slot->outline.flags & FT_OUTLINE_OVERLAP) != 0);
    const bool rendered = !overlaps || slot->format != FT_GLYPH_FORMAT_OUTLINE ||
                          FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0;
    if (rendered && FT_Render_Glyph(slot, FT_RENDER_MODE_SDF) == 0 &&
        slot->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && slot->bitmap.buffer != nullptr) {
      const FT_Bitmap& bitmap = slot->bitmap;
      const int width = static_cast<int>(bitmap.width);
      const int rows = static_cast<int>(bitmap.rows);
      const int pitch = bitmap.pitch;
      const auto at = [&](int x, int y) -> std::uint8_t {
        if (x < 0 || x >= width) return 0;
        const int stored = pitch >= 0 ? y : rows - 1 - y;
        const std::uint8_t v =
            bitmap.buffer[static_cast<std::ptrdiff_t>(stored) * std::abs(pitch) + x];
        return Rescaled(v, renderSpread, spreadPx);
      };
      // Synthetic bold overstrikes one pixel to the right: the union of the glyph and
      // its copy one column on, whose distance is the larger of the two.
      const int bold = font.metrics.syntheticBold ? 1 : 0;
      MaxInto(surface, bounds, static_cast<long long>(penX) + slot->bitmap_left,
              baseline - slot->bitmap_top, width + bold, rows,
              [&](int x, int y) { return bold ? std::max(at(x, y), at(x - 1, y)) : at(x, y); });
    }
  }

  if ((font.underline) && glyph.advancePx > 0) {
    const long long lineTop = baseline + font.underlineRows.topBelowBaseline;
    MaxRectDistance(surface, bounds, penX, lineTop, static_cast<long long>(penX) + glyph.advancePx,
                    lineTop + font.underlineRows.rows, spreadPx);
  }
}
