// The controls' tooltips and the group captions' mnemonics.
#include "qt/control_hints.h"

#include <algorithm>
#include <array>

#include "options/control_ids.h"

namespace {

struct ToolTip {
  int id;
  const char* text;
};

// A keyboard shortcut of the window (window_shortcuts.cpp) is named in its control's
// tooltip, as the only place where it can be seen.
constexpr std::array kToolTips = {
    ToolTip{kIdFontList, "The typeface the sheet is drawn in."},
    ToolTip{kIdCharWidth, "Character width in pixels; empty for the typeface's own."},
    ToolTip{kIdCharHeight, "Character height in pixels."},
    ToolTip{kIdBold, "Draw the characters bold."},
    ToolTip{kIdItalic, "Draw the characters italic."},
    ToolTip{kIdUnderline, "Underline the characters."},
    ToolTip{kIdTrimOverflow, "Trim a stray last column or row that spills out of a tile."},
    ToolTip{kIdPreviewArea, "The font sample or the sheet; drag it to move it."},
    ToolTip{kIdSaveBitmap, "Save the sheet as an image file (Ctrl+S)."},
    ToolTip{kIdAutosizeProportional, "Suggest a character height that fits the tiles."},
    ToolTip{kIdExportNormal, "Export the characters 32 to 127."},
    ToolTip{kIdExportUser, "Export only the characters in the box."},
    ToolTip{kIdCharacters, "The characters that the export mode leaves out or takes in."},
    ToolTip{kIdPreviewText, "The text of the font sample."},
    ToolTip{kIdExit, "Close Glyphex (Ctrl+Q)."},
    ToolTip{kIdExportAll, "Export every character above 32."},
    ToolTip{kIdAutosizeFull, "Suggest a character height and width that fit the tiles."},
    ToolTip{kIdBgRed, "Red of the background color, 0 to 255."},
    ToolTip{kIdBgGreen, "Green of the background color, 0 to 255."},
    ToolTip{kIdBgBlue, "Blue of the background color, 0 to 255."},
    ToolTip{kIdLog, "What the last run reported; select text here to copy it."},
    ToolTip{kIdSaveSettings, "Save every field to a settings file (Ctrl+Shift+S)."},
    ToolTip{kIdColorGradient, "Color the characters with bands from top to sub color."},
    ToolTip{kIdColorImageOnly, "Color the characters with the texture image alone."},
    ToolTip{kIdColorRelief, "Color the characters with a relief of top and sub color."},
    ToolTip{kIdTexturePath, "The texture image of the image color modes."},
    ToolTip{kIdBrowseTexture, "Choose the texture image."},
    ToolTip{kIdSaveAll, "Save one sheet for each installed typeface into a folder."},
    ToolTip{kIdTopLabel, "The color at the top of each character."},
    ToolTip{kIdTopRed, "Red of the top color, 0 to 255."},
    ToolTip{kIdTopGreen, "Green of the top color, 0 to 255."},
    ToolTip{kIdTopBlue, "Blue of the top color, 0 to 255."},
    ToolTip{kIdSubRed, "Red of the sub color, 0 to 255."},
    ToolTip{kIdSubGreen, "Green of the sub color, 0 to 255."},
    ToolTip{kIdSubBlue, "Blue of the sub color, 0 to 255."},
    ToolTip{kIdColorSteps, "Number of color bands, from 1 to the tile height."},
    ToolTip{kIdSubLabel, "The color at the bottom of each character."},
    ToolTip{kIdLoadSettings, "Load the fields from a settings file (Ctrl+O)."},
    ToolTip{kIdChooseBg, "Pick the background color."},
    ToolTip{kIdChooseTop, "Pick the top color."},
    ToolTip{kIdChooseSub, "Pick the sub color."},
    ToolTip{kIdColorGradientOverImage, "Color the characters with bands over the texture image."},
    ToolTip{kIdColorReliefOverImage, "Color the characters with a relief over the texture image."},
    ToolTip{kIdFontPreview, "Show the font sample of the fields."},
    ToolTip{kIdImagePreview, "Show the sheet as it would be saved."},
    ToolTip{kIdZoom1, "Show the preview at its own size (Ctrl+1)."},
    ToolTip{kIdZoom2, "Show the preview twice as large (Ctrl+2)."},
    ToolTip{kIdZoom4, "Show the preview four times as large (Ctrl+4)."},
    ToolTip{kIdTileSize, "Size of the square tiles in pixels, 1 to 16."},
    ToolTip{kIdCharactersLabel, "What the box below holds in this export mode."},
    ToolTip{kIdCenter, "Center each character in its tile."},
    ToolTip{kIdExportRange, "Export the characters of a range of codes."},
    ToolTip{kIdRangeFrom, "First code of the range, 0 to 255."},
    ToolTip{kIdRangeTo, "Last code of the range, 0 to 255."},
    ToolTip{kIdCharMap, "Which character each cell of the sheet holds."},
    ToolTip{kIdGridColumns, "Cell columns, 1 to 256; both grid fields empty: from the map."},
    ToolTip{kIdGridRows, "Cell rows, 1 to 256; both grid fields empty: from the map."},
    ToolTip{kIdCellWidth, "Cell width in pixels, 1 to 64; both cell fields empty for tiles."},
    ToolTip{kIdCellHeight, "Cell height in pixels, 1 to 64; both cell fields empty for tiles."},
    ToolTip{kIdPreviewGrid, "Draw the cell grid over the sheet."},
    ToolTip{kIdCellInfo, "The cell under the mouse pointer."},
    ToolTip{kIdBoxDrawingAuto, "Draw box and block characters built in, except for cp1252."},
    ToolTip{kIdBoxDrawingBuiltin, "Draw box and block characters to fill the cell, so lines join."},
    ToolTip{kIdBoxDrawingFont, "Draw box and block characters from the font."},
    ToolTip{kIdPixelFontAuto, "Draw a face on a pixel grid exactly, except for cp1252."},
    ToolTip{kIdPixelFontOn, "Draw the face in 1 bit, unhinted, at a whole multiple of any grid."},
    ToolTip{kIdPixelFontOff, "Draw the face as any other, smoothed and hinted."},
    ToolTip{kIdPages, "The most sheets a map larger than the grid may take; 0 for any."},
    ToolTip{kIdFallbackFaces, "Faces, in order, that draw what the font lacks, or system."},
    ToolTip{kIdOpenFontFile, "Add the typefaces of a font file to the list (Ctrl+Shift+O)."},
    ToolTip{kIdOutputColor, "Save the colored sheet."},
    ToolTip{kIdOutputAlpha, "Save the colors with alpha from each pixel's coverage."},
    ToolTip{kIdOutputGray, "Save each pixel's coverage as gray."},
    ToolTip{kIdOutputMono, "Save one bit for each pixel."},
    ToolTip{kIdMonoThreshold, "The least coverage, 1 to 255, that sets a pixel of the mono cells."},
    ToolTip{kIdDescriptorFnt, "Also write a .fnt descriptor beside the sheet."},
    ToolTip{kIdDescriptorJson, "Also write a .json descriptor beside the sheet."},
    ToolTip{kIdDescriptorC, "Also write a C header of the cells beside the sheet."},
    ToolTip{kIdOutputSdf, "Save each glyph's signed distance field as gray, 128 on its outline."},
    ToolTip{kIdSdfSpread, "How many pixels, 1 to 32, the distance field reaches from the outline."},
    ToolTip{kIdDescriptorFntXml, "Also write the .fnt descriptor as XML (.xml) beside the sheet."},
    ToolTip{kIdDescriptorFntBinary,
            "Also write the .fnt descriptor in binary form (.bin) beside the sheet."},
    ToolTip{kIdFontFileBdf, "Also write a BDF bitmap font (.bdf) beside the sheet."},
    ToolTip{kIdFontFilePsf, "Also write a PSF2 console font (.psf) beside the sheet."},
    ToolTip{kIdFontFileOtb, "Also write a bitmap-only OpenType font (.otb) beside the sheet."},
};

struct Mnemonic {
  std::string_view caption;
  const char* withMnemonic;
};

// Letters that no other mnemonic of the window uses ("Te&xt:" has x).
constexpr std::array kGroupMnemonics = {
    Mnemonic{"Font settings", "Fo&nt settings"},
    Mnemonic{"Export options", "&Export options"},
    Mnemonic{"Color settings", "&Color settings"},
    Mnemonic{"Color values", "Color &values"},
    Mnemonic{"Image to use", "&Image to use"},
    Mnemonic{"Preview", "&Preview"},
    Mnemonic{"Log", "&Log"},
    Mnemonic{"Actions", "&Actions"},
    Mnemonic{"Layout", "La&yout"},
    Mnemonic{"Output", "&Output"},
};

}  // namespace

QString ControlToolTip(int id) {
  auto it = std::find_if(kToolTips.begin(), kToolTips.end(),
                         [id](const ToolTip& tip) { return tip.id == id; });
  return it != kToolTips.end() ? QString::fromUtf8(it->text) : QString();
}

QString RecentFilesToolTip() {
  return QStringLiteral("Open a settings or font file used recently.");
}

QString GroupCaptionWithMnemonic(std::string_view caption) {
  auto it = std::find_if(kGroupMnemonics.begin(), kGroupMnemonics.end(),
                         [caption](const Mnemonic& m) { return m.caption == caption; });
  if (it != kGroupMnemonics.end()) return QString::fromUtf8(it->withMnemonic);
  return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}
