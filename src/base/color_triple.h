// The three-field colors of a sheet (BgColor, TopColor, SubColor) as plain integers.
#pragma once

// Red, green and blue as the fields hold them. The fields are labeled 0..255 but
// nothing enforces it: where a component is written without clamping, its low 8 bits
// are stored (300 gives 44, -1 gives 255).
struct ColorTriple {
  int red = 0;
  int green = 0;
  int blue = 0;
};
