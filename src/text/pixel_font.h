// Pixel fonts: outline faces designed on a grid of G font units (Unifont, pixel-art
// TTFs), which come out exact only when drawn at a whole number of pixels per grid step,
// in mono, unhinted, on whole pixels; drawn as other faces are, they blur.
//
//   FindPixelGrid      whether a face is a pixel font, and its grid
//   PickPixelFontSize  the whole multiple of the grid that fits a cell height
//   PixelFontLogLine   the log's line about it
//   OpenMonoTextFont   the font that draws the face so
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/text_font.h"

struct PixelGrid {
  int gridUnits = 0;     // font units a design pixel, > 1
  int unitsPerEm = 0;    // the face's em, font units
  int ascentSteps = 0;   // the face's cell above the baseline (usWinAscent), grid steps
  int descentSteps = 0;  // and below it (usWinDescent), grid steps; both rounded up
};

// The design grid of font's face, when it is a pixel font: every outline point of the
// printable ASCII characters and of extra (those the face has) lies on a multiple of
// gridUnits font units, the largest such, which must exceed 1; and every contour runs
// only horizontally and vertically (no off-curve point, no slanted segment). Nothing
// for a face that is not scalable, has no outline among those characters, or breaks
// either rule. Reads outlines in font units: costs no rendering.
std::optional<PixelGrid> FindPixelGrid(const TextFont& font, std::u32string_view extra = {});

struct PixelFontSize {
  int gridUnits = 0;  // as PixelGrid
  int pxPerStep = 1;  // pixels a grid step: the multiple drawn (1x, 2x, ...)
  int ppem = 1;       // pixels per em at that multiple, rounded
  int ascentPx = 0;   // ascentSteps * pxPerStep
  int descentPx = 0;  // descentSteps * pxPerStep
};

// The largest whole multiple of the grid whose design height, ascentSteps + descentSteps
// (the face's cell, as the cell height rule of size_rules.h measures it), fits
// cellHeightPx; 1x when not even that fits, and never beyond kMaxPpem pixels per em.
// Unifont (4-unit grid, cell of 16 steps) gets 1x at 16 to 31 px and 2x at 32 to 47.
PixelFontSize PickPixelFontSize(const PixelGrid& grid, int cellHeightPx);

// "pixel font: grid G units = N px", for the log of a run that draws one.
std::string PixelFontLogLine(const PixelFontSize& size);

// A font on font's face with its style (synthetic bold and italic, underline) that
// draws exactly: unhinted, from the outline (no embedded bitmap), rendered in mono, so
// that every coverage value is 0 or 255 and every edge of a grid-aligned outline lies on
// a pixel edge. With exactSize, at that multiple of the grid with its ascent and descent;
// without, at font's own size (a face that looks pixel-designed but breaks FindPixelGrid's
// rules). Ignores the width of font's request: the grid is square. nullptr for a face
// that is not scalable (its strikes draw exactly already) or cannot be sized.
TextFontPtr OpenMonoTextFont(const TextFont& font, const std::optional<PixelFontSize>& exactSize);
