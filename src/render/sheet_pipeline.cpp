// The export run as a function of values.
#include "render/sheet_pipeline.h"

#include <algorithm>
#include <cstdint>

#include "base/char_codes.h"
#include "base/run_progress.h"
#include "base/status.h"
#include "color/fillers.h"
#include "color/trim.h"
#include "fileio/replace_file.h"
#include "glyph/builtin_glyphs.h"
#include "glyph/exact_font.h"
#include "glyph/glyph_surface.h"
#include "glyph/sheet_geometry.h"
#include "image/freeimage_library.h"
#include "image/png_writer.h"
#include "image/save_bitmap.h"
#include "image/texture_image.h"
#include "layout/export_set.h"
#include "render/fallback_cells.h"
#include "render/height_correction.h"
#include "render/overflow_report.h"
#include "render/placement.h"
#include "render/sheet_outputs.h"
#include "text/coverage_distance.h"
#include "text/size_rules.h"

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

// Whether any pixel of the rows that inkRows flags is lit.
bool AnyLit(const PixelSurface& surface, const std::vector<std::uint8_t>& inkRows) {
  for (int y = 0; y < surface.height; ++y) {
    if (!inkRows[static_cast<std::size_t>(y)]) continue;
    const auto row = surface.pixels.begin() + static_cast<std::ptrdiff_t>(y) * surface.width;
    if (std::any_of(row, row + surface.width, [](std::uint8_t v) { return v != 0; })) return true;
  }
  return false;
}

// Flags the sheet rows of rect as ones that may hold ink.
void MarkInkRows(GlyphSurface& sheet, PixelRect rect) {
  const int top = std::max(rect.top, 0);
  const int bottom = std::min(rect.bottom, static_cast<int>(sheet.inkRows.size()));
  for (int y = top; y < bottom; ++y) sheet.inkRows[static_cast<std::size_t>(y)] = 1;
}

// Blanks what the last measure saw: only the scan area is ever read, and within it the
// only lit pixels lie in the box it found.
void ClearMeasured(GlyphSurface& probe, const GlyphBox& box) {
  if (!HasInk(box)) return;
  FillPixelRect(probe.pixels, {box.left, box.top, box.right + 1, box.bottom + 1}, 0);
}

// A glyph anchored at anchorRow is drawn with that row of its text cell on the cell's
// first row, so its baseline lies ascent - anchorRow rows down. With the cp1252 map the
// anchor is the height correction, and glyphs moved by the other placement rules are
// the exception, not the line; other maps anchor every glyph there.
int BaselineRow(const GlyphFont& font, int anchorRow, int cellHeightPx) {
  if (!font) return 0;
  return std::clamp(GetFontMetrics(*font).ascentPx - anchorRow, 0, cellHeightPx);
}

// The height of the text cell (ascent + descent) of font, or of the default font that
// surfaces draw with when there is none.
int TextCellHeight(const GlyphFont& font) {
  const GlyphFont drawn = font ? font : DefaultTextFont();
  if (!drawn) return 0;
  const FontMetrics metrics = GetFontMetrics(*drawn);
  return metrics.ascentPx + metrics.descentPx;
}

// Whether c is drawn by DrawBuiltinGlyph rather than from the face.
bool DrawnBuiltin(const SheetChar& c, bool builtinBoxes) {
  return builtinBoxes && !c.byteCode && IsBuiltinGlyph(c.ch);
}

// The cell's own rectangle on the sheet.
PixelRect CellRect(int cell, const Grid& grid, PixelSize cellPx) {
  const int x = cellPx.widthPx * CellColumn(cell, grid);
  const int y = cellPx.heightPx * CellRow(cell, grid);
  return {x, y, x + cellPx.widthPx, y + cellPx.heightPx};
}

// Draws a built-in glyph over its whole cell; false when it has no pixel to draw.
bool DrawBuiltinCell(GlyphSurface& sheet, char32_t ch, PixelRect rect) {
  PixelSurface& pixels = sheet.pixels;
  std::uint8_t* origin = pixels.pixels.data() + static_cast<std::size_t>(rect.top) * pixels.width +
                         static_cast<std::size_t>(rect.left);
  return DrawBuiltinGlyph(ch, rect.right - rect.left, rect.bottom - rect.top, origin, pixels.width);
}

// How far from the surface's origin a glyph is measured whole, so that no ink of it
// lies left of or above the origin.
constexpr int kWholeGlyphOrigin = kMaxGlyphReachPx;

// A map other than cp1252: c drawn with its text cell row anchorRow on the cell's first
// row and its pen where BaselineAnchorColumn says, ink outside the cell cut and flagged
// by side; its distance field, cut the same way, into distance when there is one.
// Returns whether c has ink.
bool DrawOnBaseline(GlyphSurface& sheet, GlyphSurface& probe, const CellChar& c, int anchorRow,
                    const Grid& grid, PixelSize cell, bool center, OverflowFlags& flags,
                    GlyphSurface* distance, int spreadPx) {
  GlyphBox box;
  if (const std::optional<PixelRect> ink =
          SheetCharInkBox(probe, c.c, kWholeGlyphOrigin, kWholeGlyphOrigin)) {
    box = {ink->left - kWholeGlyphOrigin, ink->top - kWholeGlyphOrigin,
           ink->right - 1 - kWholeGlyphOrigin, ink->bottom - 1 - kWholeGlyphOrigin};
  }
  const int anchorColumn = BaselineAnchorColumn(box, cell.widthPx, center);
  FlagCut(flags, c.cell, InkCutOff(box, anchorRow, anchorColumn, cell));
  const PixelRect rect = CellRect(c.cell, grid, cell);
  DrawSheetCharAt(sheet, c.c, rect.left - anchorColumn, rect.top - anchorRow, rect);
  if (distance && HasInk(box)) {
    DrawSheetCharDistanceAt(*distance, c.c, rect.left - anchorColumn, rect.top - anchorRow, rect,
                            spreadPx);
  }
  return HasInk(box);
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

// What every page of a run shares: the font, the cell and where glyphs sit in it.
struct PageDrawing {
  const SheetOptions& options;
  PixelSize cell;
  int width = 0;  // a page in pixels
  int height = 0;
  const GlyphFont& font;
  bool oneBaseline = false;
  int heightCorrection = 0;
  int anchorRow = 0;
  RunProgress& progress;  // a step a cell, over every page
  // Characters the face lacks come from the first fallback face that has it, with its
  // baseline where the face's own would be; cellFaces (by the map's cell) names it.
  bool fallbackGiven = false;
  FallbackFonts& fallback;
  FallbackTally& tally;
  std::vector<std::string>& cellFaces;
};

// A page as drawn: its sheet (flags by the page's own cell numbers, no report yet) and
// whether any of its characters has ink.
struct DrawnPage {
  Sheet sheet;
  bool anyInk = false;
  bool anyLit = false;  // some pixel of the page is lit
};

// Draws the cells of one page (numbered from the page's first) into a sheet of their
// own: measured, placed, drawn clipped into their cells, colored, trimmed. Nothing when a
// step fails, after its message (but for a probe surface that cannot be made).
std::optional<DrawnPage> DrawPage(const PageDrawing& d, const std::vector<CellChar>& cells,
                                  int firstCell, MessageSink& sink) {
  const SheetOptions& options = d.options;
  const PixelSize cell = d.cell;
  const int width = d.width;
  const int height = d.height;
  DrawnPage drawn;
  Sheet& result = drawn.sheet;
  result.width = width;
  result.height = height;
  // The first page's flags take every page's, by the map's cell numbers.
  result.flags = OverflowFlagsFor(firstCell == 0 ? static_cast<int>(options.charMap.cells.size())
                                                 : options.grid.columns * options.grid.rows);
  OverflowFlags& flags = result.flags;

  // The sheet and, beside it, the probe that measures one character at a time.
  const int scanSize = ProbeScanSize(cell);
  const int probeClip = scanSize + kProbeClipMargin;
  const int probeSize = scanSize + kProbeSurfaceMargin;
  // The sheet surface is the page's size (nothing reads past it) and becomes the
  // coverage; a fresh surface costs memory only where glyphs are drawn.
  Result<GlyphSurface> sheetSurface = OpenSurface(width, height);
  if (!sheetSurface) {
    ShowError(sink, kNoMemoryMessage);
    return std::nullopt;
  }
  Result<GlyphSurface> probeSurface = OpenSurface(probeSize, probeSize);
  if (!probeSurface) return std::nullopt;
  GlyphSurface& sheet = *sheetSurface;
  sheet.inkRows.assign(static_cast<std::size_t>(height), 0);
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
  if (sdf) SelectSurfaceFont(distance, d.font);

  // The sheet collects glyphs; the probe's scan area is blanked per glyph.
  SelectSurfaceFont(sheet, d.font);
  SelectSurfaceFont(probe, d.font);
  SetTextMode(sheet, TextMode::kTransparent);
  SetTextMode(probe, TextMode::kOpaqueBlack);

  // Measure each character alone, place it, and draw it clipped into its cell.
  // Ink that the scan area cut off does not move the character, but wherever it lands
  // outside the cell it is overflow.
  GlyphBox measured;  // the probe opens black
  bool& anyInk = drawn.anyInk;
  for (CellChar c : cells) {
    if (!d.progress.Step()) return std::nullopt;  // the user stopped the run
    if (DrawnBuiltin(c.c, options.builtinBoxes)) {
      const PixelRect rect = CellRect(c.cell, options.grid, cell);
      MarkInkRows(sheet, rect);
      const bool drawn = DrawBuiltinCell(sheet, c.c.ch, rect);
      // A built-in shape has no outline: its field is that of its own coverage, which
      // the cell holds alone (it is drawn over the whole cell).
      if (drawn && sdf) {
        MaxCoverageDistance(sheet.pixels, rect, options.sdfSpreadPx, distance.pixels);
      }
      anyInk = drawn || anyInk;
      continue;
    }
    // The rows the cell's font draws its baseline below the face's own: 0 for the face.
    int shift = 0;
    if (d.fallbackGiven) {
      const GlyphFont cellFont = CellFont(c.c, d.font, d.fallback, d.tally);
      SelectSurfaceFont(sheet, cellFont);
      SelectSurfaceFont(probe, cellFont);
      if (sdf) SelectSurfaceFont(distance, cellFont);
      if (cellFont != d.font) {
        shift = GetFontMetrics(*d.font).ascentPx - GetFontMetrics(*cellFont).ascentPx;
        d.cellFaces[static_cast<std::size_t>(firstCell + c.cell)] =
            GetFontMetrics(*cellFont).family;
      }
    }
    if (d.oneBaseline) {
      MarkInkRows(sheet, CellRect(c.cell, options.grid, cell));
      anyInk =
          DrawOnBaseline(sheet, probe, c, d.anchorRow - shift, options.grid, cell, options.center,
                         flags, sdf ? &distance : nullptr, options.sdfSpreadPx) ||
          anyInk;
      continue;
    }
    ClearMeasured(probe, measured);
    DrawSheetChar(probe, c.c, {0, 0, probeClip, probeClip}, false);
    const GlyphBox box = measured = MeasureGlyphBox(probe, scanSize);
    const int anchorRow = AnchorRow(box, cell.heightPx, d.heightCorrection - shift);
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
    MarkInkRows(sheet, rect);
    DrawSheetChar(sheet, c.c, rect, true);
    if (sdf) {
      // The cell itself: the rectangle ends where the cell does (DrawRect).
      const PixelRect cellBox{rect.right - cell.widthPx, rect.bottom - cell.heightPx, rect.right,
                              rect.bottom};
      DrawSheetCharDistance(distance, c.c, rect, cellBox, options.sdfSpreadPx);
    }
  }
  if (d.fallbackGiven) SelectSurfaceFont(sheet, d.font);  // the baseline below is the face's

  // Color and trim. Any failure skips the rest.
  result.bitmap = AllocateBitmap32(width, height);
  if (!result.bitmap) {
    ShowError(sink, kNoMemoryMessage);
    return std::nullopt;
  }
  if (!ColorSheet(options, result.bitmap.get(), sheet, width, height, cell, sink)) {
    return std::nullopt;
  }
  // The coverage is taken before trimming, which clears it where it paints over.
  result.coverage = std::move(sheet.pixels);
  // Trimming takes a stray line off a glyph that spills into its neighbours; on one
  // baseline nothing spills, it is cut.
  if (options.trim && !d.oneBaseline) {
    const OverflowFlags untrimmed = flags;
    TrimOverflow(result.bitmap.get(), options.grid, cell, options.bg, flags, &result.coverage);
    // A trimmed cell's field is made again from what the cell shows now.
    const int trimmable = std::min(FlaggableCells(flags), options.grid.columns * options.grid.rows);
    for (int code = 0; sdf && code < trimmable; ++code) {
      const auto i = static_cast<std::size_t>(code);
      if (flags.tooWide[i] == untrimmed.tooWide[i] && flags.tooHigh[i] == untrimmed.tooHigh[i]) {
        continue;
      }
      const PixelRect rect = CellRect(code, options.grid, cell);
      FillPixelRect(distance.pixels, rect, 0);
      MaxCoverageDistance(result.coverage, rect, options.sdfSpreadPx, distance.pixels);
    }
  }
  // Whether any ink reached the page (and trimming left some of it).
  drawn.anyLit = AnyLit(result.coverage, sheet.inkRows);
  result.baselineRow = BaselineRow(sheet.font, d.anchorRow, cell.heightPx);
  result.grid = options.grid;
  result.cellPx = cell;
  result.output = options.output;
  result.top = options.top;
  result.monoThreshold = options.monoThreshold;
  if (sdf) result.distance = std::move(distance.pixels);
  return drawn;
}

// Adds a later page's flags (by its own cell numbers) to the run's, by the map's: cell
// i of the page is cell first + i.
void MergeFlags(OverflowFlags& run, const OverflowFlags& page, int first) {
  const auto merge = [first](auto& to, const auto& from) {
    for (int i = 0; first + i < static_cast<int>(to.size()) && i < static_cast<int>(from.size());
         ++i) {
      to[first + i] = to[first + i] | from[i];
    }
  };
  merge(run.tooWide, page.tooWide);
  merge(run.tooHigh, page.tooHigh);
  merge(run.tooWideAndHigh, page.tooWideAndHigh);
  merge(run.tooLow, page.tooLow);
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

std::u32string FaceSample(const std::vector<CellChar>& cells, const GlyphFont& font,
                          bool builtinBoxes) {
  std::u32string sample;
  if (!font) return sample;
  sample.reserve(cells.size());
  for (const CellChar& c : cells) {
    if (DrawnBuiltin(c.c, builtinBoxes)) continue;
    sample.push_back(c.c.byteCode ? CodeToChar(*font, static_cast<std::uint8_t>(c.c.ch)) : c.c.ch);
  }
  return sample;
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
  // The map comes loaded and checked; a record built by hand must still fit its pages.
  const CharMap& map = options.charMap;
  const int mapCells = static_cast<int>(map.cells.size());
  if (const Status fits = CheckPagesHoldMap(options.grid, options.maxPages, mapCells); !fits) {
    ShowError(sink, fits.message);
    return std::nullopt;
  }

  // The cell and the sheet; rules measured in rows use the cell height, in columns the
  // cell width.
  const PixelSize cell = CellPixels(options.cell, options.tileSize);
  const PixelSize sheetPx = SheetPixels(options.grid, cell);

  // One font for the height probe, the character probe and every page: a pixel font at
  // a whole multiple of its grid, chosen from the whole map.
  const std::vector<CellChar> cells = CellsToDraw(options, map);
  // A step a cell: a window shows how far a large sheet has come, and may stop it.
  RunProgress progress(sink, static_cast<int>(cells.size()));
  const GlyphFont faceFont = CreateGlyphFont(options.font);
  const ExactFont exact =
      ChooseExactFont(faceFont, options.pixelFont,
                      FaceSample(cells, faceFont, options.builtinBoxes), cell.heightPx);
  const GlyphFont& font = exact.font;

  // Maps other than cp1252 keep one baseline for every glyph. The height probe (without
  // its surface it falls back to row 1) is asked where its row is used: by the classic
  // placement, and on one baseline only for a text cell taller than the cell.
  const bool oneBaseline = map.kind != CharMapKind::kCp1252;
  const int textHeight = oneBaseline ? TextCellHeight(font) : 0;
  const int heightCorrection = !oneBaseline || textHeight > cell.heightPx
                                   ? FindHeightCorrection(cell.heightPx, font, sink).value_or(1)
                                   : 0;
  const int anchorRow =
      oneBaseline ? CommonAnchorRow(textHeight, heightCorrection, cell.heightPx) : heightCorrection;

  // Each page in turn, its cells numbered from the page's first; its flags join the
  // run's under the map's cell numbers.
  const int gridCells = options.grid.columns * options.grid.rows;
  const int pages = PageCount(options.grid, mapCells);
  const bool fallbackGiven = !options.fallback.empty() && font && options.font;
  FallbackFonts fallback =
      MakeFallbackFonts(options.fallback, options.font.value_or(FontRequest{}), font != faceFont);
  FallbackTally tally;
  std::vector<std::string> cellFaces(fallbackGiven ? map.cells.size() : 0);
  PageDrawing drawing{.options = options,
                      .cell = cell,
                      .width = sheetPx.widthPx,
                      .height = sheetPx.heightPx,
                      .font = font,
                      .oneBaseline = oneBaseline,
                      .heightCorrection = heightCorrection,
                      .anchorRow = anchorRow,
                      .progress = progress,
                      .fallbackGiven = fallbackGiven,
                      .fallback = fallback,
                      .tally = tally,
                      .cellFaces = cellFaces};
  std::optional<Sheet> result;
  bool anyInk = false;
  bool anyLit = false;
  auto next = cells.begin();
  for (int page = 0; page < pages; ++page) {
    const int first = page * gridCells;
    std::vector<CellChar> pageCells;
    for (; next != cells.end() && next->cell < first + gridCells; ++next) {
      pageCells.push_back({next->cell - first, next->c});
    }
    std::optional<DrawnPage> drawn = DrawPage(drawing, pageCells, first, sink);
    if (!drawn) return std::nullopt;
    anyInk = anyInk || drawn->anyInk;
    anyLit = anyLit || drawn->anyLit;
    if (!result) {
      result = std::move(drawn->sheet);
      continue;
    }
    MergeFlags(result->flags, drawn->sheet.flags, first);
    drawn->sheet.flags = {};
    result->laterPages.push_back(std::move(drawn->sheet));
  }

  // The run's report and values, on the first page.
  Sheet& first = *result;
  if (exact.pixel) first.note = PixelFontLogLine(*exact.pixel);
  if (fallbackGiven) {
    const std::string lines = FallbackLogLines(tally);
    if (!lines.empty()) first.note += (first.note.empty() ? "" : "\r\n") + lines;
    if (!tally.faces.empty()) first.cellFaces = std::move(cellFaces);
  }
  // Characters with ink of which none reached any page (or trimming left none of it).
  first.noneFits = anyInk && !anyLit;
  if (map.kind == CharMapKind::kCp1252) {
    first.report = BuildOverflowReport(first.flags);
  } else {
    first.report = BuildOverflowReport(first.flags, map);
    first.reportIsUtf8 = true;
  }
  first.drawnCells.reserve(cells.size());
  for (const CellChar& c : cells) first.drawnCells.push_back(c.cell);
  first.map = map;
  return result;
}

std::string PageFileName(const std::string& sheetPath, int page) {
  if (page == 0) return sheetPath;
  const std::size_t slash = sheetPath.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = sheetPath.rfind('.');
  const std::size_t end = dot == std::string::npos || dot <= nameStart ? sheetPath.size() : dot;
  return sheetPath.substr(0, end) + "_" + std::to_string(page) + sheetPath.substr(end);
}

Status SaveSheet(const Sheet& sheet, const std::string& fileName, FREE_IMAGE_FORMAT fif,
                 MessageSink& sink, std::span<FileReplacement> companions) {
  std::string bytes;
  std::vector<FileReplacement> files;
  const Status encoded = EncodeSheetKind(sheet, fif, bytes);
  const std::size_t pages = 1 + sheet.laterPages.size();
  if (encoded) {
    files.reserve(pages + companions.size());
    files.push_back({fileName, bytes});
    // Each later page is encoded when the batch reaches it, and let go once written.
    for (std::size_t page = 1; page < pages; ++page) {
      const Sheet& later = sheet.laterPages[page - 1];
      files.push_back(
          {.path = PageFileName(fileName, static_cast<int>(page)),
           .make = [&later, fif](std::string& out) { return EncodeSheetKind(later, fif, out); }});
    }
    files.insert(files.end(), companions.begin(), companions.end());
    WriteFilesReplacing(files);
  }
  for (std::size_t i = 0; i < companions.size(); ++i) {
    companions[i].status = files.empty() ? encoded : files[pages + i].status;
    companions[i].failed = !files.empty() && files[pages + i].failed;
  }
  // The first page that failed, or the encoding of the first.
  const FileReplacement* failed = nullptr;
  for (std::size_t page = 0; page < files.size() && page < pages && !failed; ++page) {
    if (files[page].failed) failed = &files[page];
  }
  if (files.empty() || failed) {
    const Status& why = files.empty() ? encoded : failed->status;
    const char* message = IsNoMemory(why) ? kNoMemoryMessage : "Could not save the output bitmap!";
    ShowError(sink, message);
    return Failure(message, why.error);
  }
  return files[0].status;  // a failure here: a companion held it back
}
