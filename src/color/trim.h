// Overflow trimming: removes a stray last column (TooWide) or last row (TooHigh) from a
// character's tile in the colored OutputBitmap, and clears the character's flag.
//
// A line is trimmed when no two neighboring pixels along it are glyph pixels; its
// glyph pixels then become BgColor (low 8 bits, alpha kept). A line with two adjacent
// glyph pixels is left alone and the character stays flagged. A glyph pixel is one
// whose blue, green and red bytes are not all equal to BgColor's components compared
// as integers, so a BgColor component outside 0..255 makes every pixel a glyph pixel.
//
// The bitmap is the 32-bit sheet bitmap (sheet row y in scanline height - 1 - y);
// height is 8 * tileSize. A call whose code or sizes do not fit the bitmap does
// nothing.
#pragma once

#include "base/color_triple.h"
#include "color/overflow_flags.h"
#include "image/bitmap32.h"
#include "layout/grid.h"
#include "text/pixel_surface.h"

// Trims the tile's rightmost pixel column, top to bottom, and clears flags.tooWide[code].
void TrimTooWide(Bitmap32* bitmap, int code, int height, int tileSize, const ColorTriple& bg,
                 OverflowFlags& flags);
// Trims the tile's bottom pixel row, left to right, and clears flags.tooHigh[code].
void TrimTooHigh(Bitmap32* bitmap, int code, int height, int tileSize, const ColorTriple& bg,
                 OverflowFlags& flags);
// TrimTooWide for every code flagged TooWide, ascending, then TrimTooHigh for every
// code flagged TooHigh. TooWideAndHigh codes are never trimmed.
void TrimOverflow(Bitmap32* bitmap, int height, int tileSize, const ColorTriple& bg,
                  OverflowFlags& flags);

// The same over a grid of cells that need not be square: cell index i at column
// i mod columns, row i div columns; the right column walks the cell height, the bottom
// row the cell width; height is rows * cell height. When coverage is given (the
// sheet's coverage, top row first, at least the sheet's size), every pixel painted
// over is made unlit there too, so that the outputs made from the coverage lose
// exactly the pixels the colored sheet lost.
void TrimOverflow(Bitmap32* bitmap, const Grid& grid, PixelSize cell, const ColorTriple& bg,
                  OverflowFlags& flags, PixelSurface* coverage = nullptr);

// The same on the program's flags (SheetOverflowFlags).
void TrimTooWide(Bitmap32* bitmap, int code, int height, int tileSize, const ColorTriple& bg);
void TrimTooHigh(Bitmap32* bitmap, int code, int height, int tileSize, const ColorTriple& bg);
void TrimOverflow(Bitmap32* bitmap, int height, int tileSize, const ColorTriple& bg);
