// The export run as a function of values.
#include "render/sheet_pipeline.h"

#include "base/char_codes.h"
#include "base/status.h"
#include "color/fillers.h"
#include "color/trim.h"
#include "glyph/glyph_surface.h"
#include "glyph/sheet_geometry.h"
#include "image/save_bitmap.h"
#include "image/texture_image.h"
#include "render/export_set.h"
#include "render/height_correction.h"
#include "render/overflow_report.h"
#include "render/placement.h"

namespace {

constexpr int kProbeScanSize = 50;  // the probe measures ink in its top-left 50 x 50

void ShowError(MessageSink& sink, const char* text) {
  sink.Show(text, "Error", MessageIcon::kWarning);
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

// Scratch surfaces closed on every path.
struct SurfaceCloser {
  GlyphSurface& surface;
  ~SurfaceCloser() { CloseSurface(surface); }
};

// Colors the sheet in the options' mode; kOk without a mode (the bitmap stays as
// allocated).
int ColorSheet(const SheetOptions& options, FIBITMAP* bitmap, const GlyphSurface& surface,
               int width, int height, MessageSink& sink) {
  if (!options.colorMode) return kOk;
  FillValues values;
  values.width = width;
  values.height = height;
  values.tileSize = options.tileSize;
  values.colorSteps = static_cast<float>(options.colorSteps);
  values.top = options.top;
  values.sub = options.sub;
  values.bg = options.bg;
  std::optional<TextureImage> texture;
  if (FillNeedsTexture(*options.colorMode, bitmap, values)) {
    texture = LoadTextureImage(options.texturePath, sink);
    if (!texture) return kFailed;
    values.texture = &*texture;
  }
  return FillSheet(*options.colorMode, bitmap, surface, values);
}

}  // namespace

std::optional<FREE_IMAGE_FORMAT> SheetFileFormat(const std::string& fileName) {
  const FREE_IMAGE_FORMAT fif = FreeImage_GetFIFFromFilename(fileName.c_str());
  if (fif == FIF_UNKNOWN || !FreeImage_FIFSupportsWriting(fif)) return std::nullopt;
  return fif;
}

std::optional<Sheet> RenderSheet(const SheetOptions& options, MessageSink& sink) {
  const int tileSize = options.tileSize;
  Sheet result;
  result.width = SheetWidth(tileSize);
  result.height = SheetHeight(tileSize);
  const int width = result.width;
  const int height = result.height;
  OverflowFlags& flags = result.flags;

  // One font for the height probe, the character probe and the sheet.
  const GlyphFont font = CreateGlyphFont(options.font);

  // Without its surface the height probe falls back to row 1.
  const int heightCorrection = FindHeightCorrection(tileSize, font, sink).value_or(1);
  const ExportSet exportSet = BuildExportSet(options);

  // The sheet and, beside it, the probe that measures one character at a time.
  GlyphSurface sheet;
  if (OpenSurface(sheet, "Output", 10, 10, width + 50, height + 50) != 0) return std::nullopt;
  SurfaceCloser closeSheet{sheet};
  GlyphSurface probe;
  if (OpenSurface(probe, "Char Window", width + 70, 10, 100, 100) != 0) return std::nullopt;
  SurfaceCloser closeProbe{probe};

  // The sheet collects glyphs, the probe is blanked per glyph.
  SelectSurfaceFont(sheet, font);
  SelectSurfaceFont(probe, font);
  ClearSurface(sheet);
  SetTextMode(sheet, TextMode::kTransparent);
  SetTextMode(probe, TextMode::kOpaqueBlack);

  // Measure each character alone, place it, and draw it clipped into its tile.
  for (int code = 1; code < kCodes; ++code) {
    if (!exportSet[code]) continue;
    ClearSurface(probe);
    DrawGlyph(probe, static_cast<unsigned char>(code), {0, 0, 80, 80}, false);
    const GlyphBox box = MeasureGlyphBox(probe);
    const int anchorRow = AnchorRow(box, tileSize, heightCorrection);
    FlagOverflow(flags, code, Classify(box, anchorRow, tileSize));
    const int anchorColumn = AnchorColumn(box, tileSize, options.center);
    DrawGlyph(sheet, static_cast<unsigned char>(code),
              DrawRect(code, tileSize, anchorRow, anchorColumn), true);
  }

  // Color, trim, report. Any failure skips the rest.
  result.bitmap.reset(FreeImage_Allocate(width, height, 32, 0, 0, 0));
  if (!result.bitmap) {
    ShowError(sink, "Could not allocate memory for the output bitmap!");
    return std::nullopt;
  }
  if (ColorSheet(options, result.bitmap.get(), sheet, width, height, sink) != kOk) {
    return std::nullopt;
  }
  if (options.trim) TrimOverflow(result.bitmap.get(), height, tileSize, options.bg, flags);
  result.report = BuildOverflowReport(flags);
  return result;
}

int SaveSheet(const Sheet& sheet, const std::string& fileName, MessageSink& sink) {
  const std::optional<FREE_IMAGE_FORMAT> fif = SheetFileFormat(fileName);
  if (!fif) {
    ShowError(sink, kUnknownSheetFormatMessage);
    return kFailed;
  }
  if (SaveBitmapReplacing(sheet.bitmap.get(), *fif, fileName) != kOk) {
    ShowError(sink, "Could not save the output bitmap!");
    return kFailed;
  }
  return kOk;
}
