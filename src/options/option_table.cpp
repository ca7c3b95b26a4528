// The options of a sheet run.
#include "options/option_table.h"

#include <algorithm>
#include <array>

#include "options/control_ids.h"
#include "text/case_fold.h"
#include "text/windows1252.h"

namespace {

using K = OptionKind;
using S = StoredIn;

// Extension records of choices added after their option's own record.
constexpr int kTagNewerDescriptors = 10;
constexpr int kTagNewerOutputKinds = 12;

// The characters field counts Windows-1252 bytes for the cp1252 map: 511 of them.
constexpr std::size_t kMaxCharacterBytes = 511;

constexpr OptionChoice kExportChoices[] = {
    {"normal", kIdExportNormal, static_cast<int>(ExportMode::kNormal), 1},
    {"all", kIdExportAll, static_cast<int>(ExportMode::kAll), 2},
    {"user", kIdExportUser, static_cast<int>(ExportMode::kUserDefined), 3},
    {"range", kIdExportRange, static_cast<int>(ExportMode::kRange), 4},
};
constexpr int kExportReadOrder[] = {static_cast<int>(ExportMode::kAll),
                                    static_cast<int>(ExportMode::kNormal),
                                    static_cast<int>(ExportMode::kRange)};

constexpr OptionChoice kColorChoices[] = {
    {"gradient", kIdColorGradient, static_cast<int>(ColorMode::kGradient), 1},
    {"relief", kIdColorRelief, static_cast<int>(ColorMode::kRelief), 2},
    {"image", kIdColorImageOnly, static_cast<int>(ColorMode::kImageOnly), 3},
    {"gradient-image", kIdColorGradientOverImage, static_cast<int>(ColorMode::kGradientOverImage),
     4},
    {"relief-image", kIdColorReliefOverImage, static_cast<int>(ColorMode::kReliefOverImage), 5},
};
constexpr int kColorReadOrder[] = {
    static_cast<int>(ColorMode::kGradient), static_cast<int>(ColorMode::kImageOnly),
    static_cast<int>(ColorMode::kRelief), static_cast<int>(ColorMode::kGradientOverImage),
    static_cast<int>(ColorMode::kReliefOverImage)};

constexpr OptionChoice kOutputChoices[] = {
    {"color", kIdOutputColor, static_cast<int>(OutputKind::kColor), 0},
    {"alpha", kIdOutputAlpha, static_cast<int>(OutputKind::kAlpha), 1},
    {"gray", kIdOutputGray, static_cast<int>(OutputKind::kGray), 2},
    {"mono", kIdOutputMono, static_cast<int>(OutputKind::kMono), 3},
    // An older reader finds the gray output, the nearest kind it knows: one 8-bit
    // channel a pixel.
    {.name = "sdf",
     .control = kIdOutputSdf,
     .value = static_cast<int>(OutputKind::kSdf),
     .code = 4,
     .tag = kTagNewerOutputKinds,
     .olderCode = 2},
};
constexpr int kOutputReadOrder[] = {
    static_cast<int>(OutputKind::kColor), static_cast<int>(OutputKind::kAlpha),
    static_cast<int>(OutputKind::kGray), static_cast<int>(OutputKind::kMono),
    static_cast<int>(OutputKind::kSdf)};

constexpr OptionChoice kDescriptorChoices[] = {
    {"fnt", kIdDescriptorFnt, 1, 1},
    {"json", kIdDescriptorJson, 2, 2},
    {"c", kIdDescriptorC, 4, 4},
    {.name = "fnt-xml",
     .control = kIdDescriptorFntXml,
     .value = 8,
     .code = 1,
     .tag = kTagNewerDescriptors},
    {.name = "fnt-bin",
     .control = kIdDescriptorFntBinary,
     .value = 16,
     .code = 2,
     .tag = kTagNewerDescriptors},
};

constexpr OptionChoice kFontFileChoices[] = {
    {"bdf", kIdFontFileBdf, 1, 1},
    {"psf", kIdFontFilePsf, 2, 2},
    {"otb", kIdFontFileOtb, 4, 4},
};

constexpr OptionChoice kBoxDrawingChoices[] = {
    {"auto", kIdBoxDrawingAuto, static_cast<int>(BoxDrawing::kAuto), 0},
    {"builtin", kIdBoxDrawingBuiltin, static_cast<int>(BoxDrawing::kBuiltin), 1},
    {"font", kIdBoxDrawingFont, static_cast<int>(BoxDrawing::kFont), 2},
};
constexpr int kBoxDrawingReadOrder[] = {static_cast<int>(BoxDrawing::kAuto),
                                        static_cast<int>(BoxDrawing::kBuiltin),
                                        static_cast<int>(BoxDrawing::kFont)};

constexpr OptionChoice kPixelFontChoices[] = {
    {"auto", kIdPixelFontAuto, static_cast<int>(PixelFontMode::kAuto), 0},
    {"on", kIdPixelFontOn, static_cast<int>(PixelFontMode::kOn), 1},
    {"off", kIdPixelFontOff, static_cast<int>(PixelFontMode::kOff), 2},
};
constexpr int kPixelFontReadOrder[] = {static_cast<int>(PixelFontMode::kAuto),
                                       static_cast<int>(PixelFontMode::kOn),
                                       static_cast<int>(PixelFontMode::kOff)};

constexpr char kRangeMessage[] = "Wrong value for export range - can't be greater than 0 - 255!";
constexpr char kStepsMessage[] = "Wrong value for color steps, must be from 1 to tile_height!";

bool SquareCells(const SheetOptions& o) {
  return IsSquareTileCell(o.cell);
}
bool RangeMode(const SheetOptions& o) {
  return o.exportMode == ExportMode::kRange;
}
bool ColorsTopAndSub(const SheetOptions& o) {
  return o.colorMode != ColorMode::kImageOnly;
}
// The threshold makes the mono output's bits, the C header's and the font files'.
bool UsesThreshold(const SheetOptions& o) {
  const FontFileChoice& f = o.fontFiles;
  return o.output == OutputKind::kMono || o.descriptors.c || f.bdf || f.psf || f.otb;
}
bool SdfOutput(const SheetOptions& o) {
  return o.output == OutputKind::kSdf;
}

// The box drawing choice as drawn: auto means built in for every map but cp1252, whose
// sheets keep the face's own glyphs. The map's row comes first, so it is filled.
void FillBoxDrawing(SheetOptions& o, const OptionValue& v) {
  const auto choice = static_cast<BoxDrawing>(v.number);
  o.builtinBoxes = choice == BoxDrawing::kBuiltin ||
                   (choice == BoxDrawing::kAuto && o.charMap.kind != CharMapKind::kCp1252);
}

// The pixel font mode as drawn: auto leaves cp1252 sheets as they have always been.
void FillPixelFont(SheetOptions& o, const OptionValue& v) {
  o.pixelFont = static_cast<PixelFontMode>(v.number);
  if (o.pixelFont == PixelFontMode::kAuto && o.charMap.kind == CharMapKind::kCp1252) {
    o.pixelFont = PixelFontMode::kOff;
  }
}

// The characters text, converted where it enters: for cp1252 only what its first 511
// Windows-1252 bytes hold (characters it cannot hold dropped), for other maps as typed.
void FillCharacters(SheetOptions& o, const OptionValue& v) {
  if (o.charMap.kind != CharMapKind::kCp1252) {
    o.exportText = v.text;
    return;
  }
  std::string codes = Utf8ToCp1252(v.text);
  if (codes.size() > kMaxCharacterBytes) codes.resize(kMaxCharacterBytes);
  o.exportText = Cp1252ToUtf8(codes);
}

const std::array kOptions = {
    // The cell, which Autosize sizes for too, and the tile size of square cells.
    OptionDef{.kind = K::kCell,
              .control = kIdCellWidth,
              .flag = "--cell",
              .valueName = "WxH",
              .help = "cell width x height in pixels, 1 to 64 each; \"\" for square cells of the "
                      "tile size (the default)",
              .stored = S::kExtension,
              .offset = 4,
              .low = 1,
              .high = kMaxCellPx,
              .checkedForAutosize = true,
              .fill = [](SheetOptions& o, const OptionValue& v) { o.cell = v.cell; }},
    OptionDef{.kind = K::kInt,
              .control = kIdTileSize,
              .flag = "--tile-size",
              .valueName = "TEXT",
              .help = "Tile size (1 - 16), as typed",
              .stored = S::kClassic,
              .offset = 1206,
              .low = 1,
              .high = 16,
              .message = "Wrong value for tile size, must be from 1 to 16!",
              .applies = SquareCells,
              .checkedForAutosize = true,
              .fill = [](SheetOptions& o, const OptionValue& v) { o.tileSize = v.number; }},
    // The export mode and its range.
    OptionDef{
        .kind = K::kChoice,
        .control = kIdExportNormal,
        .flag = "--export",
        .valueName = "MODE",
        .help = "export mode (a click on its radio button)",
        .stored = S::kClassic,
        .offset = 1204,
        .defaultValue = "normal",
        .choices = kExportChoices,
        .readOrder = kExportReadOrder,
        .noneChecked = static_cast<int>(ExportMode::kUserDefined),
        .fill = [](SheetOptions& o,
                   const OptionValue& v) { o.exportMode = static_cast<ExportMode>(v.number); }},
    OptionDef{.kind = K::kInt,
              .control = kIdRangeFrom,
              .flag = "--from",
              .valueName = "TEXT",
              .help = "first code of the range export, as typed",
              .stored = S::kClassic,
              .offset = 1211,
              .low = 0,
              .high = 255,
              .message = kRangeMessage,
              .applies = RangeMode,
              .fill = [](SheetOptions& o, const OptionValue& v) { o.rangeFrom = v.number; }},
    OptionDef{.kind = K::kInt,
              .control = kIdRangeTo,
              .flag = "--to",
              .valueName = "TEXT",
              .help = "last code of the range export, as typed",
              .stored = S::kClassic,
              .offset = 1215,
              .low = 0,
              .high = 255,
              .message = kRangeMessage,
              .applies = RangeMode,
              .consistent = [](const SheetOptions& o) { return o.rangeFrom <= o.rangeTo; },
              .fill = [](SheetOptions& o, const OptionValue& v) { o.rangeTo = v.number; }},
    // Colors.
    OptionDef{.kind = K::kInt,
              .control = kIdColorSteps,
              .flag = "--steps",
              .valueName = "TEXT",
              .help = "Color steps, as typed",
              .stored = S::kClassic,
              .offset = 1200,
              .low = 1,
              .high = 0x7FFFFFFF,
              .message = kStepsMessage,
              .consistent =
                  [](const SheetOptions& o) {
                    return o.colorSteps <= CellPixels(o.cell, o.tileSize).heightPx;
                  },
              .fill = [](SheetOptions& o, const OptionValue& v) { o.colorSteps = v.number; }},
    OptionDef{.kind = K::kChoice,
              .control = kIdColorGradient,
              .flag = "--color",
              .valueName = "MODE",
              .help = "color mode (a click on its radio button)",
              .stored = S::kClassic,
              .offset = 1205,
              .defaultValue = "gradient",
              .choices = kColorChoices,
              .readOrder = kColorReadOrder,
              .fill =
                  [](SheetOptions& o, const OptionValue& v) {
                    if (v.number >= 0) o.colorMode = static_cast<ColorMode>(v.number);
                  }},
    OptionDef{.kind = K::kRgb,
              .control = kIdBgRed,
              .flag = "--bg",
              .valueName = "R,G,B",
              .help = "background color R,G,B",
              .stored = S::kClassic,
              .offset = 1164,
              .low = 0,
              .high = 255,
              .message = "Wrong value for bg color {}, must be from 0 to 255!",
              .fill = [](SheetOptions& o, const OptionValue& v) { o.bg = v.rgb; }},
    OptionDef{.kind = K::kRgb,
              .control = kIdTopRed,
              .flag = "--top",
              .valueName = "R,G,B",
              .help = "top color R,G,B",
              .stored = S::kClassic,
              .offset = 1176,
              .low = 0,
              .high = 255,
              .message = "Wrong value for top color {}, must be from 0 to 255!",
              .applies = ColorsTopAndSub,
              .fill = [](SheetOptions& o, const OptionValue& v) { o.top = v.rgb; }},
    OptionDef{.kind = K::kRgb,
              .control = kIdSubRed,
              .flag = "--sub",
              .valueName = "R,G,B",
              .help = "sub color R,G,B",
              .stored = S::kClassic,
              .offset = 1188,
              .low = 0,
              .high = 255,
              .message = "Wrong value for sub color {}, must be from 0 to 255!",
              .applies = ColorsTopAndSub,
              .fill = [](SheetOptions& o, const OptionValue& v) { o.sub = v.rgb; }},
    // The layout: the grid must hold the map's cells.
    OptionDef{.kind = K::kGrid,
              .control = kIdGridColumns,
              .flag = "--grid",
              .valueName = "CxR",
              .help = "columns x rows of cells, 1 to 256 each (default 32x8), or auto: 32x8 "
                      "for the built-in maps and map files of up to 256 cells, else 16 "
                      "columns (32 for more than 4096 cells) by as many rows as needed; a map "
                      "with more cells than the grid holds is written as several sheets "
                      "(--pages)",
              .stored = S::kExtension,
              .offset = 3,
              .defaultValue = "32x8",
              .low = 1,
              .high = kMaxGridColumns,
              .fill = [](SheetOptions& o, const OptionValue& v) { o.grid = v.grid; }},
    // Read before the map, whose check counts the pages it needs.
    OptionDef{.kind = K::kInt,
              .control = kIdPages,
              .flag = "--pages",
              .valueName = "N",
              .help = "the most sheets a map larger than the grid may take (NAME.png, "
                      "NAME_1.png, ...), 1 to 256; 0 (the default) for as many as it needs",
              .stored = S::kExtension,
              .offset = 15,
              .defaultValue = "0",
              .low = 0,
              .high = kMaxPages,
              .message = "Wrong value for Pages, must be from 0 to 256!",
              .outOfRangeIsDefault = true,
              .fill = [](SheetOptions& o, const OptionValue& v) { o.maxPages = v.number; }},
    OptionDef{.kind = K::kCharMap,
              .control = kIdCharMap,
              .flag = "--charmap",
              .valueName = "MAP",
              .help = "character map of the cells: cp1252 (the default), cp437, tcod, "
                      "unicode:RANGES (comma-separated U+XXXX and U+XXXX..U+YYYY, such as "
                      "unicode:U+0020..U+007E,U+00A0..U+00FF), font (every character the "
                      "face maps but controls, surrogates, private use and noncharacters), "
                      "or a map file of whitespace-separated characters, U+XXXX or "
                      "U+XXXX..U+YYYY tokens (./font for a file named font), up to 65536 cells",
              .stored = S::kExtension,
              .offset = 1,
              .width = 2,
              .defaultValue = "cp1252",
              .fill = [](SheetOptions& o, const OptionValue& v) { o.charMap = v.map; }},
    // The output kind; its threshold and spread are checked last, once the rows that
    // use them are read.
    OptionDef{.kind = K::kChoice,
              .control = kIdOutputColor,
              .flag = "--output",
              .valueName = "KIND",
              .help = "what the sheet file holds: color (the default), alpha (the colors with "
                      "straight alpha from the coverage), gray (the coverage), mono (1 bit) or "
                      "sdf (each glyph's signed distance field, 8-bit gray, 128 on the outline)",
              .stored = S::kExtension,
              .offset = 5,
              .defaultValue = "color",
              .choices = kOutputChoices,
              .readOrder = kOutputReadOrder,
              .noneChecked = static_cast<int>(OutputKind::kColor),
              .fill = [](SheetOptions& o,
                         const OptionValue& v) { o.output = static_cast<OutputKind>(v.number); }},
    // How the cells are drawn: box drawing built in or from the face (its default
    // depends on the map above), pixel fonts exactly or as any face.
    OptionDef{.kind = K::kChoice,
              .control = kIdBoxDrawingAuto,
              .flag = "--box-drawing",
              .valueName = "WHO",
              .help = "who draws the box drawing, block and shade characters (U+2500 to "
                      "U+259F, U+25A0): builtin (to fill the cell, so that lines join), font, "
                      "or auto (the default: builtin for every map but cp1252)",
              .stored = S::kExtension,
              .offset = 13,
              .defaultValue = "auto",
              .choices = kBoxDrawingChoices,
              .readOrder = kBoxDrawingReadOrder,
              .noneChecked = static_cast<int>(BoxDrawing::kAuto),
              .fill = FillBoxDrawing},
    OptionDef{.kind = K::kChoice,
              .control = kIdPixelFontAuto,
              .flag = "--pixel-font",
              .valueName = "MODE",
              .help = "draw a face designed on a pixel grid exactly: at the largest whole "
                      "multiple of its grid that fits the cell height, in 1 bit, unhinted; "
                      "auto (the default) when the face is found to be one and the map is "
                      "not cp1252, on for any scalable face and map, off never",
              .stored = S::kExtension,
              .offset = 14,
              .defaultValue = "auto",
              .choices = kPixelFontChoices,
              .readOrder = kPixelFontReadOrder,
              .noneChecked = static_cast<int>(PixelFontMode::kAuto),
              .fill = FillPixelFont},
    // What no check refuses.
    OptionDef{.kind = K::kFontFile,
              .control = kIdOpenFontFile,
              .flag = "--font-file",
              .valueName = "PATH",
              .help = "add every typeface of a font file that is not installed to the font "
                      "list for this run and select the file's first; options act in the order "
                      "given, so a later --font can pick another of its typefaces",
              .stored = S::kExtension,
              .offset = 8},
    OptionDef{.kind = K::kFace,
              .control = kIdFontList,
              .flag = "--font",
              .valueName = "NAME",
              .help = "select the first font whose name begins with NAME, ignoring case",
              .stored = S::kClassic,
              .offset = 0,
              .width = 128,
              .fill = [](SheetOptions& o, const OptionValue& v) { o.font = v.font; }},
    // The faces that draw what the font's face lacks, checked once the font list is known.
    OptionDef{.kind = K::kFaceList,
              .control = kIdFallbackFaces,
              .flag = "--fallback",
              .valueName = "FACE",
              .help = "a face that draws the characters the font lacks: a font name, matched as "
                      "--font matches it, or system (fontconfig's best face for each character); "
                      "repeatable, tried in the order given; none (the default) empties the list",
              .stored = S::kExtension,
              .offset = 16,
              .defaultValue = kNoFaceWord,
              .fill = [](SheetOptions& o, const OptionValue& v) { o.fallback = v.faces; }},
    OptionDef{.kind = K::kText,
              .control = kIdCharacters,
              .flag = "--chars",
              .valueName = "TEXT",
              .help = "the characters text (excluded, included or exported ones)",
              .stored = S::kClassic,
              .offset = 128,
              .width = 512,
              .charset = StoredCharset::kWindows1252,
              .fill = FillCharacters},
    OptionDef{.kind = K::kText,
              .control = kIdTexturePath,
              .flag = "--texture",
              .valueName = "TEXT",
              .help = "path of the texture image of the image color modes",
              .stored = S::kClassic,
              .offset = 640,
              .width = 512,
              .fill = [](SheetOptions& o, const OptionValue& v) { o.texturePath = v.text; }},
    OptionDef{.kind = K::kFlag,
              .control = kIdBold,
              .flag = "--bold",
              .help = "check Bold",
              .stored = S::kClassic,
              .offset = 1152},
    OptionDef{.kind = K::kFlag,
              .control = kIdItalic,
              .flag = "--italic",
              .help = "check Italic",
              .stored = S::kClassic,
              .offset = 1153},
    OptionDef{.kind = K::kFlag,
              .control = kIdUnderline,
              .flag = "--underline",
              .help = "check Underline",
              .stored = S::kClassic,
              .offset = 1154},
    OptionDef{.kind = K::kFlag,
              .control = kIdTrimOverflow,
              .flag = "--trim",
              .help = "check \"Automatic size overflow correction\"",
              .stored = S::kClassic,
              .offset = 1155,
              .fill = [](SheetOptions& o, const OptionValue& v) { o.trim = v.number != 0; }},
    OptionDef{.kind = K::kInt,
              .control = kIdCharWidth,
              .flag = "--width",
              .valueName = "TEXT",
              .help = "Char width, as typed",
              .stored = S::kClassic,
              .offset = 1156},
    OptionDef{.kind = K::kInt,
              .control = kIdCharHeight,
              .flag = "--height",
              .valueName = "TEXT",
              .help = "Char height, as typed",
              .stored = S::kClassic,
              .offset = 1160},
    OptionDef{.kind = K::kFlag,
              .control = kIdCenter,
              .flag = "--center",
              .help = "check \"Center letters horizontally\"",
              .stored = S::kClassic,
              .offset = 1210,
              .fill = [](SheetOptions& o, const OptionValue& v) { o.center = v.number != 0; }},
    OptionDef{.kind = K::kFlagSet,
              .control = kIdDescriptorFnt,
              .flag = "--descriptor",
              .valueName = "KIND",
              .help = "write a descriptor beside the saved sheet NAME.png: fnt (NAME.fnt, the "
                      "text bitmap-font descriptor), fnt-xml (NAME.xml, the same as XML), fnt-bin "
                      "(NAME.bin, the same in the binary form, version 3), json (NAME.json) or c "
                      "(NAME.h, a C header of 1-bit cells); repeatable",
              .stored = S::kExtension,
              .offset = 7,
              .choices = kDescriptorChoices,
              .fill =
                  [](SheetOptions& o, const OptionValue& v) {
                    o.descriptors = {.fnt = (v.number & 1) != 0,
                                     .json = (v.number & 2) != 0,
                                     .c = (v.number & 4) != 0,
                                     .fntXml = (v.number & 8) != 0,
                                     .fntBinary = (v.number & 16) != 0};
                  }},
    OptionDef{.kind = K::kFlagSet,
              .control = kIdFontFileBdf,
              .flag = "--font-file-out",
              .valueName = "KIND",
              .help = "write a bitmap font file beside the saved sheet NAME.png, made from "
                      "the mono cells at --threshold: bdf (NAME.bdf, BDF 2.1 character cells), "
                      "psf (NAME.psf, a PSF2 console font with its Unicode table; cells at most "
                      "32x64 and maps of at most 512 cells) or otb (NAME.otb, bitmap-only "
                      "OpenType); repeatable",
              .stored = S::kExtension,
              .offset = 9,
              .choices = kFontFileChoices,
              .fill =
                  [](SheetOptions& o, const OptionValue& v) {
                    o.fontFiles = {.bdf = (v.number & 1) != 0,
                                   .psf = (v.number & 2) != 0,
                                   .otb = (v.number & 4) != 0};
                  }},
    // The threshold and the spread, checked when the output and files read above use them.
    OptionDef{.kind = K::kInt,
              .control = kIdMonoThreshold,
              .flag = "--threshold",
              .valueName = "N",
              .help = "the mono output, the C header and the font files set pixels whose "
                      "coverage is at least N, 1 to 255 (default 1: every lit pixel); kept with "
                      "the other outputs",
              .stored = S::kExtension,
              .offset = 6,
              .defaultValue = "1",
              .low = kMinMonoThreshold,
              .high = kMaxMonoThreshold,
              .message = "Wrong value for the threshold, must be from 1 to 255!",
              .applies = UsesThreshold,
              .outOfRangeIsDefault = true,
              .fill = [](SheetOptions& o, const OptionValue& v) { o.monoThreshold = v.number; }},
    OptionDef{.kind = K::kInt,
              .control = kIdSdfSpread,
              .flag = "--sdf-spread",
              .valueName = "N",
              .help = "how far the sdf output's distances reach from the outline, 1 to 32 "
                      "pixels (default 4)",
              .stored = S::kExtension,
              .offset = 11,
              .defaultValue = "4",
              .low = kMinSdfSpreadPx,
              .high = kMaxSdfSpreadPx,
              .message = "Wrong value for the spread, must be from 1 to 32!",
              .applies = SdfOutput,
              .outOfRangeIsDefault = true,
              .fill = [](SheetOptions& o, const OptionValue& v) { o.sdfSpreadPx = v.number; }},
};

bool HasControl(const OptionDef& option, int control) {
  if (option.control == control) return true;
  switch (option.kind) {
    case K::kRgb:
      return control == option.control + 1 || control == option.control + 2;
    case K::kGrid:
    case K::kCell:
      return control == option.control + 1;
    case K::kChoice:
    case K::kFlagSet:
      return std::any_of(option.choices.begin(), option.choices.end(),
                         [&](const OptionChoice& c) { return c.control == control; });
    default:
      return false;
  }
}

}  // namespace

std::span<const OptionDef> OptionTable() {
  return kOptions;
}

const OptionDef* FindOptionByFlag(std::string_view flag) {
  for (const OptionDef& option : kOptions) {
    if (option.flag == flag) return &option;
  }
  return nullptr;
}

const OptionDef* FindOptionByControl(int control) {
  for (const OptionDef& option : kOptions) {
    if (HasControl(option, control)) return &option;
  }
  return nullptr;
}

const OptionDef* FindOptionByTag(int tag) {
  for (const OptionDef& option : kOptions) {
    if (option.stored != S::kExtension) continue;
    if (option.offset == tag || (option.kind == K::kCharMap && option.width == tag)) return &option;
    for (const OptionChoice& choice : option.choices) {
      if (choice.tag == tag) return &option;
    }
  }
  return nullptr;
}

const OptionChoice* FindChoice(const OptionDef& option, std::string_view name) {
  for (const OptionChoice& choice : option.choices) {
    if (choice.name == name) return &choice;
  }
  return nullptr;
}

const OptionChoice* FindChoiceOfValue(const OptionDef& option, int value) {
  for (const OptionChoice& choice : option.choices) {
    if (choice.value == value) return &choice;
  }
  return nullptr;
}

std::string ChannelMessage(const OptionDef& option, int channel) {
  static constexpr std::string_view kChannels[] = {"red", "green", "blue"};
  std::string text(option.message);
  const std::size_t at = text.find("{}");
  if (at != std::string::npos) text.replace(at, 2, kChannels[channel]);
  return text;
}

std::vector<std::string> SplitFaceList(std::string_view text) {
  std::vector<std::string> entries;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    std::string_view entry = text.substr(start, comma - start);
    const std::size_t first = entry.find_first_not_of(" \t");
    entry = first == std::string_view::npos
                ? std::string_view()
                : entry.substr(first, entry.find_last_not_of(" \t") + 1 - first);
    if (!entry.empty() && !EqualsIgnoringCase(entry, kNoFaceWord)) entries.emplace_back(entry);
    start = comma + 1;
  }
  return entries;
}

bool InOptionRange(const OptionDef& option, int value) {
  if (option.low > option.high) return true;
  // One unsigned comparison, so that negative values fail too.
  return static_cast<unsigned>(value) - static_cast<unsigned>(option.low) <=
         static_cast<unsigned>(option.high) - static_cast<unsigned>(option.low);
}
