// The arrow keys on the Preview area.
#include "preview/key_cursor.h"

#include <algorithm>

#include "preview/canvas_view.h"
#include "preview/cell_grid.h"
#include "preview/pan_drag.h"

namespace {

struct Step {
  int dx = 0, dy = 0;
};

Step StepOf(PreviewKey key) {
  switch (key) {
    case PreviewKey::kLeft:
      return {-1, 0};
    case PreviewKey::kRight:
      return {1, 0};
    case PreviewKey::kUp:
      return {0, -1};
    case PreviewKey::kDown:
      return {0, 1};
  }
  return {};
}

// The pan along one axis that shows [start, end) whole in visible pixels where it fits,
// else from its start.
float ScrollInto(float pan, int start, int end, int visible) {
  if (end - start > visible || start < pan) return static_cast<float>(start);
  if (end > pan + visible) return static_cast<float>(end - visible);
  return pan;
}

}  // namespace

void PreviewKeyPress(Dialog& dlg, PreviewKey key, PreviewState& preview) {
  const Step step = StepOf(key);
  const int zoom = preview.zoomFactor > 0 ? preview.zoomFactor : 1;
  const int areaWidth = dlg.host.PreviewAreaWidth(), areaHeight = dlg.host.PreviewAreaHeight();
  const ShownSheet& sheet = preview.sheet;
  // The pages lie one below another: the cursor moves over all of them.
  const int rows = sheet.grid.rows * sheet.pages;
  const int cells = sheet.grid.columns * rows;
  if (!sheet.shown || cells <= 0 || sheet.cellPx.widthPx <= 0 || sheet.cellPx.heightPx <= 0) {
    preview.panX += static_cast<float>(step.dx * kKeyPanStep);
    preview.panY += static_cast<float>(step.dy * kKeyPanStep);
    ClampPan(dlg, preview);
    ShowCanvas(dlg);
    return;
  }

  // The cursor: on the top-left cell in view at first, then one cell a key.
  if (preview.keyCell < 0 || preview.keyCell >= cells) {
    preview.keyCell = std::max(0, CellAtAreaPoint(preview, areaWidth, areaHeight, 0, 0));
  } else {
    const int column =
        std::clamp(preview.keyCell % sheet.grid.columns + step.dx, 0, sheet.grid.columns - 1);
    const int row = std::clamp(preview.keyCell / sheet.grid.columns + step.dy, 0, rows - 1);
    preview.keyCell = row * sheet.grid.columns + column;
  }

  // The view follows it.
  const int left = preview.keyCell % sheet.grid.columns * sheet.cellPx.widthPx;
  const int top = preview.keyCell / sheet.grid.columns * sheet.cellPx.heightPx;
  preview.panX = ScrollInto(preview.panX, left, left + sheet.cellPx.widthPx, areaWidth / zoom);
  preview.panY = ScrollInto(preview.panY, top, top + sheet.cellPx.heightPx, areaHeight / zoom);
  ClampPan(dlg, preview);
  ShowCursorCell(dlg, preview);
  ShowCanvas(dlg);
}

std::optional<AreaRect> CellAreaRect(const PreviewState& preview, int areaWidth, int areaHeight,
                                     int cell) {
  const ShownSheet& sheet = preview.sheet;
  if (!sheet.shown || cell < 0 || cell >= sheet.grid.columns * sheet.grid.rows * sheet.pages) {
    return std::nullopt;
  }
  if (areaWidth <= 0 || areaHeight <= 0) return std::nullopt;
  const int zoom = preview.zoomFactor > 0 ? preview.zoomFactor : 1;
  const int left = cell % sheet.grid.columns * sheet.cellPx.widthPx;
  const int top = cell / sheet.grid.columns * sheet.cellPx.heightPx;
  return AreaRect{(left - static_cast<int>(preview.panX)) * zoom,
                  (top - static_cast<int>(preview.panY)) * zoom, sheet.cellPx.widthPx * zoom,
                  sheet.cellPx.heightPx * zoom};
}
