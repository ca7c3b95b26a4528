// The program's one preview.
#include "preview/preview_state.h"

PreviewState& Preview() {
  static PreviewState preview;
  return preview;
}

void CreatePreviewCanvas(PreviewState& preview) {
  preview.canvas.pixels.assign(static_cast<std::size_t>(kCanvasWidth) * kCanvasHeight, 0);
  preview.canvas.created = true;
}

void DeletePreviewCanvas(PreviewState& preview) {
  preview.canvas.pixels = {};
  preview.canvas.created = false;
}
