// Magnifying and panning the canvas into the Preview area.
#include "preview/canvas_view.h"

#include <algorithm>

#include "preview/cell_grid.h"

void RenderCanvasView(const PreviewState& preview, int areaWidth, int areaHeight,
                      std::vector<std::uint32_t>& out) {
  out.assign(
      static_cast<std::size_t>(areaWidth > 0 ? areaWidth : 0) * (areaHeight > 0 ? areaHeight : 0),
      0);
  if (!preview.canvas.created || areaWidth <= 0 || areaHeight <= 0) return;
  const int zoom = preview.zoomFactor > 0 ? preview.zoomFactor : 1;
  // The offsets are truncated toward zero; the visible size is the area divided by the
  // zoom, so a partial last canvas pixel is not shown.
  const int left = static_cast<int>(preview.panX);
  const int top = static_cast<int>(preview.panY);
  const int visibleWidth = areaWidth / zoom;
  const int visibleHeight = areaHeight / zoom;
  if (visibleWidth <= 0 || visibleHeight <= 0) return;
  // The visible part is stretched onto the whole area: each canvas pixel takes zoom
  // area pixels, and the last visible column and row also take the area's remainder
  // (less than zoom pixels), which would otherwise stay black.
  for (int y = 0; y < areaHeight; ++y) {
    const int cy = top + std::min(y / zoom, visibleHeight - 1);
    if (cy < 0 || cy >= preview.canvas.height) continue;
    const std::uint32_t* row =
        &preview.canvas.pixels[static_cast<std::size_t>(cy) * preview.canvas.width];
    std::uint32_t* dst = &out[static_cast<std::size_t>(y) * areaWidth];
    for (int x = 0; x < areaWidth; ++x) {
      const int cx = left + std::min(x / zoom, visibleWidth - 1);
      if (cx >= 0 && cx < preview.canvas.width) dst[x] = row[cx];
    }
  }
  if (preview.showGrid && preview.sheet.shown) DrawCellGrid(preview, areaWidth, areaHeight, out);
}

std::optional<CanvasPoint> CanvasPointAt(const PreviewState& preview, int areaWidth, int areaHeight,
                                         int x, int y) {
  const int zoom = preview.zoomFactor > 0 ? preview.zoomFactor : 1;
  const int visibleWidth = areaWidth / zoom;
  const int visibleHeight = areaHeight / zoom;
  if (visibleWidth <= 0 || visibleHeight <= 0) return std::nullopt;
  return CanvasPoint{static_cast<int>(preview.panX) + std::min(x / zoom, visibleWidth - 1),
                     static_cast<int>(preview.panY) + std::min(y / zoom, visibleHeight - 1)};
}

void ShowCanvas(Dialog& dlg) {
  dlg.host.RepaintPreview();
}
