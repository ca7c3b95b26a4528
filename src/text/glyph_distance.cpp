// Signed distance fields of characters, from their own coverage.
#include <algorithm>

#include "text/coverage_distance.h"
#include "text/text_font.h"

void DrawCharDistanceAt(PixelSurface& surface, TextFont& font, char32_t ch, int penX, int top,
                        const PixelRect& clip, int spreadPx) {
  spreadPx = std::clamp(spreadPx, 1, 32);
  const PixelRect bounds{std::max(0, clip.left), std::max(0, clip.top),
                         std::min(surface.width, clip.right),
                         std::min(surface.height, clip.bottom)};
  if (bounds.left >= bounds.right || bounds.top >= bounds.bottom) return;
  // The ink of the glyph, underline included; none of it is left of or above the
  // surface's origin, where bounds cannot reach either.
  const std::optional<PixelRect> ink = CharInkBox(font, ch, penX, top, false);
  if (!ink) return;

  // The field within bounds depends on the coverage up to spreadPx beyond them: that
  // window alone is drawn (so a glyph of any size costs a cell and its spread), then
  // its field is merged in.
  const PixelRect window{std::max(bounds.left, ink->left) - spreadPx,
                         std::max(bounds.top, ink->top) - spreadPx,
                         std::min(bounds.right, ink->right) + spreadPx,
                         std::min(bounds.bottom, ink->bottom) + spreadPx};
  if (window.left >= window.right || window.top >= window.bottom) return;
  PixelSurface coverage;
  if (!ResizePixelSurface(coverage, window.right - window.left, window.bottom - window.top)) return;
  DrawCharAt(coverage, font, ch, penX - window.left, top - window.top, nullptr, false, false);
  PixelSurface field;
  if (!CoverageDistance(coverage, spreadPx, field)) return;
  const int left = std::max(bounds.left, window.left), right = std::min(bounds.right, window.right);
  const int topRow = std::max(bounds.top, window.top);
  const int bottom = std::min(bounds.bottom, window.bottom);
  for (int y = topRow; y < bottom; ++y) {
    const std::uint8_t* src = field.pixels.data() +
                              static_cast<std::size_t>(y - window.top) * field.width +
                              (left - window.left);
    std::uint8_t* dst = surface.pixels.data() + static_cast<std::size_t>(y) * surface.width + left;
    for (int x = 0; x < right - left; ++x) dst[x] = std::max(dst[x], src[x]);
  }
}
