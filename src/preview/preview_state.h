// The preview's state: the off-screen canvas, the zoom, the pan offset, the drag, and
// the font selection the timer saw last. One instance lives as long as the program.
#pragma once

#include <cstdint>
#include <vector>

#include "dialog/dialog_host.h"

inline constexpr int kCanvasWidth = 512;
inline constexpr int kCanvasHeight = 185;

struct PreviewCanvas {
  bool created = false;
  std::vector<std::uint32_t> pixels;  // kCanvasWidth x kCanvasHeight, 0x00RRGGBB, row-major
};

struct DragState {
  bool dragging = false;
  ScreenPoint last;  // cursor position of the last drag step, screen pixels
};

struct PreviewState {
  PreviewCanvas canvas;
  int zoomFactor = 1;  // 1, 2 or 4
  float panX = 0.0f;   // canvas position shown at the area's top-left, canvas pixels
  float panY = 0.0f;
  DragState drag;
  int lastFontSelection = -1;  // changed only by the timer
};

// The program's preview.
PreviewState& Preview();

// Makes the canvas, black. Deleting it frees the pixels.
void CreatePreviewCanvas(PreviewState& preview);
void DeletePreviewCanvas(PreviewState& preview);
