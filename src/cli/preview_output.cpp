// The Preview area as a PNG file.
#include "cli/preview_output.h"

#include <vector>

#include "base/status.h"
#include "image/bitmap_handle.h"
#include "image/freeimage_library.h"
#include "image/save_bitmap.h"
#include "preview/canvas_view.h"

int WritePreviewArea(HeadlessHost& host, const std::string& path) {
  const int width = host.PreviewAreaWidth();
  const int height = host.PreviewAreaHeight();
  std::vector<std::uint32_t> area;
  RenderCanvasView(Preview(), width, height, area);
  // The Preview area is written as a 24-bit PNG by the image library.
  if (!RequireFreeImage(host)) return 1;
  const FreeImageLibrary& fi = OpenedFreeImage();
  BitmapHandle bitmap(fi.Allocate(width, height, 24, 0, 0, 0));
  if (!bitmap) return 1;
  for (int y = 0; y < height; ++y) {
    BYTE* line = fi.GetScanLine(bitmap.get(), height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t rgb = area[static_cast<std::size_t>(y) * width + x];
      line[3 * x + FI_RGBA_BLUE] = rgb & 0xFF;
      line[3 * x + FI_RGBA_GREEN] = (rgb >> 8) & 0xFF;
      line[3 * x + FI_RGBA_RED] = (rgb >> 16) & 0xFF;
    }
  }
  return ExitCode(SaveBitmapReplacing(bitmap.get(), FIF_PNG, path));
}
