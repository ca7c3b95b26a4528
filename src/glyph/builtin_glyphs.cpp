// Box drawing, block and shade characters drawn to the cell; the geometry is described in
// builtin_glyphs.h.
//
//   the arm table      which line leaves each side of every box drawing character
//   geometry           the rows and columns of light, heavy and double lines
//   arms               straight lines from the centre to the sides, with their joins
//   dashes, arcs, diagonals
//   blocks and shades
#include "glyph/builtin_glyphs.h"

#include <algorithm>
#include <cmath>

namespace {

// The arm table.

enum Weight : std::uint8_t { kNone, kLight, kHeavy, kDouble };

constexpr char32_t kBoxFirst = 0x2500;
constexpr char32_t kBlockFirst = 0x2580;
constexpr char32_t kBlackSquare = 0x25A0;

// The arms of U+2500..U+257F as up, right, down, left: '.' none, 'l' light, 'h' heavy,
// 'd' double. Dashed characters list the arms their dashes run along, the arcs the arms
// they join; the diagonals have none. From the Unicode character names.
constexpr const char* kArms[128] = {
    ".l.l", ".h.h", "l.l.", "h.h.", ".l.l", ".h.h", "l.l.", "h.h.",  // 2500 ─ ━ │ ┃ ┄ ┅ ┆ ┇
    ".l.l", ".h.h", "l.l.", "h.h.", ".ll.", ".hl.", ".lh.", ".hh.",  // 2508 ┈ ┉ ┊ ┋ ┌ ┍ ┎ ┏
    "..ll", "..lh", "..hl", "..hh", "ll..", "lh..", "hl..", "hh..",  // 2510 ┐ ┑ ┒ ┓ └ ┕ ┖ ┗
    "l..l", "l..h", "h..l", "h..h", "lll.", "lhl.", "hll.", "llh.",  // 2518 ┘ ┙ ┚ ┛ ├ ┝ ┞ ┟
    "hlh.", "hhl.", "lhh.", "hhh.", "l.ll", "l.lh", "h.ll", "l.hl",  // 2520 ┠ ┡ ┢ ┣ ┤ ┥ ┦ ┧
    "h.hl", "h.lh", "l.hh", "h.hh", ".lll", ".llh", ".hll", ".hlh",  // 2528 ┨ ┩ ┪ ┫ ┬ ┭ ┮ ┯
    ".lhl", ".lhh", ".hhl", ".hhh", "ll.l", "ll.h", "lh.l", "lh.h",  // 2530 ┰ ┱ ┲ ┳ ┴ ┵ ┶ ┷
    "hl.l", "hl.h", "hh.l", "hh.h", "llll", "lllh", "lhll", "lhlh",  // 2538 ┸ ┹ ┺ ┻ ┼ ┽ ┾ ┿
    "hlll", "llhl", "hlhl", "hllh", "hhll", "llhh", "lhhl", "hhlh",  // 2540 ╀ ╁ ╂ ╃ ╄ ╅ ╆ ╇
    "lhhh", "hlhh", "hhhl", "hhhh", ".l.l", ".h.h", "l.l.", "h.h.",  // 2548 ╈ ╉ ╊ ╋ ╌ ╍ ╎ ╏
    ".d.d", "d.d.", ".dl.", ".ld.", ".dd.", "..ld", "..dl", "..dd",  // 2550 ═ ║ ╒ ╓ ╔ ╕ ╖ ╗
    "ld..", "dl..", "dd..", "l..d", "d..l", "d..d", "ldl.", "dld.",  // 2558 ╘ ╙ ╚ ╛ ╜ ╝ ╞ ╟
    "ddd.", "l.ld", "d.dl", "d.dd", ".dld", ".ldl", ".ddd", "ld.d",  // 2560 ╠ ╡ ╢ ╣ ╤ ╥ ╦ ╧
    "dl.l", "dd.d", "ldld", "dldl", "dddd", ".ll.", "..ll", "l..l",  // 2568 ╨ ╩ ╪ ╫ ╬ ╭ ╮ ╯
    "ll..", "....", "....", "....", "...l", "l...", ".l..", "..l.",  // 2570 ╰ ╱ ╲ ╳ ╴ ╵ ╶ ╷
    "...h", "h...", ".h..", "..h.", ".h.l", "l.h.", ".l.h", "h.l.",  // 2578 ╸ ╹ ╺ ╻ ╼ ╽ ╾ ╿
};

Weight WeightOf(char c) {
  return c == 'l' ? kLight : c == 'h' ? kHeavy : c == 'd' ? kDouble : kNone;
}

// How many dashes a dashed line character draws across its cell; 0 for the others.
int DashCount(char32_t ch) {
  if (ch >= 0x2504 && ch <= 0x2507) return 3;
  if (ch >= 0x2508 && ch <= 0x250B) return 4;
  if (ch >= 0x254C && ch <= 0x254F) return 2;
  return 0;
}

// Geometry.

struct Span {
  int lo = 0;  // first pixel
  int hi = 0;  // one past the last
};

// The lines across one side of the cell: the rows of horizontal lines (side H) or the
// columns of vertical ones (side W).
struct LineSpans {
  Span light, heavy;
  Span nearLine, farLine;  // the two lines of a double line: top (left), bottom (right)
  Span Of(Weight weight) const { return weight == kHeavy ? heavy : light; }
};

struct BoxGeometry {
  int lightPx = 1;
  LineSpans rows;     // horizontal lines, across the height
  LineSpans columns;  // vertical lines, across the width
};

int FloorHalf(int value) {
  return value >= 0 ? value / 2 : -((1 - value) / 2);
}

// thickness px centred on a side of side px, the spare pixel after it.
Span Centred(int side, int thickness) {
  const int lo = FloorHalf(side - thickness);
  return {lo, lo + thickness};
}

LineSpans SpansAcross(int side, int lightPx) {
  LineSpans spans;
  spans.light = Centred(side, lightPx);
  spans.heavy = Centred(side, 2 * lightPx);
  const Span both = Centred(side, 3 * lightPx);
  spans.nearLine = {both.lo, both.lo + lightPx};
  spans.farLine = {both.hi - lightPx, both.hi};
  return spans;
}

BoxGeometry MakeGeometry(int widthPx, int heightPx) {
  const int light = std::max(1, (heightPx + 8) / 16);
  return {light, SpansAcross(heightPx, light), SpansAcross(widthPx, light)};
}

struct Cell {
  std::uint8_t* pixels;
  std::ptrdiff_t stride;
  int width, height;
};

// Sets the pixels of [x0, x1) x [y0, y1) that lie in the cell to 255.
void FillRect(const Cell& cell, int x0, int y0, int x1, int y1) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, cell.width);
  y1 = std::min(y1, cell.height);
  if (x0 >= x1) return;
  for (int y = y0; y < y1; ++y) {
    std::fill(cell.pixels + y * cell.stride + x0, cell.pixels + y * cell.stride + x1, 255);
  }
}

// Arms.

// The arms along one axis and the two across it, seen from that axis: toward 0 (left or
// up), toward the far side (right or down), across before (up or left) and after.
struct AxisArms {
  bool horizontal;
  Weight toLow, toHigh;
  Weight acrossLow, acrossHigh;
};

// A line along the axis: [from, to) along it, span across it.
void FillAlong(const Cell& cell, bool horizontal, int from, int to, Span across) {
  if (horizontal) {
    FillRect(cell, from, across.lo, to, across.hi);
  } else {
    FillRect(cell, across.lo, from, across.hi, to);
  }
}

// Draws the arms along one axis. An arm runs from its side to the lines across it so
// that the join is solid: a light or heavy arm to the far edge of the thickest line
// across (its own thickness when none crosses); a double arm's two lines each to the
// line across that closes its corner; a single arm meeting a double line that runs on
// through stops at the nearer of its two lines, unless it runs on through too.
void DrawAxisArms(const Cell& cell, const BoxGeometry& geometry, const AxisArms& arms) {
  const LineSpans& own = arms.horizontal ? geometry.rows : geometry.columns;
  const LineSpans& across = arms.horizontal ? geometry.columns : geometry.rows;
  const int length = arms.horizontal ? cell.width : cell.height;
  const bool acrossDouble = arms.acrossLow == kDouble || arms.acrossHigh == kDouble;
  const Weight acrossSingle = std::max(arms.acrossLow == kDouble ? kNone : arms.acrossLow,
                                       arms.acrossHigh == kDouble ? kNone : arms.acrossHigh);
  // The reach of a double line across: to its nearer line (inner) or its farther (outer);
  // as a stem, lo is where an arm toward the far side starts and hi where one toward 0 ends.
  const Span inner{across.farLine.lo, across.nearLine.hi};
  const Span outer{across.nearLine.lo, across.farLine.hi};

  for (const bool high : {false, true}) {
    const Weight weight = high ? arms.toHigh : arms.toLow;
    const Weight opposite = high ? arms.toLow : arms.toHigh;
    if (weight == kNone) continue;
    // One line of the arm, from its side to the stem across.
    auto fill = [&](Span stem, Span line) {
      FillAlong(cell, arms.horizontal, high ? stem.lo : 0, high ? length : stem.hi, line);
    };
    if (weight != kDouble) {
      Span stem = across.Of(acrossSingle != kNone ? acrossSingle : weight);
      if (acrossDouble) {
        const bool throughDouble = arms.acrossLow == kDouble && arms.acrossHigh == kDouble;
        stem = throughDouble && opposite == kNone ? inner : outer;
      }
      fill(stem, own.Of(weight));
    } else if (!acrossDouble) {
      const Span stem = acrossSingle != kNone ? across.Of(acrossSingle) : outer;
      fill(stem, own.nearLine);
      fill(stem, own.farLine);
    } else {
      // Double meets double: a line whose side has an arm across turns into that arm's
      // nearer line (the inner corner), the other into its farther one (the outer).
      fill(arms.acrossLow != kNone ? inner : outer, own.nearLine);
      fill(arms.acrossHigh != kNone ? inner : outer, own.farLine);
    }
  }
}

void DrawArms(const Cell& cell, const BoxGeometry& geometry, const char* arms) {
  const Weight up = WeightOf(arms[0]), right = WeightOf(arms[1]);
  const Weight down = WeightOf(arms[2]), left = WeightOf(arms[3]);
  DrawAxisArms(cell, geometry, {true, left, right, up, down});
  DrawAxisArms(cell, geometry, {false, up, down, left, right});
}

// Dashes: count dashes evenly over the side, each segment of the side losing a gap of
// about a third of it, split before and after the dash, so that dashes keep their rhythm
// from cell to cell.
void DrawDashes(const Cell& cell, const BoxGeometry& geometry, const char* arms, int count) {
  const bool horizontal = arms[1] != '.';
  const Weight weight = WeightOf(horizontal ? arms[1] : arms[0]);
  const Span across = (horizontal ? geometry.rows : geometry.columns).Of(weight);
  const int length = horizontal ? cell.width : cell.height;
  const int gap = std::max(1, (2 * length + 3 * count) / (6 * count));
  for (int i = 0; i < count; ++i) {
    const int from = i * length / count, to = (i + 1) * length / count;
    const int cut = std::min(gap, to - from - 1);
    if (cut < 0) continue;
    FillAlong(cell, horizontal, from + cut / 2, to - (cut - cut / 2), across);
  }
}

// Curves with coverage: every pixel gets the share of its area that lies within
// halfWidth of a path, given by its distance function, sampled 16 x 16 where the path's
// edge crosses the pixel; pixels wholly inside or outside are 255 or left as they are.
template <typename Distance>
void CoverPath(const Cell& cell, double halfWidth, Distance distance) {
  constexpr int kSamples = 16;
  constexpr double kHalfDiagonal = 0.7072;  // from a pixel's centre to its corners
  for (int y = 0; y < cell.height; ++y) {
    std::uint8_t* row = cell.pixels + y * cell.stride;
    for (int x = 0; x < cell.width; ++x) {
      const double centre = distance(x + 0.5, y + 0.5);
      if (centre >= halfWidth + kHalfDiagonal) continue;
      int value = 255;
      if (centre > halfWidth - kHalfDiagonal) {
        int inside = 0;
        for (int sy = 0; sy < kSamples; ++sy) {
          for (int sx = 0; sx < kSamples; ++sx) {
            if (distance(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples) < halfWidth) {
              ++inside;
            }
          }
        }
        value = (inside * 255 + kSamples * kSamples / 2) / (kSamples * kSamples);
      }
      row[x] = static_cast<std::uint8_t>(std::max<int>(row[x], value));
    }
  }
}

// A rounded corner: the light lines to the two sides it joins, bent through a quarter
// circle about their crossing. The radius leaves at least the last pixel of each arm
// straight, so that the arm meets its neighbour exactly; the same radius serves all four
// corners of a cell size.
void DrawArc(const Cell& cell, const BoxGeometry& geometry, const char* arms) {
  const double xm = (geometry.columns.light.lo + geometry.columns.light.hi) / 2.0;
  const double ym = (geometry.rows.light.lo + geometry.rows.light.hi) / 2.0;
  const double radius = std::max(0.0, std::min({xm, cell.width - xm, ym, cell.height - ym}) - 1.0);
  const double dx = arms[1] != '.' ? 1.0 : -1.0;  // toward the horizontal arm
  const double dy = arms[2] != '.' ? 1.0 : -1.0;  // toward the vertical arm
  CoverPath(cell, geometry.lightPx / 2.0, [&](double x, double y) {
    // In the corner's own frame the arms run along +u and +v from the crossing.
    const double u = (x - xm) * dx, v = (y - ym) * dy;
    double d = u >= radius ? std::abs(v) : std::hypot(u - radius, v);        // horizontal arm
    d = std::min(d, v >= radius ? std::abs(u) : std::hypot(u, v - radius));  // vertical
    if (u <= radius && v <= radius) {
      d = std::min(d, std::abs(std::hypot(u - radius, v - radius) - radius));
    }
    return d;
  });
}

// The diagonals run corner to corner, so that they continue into the diagonal cells.
void DrawDiagonals(const Cell& cell, const BoxGeometry& geometry, char32_t ch) {
  const double w = cell.width, h = cell.height, norm = std::hypot(w, h);
  const double halfWidth = geometry.lightPx / 2.0;
  if (ch != 0x2572) {  // ╱ and ╳: lower left to upper right
    CoverPath(cell, halfWidth,
              [&](double x, double y) { return std::abs(h * x + w * y - w * h) / norm; });
  }
  if (ch != 0x2571) {  // ╲ and ╳: upper left to lower right
    CoverPath(cell, halfWidth, [&](double x, double y) { return std::abs(h * x - w * y) / norm; });
  }
}

// Blocks and shades.

// k eighths of a side of side px, rounded to the nearest pixel, ties to even.
int EighthEdge(int k, int side) {
  const int q = k * side / 8, r = k * side % 8;
  return r > 4 || (r == 4 && (q & 1) != 0) ? q + 1 : q;
}

struct EighthRect {
  std::uint8_t x0, y0, x1, y1;  // eighths of the width and height
};

void FillEighths(const Cell& cell, EighthRect r) {
  FillRect(cell, EighthEdge(r.x0, cell.width), EighthEdge(r.y0, cell.height),
           EighthEdge(r.x1, cell.width), EighthEdge(r.y1, cell.height));
}

// U+2580..U+2590 and U+2594, U+2595: one rectangle each. The shades have none.
constexpr EighthRect kBlocks[22] = {
    {0, 0, 8, 4}, {0, 7, 8, 8}, {0, 6, 8, 8}, {0, 5, 8, 8},  // ▀ ▁ ▂ ▃
    {0, 4, 8, 8}, {0, 3, 8, 8}, {0, 2, 8, 8}, {0, 1, 8, 8},  // ▄ ▅ ▆ ▇
    {0, 0, 8, 8}, {0, 0, 7, 8}, {0, 0, 6, 8}, {0, 0, 5, 8},  // █ ▉ ▊ ▋
    {0, 0, 4, 8}, {0, 0, 3, 8}, {0, 0, 2, 8}, {0, 0, 1, 8},  // ▌ ▍ ▎ ▏
    {4, 0, 8, 8}, {},           {},           {},            // ▐ ░ ▒ ▓
    {0, 0, 8, 1}, {7, 0, 8, 8},                              // ▔ ▕
};

// U+2596..U+259F: the quadrants each lights, upper left 1, upper right 2, lower left 4,
// lower right 8.
constexpr std::uint8_t kQuadrants[10] = {4, 8, 1, 13, 9, 7, 11, 2, 6, 14};

void FillQuadrants(const Cell& cell, int quadrants) {
  constexpr EighthRect kQuarters[4] = {{0, 0, 4, 4}, {4, 0, 8, 4}, {0, 4, 4, 8}, {4, 4, 8, 8}};
  for (int i = 0; i < 4; ++i) {
    if (quadrants & (1 << i)) FillEighths(cell, kQuarters[i]);
  }
}

// The quarter-density dots of ░, staggered by two pixels from line to line along whichever
// side is even (rows when the width is), so that a cell of any size holds a quarter of its
// pixels to within one; diagonal when both sides are odd.
bool QuarterDot(int x, int y, int width, int height) {
  if (width % 2 == 0) return (x + 2 * y) % 4 == 0;
  if (height % 2 == 0) return (2 * x + y) % 4 == 0;
  return (x + 3 * y) % 4 == 0;
}

// ░ a quarter, ▒ a checkerboard, ▓ the complement of ░.
void FillShade(const Cell& cell, char32_t ch) {
  for (int y = 0; y < cell.height; ++y) {
    std::uint8_t* row = cell.pixels + y * cell.stride;
    for (int x = 0; x < cell.width; ++x) {
      bool lit = (x + y) % 2 == 0;
      if (ch == 0x2591) lit = QuarterDot(x, y, cell.width, cell.height);
      if (ch == 0x2593) lit = !QuarterDot(x, y, cell.width, cell.height);
      row[x] = lit ? 255 : 0;
    }
  }
}

}  // namespace

bool IsBuiltinGlyph(char32_t ch) {
  return ch >= kBoxFirst && ch <= kBlackSquare;
}

bool DrawBuiltinGlyph(char32_t ch, int widthPx, int heightPx, std::uint8_t* cell,
                      std::ptrdiff_t stride) {
  if (!IsBuiltinGlyph(ch) || cell == nullptr) return false;
  if (widthPx < kMinBuiltinCellPx || widthPx > kMaxBuiltinCellPx) return false;
  if (heightPx < kMinBuiltinCellPx || heightPx > kMaxBuiltinCellPx) return false;
  const Cell target{cell, stride, widthPx, heightPx};
  for (int y = 0; y < heightPx; ++y) std::fill(cell + y * stride, cell + y * stride + widthPx, 0);

  if (ch == kBlackSquare) {
    // A square of five eighths of the shorter side, centred as the lines are.
    const int side = EighthEdge(5, std::min(widthPx, heightPx));
    const Span xs = Centred(widthPx, side), ys = Centred(heightPx, side);
    FillRect(target, xs.lo, ys.lo, xs.hi, ys.hi);
    return true;
  }
  if (ch >= kBlockFirst) {
    if (ch >= 0x2591 && ch <= 0x2593) {
      FillShade(target, ch);
    } else if (ch >= 0x2596) {
      FillQuadrants(target, kQuadrants[ch - 0x2596]);
    } else {
      FillEighths(target, kBlocks[ch - kBlockFirst]);
    }
    return true;
  }

  const BoxGeometry geometry = MakeGeometry(widthPx, heightPx);
  const char* arms = kArms[ch - kBoxFirst];
  if (ch >= 0x2571 && ch <= 0x2573) {
    DrawDiagonals(target, geometry, ch);
  } else if (ch >= 0x256D && ch <= 0x2570) {
    DrawArc(target, geometry, arms);
  } else if (const int dashes = DashCount(ch); dashes > 0) {
    DrawDashes(target, geometry, arms, dashes);
  } else {
    DrawArms(target, geometry, arms);
  }
  return true;
}
