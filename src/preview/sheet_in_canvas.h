// Showing a sheet in the preview instead of saving it, as the output kind it would be
// saved as.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/sheet_modes.h"
#include "dialog/dialog.h"
#include "image/bitmap32.h"
#include "text/pixel_surface.h"

// What the canvas shows of a sheet.
struct SheetView {
  const Bitmap32* colored = nullptr;  // width x height, bottom-up BGRA rows
  // width x height, top row first: the coverage, or for kSdf the distance field
  const SurfaceBytes* coverage = nullptr;
  OutputKind kind = OutputKind::kColor;
  int monoThreshold = kDefaultMonoThreshold;
  int width = 0;
  int height = 0;
};

// The checkerboard that shows through transparent pixels: squares of this many canvas
// pixels, in two grays.
inline constexpr int kCheckerSquare = 8;
inline constexpr std::uint32_t kCheckerLight = 0xC8C8C8u;
inline constexpr std::uint32_t kCheckerDark = 0x989898u;

// The canvas color of sheet pixel (x, y) as kind shows it: the colored pixel; the colored
// pixel over the checkerboard by its coverage (alpha); the coverage (or the distance
// field, sdf) as gray; white where MonoBit(coverage, threshold) holds, else black (mono).
// Without coverage the colored pixel.
std::uint32_t ShownPixel(const SheetView& sheet, int x, int y);

// Makes the canvas the sheet's size (512 x 185 at least), black, draws the sheet into it
// as ShownPixel says and shows it. The zoom stays; the pan stays unless the canvas's size
// changed, when it is clamped to the new canvas.
void ShowSheetInCanvas(Dialog& dlg, const SheetView& sheet);
// The same with the pages of one run (each the first's size), one below another.
void ShowSheetInCanvas(Dialog& dlg, std::span<const SheetView> pages);
