// The arithmetic of font sizes and styles, free of FreeType so that it can be checked
// against figures measured on real fonts without opening one.
//
// Font units scale to pixels as round(units * ppem / unitsPerEm), half away from
// zero. The cell of a font is ascent + descent rows, both taken from the OS/2
// usWinAscent and usWinDescent (the hhea values FreeType reports differ by a row).
#pragma once

#include <cstdint>

// Sizes beyond this many pixels per em are clamped: a glyph that size already
// overflows any sheet.
inline constexpr int kMaxPpem = 1024;

// The pixel sizes a font's own metrics give are capped here: ascent, descent and each
// advance at this many pixels, and a glyph is drawn no farther than this from its pen
// origin and baseline. No cell (64 px), probe or preview comes near it, and it keeps
// what a font with tiny units asks of the rasterizer within its range.
inline constexpr int kMaxGlyphReachPx = 4096;

// The cell height a request of height 0 asks for.
inline constexpr int kDefaultCellHeight = 16;

// A pixel size taken from a font's metrics, within +-kMaxGlyphReachPx.
inline int ClampReach(long long px) {
  return static_cast<int>(px < -kMaxGlyphReachPx  ? -kMaxGlyphReachPx
                          : px > kMaxGlyphReachPx ? kMaxGlyphReachPx
                                                  : px);
}

// round(units * ppem / unitsPerEm), half away from zero; 0 when unitsPerEm is not
// positive.
int ScaleFontUnits(long units, int ppem, int unitsPerEm);

// A FreeType 26.6 value in whole pixels, rounded half up.
inline int RoundF26Dot6(long value) {
  return static_cast<int>((value + 32) >> 6);
}

struct VerticalSize {
  int ppem = 1;       // vertical pixels per em, 1..kMaxPpem
  int ascentPx = 0;   // baseline distance from the cell top
  int descentPx = 0;  // cell bottom distance below the baseline
};

// The vertical size serving a requested height. With S = winAscent + winDescent:
//   height > 0 (cell height H): ppem = round(H * upem / S), then lowered while
//     ppem > 1 and ascent + descent > H;
//   height < 0 (em height): ppem = -height;
//   height 0: as cell height kDefaultCellHeight.
// ascent = round(winAscent * ppem / upem), descent = round(winDescent * ppem / upem), each
// within +-kMaxGlyphReachPx.
// A face with S <= 0 counts as ascent = upem, descent = 0.
VerticalSize PickVerticalSize(int height, int unitsPerEm, int winAscent, int winDescent);

// The horizontal pixels per em for an average character width in px:
// round(|width| * upem / avgCharWidth), at least 1; width 0 (or no usable average
// width) keeps yPpem, the face's own aspect.
int PickHorizontalPpem(int width, int yPpem, int unitsPerEm, int avgCharWidth);

struct UnderlineRows {
  int topBelowBaseline = 0;  // first row of the stroke, counted down from the baseline
  int rows = 1;              // stroke thickness in rows, at least 1
};

// The underline stroke from the post table: position is the top of the line in
// font units (negative below the baseline), thickness its size.
UnderlineRows PickUnderline(int position, int thickness, int ppem, int unitsPerEm);

// Bold is asked (weight 600 and above) of a face lighter than 600.
bool NeedsSyntheticBold(int requestedWeight, int faceWeight);

// Italic is asked of an upright face.
bool NeedsSyntheticItalic(bool requestedItalic, bool faceItalic);

struct FaceStyle {
  int weight = 400;  // OpenType weight class, 1..1000
  bool italic = false;
  bool trueType = true;  // a TrueType or OpenType file; false for Type 1 and the rest
};

// Among count faces of one typeface, the one serving a weight and slant: nearest in
// weight first, then the matching slant, then a TrueType or OpenType file before any
// other format (the request asks for outline TrueType precision); the first of
// equals wins. -1 when count is 0.
int PickFaceStyle(const FaceStyle* faces, int count, int weight, bool italic);

// Among count fixed strikes of a bitmap-only face (their heights in px), the one
// nearest the requested height's magnitude (height 0: kDefaultCellHeight); the first
// of equals wins. Any int height is valid. -1 when count is 0.
int PickFixedStrike(const int* strikeHeights, int count, int height);

// A usWeightClass as stored: the old 1..9 scale is read as 100..900, 0 as 400.
int NormalizeWeightClass(int weightClass);
