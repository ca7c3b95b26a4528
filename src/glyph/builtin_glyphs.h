// Box drawing, block and shade characters drawn to the cell instead of from a font, as
// terminals draw them, so that frames join edge to edge and blocks tile without seams
// whatever the face's own metrics.
//
//   IsBuiltinGlyph    which characters are drawn here
//   DrawBuiltinGlyph  a character's coverage in a cell of W x H pixels
//
// The characters: U+2500..U+257F (box drawing: light, heavy, double, dashed, rounded and
// diagonal), U+2580..U+259F (blocks in eighths, quadrants, the shades) and U+25A0.
//
// Geometry, fixed once per cell size and shared by every character:
//   light = max(1, round(H / 16)) px, heavy = 2 x light, double = two light lines with a
//   light gap (3 x light in all). A line of thickness t across a cell side of L px covers
//   [floor((L - t) / 2), floor((L - t) / 2) + t): centred, and where it cannot be
//   centred exactly the spare pixel goes below (right of) it. So the light line lies in
//   the gap of the double and inside the heavy one, and a line leaving a side reaches
//   that side's last pixel at the same rows (columns) in every character.
//   Blocks cut the cell at E(k) = k/8 of its side rounded to the nearest pixel, ties to
//   even, measured from the top (left): lower k eighths cover [E(8 - k), H), so that
//   complementary blocks (upper and lower half, left and right) meet with no gap and no
//   overlap.
#pragma once

#include <cstddef>
#include <cstdint>

// Cell sides the built-in glyphs are drawn at, in px.
inline constexpr int kMinBuiltinCellPx = 1;
inline constexpr int kMaxBuiltinCellPx = 64;

// True for the characters DrawBuiltinGlyph draws.
bool IsBuiltinGlyph(char32_t ch);

// Writes the coverage of ch (0 to 255 a pixel) over every pixel of the cell of widthPx x
// heightPx pixels whose top-left pixel is cell, rows stride bytes apart. Returns false,
// writing nothing, for a character IsBuiltinGlyph refuses or a side outside
// kMinBuiltinCellPx..kMaxBuiltinCellPx. Allocates nothing.
bool DrawBuiltinGlyph(char32_t ch, int widthPx, int heightPx, std::uint8_t* cell,
                      std::ptrdiff_t stride);
