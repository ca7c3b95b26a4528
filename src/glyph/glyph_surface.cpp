// Scratch surfaces for drawing and reading back characters.
#include "glyph/glyph_surface.h"

#include <algorithm>

#include "text/text_font.h"

int OpenSurface(GlyphSurface& surface, const char* title, int x, int y, int width, int height) {
  CloseSurface(surface);
  if (ResizePixelSurface(surface.pixels, width, height) != kOk) return 1;
  surface.title = title;
  surface.x = x;
  surface.y = y;
  // The default font is opened when a character is drawn before any font is selected:
  // a run that selects its font first never pays for it.
  surface.font = nullptr;
  surface.previousFont = nullptr;
  surface.fontSelected = false;
  surface.mode = TextMode::kTransparent;
  return 0;
}

void SelectSurfaceFont(GlyphSurface& surface, const GlyphFont& font) {
  if (!font) return;
  if (!surface.fontSelected) {
    surface.previousFont = surface.font;
    surface.fontSelected = true;
  }
  surface.font = font;
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
  if (!surface.font && !surface.fontSelected && surface.pixels.width > 0) {
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

void CloseSurface(GlyphSurface& surface) {
  if (surface.fontSelected) surface.font = surface.previousFont;
  surface.previousFont = nullptr;
  surface.fontSelected = false;
  surface.font = nullptr;
  surface.pixels = PixelSurface{};
}
