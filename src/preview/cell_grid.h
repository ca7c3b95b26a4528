// The cells of the sheet the preview shows: the layout remembered with the sheet, the
// cell lines drawn over it when "Grid" is checked, and the status line under the
// Preview area that names the cell under the cursor.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dialog/dialog.h"
#include "layout/charmap.h"
#include "layout/grid.h"
#include "preview/preview_state.h"

// The canvas is about to show a sheet of this layout, of pages one below another. Clears
// the status line.
void RememberShownSheet(Dialog& dlg, PreviewState& preview, const Grid& grid,
                        const PixelSize& cellPx, CharMap map, int pages = 1);

// The canvas shows no sheet any more (the font sample): no grid, an empty status line.
void ForgetShownSheet(Dialog& dlg, PreviewState& preview);

// Draws the cell lines over the area's pixels (as RenderCanvasView left them) by
// flipping the top bit of each channel, which keeps a line visible on any color. A
// line runs along canvas column k * cell width (k = 0..columns) and canvas row
// k * cell height (k = 0..rows) across the sheet, on the first area pixel that shows
// that column or row, so it is one area pixel thick at every zoom.
void DrawCellGrid(const PreviewState& preview, int areaWidth, int areaHeight,
                  std::vector<std::uint32_t>& out);

// The index of the shown sheet's cell at area pixel (x, y) (column + row * columns),
// or -1 when no cell is shown there.
int CellAtAreaPoint(const PreviewState& preview, int areaWidth, int areaHeight, int x, int y);

// The status line for a cell: index, character and code point, two spaces apart
// ("65  A  U+0041"); a control character's own glyph is left out ("1  U+0001"); an
// empty cell, or one beyond the map, gives the index alone.
std::string CellInfoText(const CharMap& map, int cell);

// A mouse move: the mouse leads again (no keyboard cursor cell), and the status line
// names the shown sheet's cell under the cursor, or is empty when there is none.
void ShowHoveredCell(Dialog& dlg, PreviewState& preview = Preview());

// The status line for the cell that leads: the keyboard's cursor cell when it has one
// on the shown sheet, else the cell under the mouse as ShowHoveredCell finds it.
void ShowCursorCell(Dialog& dlg, PreviewState& preview = Preview());
