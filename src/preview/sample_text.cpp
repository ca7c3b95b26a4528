// Drawing the font sample into the preview canvas.
#include "preview/sample_text.h"

#include <algorithm>

#include "dialog/dialog_fields.h"
#include "dialog/font_fields.h"
#include "glyph/glyph_font.h"
#include "options/control_ids.h"
#include "preview/cell_grid.h"
#include "preview/pan_drag.h"
#include "text/pixel_surface.h"
#include "text/text_font.h"
#include "text/windows1252.h"

std::vector<SampleChar> ApplyPrefixes(std::u32string_view text) {
  std::vector<SampleChar> out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != U'&') {
      out.push_back({text[i], false});
      continue;
    }
    if (i + 1 >= text.size()) break;  // a trailing ampersand marks nothing
    ++i;
    // "&&" stands for the ampersand itself; any other character is marked.
    out.push_back({text[i], text[i] != U'&'});
  }
  return out;
}

void DrawSampleText(Dialog& dlg, PreviewState& preview) {
  if (!preview.canvas.created) return;
  // The sample takes the Preview area's size, at least the canvas's smallest: a larger
  // sheet may have grown it, a larger area shows more of it.
  ForgetShownSheet(dlg, preview);
  const int width = std::max(kCanvasWidth, dlg.host.PreviewAreaWidth());
  const int height = std::max(kCanvasHeight, dlg.host.PreviewAreaHeight());
  if (preview.canvas.width != width || preview.canvas.height != height) {
    if (width == kCanvasWidth && height == kCanvasHeight) {
      CreatePreviewCanvas(preview);
    } else if (!ResizePreviewCanvas(preview, width, height)) {
      return;
    }
    ClampPan(dlg, preview);
  }
  if (!dlg.host.PreviewAreaSeen()) return;

  // The font of the font fields, or the default font without a selected face.
  TextFontPtr font = CreateGlyphFont(ReadFontRequest(dlg));
  if (!font) font = DefaultTextFont();

  // A black 8-bit surface of the canvas's size to draw on.
  PixelSurface surface;
  if (!ResizePixelSurface(surface, width, height)) return;

  // The text, centered in the Preview area's rectangle and clipped to it.
  const PixelRect rect{0, 0, dlg.host.PreviewAreaWidth(), dlg.host.PreviewAreaHeight()};
  if (font) {
    const std::vector<SampleChar> line =
        ApplyPrefixes(DecodeUtf8(ReadText(dlg, kIdPreviewText, kDefaultTextBuffer)));
    int lineWidth = 0;
    for (const SampleChar& c : line) lineWidth += RenderChar(*font, c.ch).advancePx;
    const FontMetrics metrics = GetFontMetrics(*font);
    const int cellHeight = metrics.ascentPx + metrics.descentPx;
    // Integer halves truncate toward zero, so a line wider than the rectangle starts
    // left of it and is cut at both ends.
    int penX = rect.left + (rect.right - rect.left - lineWidth) / 2;
    const int top = rect.top + (rect.bottom - rect.top - cellHeight) / 2;
    for (const SampleChar& c : line) {
      penX += DrawCharAt(surface, *font, c.ch, penX, top, &rect, false, c.underline);
    }
  }

  // Gray g becomes the canvas color 0x00gggggg, white on black.
  const std::uint8_t* src = surface.pixels.data();
  std::uint32_t* dst = preview.canvas.pixels.data();
  const std::size_t count = static_cast<std::size_t>(width) * height;
  for (std::size_t i = 0; i < count; ++i) dst[i] = std::uint32_t{src[i]} * 0x010101u;
}
