// The preview's state: the off-screen canvas, the zoom, the pan offset, the drag, the
// font selection the timer saw last, and the layout of the sheet shown with its cell
// grid. One instance lives as long as the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/status.h"
#include "dialog/dialog_host.h"
#include "layout/charmap.h"
#include "layout/grid.h"

// The canvas's smallest size: the font sample's, and enough for today's sheets.
inline constexpr int kCanvasWidth = 512;
inline constexpr int kCanvasHeight = 185;

struct PreviewCanvas {
  bool created = false;
  int width = kCanvasWidth;  // px, at least kCanvasWidth; larger to hold a larger sheet
  int height = kCanvasHeight;
  std::vector<std::uint32_t> pixels;  // width x height, 0x00RRGGBB, row-major
};

// The sheet the canvas shows, as far as its cells go.
struct ShownSheet {
  bool shown = false;  // false while the canvas shows the font sample
  Grid grid;
  PixelSize cellPx;
  CharMap map;  // what each cell holds
  // The pages of a map larger than the grid, one below another: cell i of the map lies on
  // the canvas where cell i of a grid pages times as tall would.
  int pages = 1;
  // The fields changed since it was drawn and it could not be drawn again: why (the
  // first message of the attempt). Empty while it shows what the fields say.
  std::string staleReason;
  int fontSelection = -1;  // the font list's entry it was drawn with, when the app notes it
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
  ShownSheet sheet;
  bool showGrid = false;  // the "Grid" check box: cell lines over a shown sheet
  int keyCell = -1;       // the cell the arrow keys chose, -1 while the mouse leads
};

// The program's preview.
PreviewState& Preview();

// Makes the canvas at its smallest size, black. Deleting it frees the pixels.
void CreatePreviewCanvas(PreviewState& preview);
void DeletePreviewCanvas(PreviewState& preview);

// Makes the canvas black at width x height, each at least its smallest size; fails when
// the pixels cannot be had, and the canvas then stays as it was.
Status ResizePreviewCanvas(PreviewState& preview, int width, int height);
