// Cell lines over the image preview and the hovered cell's status line.
#include "preview/cell_grid.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "dialog/dialog_fields.h"
#include "options/control_ids.h"
#include "preview/canvas_view.h"

namespace {

// The flipped bit is 128 away from the pixel's own value in every channel.
constexpr std::uint32_t kGridFlip = 0x808080u;

void SetCellInfo(Dialog& dlg, const std::string& text) {
  // Moves come often; the label is only written when it says something new.
  if (dlg.host.Text(kIdCellInfo) != text) SetText(dlg, kIdCellInfo, text);
}

bool IsControlChar(char32_t ch) {
  return ch < 0x20 || (ch >= 0x7F && ch <= 0x9F);
}

// For each area pixel along one axis: whether a grid line is drawn there, and whether
// the canvas position it shows lies within the sheet's extent (lines included).
struct AxisLines {
  std::vector<char> line;
  std::vector<char> inSheet;
};

AxisLines LinesAlong(int areaSize, int zoom, int pan, int cellSize, int sheetSize) {
  AxisLines axis{std::vector<char>(areaSize, 0), std::vector<char>(areaSize, 0)};
  const int visible = areaSize / zoom;
  for (int a = 0; a < areaSize; ++a) {
    const int c = pan + std::min(a / zoom, visible - 1);
    if (c < 0 || c > sheetSize) continue;
    axis.inSheet[a] = 1;
    axis.line[a] = c % cellSize == 0 && a % zoom == 0 && a / zoom < visible;
  }
  return axis;
}

}  // namespace

void RememberShownSheet(Dialog& dlg, PreviewState& preview, const Grid& grid,
                        const PixelSize& cellPx, CharMap map, int pages) {
  preview.sheet = {.shown = true,
                   .grid = grid,
                   .cellPx = cellPx,
                   .map = std::move(map),
                   .pages = std::max(pages, 1),
                   .staleReason = {},
                   .fontSelection = -1};
  SetCellInfo(dlg, "");
}

void ForgetShownSheet(Dialog& dlg, PreviewState& preview) {
  if (!preview.sheet.shown) return;
  preview.sheet = {};
  SetCellInfo(dlg, "");
}

void DrawCellGrid(const PreviewState& preview, int areaWidth, int areaHeight,
                  std::vector<std::uint32_t>& out) {
  const ShownSheet& sheet = preview.sheet;
  const int zoom = preview.zoomFactor > 0 ? preview.zoomFactor : 1;
  if (sheet.cellPx.widthPx <= 0 || sheet.cellPx.heightPx <= 0) return;
  if (areaWidth / zoom <= 0 || areaHeight / zoom <= 0) return;
  if (out.size() != static_cast<std::size_t>(areaWidth) * areaHeight) return;
  const PixelSize sheetPx = SheetPixels(sheet.grid, sheet.cellPx);
  const AxisLines columns = LinesAlong(areaWidth, zoom, static_cast<int>(preview.panX),
                                       sheet.cellPx.widthPx, sheetPx.widthPx);
  const AxisLines rows = LinesAlong(areaHeight, zoom, static_cast<int>(preview.panY),
                                    sheet.cellPx.heightPx, sheetPx.heightPx);
  for (int y = 0; y < areaHeight; ++y) {
    if (!rows.inSheet[y]) continue;
    std::uint32_t* dst = &out[static_cast<std::size_t>(y) * areaWidth];
    for (int x = 0; x < areaWidth; ++x) {
      if (columns.inSheet[x] && (columns.line[x] || rows.line[y])) dst[x] ^= kGridFlip;
    }
  }
}

int CellAtAreaPoint(const PreviewState& preview, int areaWidth, int areaHeight, int x, int y) {
  const ShownSheet& sheet = preview.sheet;
  if (!sheet.shown || sheet.cellPx.widthPx <= 0 || sheet.cellPx.heightPx <= 0) return -1;
  if (x < 0 || y < 0 || x >= areaWidth || y >= areaHeight) return -1;
  const std::optional<CanvasPoint> p = CanvasPointAt(preview, areaWidth, areaHeight, x, y);
  if (!p || p->x < 0 || p->y < 0) return -1;
  // A canvas that could not grow shows only part of the sheet.
  if (p->x >= preview.canvas.width || p->y >= preview.canvas.height) return -1;
  const int column = p->x / sheet.cellPx.widthPx;
  const int row = p->y / sheet.cellPx.heightPx;
  if (column >= sheet.grid.columns || row >= sheet.grid.rows * sheet.pages) return -1;
  return row * sheet.grid.columns + column;
}

std::string CellInfoText(const CharMap& map, int cell) {
  std::string text = std::to_string(cell);
  if (cell < 0 || cell >= static_cast<int>(map.cells.size())) return text;
  const char32_t ch = map.cells[cell];
  if (ch == kEmptyCell) return text;
  if (!IsControlChar(ch)) text += "  " + CellText(map, cell);
  char code[16];
  std::snprintf(code, sizeof code, "  U+%04X", static_cast<unsigned>(ch));
  return text + code;
}

namespace {

// "page K of N  " before a cell of a sheet of several pages, K from 1.
std::string PageText(const ShownSheet& sheet, int cell) {
  if (sheet.pages <= 1) return {};
  const int page = cell / (sheet.grid.columns * sheet.grid.rows);
  return "page " + std::to_string(page + 1) + " of " + std::to_string(sheet.pages) + "  ";
}

}  // namespace

void ShowHoveredCell(Dialog& dlg, PreviewState& preview) {
  preview.keyCell = -1;
  ShowCursorCell(dlg, preview);
}

void ShowCursorCell(Dialog& dlg, PreviewState& preview) {
  const ShownSheet& sheet = preview.sheet;
  if (sheet.shown && preview.keyCell >= 0 &&
      preview.keyCell < sheet.grid.columns * sheet.grid.rows * sheet.pages) {
    SetCellInfo(dlg, PageText(sheet, preview.keyCell) + CellInfoText(sheet.map, preview.keyCell));
    return;
  }
  std::string info;
  if (preview.sheet.shown) {
    if (const std::optional<ScreenPoint> p = dlg.host.PreviewAreaCursor()) {
      const int cell = CellAtAreaPoint(preview, dlg.host.PreviewAreaWidth(),
                                       dlg.host.PreviewAreaHeight(), p->x, p->y);
      if (cell >= 0) info = PageText(preview.sheet, cell) + CellInfoText(preview.sheet.map, cell);
    }
  }
  SetCellInfo(dlg, info);
}
