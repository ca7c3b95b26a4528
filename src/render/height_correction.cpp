// The baseline probe.
#include "render/height_correction.h"

#include <array>
#include <string_view>

#include "base/char_codes.h"
#include "glyph/glyph_surface.h"
#include "glyph/sheet_geometry.h"

namespace {

// Tall and capital characters whose tops mark where ink starts in the cell.
constexpr std::string_view kBaselineSample = "$`?]ABCabcMYW";

}  // namespace

std::optional<int> FindHeightCorrection(int tileSize, const GlyphFont& font, MessageSink& sink) {
  // The sample as a set of codes, drawn in code order.
  std::array<bool, kCodes> marked{};
  for (char c : kBaselineSample) marked[static_cast<unsigned char>(c)] = true;

  // The surface.
  Result<GlyphSurface> opened = OpenSurface(SheetWidth(tileSize) + 50, 178);
  if (!opened) return std::nullopt;
  GlyphSurface& surface = *opened;

  // The run's font, white on black.
  SelectSurfaceFont(surface, font);
  ClearSurface(surface);
  SetTextMode(surface, TextMode::kTransparent);

  // Each character clipped into its 8 x 8 box.
  int x = 0;
  for (int code = 0; code < kCodes; ++code) {
    if (!marked[code]) continue;
    DrawGlyph(surface, static_cast<unsigned char>(code), {x, 0, x + 8, 8}, true);
    x += tileSize;
  }

  // The first row with enough ink.
  const int columns = SheetWidth(tileSize);
  int result = -1;
  for (int y = 0; y < kHeightProbeRows && result < 0; ++y) {
    int lit = 0;
    for (int col = 0; col < columns; ++col) {
      if (IsLit(surface, col, y) && ++lit >= kHeightProbeThreshold) {
        result = y;
        break;
      }
    }
  }

  // Enough ink, or the message and row 0.
  if (result >= 0) return result;
  sink.Show(
      "Could not find a valid setting for the height correction! This may be caused by a too "
      "big font size, try to make it smaller. Height correction is set to 0.",
      "Error", MessageIcon::kWarning);
  return 0;
}
