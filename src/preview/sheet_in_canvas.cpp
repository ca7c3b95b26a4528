// The sheet copied into the preview canvas.
#include "preview/sheet_in_canvas.h"

#include <algorithm>

#include "preview/canvas_view.h"
#include "preview/pan_drag.h"
#include "preview/preview_state.h"

void ShowSheetInCanvas(Dialog& dlg, Bitmap32* bitmap, int width, int height) {
  PreviewState& preview = Preview();
  if (!preview.canvas.created) CreatePreviewCanvas(preview);
  // The canvas takes the sheet's size, never less than its smallest; without the memory
  // for that it keeps its size and shows the sheet's top-left part. The view then
  // stays on the canvas.
  if (preview.canvas.width != std::max(width, kCanvasWidth) ||
      preview.canvas.height != std::max(height, kCanvasHeight)) {
    ResizePreviewCanvas(preview, width, height);
    ClampPan(dlg, preview);
  }
  std::fill(preview.canvas.pixels.begin(), preview.canvas.pixels.end(), 0);
  const int rows = std::min(preview.canvas.height, height);
  const int columns = std::min(preview.canvas.width, width);
  for (int y = 0; y < rows; ++y) {
    const std::uint8_t* line = ScanLine(bitmap, height - 1 - y);
    std::uint32_t* dst = &preview.canvas.pixels[static_cast<std::size_t>(y) * preview.canvas.width];
    for (int x = 0; x < columns; ++x) {
      const std::uint8_t* p = line + 4 * x;  // blue, green, red, alpha
      dst[x] = (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
    }
  }
  ShowCanvas(dlg);
}
