// Signed distance fields made from 8-bit coverage, for the distance-field output.
//
//   CoverageDistance      the field of a whole coverage surface
//   MaxCoverageDistance   the field of a rectangle of one surface, merged into another
//
// The edge is where the coverage, read between pixel centres as a linear ramp, crosses
// one half (127.5): within each square of four pixel centres that crossing is joined
// into straight pieces (marching squares), which follow an antialiased edge to about a
// tenth of a pixel. Each pixel then gets the distance from its centre to the nearest
// piece: exact next to the edge, carried outward by two raster sweeps that hand each
// pixel its neighbours' nearest edge points (dead reckoning), which stays within a few
// hundredths of a pixel of the true distance over a glyph's spread.
//
// Values: 128 + 128 * d / spreadPx rounded, d in pixels, positive inside, clamped so
// that a pixel of coverage 128 or more reads 128..255 and any other 0..127: the field
// thresholded at 128 is the coverage thresholded at 128, pixel for pixel.
#pragma once

#include "base/status.h"
#include "text/pixel_surface.h"

// The field of coverage into field (resized to coverage's size). The surface's border
// is not an edge: a shape that reaches it is read as going on beyond it. Without any
// edge, every pixel reads 255 (lit) or 0. spreadPx is clamped to 1..32. Fails (field
// left empty) only when memory runs out.
Status CoverageDistance(const PixelSurface& coverage, int spreadPx, PixelSurface& field);

// The field of the part of coverage within rect, each pixel of field within rect taking
// the larger of its old value and the new one (so that overlapping shapes join). Both
// surfaces are read and written only where they hold rect; nothing happens when memory
// runs out.
void MaxCoverageDistance(const PixelSurface& coverage, PixelRect rect, int spreadPx,
                         PixelSurface& field);
