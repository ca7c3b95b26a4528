// A window of a loaded glyph, from the rasterizer's spans or from a bitmap.
#include "text/glyph_window.h"

#include FT_BITMAP_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Level x of a bitmap row of 1, 2, 4 or 8 bits a pixel, most significant bits first.
unsigned LevelAt(const FT_Bitmap& bitmap, const unsigned char* row, long long x) {
  switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_MONO:
      return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case FT_PIXEL_MODE_GRAY2:
      return (row[x >> 2] >> (6 - 2 * (x & 3))) & 3u;
    case FT_PIXEL_MODE_GRAY4:
      return (row[x >> 1] >> (4 - 4 * (x & 1))) & 15u;
    default:
      return row[x];
  }
}

// The largest level of a bitmap; 0 for a pixel mode that carries no coverage we read.
unsigned MaxLevel(const FT_Bitmap& bitmap) {
  switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_MONO:
      return 1;
    case FT_PIXEL_MODE_GRAY2:
      return 3;
    case FT_PIXEL_MODE_GRAY4:
      return 15;
    case FT_PIXEL_MODE_GRAY:
      return bitmap.num_grays > 1 ? bitmap.num_grays - 1u : 255u;
    default:
      return 0;
  }
}

// The window being filled from spans, in the spans' coordinates: x and y from the
// bottom-left corner of the glyph's box, y counting up.
struct SpanTarget {
  long long left = 0;  // the window's first column
  long long top = 0;   // the row above the window's first row
  int width = 0;
  int rows = 0;
  std::uint8_t* out = nullptr;
};

void KeepSpans(int y, int count, const FT_Span* spans, void* user) {
  const auto& target = *static_cast<const SpanTarget*>(user);
  const long long row = target.top - 1 - y;
  if (row < 0 || row >= target.rows) return;
  std::uint8_t* line = target.out + static_cast<std::size_t>(row) * target.width;
  for (int i = 0; i < count; ++i) {
    const long long from = std::max<long long>(spans[i].x - target.left, 0);
    const long long to = std::min<long long>(spans[i].x + spans[i].len - target.left, target.width);
    if (from < to) std::fill(line + from, line + to, QuantizeCoverage(spans[i].coverage));
  }
}

// A gray outline placed as FT_Render_Glyph places it, its box's bottom-left corner at
// the origin (the rasterizer's rounding depends on where the outline lies), swept only
// across the window: what lies left of the window still counts, so each pixel is what
// the whole bitmap holds.
void RenderGrayWindow(FT_Library library, FT_GlyphSlot slot, const PixelBox& window,
                      std::uint8_t* out) {
  const PixelBox box = LoadedBox(slot);
  const long long bottom = box.top - box.rows;
  SpanTarget target{window.left - box.left, window.top - bottom, static_cast<int>(window.width),
                    static_cast<int>(window.rows), out};
  if (target.left < 0 || target.left + target.width > 0x7FFF) return;  // a span's x is 16 bits
  FT_Outline_Translate(&slot->outline, -static_cast<FT_Pos>(box.left * 64),
                       -static_cast<FT_Pos>(bottom * 64));
  FT_Raster_Params params{};
  params.source = &slot->outline;
  params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT | FT_RASTER_FLAG_CLIP;
  params.gray_spans = KeepSpans;
  params.user = &target;
  params.clip_box = {
      static_cast<FT_Pos>(target.left), static_cast<FT_Pos>(target.top - target.rows),
      static_cast<FT_Pos>(target.left + target.width), static_cast<FT_Pos>(target.top)};
  FT_Outline_Render(library, &slot->outline, &params);
}

// The part of bitmap that the window shows, whose first column and row lie at column
// and row of the bitmap, in 16 levels.
void CopyBitmapWindow(const FT_Bitmap& bitmap, long long column, long long row,
                      const PixelBox& window, std::uint8_t* out) {
  const unsigned maxLevel = MaxLevel(bitmap);
  if (maxLevel == 0 || bitmap.buffer == nullptr) return;
  const long long width = bitmap.width, rows = bitmap.rows;
  const int stride = std::abs(bitmap.pitch);
  for (long long y = 0; y < window.rows; ++y) {
    const long long at = row + y;
    if (at < 0 || at >= rows) continue;
    // A negative pitch stores the bottom row first.
    const long long stored = bitmap.pitch >= 0 ? at : rows - 1 - at;
    const unsigned char* line = bitmap.buffer + static_cast<std::size_t>(stored) * stride;
    for (long long x = 0; x < window.width; ++x) {
      const long long from = column + x;
      if (from < 0 || from >= width) continue;
      out[static_cast<std::size_t>(y * window.width + x)] =
          QuantizeCoverage(LevelAt(bitmap, line, from) * 255u / maxLevel);
    }
  }
}

}  // namespace

PixelBox LoadedBox(FT_GlyphSlot slot) {
  if (slot->format == FT_GLYPH_FORMAT_BITMAP) {
    return {slot->bitmap_left, slot->bitmap_top, slot->bitmap.width, slot->bitmap.rows};
  }
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return {};
  FT_BBox box;
  FT_Outline_Get_CBox(&slot->outline, &box);
  const long long left = box.xMin >> 6, right = (box.xMax + 63) >> 6;
  const long long bottom = box.yMin >> 6, top = (box.yMax + 63) >> 6;
  return {left, top, right - left, top - bottom};
}

void RenderLoadedWindow(FT_Library library, FT_GlyphSlot slot, FT_Render_Mode mode,
                        const PixelBox& window, std::uint8_t* out) {
  if (slot->format == FT_GLYPH_FORMAT_BITMAP) {
    CopyBitmapWindow(slot->bitmap, window.left - slot->bitmap_left, slot->bitmap_top - window.top,
                     window, out);
    return;
  }
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return;
  if (mode != FT_RENDER_MODE_MONO) {
    RenderGrayWindow(library, slot, window, out);
    return;
  }
  // The mono rasterizer has no spans: a bitmap of the window's size, its bottom-left
  // corner at the origin.
  std::vector<unsigned char> bits(static_cast<std::size_t>((window.width + 7) / 8 * window.rows));
  FT_Bitmap bitmap;
  FT_Bitmap_Init(&bitmap);
  bitmap.width = static_cast<unsigned>(window.width);
  bitmap.rows = static_cast<unsigned>(window.rows);
  bitmap.pitch = static_cast<int>((window.width + 7) / 8);
  bitmap.pixel_mode = FT_PIXEL_MODE_MONO;
  bitmap.num_grays = 2;
  bitmap.buffer = bits.data();
  FT_Outline_Translate(&slot->outline, -static_cast<FT_Pos>(window.left * 64),
                       -static_cast<FT_Pos>((window.top - window.rows) * 64));
  if (FT_Outline_Get_Bitmap(library, &slot->outline, &bitmap) != 0) return;
  CopyBitmapWindow(bitmap, 0, 0, window, out);
}
