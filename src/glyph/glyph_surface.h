// Scratch surfaces that characters are drawn on, white on black, and read back from
// pixel by pixel, as the measuring code and the sheet composition need.
//
// A surface is a memory buffer of the requested size, all of it drawing area. It owns
// its pixels and shares its font: both go with it, and a font goes once no surface or
// caller holds it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/status.h"
#include "glyph/glyph_font.h"
#include "text/pixel_surface.h"

enum class TextMode { kTransparent, kOpaqueBlack };

struct GlyphSurface {
  PixelSurface pixels;  // the drawing area
  GlyphFont font;       // the font selected now; null until the first selection or
                        // drawing, which takes the default font
  TextMode mode = TextMode::kTransparent;
  // When not empty, one flag a row: the rows a draw may have lit, set by whoever draws.
  // The other rows are black, and the readers that know this (the fillers) skip them, so
  // that a large sheet's empty rows are never touched.
  std::vector<std::uint8_t> inkRows;
};

// A surface of width x height pixels, black, with transparent text and no font yet; a
// failure when it cannot be made (a size that is not positive, or no memory).
Result<GlyphSurface> OpenSurface(int width, int height);

// Selects font for drawing. A null font selects nothing: the current font stays.
void SelectSurfaceFont(GlyphSurface& surface, const GlyphFont& font);

// Fills the whole surface black.
void ClearSurface(GlyphSurface& surface);

// Text is always white; opaque mode fills each character's cell black first.
void SetTextMode(GlyphSurface& surface, TextMode mode);

// Draws the one character of byte code with its cell's top-left at (rect.left,
// rect.top). Clipped, nothing lands outside rect; unclipped, it lands wherever it
// falls on the surface. No prefix processing: "&" draws itself; codes 10 and 13
// draw nothing.
void DrawGlyph(GlyphSurface& surface, unsigned char code, PixelRect rect, bool clipped);

// The same for the Unicode character ch itself (no byte-code mapping, no symbol-map
// offset): what the cells of character maps other than Windows-1252 hold. ch 0 draws
// nothing.
void DrawGlyphChar(GlyphSurface& surface, char32_t ch, PixelRect rect, bool clipped);

// One character of a sheet: a Windows-1252 byte code (the cp1252 map, drawn as
// DrawGlyph does), or a Unicode character of another map (as DrawGlyphChar does).
struct SheetChar {
  char32_t ch = 0;  // the byte code itself when byteCode
  bool byteCode = true;
};
void DrawSheetChar(GlyphSurface& surface, const SheetChar& c, PixelRect rect, bool clipped);
// The same with the character's cell top-left at (x, y), nothing lit outside clip.
void DrawSheetCharAt(GlyphSurface& surface, const SheetChar& c, int x, int y, PixelRect clip);

// The signed distance field of the character that DrawSheetChar draws with its cell's
// top-left at (rect.left, rect.top), placed as its coverage, nothing outside rect or clip
// (DrawCharDistanceAt: 128 on the outline, higher inside, spreadPx 1..32). The field
// reaches spreadPx beyond the ink, so clip keeps it within the sheet cell. The text mode
// is not used.
void DrawSheetCharDistance(GlyphSurface& surface, const SheetChar& c, PixelRect rect,
                           PixelRect clip, int spreadPx);
// The same with the character's cell top-left at (x, y), nothing outside clip (as
// DrawSheetCharAt places it).
void DrawSheetCharDistanceAt(GlyphSurface& surface, const SheetChar& c, int x, int y,
                             PixelRect clip, int spreadPx);

// The ink box of what DrawGlyph (DrawGlyphChar) would light drawing unclipped at (x, y)
// on a surface reaching from (0, 0) without end: the whole character, however much of
// it this surface holds. Nothing without ink.
std::optional<PixelRect> GlyphInkBox(GlyphSurface& surface, unsigned char code, int x, int y);
std::optional<PixelRect> GlyphCharInkBox(GlyphSurface& surface, char32_t ch, int x, int y);
std::optional<PixelRect> SheetCharInkBox(GlyphSurface& surface, const SheetChar& c, int x, int y);

// A pixel is lit when it is anything but black.
inline bool IsLit(const GlyphSurface& surface, int x, int y) {
  return IsLitAt(surface.pixels, x, y);
}
