// The program's one preview.
#include "preview/preview_state.h"

#include <cerrno>

#include <algorithm>
#include <new>

#include "base/status.h"

PreviewState& Preview() {
  static PreviewState preview;
  return preview;
}

void CreatePreviewCanvas(PreviewState& preview) {
  preview.canvas.pixels.assign(static_cast<std::size_t>(kCanvasWidth) * kCanvasHeight, 0);
  preview.canvas.width = kCanvasWidth;
  preview.canvas.height = kCanvasHeight;
  preview.canvas.created = true;
}

Status ResizePreviewCanvas(PreviewState& preview, int width, int height) {
  width = std::max(width, kCanvasWidth);
  height = std::max(height, kCanvasHeight);
  // A sheet of 256 x 256 cells of 64 px needs a gigabyte here: a refusal is an answer.
  try {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0);
    preview.canvas.pixels.swap(pixels);
  } catch (const std::bad_alloc&) {
    return Failure("Out of memory.", ENOMEM);
  }
  preview.canvas.width = width;
  preview.canvas.height = height;
  preview.canvas.created = true;
  return {};
}

void DeletePreviewCanvas(PreviewState& preview) {
  preview.canvas.pixels = {};
  preview.canvas.created = false;
}
