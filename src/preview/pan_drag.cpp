// Pan clamp and drag handling of the Preview area.
#include "preview/pan_drag.h"

#include "dialog/dialog_fields.h"
#include "options/control_ids.h"
#include "preview/canvas_view.h"

void ClampPan(Dialog& dlg, PreviewState& preview) {
  const int zoom = preview.zoomFactor > 0 ? preview.zoomFactor : 1;
  const int w = dlg.host.PreviewAreaWidth() / zoom;
  const int h = dlg.host.PreviewAreaHeight() / zoom;
  if (preview.panX < 0.0f) preview.panX = 0.0f;
  if (preview.panY < 0.0f) preview.panY = 0.0f;
  // Compared as floating point, so a fractional offset just past the edge counts.
  const int canvasWidth = preview.canvas.width;
  const int canvasHeight = preview.canvas.height;
  if (w + static_cast<double>(preview.panX) > canvasWidth) {
    preview.panX = canvasWidth - w > 0 ? static_cast<float>(canvasWidth - w) : 0.0f;
  }
  if (h + static_cast<double>(preview.panY) > canvasHeight) {
    preview.panY = canvasHeight - h > 0 ? static_cast<float>(canvasHeight - h) : 0.0f;
  }
}

void PreviewPress(Dialog& dlg, PreviewState& preview) {
  if (IsChecked(dlg, kIdFontPreview) && preview.zoomFactor == 1) return;
  preview.drag.dragging = true;
  preview.drag.last = dlg.host.CursorPos();
  dlg.host.CaptureMouse();
}

void PreviewMouseMove(Dialog& dlg, PreviewState& preview) {
  if (!preview.drag.dragging) return;
  const ScreenPoint p = dlg.host.CursorPos();
  const double z = preview.zoomFactor > 0 ? preview.zoomFactor : 1;
  // The cursor's movement in 64 bits: two screen positions can be further apart
  // than an int holds.
  const long long dx = static_cast<long long>(p.x) - preview.drag.last.x;
  const long long dy = static_cast<long long>(p.y) - preview.drag.last.y;
  preview.panX = static_cast<float>(preview.panX - static_cast<double>(dx) / z);
  preview.panY = static_cast<float>(preview.panY - static_cast<double>(dy) / z);
  ClampPan(dlg, preview);
  preview.drag.last = p;
  ShowCanvas(dlg);
}

void PreviewButtonUp(Dialog& dlg, PreviewState& preview) {
  if (!preview.drag.dragging) return;
  dlg.host.ReleaseMouse();
  preview.drag.dragging = false;
  ShowCanvas(dlg);
}
