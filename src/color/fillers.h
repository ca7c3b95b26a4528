// The five color modes: each turns the lit pixels of the SheetSurface into colored
// pixels of the OutputBitmap.
//
// Common to all: the bitmap is a 32-bit FreeImage image of at least width x height
// pixels; sheet pixel (x, y) is written to scanline height - 1 - y, byte offset 4x, as
// blue, green, red, alpha; every pixel gets alpha 255; an unlit pixel gets BgColor
// (low 8 bits of each component, never textured). The SheetSurface is only read, and
// only inside width x height.
//
// Results: 0 when every pixel has been written; 1 when the bitmap has been left
// exactly as handed in, either because an image mode could not load its TextureImage
// (after LoadTextureImage's message) or because the bitmap cannot hold the sheet
// (a caller's mistake; no message).
//
// The image modes load the TextureImage named in the Path field (1027) afresh on every
// call, repeat it over the sheet from its top-left texel (sheet pixel (x, y) uses
// texel (x mod TW, y mod TH)), ignore its alpha, and release it before they return.
#pragma once

#include <FreeImage.h>

#include "color/color_triple.h"
#include "dialog/dialog.h"
#include "glyph/glyph_surface.h"

// Lit pixel: TopColor + (SubColor - TopColor) * e per component, e the BandFraction of
// its row; truncated toward zero, low 8 bits, no clamping.
int FillGradient(FIBITMAP* bitmap, const GlyphSurface& sheet, int width, int height, int tileSize,
                 float colorSteps, const ColorTriple& top, const ColorTriple& sub,
                 const ColorTriple& bg);

// Lit pixel: the texel's blue, green and red.
int FillImageOnly(FIBITMAP* bitmap, const GlyphSurface& sheet, Dialog& dlg, int width, int height,
                  const ColorTriple& bg);

// Lit pixel: TopColor or SubColor by the relief rule (relief.h), low 8 bits.
int FillRelief(FIBITMAP* bitmap, const GlyphSurface& sheet, int width, int height, int tileSize,
               const ColorTriple& top, const ColorTriple& sub, const ColorTriple& bg);

// Lit pixel: texel + TopColor + (SubColor - TopColor) * e per component, clamped to
// 0..255, then truncated.
int FillGradientOverImage(FIBITMAP* bitmap, const GlyphSurface& sheet, Dialog& dlg, int width,
                          int height, int tileSize, float colorSteps, const ColorTriple& top,
                          const ColorTriple& sub, const ColorTriple& bg);

// Lit pixel: texel + the relief rule's color per component, clamped to 0..255.
int FillReliefOverImage(FIBITMAP* bitmap, const GlyphSurface& sheet, Dialog& dlg, int width,
                        int height, int tileSize, const ColorTriple& top, const ColorTriple& sub,
                        const ColorTriple& bg);
