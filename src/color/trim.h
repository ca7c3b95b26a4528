// Overflow trimming: removes a stray last column (TooWide) or last row (TooHigh) from a
// character's cell in the colored OutputBitmap, and clears the character's flag.
//
// A line is trimmed when no two neighboring pixels along it are glyph pixels; its
// glyph pixels then become BgColor (low 8 bits, alpha kept). A line with two adjacent
// glyph pixels is left alone and the character stays flagged. A glyph pixel is one
// whose blue, green and red bytes are not all equal to BgColor's components compared
// as integers, so a BgColor component outside 0..255 makes every pixel a glyph pixel.
//
// The bitmap is the 32-bit sheet bitmap (sheet row y in scanline height - 1 - y). A
// cell or size that does not fit the bitmap is left alone.
#pragma once

#include "base/color_triple.h"
#include "color/overflow_flags.h"
#include "image/bitmap32.h"
#include "layout/grid.h"
#include "text/pixel_surface.h"

// Trims, over a grid of cells (cell index i at column i mod columns, row i div
// columns), the right column of every cell flagged TooWide, ascending, walking the cell
// height, then the bottom row of every cell flagged TooHigh, walking the cell width, and
// clears the flag of each line trimmed. TooWideAndHigh cells are never trimmed. The
// bitmap is rows * cell height high. When coverage is given (the sheet's coverage, top
// row first, at least the sheet's size), every pixel painted over is made unlit there
// too, so that the outputs made from the coverage lose exactly the pixels the colored
// sheet lost.
void TrimOverflow(Bitmap32* bitmap, const Grid& grid, PixelSize cell, const ColorTriple& bg,
                  OverflowFlags& flags, PixelSurface* coverage = nullptr);
