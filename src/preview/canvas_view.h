// Showing the canvas in the Preview area: the visible part, magnified by pixel
// replication and moved by the pan offset.
#pragma once

#include <cstdint>
#include <vector>

#include "dialog/dialog.h"
#include "preview/preview_state.h"

// The area's pixels (areaWidth x areaHeight, 0x00RRGGBB) as the canvas shows in it:
// area pixel (x, y) is canvas pixel (trunc(panX) + x / zoom, trunc(panY) + y / zoom);
// positions off the canvas are black.
void RenderCanvasView(const PreviewState& preview, int areaWidth, int areaHeight,
                      std::vector<std::uint32_t>& out);

// Shows the canvas in the Preview area now.
void ShowCanvas(Dialog& dlg);
