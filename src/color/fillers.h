// The five color modes: each turns the lit pixels of the SheetSurface into colored
// pixels of the OutputBitmap.
//
// Common to all: the bitmap is a Bitmap32 of at least width x height
// pixels; sheet pixel (x, y) is written to scanline height - 1 - y, byte offset 4x, as
// blue, green, red, alpha; every pixel gets alpha 255; an unlit pixel gets BgColor
// (low 8 bits of each component, never textured). The SheetSurface is only read, and
// only inside width x height.
//
// Results: success when every pixel has been written; a failure when the bitmap has been
// left exactly as handed in because it cannot hold the sheet or the cell is empty (a
// caller's mistake).
//
// The image modes take a loaded TextureImage, repeat it over the sheet from its top-left
// texel (sheet pixel (x, y) uses texel (x mod TW, y mod TH)) and ignore its alpha.
#pragma once

#include "base/color_triple.h"
#include "base/sheet_modes.h"
#include "base/status.h"
#include "glyph/glyph_surface.h"
#include "image/bitmap32.h"
#include "image/texture_image.h"
#include "layout/grid.h"

// The modes that follow the cell's shape take its size: the bands run over the cell
// height (tileSize below); relief counts columns against the cell width and rows
// against the cell height.
//
// Lit pixel: TopColor + (SubColor - TopColor) * e per component, e the BandFraction of
// its row; truncated toward zero, low 8 bits, no clamping.
Status FillGradient(Bitmap32* bitmap, const GlyphSurface& sheet, int width, int height,
                    int tileSize, float colorSteps, const ColorTriple& top, const ColorTriple& sub,
                    const ColorTriple& bg);

// Lit pixel: the texel's blue, green and red.
Status FillImageOnly(Bitmap32* bitmap, const GlyphSurface& sheet, const TextureImage& texture,
                     int width, int height, const ColorTriple& bg);

// Lit pixel: TopColor or SubColor by the relief rule (fill_rules.h), low 8 bits.
Status FillRelief(Bitmap32* bitmap, const GlyphSurface& sheet, int width, int height,
                  PixelSize cell, const ColorTriple& top, const ColorTriple& sub,
                  const ColorTriple& bg);

// Lit pixel: texel + TopColor + (SubColor - TopColor) * e per component, clamped to
// 0..255, then truncated.
Status FillGradientOverImage(Bitmap32* bitmap, const GlyphSurface& sheet,
                             const TextureImage& texture, int width, int height, int tileSize,
                             float colorSteps, const ColorTriple& top, const ColorTriple& sub,
                             const ColorTriple& bg);

// Lit pixel: texel + the relief rule's color per component, clamped to 0..255.
Status FillReliefOverImage(Bitmap32* bitmap, const GlyphSurface& sheet, const TextureImage& texture,
                           int width, int height, PixelSize cell, const ColorTriple& top,
                           const ColorTriple& sub, const ColorTriple& bg);

// What a fill needs besides the bitmap and the sheet.
struct FillValues {
  int width = 0;
  int height = 0;
  PixelSize cell;  // the cell in pixels
  float colorSteps = 0.0f;
  ColorTriple top, sub, bg;
  const TextureImage* texture = nullptr;  // required by the image modes
};

// Whether mode's filler reaches the point where it needs its texture: it does unless it
// refuses the values first (the bitmap's size or the cell size), so that a texture is
// loaded, and its failure reported, only when it would be used.
bool FillNeedsTexture(ColorMode mode, Bitmap32* bitmap, const FillValues& values);

// Runs mode's filler. A failure also when an image mode has no texture.
Status FillSheet(ColorMode mode, Bitmap32* bitmap, const GlyphSurface& sheet,
                 const FillValues& values);
