// The whole road from a sheet's options to a colored sheet, and from the sheet to a file.
//
// Usage, with no dialog involved:
//
//   SheetOptions options;                       // or CheckedSheetOptions(dlg) in the app
//   options.font = FontRequest{"DejaVu Sans", 14, 0, 400, false, false};
//   options.tileSize = 16;  options.colorSteps = 4;  options.colorMode = ColorMode::kGradient;
//   ...
//   std::optional<Sheet> sheet = RenderSheet(options, sink);   // sink: any MessageSink
//   if (sheet && SaveSheet(*sheet, "font.png", FIF_PNG, sink)) { ... sheet->report ... }
//
// Every problem is shown on the sink with the same text, title and icon as in the window.
#pragma once

#include <FreeImage.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/color_triple.h"
#include "base/message_sink.h"
#include "base/sheet_modes.h"
#include "base/status.h"
#include "color/overflow_flags.h"
#include "fileio/replace_file.h"
#include "glyph/glyph_surface.h"
#include "image/bitmap32.h"
#include "options/sheet_options.h"
#include "text/pixel_surface.h"

struct Sheet {
  Bitmap32Handle bitmap;  // width x height, bottom-up rows of blue, green, red, alpha
  int width = 0;
  int height = 0;
  OverflowFlags flags;        // what overflowed its tile (and, when trimmed, what is left)
  std::string report;         // the overflow report: Windows-1252 bytes, or UTF-8 when reportIsUtf8
  bool reportIsUtf8 = false;  // a map other than cp1252 lists its characters as UTF-8
  // Lines for the log before the report, "" for none: how a pixel font was drawn, which
  // fallback faces drew cells and which characters no face has.
  std::string note;
  // By cell of the map: the typeface name of the fallback face that drew the cell, "" where
  // the font's own face (or a built-in glyph) did. Empty when no fallback face drew one.
  std::vector<std::string> cellFaces;
  Grid grid;  // the layout the sheet was drawn in
  PixelSize cellPx;
  CharMap map;
  // Each pixel's coverage, 0 (unlit) to 255, top row first, width x height: what the
  // outputs other than the colored sheet and the descriptors are made from.
  PixelSurface coverage;
  std::vector<int> drawnCells;             // the cells the export set drew, ascending
  OutputKind output = OutputKind::kColor;  // what SaveSheet writes
  ColorTriple top;  // the top color: the alpha output's color for a cell with no lit pixel
  int monoThreshold = kDefaultMonoThreshold;  // 1..255, for the mono output
  // The distance-field output's sheet, width x height, top row first: each drawn glyph's
  // signed distance (128 on its outline, higher inside), placed and clipped as its
  // coverage. Empty for the other outputs.
  PixelSurface distance;
  // The baseline's row within a cell, 0..cell height: the font's ascent less the row of
  // its text cell on the cell's first row (the height correction with the cp1252 map),
  // where the baseline of every glyph anchored there lies: with other maps, every glyph.
  int baselineRow = 0;
  // Some exported character has ink, but not one left any on the sheet (nor on a later
  // page): a sheet of the background alone, which is no font.
  bool noneFits = false;
  // Pages 1.. of a map with more cells than the grid holds (PageCount), each drawn as
  // this one with its own cells at the grid's places: their bitmap, coverage and
  // distance, and the values the outputs read (size, grid, cell, output kind, top color,
  // threshold). This sheet, page 0, holds the run's flags, report, note and drawn cells
  // for every page, by the map's cell numbers.
  std::vector<Sheet> laterPages;
};

// The file of page (0..) of a sheet saved as sheetPath: the path itself for page 0, else
// the name before its extension with "_" and the page number: "out/font.png" gives
// "out/font_1.png", "font" gives "font_1".
std::string PageFileName(const std::string& sheetPath, int page);

// What a run says when its sheet holds no character (Sheet::noneFits).
inline constexpr char kNoneFitsMessage[] =
    "None of the exported characters fits its tile: the sheet would hold the background "
    "alone. Try a smaller Char height.";

// The image format that fileName's extension names, when it can be written. A .png name
// is answered without the image library; any other opens it, and names no format when
// it cannot be opened.
std::optional<FREE_IMAGE_FORMAT> SheetFileFormat(const std::string& fileName);

// A cell of the sheet and the character drawn in it.
struct CellChar {
  int cell = 0;
  SheetChar c;
};

// The cells of the options' export set over map (BuildExportSet), ascending. A cp1252
// cell holds its byte code (drawn as DrawGlyph draws it); another map's cell holds its
// character.
std::vector<CellChar> CellsToDraw(const SheetOptions& options, const CharMap& map);

// The characters of cells that are drawn from font's face (not built in): what the pixel
// font check reads.
std::u32string FaceSample(const std::vector<CellChar>& cells, const GlyphFont& font,
                          bool builtinBoxes);

// Takes the options' character map as loaded (a map needing more pages of the grid than
// options.maxPages allow stops the run first, with its message), chooses the font (a pixel font at
// a whole multiple of its grid, as options.pixelFont says, and named in the note), finds the height
// correction (its message first), draws each character of the export set into its cell (the box
// drawing and block characters built in when options.builtinBoxes; with the cp1252 map
// placed by the classic rules, with any other map all on one baseline, cut at the cell) (cell i at
// column i mod columns, row i div columns; the sheet is columns x cell width by rows x cell
// height), colors the sheet in the color mode (loading the texture for the image modes, with its
// message), trims overflow when asked and builds the report. A map with more cells than the
// grid holds is drawn one page after another in the same way (Sheet::laterPages), with one
// report for all. Nothing when a step fails: every
// failure but a probe surface that cannot be made has shown its message ("Could not allocate memory
// for the output bitmap!" for each sheet-sized buffer). Without a color mode the sheet stays as
// allocated.
std::optional<Sheet> RenderSheet(const SheetOptions& options, MessageSink& sink);

// Writes the sheet as its output kind to fileName in format (SheetFileFormat's answer for
// the name, decided once by the caller), never leaving a broken file. Fails after showing
// "Could not allocate memory for the output bitmap!" when a buffer of the encoding cannot be
// had, or "Could not save the output bitmap!" for any other failure.
//
// Later pages go to PageFileName(fileName, k), each encoded only when the batch reaches
// it and written to its temporary file at once, so that one encoded page at a time is
// held; any that cannot be encoded or written keeps every file as it was, with the same
// messages as the first page.
//
// Companion files (descriptors) are written with the sheet, all or none
// (WriteFilesReplacing): each gets its status, and one that cannot be written keeps the
// sheet from being written too: a failure without a message here, with the companion's.
Status SaveSheet(const Sheet& sheet, const std::string& fileName, FREE_IMAGE_FORMAT format,
                 MessageSink& sink, std::span<FileReplacement> companions = {});

// Why SheetFileFormat named no format when the image library is missing: shows
// "Could not load the image library!" with the reason; nothing when it is loaded or the
// name needs none.
void ShowImageLibraryFailure(const std::string& fileName, MessageSink& sink);

// The message of a file name that names no writable format.
inline constexpr char kUnknownSheetFormatMessage[] =
    "Could not identify file type or writing to this type not supported!";
