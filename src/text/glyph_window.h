// Rendering part of a glyph: the windows that a glyph too large to keep is drawn in.
// Internal to the text layer.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>

// The 16 gray levels of the original renderer: v / 16 as 0, 17, ..., 255, so that
// coverage below 16/255 stays black.
inline std::uint8_t QuantizeCoverage(unsigned value) {
  return static_cast<std::uint8_t>((value >> 4) * 17);
}

// Pixels of a glyph, placed as GlyphImage places them: columns from the pen, and top, the
// number of rows above the baseline (the first row covers top - 1 to top).
struct PixelBox {
  long long left = 0, top = 0, width = 0, rows = 0;
};

// The pixels the glyph loaded in slot covers: an outline's control box widened to whole
// pixels (what FreeType's gray renderer makes its bitmap of), or a bitmap glyph's bitmap.
PixelBox LoadedBox(FT_GlyphSlot slot);

// Renders the window of the glyph loaded in slot (before synthetic bold) into out,
// window.rows * window.width bytes in 16 levels, zeroed by the caller. Every pixel of a
// gray outline is what FreeType's whole bitmap holds there; a mono outline is rendered
// into a bitmap of the window's size, a bitmap glyph read where it overlaps the window.
// The slot's outline is moved.
void RenderLoadedWindow(FT_Library library, FT_GlyphSlot slot, FT_Render_Mode mode,
                        const PixelBox& window, std::uint8_t* out);
