// The export run as a function of values.
#include "render/sheet_pipeline.h"

#include <algorithm>
#include <cstdint>

#include "base/char_codes.h"
#include "base/status.h"
#include "color/fillers.h"
#include "color/trim.h"
#include "fileio/replace_file.h"
#include "glyph/glyph_surface.h"
#include "glyph/sheet_geometry.h"
#include "image/freeimage_library.h"
#include "image/png_writer.h"
#include "image/save_bitmap.h"
#include "image/texture_image.h"
#include "layout/export_set.h"
#include "render/height_correction.h"
#include "render/overflow_report.h"
#include "render/placement.h"
#include "render/sheet_outputs.h"

namespace {

// The probe draws one character at its top-left, clipped to a square kProbeClipMargin
// beyond the scan area, and measures its ink within the scan area. Today's cells (up
// to 16 px) use a 50-px scan area; larger cells get three cells' room.
constexpr int kProbeScanSize = 50;
constexpr int kProbeClipMargin = 30;
constexpr int kProbeSurfaceMargin = 50;

int ProbeScanSize(PixelSize cell) {
  return std::max(kProbeScanSize, 3 * std::max(cell.widthPx, cell.heightPx));
}

// Any sheet-sized buffer of the run that cannot be had: the sheet's surface, its bitmap,
// its coverage, and each buffer of its encoding.
constexpr char kNoMemoryMessage[] = "Could not allocate memory for the output bitmap!";

void ShowError(MessageSink& sink, std::string_view text) {
  sink.Show(text, "Error", MessageIcon::kWarning);
}

// The ink box of what the probe surface shows within its scanSize x scanSize scan area. The probe
// is larger than the scan area (see RenderSheet).
GlyphBox MeasureGlyphBox(const GlyphSurface& probe, int scanSize) {
  const std::optional<PixelRect> ink = FindInkBox(probe.pixels, {0, 0, scanSize, scanSize});
  if (!ink) return {};
  return {ink->left, ink->top, ink->right - 1, ink->bottom - 1};
}

// The ink of a character past what the scan area holds may decide where it overflows: a
// box without ink, or with ink on the scan area's last column or row, is measured whole.
bool MayReachPastScan(const GlyphBox& box, int scanSize) {
  return !HasInk(box) || box.right >= scanSize - 1 || box.bottom >= scanSize - 1;
}

// The whole ink of c as the probe draws it (at its top-left, unclipped), however large.
GlyphBox WholeGlyphBox(GlyphSurface& probe, const SheetChar& c) {
  const std::optional<PixelRect> ink = SheetCharInkBox(probe, c, 0, 0);
  if (!ink) return {};
  return {ink->left, ink->top, ink->right - 1, ink->bottom - 1};
}

bool AnyLit(const PixelSurface& surface) {
  return std::any_of(surface.pixels.begin(), surface.pixels.end(),
                     [](std::uint8_t v) { return v != 0; });
}

// Blanks what the last measure saw: only the scan area is ever read, and within it the
// only lit pixels lie in the box it found.
void ClearMeasured(GlyphSurface& probe, const GlyphBox& box) {
  if (!HasInk(box)) return;
  FillPixelRect(probe.pixels, {box.left, box.top, box.right + 1, box.bottom + 1}, 0);
}

// The top-left width x height pixels of the sheet surface (which is larger than the sheet).
Status CopyCoverage(const PixelSurface& from, int width, int height, PixelSurface& to) {
  if (Status resized = ResizePixelSurface(to, width, height); !resized) return resized;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = from.pixels.data() + static_cast<std::size_t>(y) * from.width;
    std::copy(row, row + width, to.pixels.begin() + static_cast<std::ptrdiff_t>(y) * width);
  }
  return {};
}

// A glyph anchored at the height correction is drawn with its text cell's row
// heightCorrection on the cell's first row, so its baseline lies ascent - heightCorrection
// rows down. Glyphs moved by the other placement rules are the exception, not the line.
int BaselineRow(const GlyphFont& font, int heightCorrection, int cellHeightPx) {
  if (!font) return 0;
  return std::clamp(GetFontMetrics(*font).ascentPx - heightCorrection, 0, cellHeightPx);
}

// Colors the sheet in the options' mode; success without a mode (the bitmap stays as
// allocated). A texture that cannot be loaded has shown its message.
Status ColorSheet(const SheetOptions& options, Bitmap32* bitmap, const GlyphSurface& surface,
                  int width, int height, PixelSize cell, MessageSink& sink) {
  if (!options.colorMode) return {};
  FillValues values;
  values.width = width;
  values.height = height;
  values.cell = cell;
  values.colorSteps = static_cast<float>(options.colorSteps);
  values.top = options.top;
  values.sub = options.sub;
  values.bg = options.bg;
  std::optional<TextureImage> texture;
  if (FillNeedsTexture(*options.colorMode, bitmap, values)) {
    texture = LoadTextureImage(options.texturePath, sink);
    if (!texture) return Failure("The texture could not be loaded.");
    values.texture = &*texture;
  }
  return FillSheet(*options.colorMode, bitmap, surface, values);
}

}  // namespace

std::vector<CellChar> CellsToDraw(const SheetOptions& options, const CharMap& map) {
  const CellSet set = BuildExportSet(map, options.exportMode, options.exportText, options.rangeFrom,
                                     options.rangeTo);
  // A cp1252 cell is drawn by its byte code, so that a symbol font shows its own
  // glyph of that code.
  const bool byCode = map.kind == CharMapKind::kCp1252;
  std::vector<CellChar> cells;
  for (int cell = 0; cell < static_cast<int>(set.size()); ++cell) {
    if (!set[cell]) continue;
    const char32_t ch = byCode ? static_cast<char32_t>(cell) : map.cells[cell];
    cells.push_back({cell, {ch, byCode}});
  }
  return cells;
}

std::optional<FREE_IMAGE_FORMAT> SheetFileFormat(const std::string& fileName) {
  if (FileNameMeansPng(fileName)) return FIF_PNG;
  const FreeImageLibrary* fi = OpenFreeImage();
  if (!fi) return std::nullopt;
  const FREE_IMAGE_FORMAT fif = fi->GetFIFFromFilename(fileName.c_str());
  if (fif == FIF_UNKNOWN || !fi->FIFSupportsWriting(fif)) return std::nullopt;
  return fif;
}

void ShowImageLibraryFailure(const std::string& fileName, MessageSink& sink) {
  if (!FileNameMeansPng(fileName)) (void)RequireFreeImage(sink);
}

std::optional<Sheet> RenderSheet(const SheetOptions& options, MessageSink& sink) {
  // The map comes loaded and checked; a record built by hand must still fit its grid.
  const CharMap& map = options.charMap;
  if (const Status fits = CheckGridHoldsMap(options.grid, static_cast<int>(map.cells.size()));
      !fits) {
    ShowError(sink, fits.message);
    return std::nullopt;
  }

  // The cell and the sheet; rules measured in rows use the cell height, in columns the
  // cell width.
  const PixelSize cell = CellPixels(options.cell, options.tileSize);
  const PixelSize sheetPx = SheetPixels(options.grid, cell);
  Sheet result;
  result.width = sheetPx.widthPx;
  result.height = sheetPx.heightPx;
  const int width = result.width;
  const int height = result.height;
  OverflowFlags& flags = result.flags;

  // One font for the height probe, the character probe and the sheet.
  const GlyphFont font = CreateGlyphFont(options.font);

  // Without its surface the height probe falls back to row 1.
  const int heightCorrection = FindHeightCorrection(cell.heightPx, font, sink).value_or(1);
  const std::vector<CellChar> cells = CellsToDraw(options, map);

  // The sheet and, beside it, the probe that measures one character at a time.
  const int scanSize = ProbeScanSize(cell);
  const int probeClip = scanSize + kProbeClipMargin;
  const int probeSize = scanSize + kProbeSurfaceMargin;
  Result<GlyphSurface> sheetSurface = OpenSurface(width + 50, height + 50);
  if (!sheetSurface) {
    ShowError(sink, kNoMemoryMessage);
    return std::nullopt;
  }
  Result<GlyphSurface> probeSurface = OpenSurface(probeSize, probeSize);
  if (!probeSurface) return std::nullopt;
  GlyphSurface& sheet = *sheetSurface;
  GlyphSurface& probe = *probeSurface;
  // The distance field, drawn beside the coverage with the same font and places.
  const bool sdf = options.output == OutputKind::kSdf;
  Result<GlyphSurface> distanceSurface =
      sdf ? OpenSurface(width, height) : Result<GlyphSurface>(GlyphSurface{});
  if (!distanceSurface) {
    ShowError(sink, kNoMemoryMessage);
    return std::nullopt;
  }
  GlyphSurface& distance = *distanceSurface;
  if (sdf) SelectSurfaceFont(distance, font);

  // The sheet collects glyphs; the probe's scan area is blanked per glyph.
  SelectSurfaceFont(sheet, font);
  SelectSurfaceFont(probe, font);
  ClearSurface(sheet);
  SetTextMode(sheet, TextMode::kTransparent);
  SetTextMode(probe, TextMode::kOpaqueBlack);

  // Measure each character alone, place it, and draw it clipped into its cell.
  // Ink that the scan area cut off does not move the character, but wherever it lands
  // outside the cell it is overflow.
  GlyphBox measured;  // the probe opens black
  bool anyInk = false;
  for (const CellChar& c : cells) {
    ClearMeasured(probe, measured);
    DrawSheetChar(probe, c.c, {0, 0, probeClip, probeClip}, false);
    const GlyphBox box = measured = MeasureGlyphBox(probe, scanSize);
    const int anchorRow = AnchorRow(box, cell.heightPx, heightCorrection);
    const int anchorColumn = AnchorColumn(box, cell.widthPx, options.center);
    OverflowKind kind = Classify(box, anchorRow, cell);
    if (MayReachPastScan(box, scanSize)) {
      const GlyphBox whole = WholeGlyphBox(probe, c.c);
      kind = CombineOverflow(kind, InkOutsideCell(whole, anchorRow, anchorColumn, cell));
      anyInk = anyInk || HasInk(whole);
    } else {
      anyInk = true;
    }
    FlagOverflow(flags, c.cell, kind);
    const PixelRect rect = DrawRect(c.cell, options.grid, cell, anchorRow, anchorColumn);
    DrawSheetChar(sheet, c.c, rect, true);
    if (sdf) {
      // The cell itself: the rectangle ends where the cell does (DrawRect).
      const PixelRect cellBox{rect.right - cell.widthPx, rect.bottom - cell.heightPx, rect.right,
                              rect.bottom};
      DrawSheetCharDistance(distance, c.c, rect, cellBox, options.sdfSpreadPx);
    }
  }

  // Color, trim, report. Any failure skips the rest.
  result.bitmap = AllocateBitmap32(width, height);
  if (!result.bitmap) {
    ShowError(sink, kNoMemoryMessage);
    return std::nullopt;
  }
  if (!ColorSheet(options, result.bitmap.get(), sheet, width, height, cell, sink)) {
    return std::nullopt;
  }
  // The coverage is taken before trimming, which clears it where it paints over.
  if (!CopyCoverage(sheet.pixels, width, height, result.coverage)) {
    ShowError(sink, kNoMemoryMessage);
    return std::nullopt;
  }
  if (options.trim) {
    TrimOverflow(result.bitmap.get(), options.grid, cell, options.bg, flags, &result.coverage);
  }
  // Characters with ink of which none reached the sheet (or trimming left none of it).
  result.noneFits = anyInk && !AnyLit(result.coverage);
  if (map.kind == CharMapKind::kCp1252) {
    result.report = BuildOverflowReport(flags);
  } else {
    result.report = BuildOverflowReport(flags, map);
    result.reportIsUtf8 = true;
  }
  result.drawnCells.reserve(cells.size());
  for (const CellChar& c : cells) result.drawnCells.push_back(c.cell);
  result.baselineRow = BaselineRow(sheet.font, heightCorrection, cell.heightPx);
  result.grid = options.grid;
  result.cellPx = cell;
  result.map = std::move(map);
  result.output = options.output;
  result.top = options.top;
  result.monoThreshold = options.monoThreshold;
  if (sdf) result.distance = std::move(distance.pixels);
  return result;
}

Status SaveSheet(const Sheet& sheet, const std::string& fileName, FREE_IMAGE_FORMAT fif,
                 MessageSink& sink, std::span<FileReplacement> companions) {
  std::string bytes;
  std::vector<FileReplacement> files;
  const Status encoded = EncodeSheetKind(sheet, fif, bytes);
  if (encoded) {
    files.reserve(1 + companions.size());
    files.push_back({fileName, bytes});
    files.insert(files.end(), companions.begin(), companions.end());
    WriteFilesReplacing(files);
  }
  for (std::size_t i = 0; i < companions.size(); ++i) {
    companions[i].status = files.empty() ? encoded : files[1 + i].status;
    companions[i].failed = !files.empty() && files[1 + i].failed;
  }
  if (files.empty() || files[0].failed) {
    const char* message =
        IsNoMemory(encoded) ? kNoMemoryMessage : "Could not save the output bitmap!";
    ShowError(sink, message);
    return Failure(message, files.empty() ? encoded.error : files[0].status.error);
  }
  return files[0].status;  // a failure here: a companion held it back
}
