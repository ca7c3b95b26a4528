// Showing the canvas in the Preview area: the visible part, magnified by pixel
// replication, moved by the pan offset and stretched onto the whole area.
#pragma once

#include <cstdint>
#include <vector>

#include "dialog/dialog.h"
#include "preview/preview_state.h"

// The area's pixels (areaWidth x areaHeight, 0x00RRGGBB) as the canvas shows in it.
// The visible part is w = areaWidth / zoom by h = areaHeight / zoom canvas pixels;
// area pixel (x, y) is canvas pixel (trunc(panX) + min(x / zoom, w - 1),
// trunc(panY) + min(y / zoom, h - 1)), so the last visible column and row also fill
// the area's remainder. Positions off the canvas are black.
void RenderCanvasView(const PreviewState& preview, int areaWidth, int areaHeight,
                      std::vector<std::uint32_t>& out);

// Shows the canvas in the Preview area now.
void ShowCanvas(Dialog& dlg);
