// Autosize: suggests a Char height (and, in the full mode, a Char width) for the
// selected face whose average glyph extents come closest to a target that depends
// on the tile size alone.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "glyph/glyph_font.h"
#include "glyph/glyph_surface.h"
#include "layout/grid.h"

enum class AutosizeMode {
  kProportional,  // a height only; Char width is emptied (the face's own proportions)
  kFull,          // a height, then a width for that height
};

// The letters whose extents are averaged, and the divisor of every average: the
// number of characters, not of distinct codes.
inline constexpr char kAutosizeSample[] = "ABCDEFGabcdefg";
inline constexpr int kAutosizeSampleCount = sizeof(kAutosizeSample) - 1;

// Averages over the sample of each character's lit extent, in px: max - min of the
// lit columns (width) and rows (height), so a one-pixel-wide stroke counts 0. A
// character without ink in the region counts -99999 for both.
struct SampleAverages {
  float width = 0.0f;
  float height = 0.0f;
};

// Opens the size test surface (size x size; 200 for cells up to 16 px), cleared, with white text on
// a transparent background. Returns 0, or 1 when it cannot be made.
inline constexpr int kSizeTestSurfaceSize = 200;
int OpenSizeTestSurface(GlyphSurface& surface, int size = kSizeTestSurfaceSize);

// Selects font into surface (a null font leaves the current one; a replaced
// candidate is released once the surface lets go of it), then draws each sample code
// alone and unclipped at (0, 0) and scans the region of regionWidth x regionHeight
// pixels at the top-left for its lit extents. A region without columns or rows reads
// nothing.
SampleAverages MeasureSample(GlyphSurface& surface, const GlyphFont& font, int regionWidth,
                             int regionHeight);

// What Autosize suggests: a Char height, in the full mode a Char width, and the report
// for the log (Windows-1252 bytes). A size that none of the candidates suits is -1.
struct SizeSuggestion {
  int height = -1;
  std::optional<int> width;  // the full mode only
  std::string report;
  // What the search found before the size was lowered to fit a cell that is not
  // square: the height (proportional) or the width (full); none when it was not.
  std::optional<int> loweredFrom;
};

// Searches the candidate heights (and widths) for tileSize (1 to 16) with fonts of
// font's face and style (its own size is not used). Nothing when the scratch surface
// cannot be made.
std::optional<SizeSuggestion> SuggestSize(const std::optional<FontRequest>& font, int tileSize,
                                          AutosizeMode mode);
// The same for a cell that need not be square (each side 1 to 64): the height is
// searched for the cell height, the width for the cell width. A cell that is not square
// must hold the characters' width too: the size found last (the height in the
// proportional mode, the width in the full mode) is lowered one pixel at a time until no
// character of fitChars is too wide for the cell (ink at least the cell width across, as
// the export flags it), and the report says so. When even size 1 leaves one too wide,
// the size found stays. Square cells keep the searches alone.
std::optional<SizeSuggestion> SuggestSize(const std::optional<FontRequest>& font, PixelSize cell,
                                          AutosizeMode mode,
                                          std::span<const SheetChar> fitChars = {});

// Whether every character of chars, drawn with font, has ink narrower than widthPx (at
// most widthPx - 1 columns): the export's test for too wide characters. surface is
// scratch.
bool CharsFitWidth(GlyphSurface& surface, const GlyphFont& font, std::span<const SheetChar> chars,
                   int widthPx);
