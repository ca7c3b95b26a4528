// Fonts: an installed face at a pixel size and style, ready to draw characters.
//
// A font is matched from a FontRequest (typeface name, height, width, weight,
// italic, underline) the way a Windows font request is served: the installed file
// of that typeface nearest in weight and slant, or fontconfig's closest substitute
// for a name that is not installed. Sizes, hinting and coverage follow the rules in
// size_rules.h. FreeType faces are cached inside this layer; fonts are cheap.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "text/pixel_surface.h"

struct FontRequest {
  std::string face;  // typeface name, UTF-8; empty asks for the default sans-serif face
  int height = 0;    // > 0: cell height in px; < 0: em height (ppem) in px; 0: cell height 16
  int width = 0;     // average character width in px; 0 keeps the face's own aspect
  int weight = 400;  // 400 regular or 700 bold
  bool italic = false;
  bool underline = false;
};

struct TextFont;  // opaque: face, size, style and the glyphs rendered so far
using TextFontPtr = std::shared_ptr<TextFont>;

// Makes the font that serves request. Returns nullptr only when no face at all can
// be opened (no fonts installed).
TextFontPtr OpenTextFont(const FontRequest& request);

// Every character the face serving request maps to a glyph, ascending: the code points
// of FreeType's Unicode character map of the face (size and style aside). Empty when no
// face can be opened or the face has no Unicode map (a symbol face's codes are not
// characters).
std::vector<char32_t> MappedChars(const FontRequest& request);

// The font a surface draws with before any other is selected: the default
// sans-serif face at cell height 16, regular.
TextFontPtr DefaultTextFont();

struct FontMetrics {
  int ascentPx = 0;    // baseline distance from the cell top
  int descentPx = 0;   // cell bottom distance below the baseline
  int ppemX = 0;       // horizontal pixels per em
  int ppemY = 0;       // vertical pixels per em
  std::string file;    // the font file serving the request
  std::string family;  // its typeface name
  bool syntheticBold = false;
  bool syntheticItalic = false;
};
FontMetrics GetFontMetrics(const TextFont& font);

// One rendered character: coverage quantized to 16 levels, with synthetic bold and
// italic applied. left is the bitmap's first column relative to the pen, top the
// number of rows of the bitmap above the baseline (FreeType's bitmap_top). A glyph is
// never drawn beyond kMaxGlyphReachPx (size_rules.h) of its pen origin and baseline, and
// one of more than 256 x 256 pixels is not kept: its coverage stays empty, and each
// DrawCharAt renders only the part it shows.
struct GlyphImage {
  int left = 0;
  int top = 0;
  int width = 0;
  int rows = 0;
  int advancePx = 0;                   // pen advance, +1 with synthetic bold
  bool kept = true;                    // coverage holds the whole glyph
  std::vector<std::uint8_t> coverage;  // rows * width bytes when kept
};

// The character a byte code of the sheet stands for in font: Windows-1252, or
// U+F000 + code for a face with only a symbol map. Codes 10 and 13 give 0 (no ink).
char32_t CodeToChar(const TextFont& font, std::uint8_t code);

// Whether font's face has a glyph for ch, asked as drawing asks it: the character map
// (a byte-coded face also by the bare code, a Type 1 or CFF face through its built-in
// encoding). A character it lacks draws nothing.
bool FontHasChar(const TextFont& font, char32_t ch);

// Renders ch once and keeps it in the font (a glyph too large to keep, its box and
// advance alone); a character the face lacks (glyph index 0) gives an empty image with
// advance 0. A Type 1 or CFF face whose Unicode
// map lacks ch draws ch's Windows-1252 byte through its built-in encoding.
const GlyphImage& RenderChar(TextFont& font, char32_t ch);

// Draws ch with its pen at x = penX and its baseline at top + ascent, white onto
// surface (each pixel becomes the larger of old and coverage). With clip, nothing
// is written outside it; the surface bounds always clip. opaque fills the
// character's cell (advance x ascent+descent) black first. underline draws the
// font's underline stroke across the advance (the font's own underline style draws
// it too). Returns the advance in px.
int DrawCharAt(PixelSurface& surface, TextFont& font, char32_t ch, int penX, int top,
               const PixelRect* clip, bool opaque, bool underline);

// Draws ch's signed distance field where DrawCharAt would draw its coverage (pen at
// penX, baseline at top + ascent), nothing outside clip or the surface: each pixel
// becomes the larger of old and 128 + 128 * d / spreadPx, clamped to 0..255, where d is
// the pixel center's distance in pixels from the glyph's edge, positive inside. The edge
// is the half level of the coverage DrawCharAt draws (CoverageDistance), so synthetic
// bold and italic, the underline, overlapping contours and bitmap faces all count as
// they are drawn, and the field thresholded at 128 lights exactly the pixels of coverage
// 128 and more. Only the part of the glyph within spreadPx of clip is rendered, so a
// glyph of any size gets its field. spreadPx is 1..32.
void DrawCharDistanceAt(PixelSurface& surface, TextFont& font, char32_t ch, int penX, int top,
                        const PixelRect& clip, int spreadPx);

// The box of the pixels DrawCharAt (no clip, not opaque) would light with ch at penX and
// top on a surface that reaches from (0, 0) without end: what a surface too small for a
// large glyph cuts off is counted too, ink left of or above (0, 0) is not. Nothing when
// no such pixel is lit.
std::optional<PixelRect> CharInkBox(TextFont& font, char32_t ch, int penX, int top, bool underline);
