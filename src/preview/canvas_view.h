// Showing the canvas in the Preview area: the visible part, magnified by pixel
// replication, moved by the pan offset and stretched onto the whole area.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "dialog/dialog.h"
#include "preview/preview_state.h"

// The area's pixels (areaWidth x areaHeight, 0x00RRGGBB) as the canvas shows in it.
// The visible part is w = areaWidth / zoom by h = areaHeight / zoom canvas pixels;
// area pixel (x, y) is canvas pixel (trunc(panX) + min(x / zoom, w - 1),
// trunc(panY) + min(y / zoom, h - 1)), so the last visible column and row also fill
// the area's remainder. Positions off the canvas are black. With the cell grid on and
// a sheet shown, the grid's lines are drawn over it (DrawCellGrid).
void RenderCanvasView(const PreviewState& preview, int areaWidth, int areaHeight,
                      std::vector<std::uint32_t>& out);

// The canvas position shown at area pixel (x, y) by the rule above, which may lie off
// the canvas; none when the area shows no canvas pixel at all.
struct CanvasPoint {
  int x = 0, y = 0;
};
std::optional<CanvasPoint> CanvasPointAt(const PreviewState& preview, int areaWidth, int areaHeight,
                                         int x, int y);

// Shows the canvas in the Preview area now.
void ShowCanvas(Dialog& dlg);
