// The FreeType library of this layer and a small cache of opened faces by
// (file, index). Opening a face is the costly step; fonts made from a cached face
// cost one FT_Size each. Internal to the text layer; single-threaded.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "text/font_source.h"
#include "text/ft_handles.h"

// A face and the values of its tables that sizing and drawing need, read once.
struct CachedFace {
  FtLibraryPtr library;                // first member: released after the face
  std::unique_ptr<FontStream> stream;  // what the face reads: released after it
  FtFacePtr face;
  std::string file;
  long index = 0;
  FontSourcePtr given;  // the source AcquireFace was given; null when opened by path

  int unitsPerEm = 1000;
  int winAscent = 0;           // font units above the baseline (OS/2 usWinAscent, else hhea)
  int winDescent = 0;          // font units below the baseline (OS/2 usWinDescent, else hhea)
  int avgCharWidth = -1;       // OS/2 xAvgCharWidth; -1 until AverageCharWidth computes it
  int underlinePosition = 0;   // top of the underline stroke, font units
  int underlineThickness = 0;  // font units
  int weight = 400;            // OS/2 usWeightClass, else from the style flags
  bool italic = false;
  bool byteCoded = false;  // no Unicode map: asked for U+F000 + code, then the code
  // A Type 1 or bare CFF face, whose Unicode map FreeType made from glyph names: the
  // glyph of each byte code 0..255 through the face's built-in encoding, for the
  // characters that map lacks (symbol faces). Empty for every other face.
  std::vector<unsigned> encodingGlyphs;
  // What the pixel font check read from each glyph's outline in font units, by glyph
  // index (PixelGlyphGrid codes, see pixel_font.cpp): empty until the first check, so
  // that checking the same face again (the window's every preview) reads no outline twice.
  std::vector<std::int32_t> glyphGrids;
};
using CachedFacePtr = std::shared_ptr<CachedFace>;

// The FreeType library with the TrueType interpreter set to version 35. nullptr when
// FreeType cannot start.
FtLibraryPtr SharedFreeTypeLibrary();

// The face (file, index), from the cache or opened now: read through source when one
// is given (an added file), else through file opened anew, which must be a regular
// file (a FIFO is never waited on). nullptr when FreeType cannot open it.
CachedFacePtr AcquireFace(const std::string& file, long index,
                          const FontSourcePtr& source = nullptr);

// Forgets every cached face (fonts still holding one keep it alive).
void ClearFaceCache();

// The face's average character width in font units: OS/2 xAvgCharWidth, or when that
// is 0 or missing the mean of the non-zero advances. 0 when nothing is known.
int AverageCharWidth(CachedFace& face);
