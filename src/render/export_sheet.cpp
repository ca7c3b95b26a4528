// The export run.
#include "render/export_sheet.h"

#include <FreeImage.h>

#include "color/bitmap_handle.h"
#include "color/color_triple.h"
#include "color/fillers.h"
#include "color/overflow_flags.h"
#include "color/trim.h"
#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"
#include "glyph/glyph_surface.h"
#include "preview/sheet_in_canvas.h"
#include "render/export_set.h"
#include "render/height_correction.h"
#include "render/overflow_report.h"
#include "render/placement.h"
#include "glyph/sheet_geometry.h"
#include "render/save_bitmap.h"
#include "text/windows1252.h"

namespace {

constexpr int kProbeScanSize = 50;  // the probe measures ink in its top-left 50 x 50

void ShowError(Dialog& dlg, const char* text) {
  dlg.host.MessageBox(text, "Error", MessageIcon::kWarning);
}

// The ink box of what the probe surface shows within its 50 x 50 scan area.
GlyphBox MeasureGlyphBox(const GlyphSurface& probe) {
  GlyphBox box;
  for (int y = 0; y < kProbeScanSize; ++y) {
    for (int x = 0; x < kProbeScanSize; ++x) {
      if (!IsLit(probe, x, y)) continue;
      if (x < box.left) box.left = x;
      if (x > box.right) box.right = x;
      if (y < box.top) box.top = y;
      if (y > box.bottom) box.bottom = y;
    }
  }
  return box;
}

// Runs the chosen color mode; the first checked radio button of the list decides.
// Returns the filler's result, or 0 when no mode is checked (the bitmap stays as
// allocated).
int FillSheet(Dialog& dlg, FIBITMAP* bitmap, const GlyphSurface& sheet, int width, int height,
              int tileSize, float colorSteps, const ColorTriple& top, const ColorTriple& sub,
              const ColorTriple& bg) {
  if (IsChecked(dlg, kIdColorGradient)) {
    return FillGradient(bitmap, sheet, width, height, tileSize, colorSteps, top, sub, bg);
  }
  if (IsChecked(dlg, kIdColorImageOnly)) {
    return FillImageOnly(bitmap, sheet, dlg, width, height, bg);
  }
  if (IsChecked(dlg, kIdColorRelief)) {
    return FillRelief(bitmap, sheet, width, height, tileSize, top, sub, bg);
  }
  if (IsChecked(dlg, kIdColorGradientOverImage)) {
    return FillGradientOverImage(bitmap, sheet, dlg, width, height, tileSize, colorSteps, top, sub,
                                 bg);
  }
  if (IsChecked(dlg, kIdColorReliefOverImage)) {
    return FillReliefOverImage(bitmap, sheet, dlg, width, height, tileSize, top, sub, bg);
  }
  return 0;
}

}  // namespace

int ExportSheet(Dialog& dlg, const std::string& fileName, bool preview) {
  // 1. The file format, from the name's extension (not needed for a preview).
  FREE_IMAGE_FORMAT fif = FIF_UNKNOWN;
  if (!preview) {
    fif = FreeImage_GetFIFFromFilename(fileName.c_str());
    if (fif == FIF_UNKNOWN || !FreeImage_FIFSupportsWriting(fif)) {
      ShowError(dlg, "Could not identify file type or writing to this type not supported!");
      return 1;
    }
  }

  // 2. Fresh flags for this run.
  OverflowFlags& flags = SheetOverflowFlags();
  ClearOverflowFlags(flags);

  // 3. The options, in the order the run has always read them.
  const float colorSteps = static_cast<float>(ReadInt(dlg, kIdColorSteps));
  const ColorTriple bg = ReadColorTriple(dlg, kIdBgRed);
  const ColorTriple top = ReadColorTriple(dlg, kIdTopRed);
  const ColorTriple sub = ReadColorTriple(dlg, kIdSubRed);
  const int tileSize = ReadInt(dlg, kIdTileSize);
  const int width = SheetWidth(tileSize);
  const int height = SheetHeight(tileSize);
  const int heightCorrection = FindHeightCorrection(dlg);
  const bool trim = IsChecked(dlg, kIdTrimOverflow);
  const bool center = IsChecked(dlg, kIdCenter);
  const ExportSet exportSet = BuildExportSet(dlg);

  // 4. The sheet and, beside it, the probe that measures one character at a time.
  GlyphSurface sheet;
  if (OpenSurface(sheet, "Output", 10, 10, width + 50, height + 50) != 0) return 1;
  GlyphSurface probe;
  if (OpenSurface(probe, "Char Window", width + 70, 10, 100, 100) != 0) {
    CloseSurface(sheet);
    return 1;
  }

  // 5.-6. One font on both; the sheet collects glyphs, the probe is blanked per glyph.
  {
    GlyphFont font = CreateGlyphFont(dlg);
    SelectSurfaceFont(sheet, font);
    SelectSurfaceFont(probe, font);
  }
  ClearSurface(sheet);
  SetTextMode(sheet, TextMode::kTransparent);
  SetTextMode(probe, TextMode::kOpaqueBlack);

  // 7. Measure each character alone, place it, and draw it clipped into its tile.
  for (int code = 1; code < 256; ++code) {
    if (!exportSet[code]) continue;
    ClearSurface(probe);
    DrawGlyph(probe, static_cast<unsigned char>(code), {0, 0, 80, 80}, false);
    const GlyphBox box = MeasureGlyphBox(probe);
    const int anchorRow = AnchorRow(box, tileSize, heightCorrection);
    FlagOverflow(flags, code, Classify(box, anchorRow, tileSize));
    const int anchorColumn = AnchorColumn(box, tileSize, center);
    DrawGlyph(sheet, static_cast<unsigned char>(code),
              DrawRect(code, tileSize, anchorRow, anchorColumn), true);
  }

  // 8.-12. Color, trim, save or show, report. Any failure skips the rest.
  int result = 1;
  BitmapHandle bitmap(FreeImage_Allocate(width, height, 32, 0, 0, 0));
  if (!bitmap) {
    ShowError(dlg, "Could not allocate memory for the output bitmap!");
  } else if (FillSheet(dlg, bitmap.get(), sheet, width, height, tileSize, colorSteps, top, sub,
                       bg) == 0) {
    if (trim) TrimOverflow(bitmap.get(), height, tileSize, bg, flags);
    bool shown = true;
    if (preview) {
      ShowSheetInCanvas(dlg, bitmap.get(), width, height);
    } else if (!SaveBitmapReplacing(bitmap.get(), fif, fileName)) {
      ShowError(dlg, "Could not save the output bitmap!");
      shown = false;
    }
    if (shown) {
      // The report holds raw Windows-1252 bytes; the log shows them as characters.
      SetText(dlg, kIdLog, Cp1252ToUtf8(BuildOverflowReport(flags)));
      result = 0;
    }
  }

  // 13. Release everything this run made (the bitmap's holder frees it on return).
  CloseSurface(sheet);
  CloseSurface(probe);
  return result;
}
