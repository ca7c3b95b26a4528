// The cells a fallback face draws: which font draws each cell's character, and what the
// log says about it.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "glyph/glyph_surface.h"
#include "text/fallback_faces.h"

// What the fallback faces did in one run.
struct FallbackTally {
  std::vector<std::string> faces;  // each face that drew a cell, in the order it first did
  std::vector<int> cells;          // how many cells each of them drew
  std::vector<char32_t> missing;   // characters no face has, each once, in cell order
  std::unordered_set<char32_t> missingSeen;
};

// The most characters the log names one by one; the rest are counted.
inline constexpr int kMaxMissingLines = 20;

// The font that draws c: font itself when its face has c's character (or c is none or a
// control character, which no face is asked for); otherwise the first fallback face that
// has it, counted in tally, with c made the Unicode character it stands for (a byte code
// is looked up through font). Without any face that has it, font, and the character is
// recorded as missing: the cell stays empty.
GlyphFont CellFont(SheetChar& c, const GlyphFont& font, FallbackFonts& fallback,
                   FallbackTally& tally);

// The log's lines about tally, joined by "\r\n" ("" for none): "fallback: FACE draws N
// cells" for each face, then "no face has U+XXXX" for at most kMaxMissingLines
// characters and "... and N more characters no face has" for the rest.
std::string FallbackLogLines(const FallbackTally& tally);
