// Scratch surfaces for drawing and reading back characters.
#include "glyph/glyph_surface.h"

#include <algorithm>
#include <string>

#include "text/text_font.h"

Result<GlyphSurface> OpenSurface(int width, int height) {
  // No font yet: the default font is opened when a character is drawn before any font
  // is selected, so a run that selects its font first never pays for it.
  GlyphSurface surface;
  if (!ResizePixelSurface(surface.pixels, width, height)) {
    return Failure("Could not make a drawing surface of " + std::to_string(width) + " x " +
                   std::to_string(height) + " pixels.");
  }
  return surface;
}

void SelectSurfaceFont(GlyphSurface& surface, const GlyphFont& font) {
  if (font) surface.font = font;
}

void ClearSurface(GlyphSurface& surface) {
  FillPixelSurface(surface.pixels, 0);
}

void SetTextMode(GlyphSurface& surface, TextMode mode) {
  surface.mode = mode;
}

namespace {

// The selected font, or on an open surface without one, the default font.
const GlyphFont& DrawingFont(GlyphSurface& surface) {
  if (!surface.font && surface.pixels.width > 0) {
    surface.font = DefaultTextFont();
  }
  return surface.font;
}

}  // namespace

void DrawGlyph(GlyphSurface& surface, unsigned char code, PixelRect rect, bool clipped) {
  if (!DrawingFont(surface)) return;
  DrawGlyphChar(surface, CodeToChar(*surface.font, code), rect, clipped);
}

void DrawGlyphChar(GlyphSurface& surface, char32_t ch, PixelRect rect, bool clipped) {
  if (!DrawingFont(surface) || ch == 0) return;  // line breaks and empty cells give no ink
  DrawCharAt(surface.pixels, *surface.font, ch, rect.left, rect.top, clipped ? &rect : nullptr,
             surface.mode == TextMode::kOpaqueBlack, false);
}

void DrawSheetChar(GlyphSurface& surface, const SheetChar& c, PixelRect rect, bool clipped) {
  if (c.byteCode) {
    DrawGlyph(surface, static_cast<unsigned char>(c.ch), rect, clipped);
  } else {
    DrawGlyphChar(surface, c.ch, rect, clipped);
  }
}

void DrawSheetCharDistance(GlyphSurface& surface, const SheetChar& c, PixelRect rect,
                           PixelRect clip, int spreadPx) {
  if (!DrawingFont(surface)) return;
  const char32_t ch =
      c.byteCode ? CodeToChar(*surface.font, static_cast<unsigned char>(c.ch)) : c.ch;
  if (ch == 0) return;
  const PixelRect within{std::max(rect.left, clip.left), std::max(rect.top, clip.top),
                         std::min(rect.right, clip.right), std::min(rect.bottom, clip.bottom)};
  DrawCharDistanceAt(surface.pixels, *surface.font, ch, rect.left, rect.top, within, spreadPx);
}

void DrawSheetCharDistanceAt(GlyphSurface& surface, const SheetChar& c, int x, int y,
                             PixelRect clip, int spreadPx) {
  if (!DrawingFont(surface)) return;
  const char32_t ch =
      c.byteCode ? CodeToChar(*surface.font, static_cast<std::uint8_t>(c.ch)) : c.ch;
  if (ch == 0) return;
  DrawCharDistanceAt(surface.pixels, *surface.font, ch, x, y, clip, spreadPx);
}

void DrawSheetCharAt(GlyphSurface& surface, const SheetChar& c, int x, int y, PixelRect clip) {
  if (!DrawingFont(surface)) return;
  const char32_t ch =
      c.byteCode ? CodeToChar(*surface.font, static_cast<std::uint8_t>(c.ch)) : c.ch;
  if (ch == 0) return;
  DrawCharAt(surface.pixels, *surface.font, ch, x, y, &clip, surface.mode == TextMode::kOpaqueBlack,
             false);
}

std::optional<PixelRect> SheetCharInkBox(GlyphSurface& surface, const SheetChar& c, int x, int y) {
  return c.byteCode ? GlyphInkBox(surface, static_cast<unsigned char>(c.ch), x, y)
                    : GlyphCharInkBox(surface, c.ch, x, y);
}

std::optional<PixelRect> GlyphInkBox(GlyphSurface& surface, unsigned char code, int x, int y) {
  if (!DrawingFont(surface)) return std::nullopt;
  return GlyphCharInkBox(surface, CodeToChar(*surface.font, code), x, y);
}

std::optional<PixelRect> GlyphCharInkBox(GlyphSurface& surface, char32_t ch, int x, int y) {
  if (!DrawingFont(surface) || ch == 0) return std::nullopt;
  return CharInkBox(*surface.font, ch, x, y, false);
}
