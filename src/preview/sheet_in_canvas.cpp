// The sheet drawn into the preview canvas.
#include "preview/sheet_in_canvas.h"

#include <algorithm>
#include <limits>

#include "preview/canvas_view.h"
#include "preview/pan_drag.h"
#include "preview/preview_state.h"

namespace {

std::uint32_t Gray(std::uint32_t level) {
  return level * 0x010101u;
}

// a over b by alpha, each channel rounded.
std::uint32_t Blend(std::uint32_t a, std::uint32_t b, std::uint32_t alpha) {
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out |= ((ca * alpha + cb * (255 - alpha) + 127) / 255) << shift;
  }
  return out;
}

}  // namespace

std::uint32_t ShownPixel(const SheetView& sheet, int x, int y) {
  const std::uint8_t* p = ScanLine(sheet.colored, sheet.height - 1 - y) + 4 * x;
  const std::uint32_t colored = (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
  if (!sheet.coverage || sheet.kind == OutputKind::kColor) return colored;
  const std::uint8_t coverage = (*sheet.coverage)[static_cast<std::size_t>(y) * sheet.width + x];
  switch (sheet.kind) {
    case OutputKind::kAlpha: {
      const bool light = ((x / kCheckerSquare) + (y / kCheckerSquare)) % 2 == 0;
      return Blend(colored, light ? kCheckerLight : kCheckerDark, coverage);
    }
    case OutputKind::kGray:
    case OutputKind::kSdf:  // the view holds the distance field in place of the coverage
      return Gray(coverage);
    case OutputKind::kMono:
      return MonoBit(coverage, sheet.monoThreshold) ? Gray(255) : 0;
    case OutputKind::kColor:
      break;
  }
  return colored;
}

void ShowSheetInCanvas(Dialog& dlg, const SheetView& sheet) {
  ShowSheetInCanvas(dlg, std::span<const SheetView>(&sheet, 1));
}

void ShowSheetInCanvas(Dialog& dlg, std::span<const SheetView> pages) {
  if (pages.empty()) return;
  const SheetView& sheet = pages.front();
  PreviewState& preview = Preview();
  if (!preview.canvas.created) CreatePreviewCanvas(preview);
  // The canvas takes the sheet's size, never less than its smallest; without the memory
  // for that it keeps its size and shows the sheet's top-left part. The view then
  // stays on the canvas.
  const int width = sheet.width, pageHeight = sheet.height;
  const long long whole = static_cast<long long>(pageHeight) * static_cast<long long>(pages.size());
  const int height = static_cast<int>(std::min<long long>(whole, std::numeric_limits<int>::max()));
  if (preview.canvas.width != std::max(width, kCanvasWidth) ||
      preview.canvas.height != std::max(height, kCanvasHeight)) {
    (void)ResizePreviewCanvas(preview, width, height);
    ClampPan(dlg, preview);
  }
  std::fill(preview.canvas.pixels.begin(), preview.canvas.pixels.end(), 0);
  const int columns = std::min(preview.canvas.width, width);
  for (std::size_t page = 0; page < pages.size(); ++page) {
    SheetView view = pages[page];
    if (view.width != width || view.height != pageHeight) continue;
    const bool coverageFits =
        view.coverage && view.coverage->size() == static_cast<std::size_t>(width) * pageHeight;
    if (!coverageFits) view.coverage = nullptr;
    const long long top = static_cast<long long>(page) * pageHeight;
    const int rows =
        static_cast<int>(std::clamp<long long>(preview.canvas.height - top, 0, pageHeight));
    for (int y = 0; y < rows; ++y) {
      std::uint32_t* dst =
          &preview.canvas.pixels[static_cast<std::size_t>(top + y) * preview.canvas.width];
      for (int x = 0; x < columns; ++x) dst[x] = ShownPixel(view, x, y);
    }
  }
  ShowCanvas(dlg);
}
