// Everything one sheet is made from, as plain values, checked: what the dialog's fields
// say when a run starts. The option table fills it (ReadOptions); the pipeline takes it
// as given, the character map loaded.
#pragma once

#include <optional>
#include <string>

#include "base/color_triple.h"
#include "base/sheet_modes.h"
#include "layout/charmap.h"
#include "layout/grid.h"
#include "text/fallback_faces.h"
#include "text/text_font.h"

// The descriptor files written beside a saved sheet.
struct DescriptorChoice {
  bool fnt = false;
  bool json = false;
  bool c = false;
  bool fntXml = false;     // the .fnt records as XML, NAME.xml
  bool fntBinary = false;  // and in the binary form, NAME.bin
};

// The bitmap font files written beside a saved sheet, from its mono cells.
struct FontFileChoice {
  bool bdf = false;
  bool psf = false;
  bool otb = false;
};

struct SheetOptions {
  std::optional<FontRequest> font;  // face, Char height and width, styles; none: no face
  int tileSize = 0;                 // 1..16 once validated; the cell when cell is empty
  CellSize cell;                    // empty (the default): square cells of tileSize
  Grid grid;                        // 32 x 8 by default; a map larger than it takes pages
  int maxPages = 0;                 // the most pages a run may write, 1..kMaxPages; 0: any
  CharMap charMap = BuiltInCharMap(CharMapKind::kCp1252);  // loaded and checked
  int colorSteps = 0;
  ColorTriple bg, top, sub;
  ExportMode exportMode = ExportMode::kNormal;
  // The characters text as UTF-8; with the cp1252 map, only what its first 511 Windows-1252
  // bytes hold.
  std::string exportText;
  int rangeFrom = 0;  // From and To, read only in the range mode
  int rangeTo = 0;
  std::optional<ColorMode> colorMode;  // none: no button checked, the sheet stays uncolored
  bool center = false;
  bool trim = false;
  OutputKind output = OutputKind::kColor;
  int monoThreshold = kDefaultMonoThreshold;  // 1..255; the mono output and the font files
  int sdfSpreadPx = kDefaultSdfSpreadPx;      // 1..32; used by the distance-field output
  std::string texturePath;                    // UTF-8, as typed (checked when the texture loads)
  DescriptorChoice descriptors;               // none by default
  FontFileChoice fontFiles;                   // none by default
  // Box drawing and block characters drawn to the cell; resolved from kAuto by the map.
  bool builtinBoxes = false;
  PixelFontMode pixelFont = PixelFontMode::kAuto;  // kAuto is kOff for cp1252 once filled
  // The faces, in order, that draw a character the font's face lacks; none by default.
  std::vector<FallbackFace> fallback;
};
