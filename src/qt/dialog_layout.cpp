// The main dialog's layout in dialog units: labels left of their fields, rows of
// 12-unit fields and 10-unit check boxes, 4 units of margin inside each box and its
// caption kept clear at the top. The widths leave room for every caption at the
// dialog font.
#include "qt/dialog_layout.h"

#include <algorithm>
#include <array>

#include "options/control_ids.h"

namespace {

constexpr DuRect kNone{0, 0, 0, 0};

constexpr std::array kPlacements = {
    // "Font settings" (6, 0, 282, 48)
    ControlPlacement{kIdFontList, {56, 10, 144, 12}, {10, 12, 44, 8}},
    ControlPlacement{kIdCharWidth, {258, 10, 26, 12}, {206, 12, 50, 8}},
    ControlPlacement{kIdCharHeight, {258, 23, 26, 12}, {206, 25, 50, 8}},
    ControlPlacement{kIdBold, {10, 24, 36, 10}, kNone},
    ControlPlacement{kIdItalic, {50, 24, 36, 10}, kNone},
    ControlPlacement{kIdUnderline, {90, 24, 56, 10}, kNone},
    ControlPlacement{kIdCenter, {10, 35, 116, 10}, kNone},
    ControlPlacement{kIdTrimOverflow, {130, 35, 148, 10}, kNone},
    // "Export options" (6, 48, 282, 84): the mode on the left, the characters on the
    // right under a label that wraps when the mode makes it longer.
    ControlPlacement{kIdTileSize, {76, 57, 24, 12}, {10, 59, 64, 8}},
    ControlPlacement{kIdExportNormal, {10, 73, 166, 10}, kNone},
    ControlPlacement{kIdExportAll, {10, 84, 166, 10}, kNone},
    ControlPlacement{kIdExportUser, {10, 95, 166, 10}, kNone},
    ControlPlacement{kIdExportRange, {10, 107, 96, 10}, kNone},
    ControlPlacement{kIdRangeFrom, {108, 106, 24, 12}, kNone},
    ControlPlacement{kIdRangeTo, {150, 106, 24, 12}, {136, 108, 12, 8}},
    ControlPlacement{kIdCharactersLabel, {180, 57, 104, 16}, kNone},
    ControlPlacement{kIdCharacters, {180, 75, 104, 52}, kNone},
    // "Color settings" (6, 132, 282, 54)
    ControlPlacement{kIdColorGradient, {10, 142, 124, 10}, kNone},
    ControlPlacement{kIdColorRelief, {10, 153, 124, 10}, kNone},
    ControlPlacement{kIdColorImageOnly, {10, 164, 124, 10}, kNone},
    ControlPlacement{kIdColorGradientOverImage, {142, 142, 124, 10}, kNone},
    ControlPlacement{kIdColorReliefOverImage, {142, 153, 124, 10}, kNone},
    // "Color values" (7, 187, 281, 76): R, G, B columns, "Choose ..." at each row's end.
    ControlPlacement{kIdBgRed, {88, 205, 24, 12}, {10, 207, 76, 8}},
    ControlPlacement{kIdBgGreen, {116, 205, 24, 12}, kNone},
    ControlPlacement{kIdBgBlue, {144, 205, 24, 12}, kNone},
    ControlPlacement{kIdChooseBg, {174, 204, 54, 14}, kNone},
    ControlPlacement{kIdTopLabel, {10, 221, 76, 8}, kNone},
    ControlPlacement{kIdTopRed, {88, 219, 24, 12}, kNone},
    ControlPlacement{kIdTopGreen, {116, 219, 24, 12}, kNone},
    ControlPlacement{kIdTopBlue, {144, 219, 24, 12}, kNone},
    ControlPlacement{kIdChooseTop, {174, 218, 54, 14}, kNone},
    ControlPlacement{kIdSubLabel, {10, 235, 76, 8}, kNone},
    ControlPlacement{kIdSubRed, {88, 233, 24, 12}, kNone},
    ControlPlacement{kIdSubGreen, {116, 233, 24, 12}, kNone},
    ControlPlacement{kIdSubBlue, {144, 233, 24, 12}, kNone},
    ControlPlacement{kIdChooseSub, {174, 232, 54, 14}, kNone},
    ControlPlacement{kIdColorSteps, {124, 249, 24, 12}, {10, 251, 112, 8}},
    // "Image to use" (6, 264, 282, 30)
    ControlPlacement{kIdTexturePath, {34, 275, 188, 12}, {10, 277, 22, 8}},
    ControlPlacement{kIdBrowseTexture, {228, 274, 56, 14}, kNone},
    // "Preview" (294, 0, 258, 186)
    ControlPlacement{kIdPreviewArea, {300, 12, 246, 114}, kNone},
    ControlPlacement{kIdPreviewText, {324, 130, 222, 12}, {300, 132, 22, 8}},
    ControlPlacement{kIdZoom1, {300, 147, 50, 10}, kNone},
    ControlPlacement{kIdZoom2, {352, 147, 50, 10}, kNone},
    ControlPlacement{kIdZoom4, {404, 147, 50, 10}, kNone},
    ControlPlacement{kIdPreviewGrid, {462, 147, 40, 10}, kNone},
    ControlPlacement{kIdFontPreview, {300, 164, 76, 14}, kNone},
    ControlPlacement{kIdImagePreview, {382, 164, 92, 14}, kNone},
    ControlPlacement{kIdCellInfo, {480, 167, 66, 10}, kNone},
    // "Log" (294, 186, 258, 102)
    ControlPlacement{kIdLog, {300, 198, 246, 84}, kNone},
    // "Actions" (6, 294, 546, 30)
    ControlPlacement{kIdExit, {12, 306, 44, 14}, kNone},
    ControlPlacement{kIdSaveBitmap, {62, 306, 64, 14}, kNone},
    ControlPlacement{kIdSaveAll, {132, 306, 56, 14}, kNone},
    ControlPlacement{kIdAutosizeProportional, {194, 306, 96, 14}, kNone},
    ControlPlacement{kIdAutosizeFull, {296, 306, 76, 14}, kNone},
    ControlPlacement{kIdSaveSettings, {378, 306, 80, 14}, kNone},
    ControlPlacement{kIdLoadSettings, {464, 306, 80, 14}, kNone},
    // "Layout" (6, 324, 546, 60): three rows below the template, each field after its label.
    ControlPlacement{kIdCharMap, {72, 335, 104, 12}, {10, 337, 60, 8}},
    ControlPlacement{kIdGridColumns, {224, 335, 24, 12}, {186, 337, 36, 8}},
    ControlPlacement{kIdGridRows, {282, 335, 24, 12}, {256, 337, 24, 8}},
    ControlPlacement{kIdCellWidth, {360, 335, 24, 12}, {318, 337, 40, 8}},
    ControlPlacement{kIdCellHeight, {440, 335, 24, 12}, {394, 337, 44, 8}},
    ControlPlacement{kIdOpenFontFile, {10, 351, 80, 14}, kNone},
    // After "Recent files" (kRecentFilesRect): who draws the box glyphs, pixel fonts.
    ControlPlacement{kIdBoxDrawingAuto, {212, 353, 36, 10}, kNone},
    ControlPlacement{kIdBoxDrawingBuiltin, {250, 353, 48, 10}, kNone},
    ControlPlacement{kIdBoxDrawingFont, {300, 353, 34, 10}, kNone},
    ControlPlacement{kIdPixelFontAuto, {388, 353, 36, 10}, kNone},
    ControlPlacement{kIdPixelFontOn, {426, 353, 30, 10}, kNone},
    ControlPlacement{kIdPixelFontOff, {458, 353, 32, 10}, kNone},
    ControlPlacement{kIdPages, {526, 351, 20, 12}, {494, 353, 30, 8}},
    // The third row: the fallback faces, in order, and what they may name.
    ControlPlacement{kIdFallbackFaces, {72, 367, 254, 12}, {10, 369, 60, 8}},
    // "Output" (6, 384, 546, 40): the kind, its threshold and spread on the first row;
    // the descriptors' and font files' check boxes on the second.
    ControlPlacement{kIdOutputColor, {10, 395, 40, 10}, kNone},
    ControlPlacement{kIdOutputAlpha, {54, 395, 40, 10}, kNone},
    ControlPlacement{kIdOutputGray, {98, 395, 40, 10}, kNone},
    ControlPlacement{kIdOutputMono, {142, 395, 40, 10}, kNone},
    ControlPlacement{kIdOutputSdf, {186, 395, 36, 10}, kNone},
    ControlPlacement{kIdMonoThreshold, {312, 394, 24, 12}, {230, 396, 80, 8}},
    ControlPlacement{kIdSdfSpread, {422, 394, 24, 12}, {350, 396, 70, 8}},
    ControlPlacement{kIdDescriptorFnt, {10, 409, 52, 10}, kNone},
    ControlPlacement{kIdDescriptorJson, {66, 409, 56, 10}, kNone},
    ControlPlacement{kIdDescriptorC, {126, 409, 72, 10}, kNone},
    ControlPlacement{kIdDescriptorFntXml, {202, 409, 58, 10}, kNone},
    ControlPlacement{kIdDescriptorFntBinary, {264, 409, 58, 10}, kNone},
    ControlPlacement{kIdFontFileBdf, {326, 409, 58, 10}, kNone},
    ControlPlacement{kIdFontFilePsf, {388, 409, 58, 10}, kNone},
    ControlPlacement{kIdFontFileOtb, {450, 409, 58, 10}, kNone},
};

// The column headings over the three color fields of each row, and what empty cell
// fields mean.
constexpr std::array kStaticTexts = {
    StaticTextPlacement{"R", {88, 196, 24, 8}},
    StaticTextPlacement{"G", {116, 196, 24, 8}},
    StaticTextPlacement{"B", {144, 196, 24, 8}},
    StaticTextPlacement{"(empty: Tile size)", {470, 337, 76, 8}},
    StaticTextPlacement{"Box glyphs:", {164, 354, 46, 8}},
    StaticTextPlacement{"Pixel font:", {340, 354, 46, 8}},
    StaticTextPlacement{"(in order: font names or system; empty: none)", {332, 369, 214, 8}},
};

}  // namespace

std::span<const ControlPlacement> ControlPlacements() {
  return kPlacements;
}

const ControlPlacement* FindPlacement(int id) {
  auto it = std::find_if(kPlacements.begin(), kPlacements.end(),
                         [id](const ControlPlacement& p) { return p.id == id; });
  return it != kPlacements.end() ? &*it : nullptr;
}

std::span<const StaticTextPlacement> StaticTexts() {
  return kStaticTexts;
}
