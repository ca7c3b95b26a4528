// Rendering characters into 16-level coverage images, with synthetic bold and
// italic, and drawing them onto pixel surfaces.
#include <ft2build.h>
#include FT_BITMAP_H
#include FT_OUTLINE_H

#include <algorithm>
#include <climits>
#include <vector>

#include "text/glyph_window.h"
#include "text/text_font.h"
#include "text/text_font_internal.h"
#include "text/windows1252.h"

namespace {

// The shear of synthetic italic, x += y * 0x0366A / 0x10000 (about 12 degrees).
constexpr FT_Fixed kItalicShear = 0x0366A;

// A glyph whose bitmap has at most this many pixels is rendered whole and kept by its
// font: 256 x 256, beyond any glyph that fits a cell. A larger one (a font whose
// outlines reach far beyond its em, or an em of hundreds of pixels) is kept as its box
// alone, and each draw renders only the part it can show, at most this many pixels at
// a time, so that no font can make the text layer hold more than a few of these.
constexpr long long kMaxKeptGlyphPixels = 256 * 256;

// Copies an 8-bit bitmap (values 0..maxValue) into image, quantized.
void CopyGrayBitmap(const FT_Bitmap& bitmap, unsigned maxValue, GlyphImage& image) {
  image.width = static_cast<int>(bitmap.width);
  image.rows = static_cast<int>(bitmap.rows);
  image.coverage.assign(static_cast<std::size_t>(image.width) * image.rows, 0);
  const int stride = std::abs(bitmap.pitch);
  for (int row = 0; row < image.rows; ++row) {
    // A negative pitch stores the bottom row first.
    const int stored = bitmap.pitch >= 0 ? row : image.rows - 1 - row;
    const unsigned char* src = bitmap.buffer + static_cast<std::size_t>(stored) * stride;
    std::uint8_t* dst = image.coverage.data() + static_cast<std::size_t>(row) * image.width;
    for (int x = 0; x < image.width; ++x) {
      const unsigned value = maxValue == 255 ? src[x] : src[x] * 255u / maxValue;
      dst[x] = QuantizeCoverage(value);
    }
  }
}

// Takes the rendered bitmap of the glyph slot, whatever its pixel mode.
void TakeBitmap(FT_Library library, const FT_Bitmap& bitmap, GlyphImage& image) {
  if (bitmap.width == 0 || bitmap.rows == 0 || bitmap.buffer == nullptr) return;
  if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
    CopyGrayBitmap(bitmap, bitmap.num_grays > 1 ? bitmap.num_grays - 1u : 255u, image);
    return;
  }
  FT_Bitmap converted;
  FT_Bitmap_Init(&converted);
  if (FT_Bitmap_Convert(library, &bitmap, &converted, 1) == 0) {
    CopyGrayBitmap(converted, converted.num_grays > 1 ? converted.num_grays - 1u : 255u, image);
  }
  FT_Bitmap_Done(library, &converted);
}

// Synthetic bold: every row smeared one pixel to the right, dst(x) = max(src(x),
// src(x - 1)), so the image grows one column.
void Overstrike(GlyphImage& image) {
  if (image.width == 0 || image.rows == 0) return;
  const int width = image.width + 1;
  std::vector<std::uint8_t> wider(static_cast<std::size_t>(width) * image.rows, 0);
  for (int row = 0; row < image.rows; ++row) {
    const std::uint8_t* src = image.coverage.data() + static_cast<std::size_t>(row) * image.width;
    std::uint8_t* dst = wider.data() + static_cast<std::size_t>(row) * width;
    for (int x = 0; x < width; ++x) {
      const std::uint8_t here = x < image.width ? src[x] : 0;
      const std::uint8_t left = x > 0 ? src[x - 1] : 0;
      dst[x] = std::max(here, left);
    }
  }
  image.width = width;
  image.coverage = std::move(wider);
}

FT_UInt GlyphIndexOf(const TextFont& font, char32_t ch) {
  FT_Face face = font.face->face.get();
  FT_UInt index = FT_Get_Char_Index(face, ch);
  // A byte-coded face is asked for U+F000 + code first, then for the bare code.
  if (index == 0 && font.face->byteCoded && ch >= 0xF000 && ch <= 0xF0FF) {
    index = FT_Get_Char_Index(face, ch - 0xF000);
  }
  // A Type 1 or CFF face lacking the character draws its byte code through the
  // face's built-in encoding.
  if (index == 0 && !font.face->encodingGlyphs.empty()) {
    const int code = UnicodeToCp1252(ch);
    if (code >= 0) index = font.face->encodingGlyphs[static_cast<std::size_t>(code)];
  }
  return index;
}

}  // namespace

bool FontHasChar(const TextFont& font, char32_t ch) {
  return ch != 0 && GlyphIndexOf(font, ch) != 0;
}

FT_GlyphSlot LoadChar(TextFont& font, char32_t ch) {
  if (ch == 0) return nullptr;
  FT_Face face = font.face->face.get();
  if (FT_Activate_Size(font.size.get()) != 0) return nullptr;
  const FT_UInt index = GlyphIndexOf(font, ch);
  if (index == 0) return nullptr;
  if (FT_Load_Glyph(face, index, font.loadFlags) != 0) return nullptr;
  FT_GlyphSlot slot = face->glyph;
  if (font.metrics.syntheticItalic && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    // Sheared about the baseline (y = 0), so the advance stays as it was.
    FT_Matrix shear{0x10000, kItalicShear, 0, 0x10000};
    FT_Outline_Transform(&slot->outline, &shear);
  }
  return slot;
}

namespace {

// The box cut to kMaxGlyphReachPx around the pen origin: nothing beyond is ever drawn.
PixelBox WithinReach(PixelBox box) {
  const long long left = std::max<long long>(box.left, -kMaxGlyphReachPx);
  const long long right = std::min<long long>(box.left + box.width, kMaxGlyphReachPx);
  const long long top = std::min<long long>(box.top, kMaxGlyphReachPx);
  const long long bottom = std::max<long long>(box.top - box.rows, -kMaxGlyphReachPx);
  if (left >= right || bottom >= top) return {};
  return {left, top, right - left, top - bottom};
}

GlyphImage RasterizeChar(TextFont& font, char32_t ch) {
  GlyphImage image;
  FT_GlyphSlot slot = LoadChar(font, ch);
  if (slot == nullptr) return image;
  image.advancePx = ClampReach((static_cast<long long>(slot->advance.x) + 32) >> 6);
  const int bold = font.metrics.syntheticBold ? 1 : 0;
  const PixelBox box = LoadedBox(slot);
  // FreeType renders no outline that reaches past +-0x7FFF pixels: neither is it drawn
  // in parts.
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE &&
      (box.left < -0x8000 || box.left + box.width > 0x7FFF || box.top - box.rows < -0x8000 ||
       box.top > 0x7FFF)) {
    return image;
  }
  const PixelBox reach = WithinReach(box);
  if (reach.width != box.width || reach.rows != box.rows ||
      box.width * box.rows > kMaxKeptGlyphPixels) {
    // Too large to keep: the box alone, each draw renders what it shows.
    image.left = static_cast<int>(reach.left);
    image.top = static_cast<int>(reach.top);
    image.width = reach.width > 0 ? static_cast<int>(reach.width) + bold : 0;
    image.rows = static_cast<int>(reach.rows);
    image.kept = false;
    image.advancePx += bold;
    return image;
  }
  if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, font.renderMode) != 0) {
    return image;
  }
  image.left = slot->bitmap_left;
  image.top = slot->bitmap_top;
  TakeBitmap(font.face->library.get(), slot->bitmap, image);
  if (bold) {
    Overstrike(image);
    image.advancePx += 1;
  }
  return image;
}

// Columns [column, column + width) and rows [row, row + rows) of a glyph too large to
// keep, as RenderChar would have made them, into out (rows * width bytes).
void RenderGlyphWindow(TextFont& font, char32_t ch, const GlyphImage& glyph, long long column,
                       long long row, int width, int rows, std::vector<std::uint8_t>& out) {
  out.assign(static_cast<std::size_t>(width) * rows, 0);
  FT_GlyphSlot slot = LoadChar(font, ch);
  if (slot == nullptr) return;
  FT_Library library = font.face->library.get();
  const PixelBox window{glyph.left + column, glyph.top - row, width, rows};
  if (!font.metrics.syntheticBold) {
    RenderLoadedWindow(library, slot, font.renderMode, window, out.data());
    return;
  }
  // Bold column c is the larger of plain columns c and c - 1, of a plain glyph one
  // column narrower: one more column on the left, none past the plain glyph's right.
  std::vector<std::uint8_t> plain(static_cast<std::size_t>(width + 1) * rows, 0);
  RenderLoadedWindow(library, slot, font.renderMode, {window.left - 1, window.top, width + 1, rows},
                     plain.data());
  const long long plainWidth = glyph.width - 1;
  for (int y = 0; y < rows; ++y) {
    const std::uint8_t* src = plain.data() + static_cast<std::size_t>(y) * (width + 1);
    for (int x = 0; x < width; ++x) {
      const long long c = column + x;
      const std::uint8_t here = c < plainWidth ? src[x + 1] : 0;
      const std::uint8_t left = c > 0 ? src[x] : 0;
      out[static_cast<std::size_t>(y) * width + x] = std::max(here, left);
    }
  }
}

// The part of [lo, hi) that also lies in [minimum, maximum).
struct Span {
  long long lo;
  long long hi;
};
Span Intersect(long long lo, long long hi, long long minimum, long long maximum) {
  return {std::max(lo, minimum), std::min(hi, maximum)};
}

void FillClipped(PixelSurface& surface, long long left, long long top, long long right,
                 long long bottom, const PixelRect& bounds, std::uint8_t value) {
  const Span xs = Intersect(left, right, bounds.left, bounds.right);
  const Span ys = Intersect(top, bottom, bounds.top, bounds.bottom);
  if (xs.lo >= xs.hi || ys.lo >= ys.hi) return;
  FillPixelRect(surface,
                {static_cast<int>(xs.lo), static_cast<int>(ys.lo), static_cast<int>(xs.hi),
                 static_cast<int>(ys.hi)},
                value);
}

}  // namespace

const GlyphImage& RenderChar(TextFont& font, char32_t ch) {
  const auto found = font.glyphs.find(ch);
  if (found != font.glyphs.end()) return found->second;
  return font.glyphs.emplace(ch, RasterizeChar(font, ch)).first->second;
}

int DrawCharAt(PixelSurface& surface, TextFont& font, char32_t ch, int penX, int top,
               const PixelRect* clip, bool opaque, bool underline) {
  const GlyphImage& glyph = RenderChar(font, ch);

  // Where writing may happen: the surface, narrowed by the clip rectangle.
  PixelRect bounds{0, 0, surface.width, surface.height};
  if (clip != nullptr) {
    bounds.left = std::max(bounds.left, clip->left);
    bounds.top = std::max(bounds.top, clip->top);
    bounds.right = std::min(bounds.right, clip->right);
    bounds.bottom = std::min(bounds.bottom, clip->bottom);
  }
  if (bounds.left >= bounds.right || bounds.top >= bounds.bottom) return glyph.advancePx;
  const long long baseline = static_cast<long long>(top) + font.metrics.ascentPx;

  // Opaque: the character's cell goes black first.
  if (opaque) {
    FillClipped(surface, penX, top, static_cast<long long>(penX) + glyph.advancePx,
                baseline + font.metrics.descentPx, bounds, 0);
  }

  // The glyph, each pixel the larger of old and coverage.
  const long long x0 = static_cast<long long>(penX) + glyph.left;
  const long long y0 = baseline - glyph.top;
  const Span xs = Intersect(x0, x0 + glyph.width, bounds.left, bounds.right);
  const Span ys = Intersect(y0, y0 + glyph.rows, bounds.top, bounds.bottom);
  if (glyph.kept) {
    for (long long y = ys.lo; y < ys.hi; ++y) {
      const std::uint8_t* src =
          glyph.coverage.data() + static_cast<std::size_t>(y - y0) * glyph.width + (xs.lo - x0);
      std::uint8_t* dst =
          surface.pixels.data() + static_cast<std::size_t>(y) * surface.width + xs.lo;
      for (long long x = xs.lo; x < xs.hi; ++x, ++src, ++dst) *dst = std::max(*dst, *src);
    }
  } else if (xs.lo < xs.hi) {
    // Only what the bounds show, a band of rows at a time.
    const int width = static_cast<int>(xs.hi - xs.lo);
    const long long band = std::max<long long>(1, kMaxKeptGlyphPixels / width);
    std::vector<std::uint8_t> window;
    for (long long bandTop = ys.lo; bandTop < ys.hi; bandTop += band) {
      const int rows = static_cast<int>(std::min(band, ys.hi - bandTop));
      RenderGlyphWindow(font, ch, glyph, xs.lo - x0, bandTop - y0, width, rows, window);
      for (int y = 0; y < rows; ++y) {
        const std::uint8_t* src = window.data() + static_cast<std::size_t>(y) * width;
        std::uint8_t* dst =
            surface.pixels.data() + static_cast<std::size_t>(bandTop + y) * surface.width + xs.lo;
        for (int x = 0; x < width; ++x) dst[x] = std::max(dst[x], src[x]);
      }
    }
  }

  // The underline stroke across the advance.
  if ((font.underline || underline) && glyph.advancePx > 0) {
    const long long lineTop = baseline + font.underlineRows.topBelowBaseline;
    FillClipped(surface, penX, lineTop, static_cast<long long>(penX) + glyph.advancePx,
                lineTop + font.underlineRows.rows, bounds, 255);
  }
  return glyph.advancePx;
}

std::optional<PixelRect> CharInkBox(TextFont& font, char32_t ch, int penX, int top,
                                    bool underline) {
  const GlyphImage& glyph = RenderChar(font, ch);
  const long long baseline = static_cast<long long>(top) + font.metrics.ascentPx;
  long long left = LLONG_MAX, topInk = LLONG_MAX, right = LLONG_MIN, bottom = LLONG_MIN;
  auto take = [&](long long x0, long long y0, long long x1, long long y1) {
    x0 = std::max(x0, 0LL);
    y0 = std::max(y0, 0LL);
    if (x0 >= x1 || y0 >= y1) return;
    left = std::min(left, x0);
    topInk = std::min(topInk, y0);
    right = std::max(right, x1);
    bottom = std::max(bottom, y1);
  };

  // The glyph's lit coverage, one row at a time.
  const long long x0 = static_cast<long long>(penX) + glyph.left;
  const long long y0 = baseline - glyph.top;
  if (!glyph.kept && glyph.width > 0 && glyph.rows > 0) {
    // A glyph too large to keep is larger than any cell: its pixel box stands for its ink
    // rather than rendering all of it to scan.
    take(x0, y0, x0 + glyph.width, y0 + glyph.rows);
  }
  for (int row = 0; glyph.kept && row < glyph.rows; ++row) {
    const std::uint8_t* line = glyph.coverage.data() + static_cast<std::size_t>(row) * glyph.width;
    int first = 0, last = glyph.width - 1;
    while (first <= last && line[first] == 0) ++first;
    while (last >= first && line[last] == 0) --last;
    if (first <= last) take(x0 + first, y0 + row, x0 + last + 1, y0 + row + 1);
  }

  // The underline stroke, as DrawCharAt fills it.
  if ((font.underline || underline) && glyph.advancePx > 0) {
    const long long lineTop = baseline + font.underlineRows.topBelowBaseline;
    take(penX, lineTop, static_cast<long long>(penX) + glyph.advancePx,
         lineTop + font.underlineRows.rows);
  }
  if (left == LLONG_MAX) return std::nullopt;
  auto narrow = [](long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
  };
  return PixelRect{narrow(left), narrow(topInk), narrow(right), narrow(bottom)};
}
