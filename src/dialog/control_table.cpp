// The main dialog's controls and group boxes.
#include "dialog/control_table.h"

#include <algorithm>
#include <array>

#include "options/control_ids.h"

namespace {

using K = ControlKind;
using R = RadioGroup;

constexpr std::string_view kFont = "Font settings";
constexpr std::string_view kExport = "Export options";
constexpr std::string_view kColor = "Color settings";
constexpr std::string_view kValues = "Color values";
constexpr std::string_view kImage = "Image to use";
constexpr std::string_view kPreview = "Preview";
constexpr std::string_view kLog = "Log";
constexpr std::string_view kActions = "Actions";
constexpr std::string_view kLayout = "Layout";
constexpr std::string_view kOutput = "Output";

// Ascending by identifier; FindControl relies on it.
constexpr std::array kControls = {
    ControlDef{kIdFontList, K::kFontList, kFont, "Font name:", "", false, true, R::kNone},
    ControlDef{kIdCharWidth, K::kDigitsEdit, kFont, "Char width:", "", false, true, R::kNone},
    ControlDef{kIdCharHeight, K::kDigitsEdit, kFont, "Char height:", "20", false, true, R::kNone},
    ControlDef{kIdBold, K::kCheckBox, kFont, "Bold", "", false, true, R::kNone},
    ControlDef{kIdItalic, K::kCheckBox, kFont, "Italic", "", false, true, R::kNone},
    ControlDef{kIdUnderline, K::kCheckBox, kFont, "Underline", "", false, true, R::kNone},
    ControlDef{kIdTrimOverflow, K::kCheckBox, kFont, "Automatic size overflow correction", "",
               false, true, R::kNone},
    ControlDef{kIdPreviewArea, K::kPreviewArea, kPreview, "", "", false, true, R::kNone},
    ControlDef{kIdSaveBitmap, K::kPushButton, kActions, "Save bitmap", "", false, true, R::kNone},
    ControlDef{kIdAutosizeProportional, K::kPushButton, kActions, "Autosize (proportional)", "",
               false, true, R::kNone},
    ControlDef{kIdExportNormal, K::kRadioButton, kExport,
               "Export normal chars (chars no. 32 - 127)", "", true, true, R::kExportMode},
    ControlDef{kIdExportUser, K::kRadioButton, kExport, "Export only user-defined chars", "", false,
               true, R::kExportMode},
    ControlDef{kIdCharacters, K::kMultilineEdit, kExport, "", "", false, true, R::kNone},
    ControlDef{kIdPreviewText, K::kEdit, kPreview,
               "Te&xt:", "The quick brown fox jumps over the lazy dog", false, true, R::kNone},
    ControlDef{kIdExit, K::kPushButton, kActions, "Exit", "", false, true, R::kNone},
    ControlDef{kIdExportAll, K::kRadioButton, kExport,
               "Export all > 32 (new are e.g. \xC3\xA4, \xC3\xB6, \xC3\x9F)", "", false, true,
               R::kExportMode},
    ControlDef{kIdAutosizeFull, K::kPushButton, kActions, "Autosize (full)", "", false, true,
               R::kNone},
    ControlDef{kIdBgRed, K::kEdit, kValues, "Bg color (0-255):", "255", false, true, R::kNone},
    ControlDef{kIdBgGreen, K::kEdit, kValues, "", "0", false, true, R::kNone},
    ControlDef{kIdBgBlue, K::kEdit, kValues, "", "255", false, true, R::kNone},
    ControlDef{kIdLog, K::kReadOnlyLog, kLog, "", "", false, true, R::kNone},
    ControlDef{kIdSaveSettings, K::kPushButton, kActions, "Save settings ...", "", false, true,
               R::kNone},
    ControlDef{kIdColorGradient, K::kRadioButton, kColor, "Color Gradient / Single color", "", true,
               true, R::kColorMode},
    ControlDef{kIdColorImageOnly, K::kRadioButton, kColor, "Only Image", "", false, true,
               R::kColorMode},
    ControlDef{kIdColorRelief, K::kRadioButton, kColor, "3D Appearance", "", false, true,
               R::kColorMode},
    ControlDef{kIdTexturePath, K::kEdit, kImage, "Path:", "", false, false, R::kNone},
    ControlDef{kIdBrowseTexture, K::kPushButton, kImage, "Browse ...", "", false, false, R::kNone},
    ControlDef{kIdSaveAll, K::kPushButton, kActions, "Save all", "", false, true, R::kNone},
    ControlDef{kIdTopLabel, K::kLabel, kValues, "", "Top color (0-255):", false, true, R::kNone},
    ControlDef{kIdTopRed, K::kEdit, kValues, "", "255", false, true, R::kNone},
    ControlDef{kIdTopGreen, K::kEdit, kValues, "", "255", false, true, R::kNone},
    ControlDef{kIdTopBlue, K::kEdit, kValues, "", "255", false, true, R::kNone},
    ControlDef{kIdSubRed, K::kEdit, kValues, "", "255", false, true, R::kNone},
    ControlDef{kIdSubGreen, K::kEdit, kValues, "", "255", false, true, R::kNone},
    ControlDef{kIdSubBlue, K::kEdit, kValues, "", "255", false, true, R::kNone},
    ControlDef{kIdColorSteps, K::kDigitsEdit, kValues, "Color steps (1 to tile_height):", "8",
               false, true, R::kNone},
    ControlDef{kIdSubLabel, K::kLabel, kValues, "", "Sub color (0-255):", false, true, R::kNone},
    ControlDef{kIdLoadSettings, K::kPushButton, kActions, "Load settings ...", "", false, true,
               R::kNone},
    ControlDef{kIdChooseBg, K::kPushButton, kValues, "Choose ...", "", false, true, R::kNone},
    ControlDef{kIdChooseTop, K::kPushButton, kValues, "Choose ...", "", false, true, R::kNone},
    ControlDef{kIdChooseSub, K::kPushButton, kValues, "Choose ...", "", false, true, R::kNone},
    ControlDef{kIdColorGradientOverImage, K::kRadioButton, kColor, "Color Gradient over image", "",
               false, true, R::kColorMode},
    ControlDef{kIdColorReliefOverImage, K::kRadioButton, kColor, "3D Appearance over image", "",
               false, true, R::kColorMode},
    ControlDef{kIdFontPreview, K::kPushLikeCheck, kPreview, "Font Preview", "", true, true,
               R::kNone},
    ControlDef{kIdImagePreview, K::kPushButton, kPreview, "Image preview (once)", "", false, true,
               R::kNone},
    ControlDef{kIdZoom1, K::kRadioButton, kPreview, "Original", "", true, true, R::kZoom},
    ControlDef{kIdZoom2, K::kRadioButton, kPreview, "2x Zoom", "", false, true, R::kZoom},
    ControlDef{kIdZoom4, K::kRadioButton, kPreview, "4x Zoom", "", false, true, R::kZoom},
    ControlDef{kIdTileSize, K::kEdit, kExport, "Tile size (1 - 16):", "8", false, true, R::kNone},
    ControlDef{kIdCharactersLabel, K::kLabel, kExport, "", "Exclude the following chars:", false,
               true, R::kNone},
    ControlDef{kIdCenter, K::kCheckBox, kFont, "Center letters horizontally", "", false, true,
               R::kNone},
    ControlDef{kIdExportRange, K::kRadioButton, kExport, "Export from char no.", "", false, true,
               R::kExportMode},
    ControlDef{kIdRangeFrom, K::kEdit, kExport, "", "0", false, false, R::kNone},
    ControlDef{kIdRangeTo, K::kEdit, kExport, "to", "255", false, false, R::kNone},
    ControlDef{kIdCharMap, K::kCharMapList, kLayout, "Character map:", "cp1252", false, true,
               R::kNone},
    ControlDef{kIdGridColumns, K::kDigitsEdit, kLayout, "Columns:", "32", false, true, R::kNone},
    ControlDef{kIdGridRows, K::kDigitsEdit, kLayout, "Rows:", "8", false, true, R::kNone},
    ControlDef{kIdCellWidth, K::kDigitsEdit, kLayout, "Cell width:", "", false, true, R::kNone},
    ControlDef{kIdCellHeight, K::kDigitsEdit, kLayout, "Cell height:", "", false, true, R::kNone},
    ControlDef{kIdPreviewGrid, K::kCheckBox, kPreview, "Grid", "", false, true, R::kNone},
    ControlDef{kIdCellInfo, K::kLabel, kPreview, "", "", false, true, R::kNone},
    ControlDef{kIdOpenFontFile, K::kPushButton, kLayout, "Open font file ...", "", false, true,
               R::kNone},
    ControlDef{kIdOutputColor, K::kRadioButton, kOutput, "Color", "", true, true, R::kOutputKind},
    ControlDef{kIdOutputAlpha, K::kRadioButton, kOutput, "Alpha", "", false, true, R::kOutputKind},
    ControlDef{kIdOutputGray, K::kRadioButton, kOutput, "Gray", "", false, true, R::kOutputKind},
    ControlDef{kIdOutputMono, K::kRadioButton, kOutput, "Mono", "", false, true, R::kOutputKind},
    ControlDef{kIdMonoThreshold, K::kDigitsEdit, kOutput, "Threshold (1 - 255):", "1", false, false,
               R::kNone},
    ControlDef{kIdDescriptorFnt, K::kCheckBox, kOutput, "Write .fnt", "", false, true, R::kNone},
    ControlDef{kIdDescriptorJson, K::kCheckBox, kOutput, "Write .json", "", false, true, R::kNone},
    ControlDef{kIdDescriptorC, K::kCheckBox, kOutput, "Write C header", "", false, true, R::kNone},
    ControlDef{kIdOutputSdf, K::kRadioButton, kOutput, "SDF", "", false, true, R::kOutputKind},
    ControlDef{kIdSdfSpread, K::kDigitsEdit, kOutput, "Spread (1 - 32):", "4", false, false,
               R::kNone},
    ControlDef{kIdDescriptorFntXml, K::kCheckBox, kOutput, "Write .xml", "", false, true, R::kNone},
    ControlDef{kIdDescriptorFntBinary, K::kCheckBox, kOutput, "Write .bin", "", false, true,
               R::kNone},
    ControlDef{kIdFontFileBdf, K::kCheckBox, kOutput, "Write .bdf", "", false, true, R::kNone},
    ControlDef{kIdFontFilePsf, K::kCheckBox, kOutput, "Write .psf", "", false, true, R::kNone},
    ControlDef{kIdFontFileOtb, K::kCheckBox, kOutput, "Write .otb", "", false, true, R::kNone},
    ControlDef{kIdBoxDrawingAuto, K::kRadioButton, kLayout, "Auto", "", true, true, R::kBoxDrawing},
    ControlDef{kIdBoxDrawingBuiltin, K::kRadioButton, kLayout, "Built-in", "", false, true,
               R::kBoxDrawing},
    ControlDef{kIdBoxDrawingFont, K::kRadioButton, kLayout, "Font", "", false, true,
               R::kBoxDrawing},
    ControlDef{kIdPixelFontAuto, K::kRadioButton, kLayout, "Auto", "", true, true, R::kPixelFont},
    ControlDef{kIdPixelFontOn, K::kRadioButton, kLayout, "On", "", false, true, R::kPixelFont},
    ControlDef{kIdPixelFontOff, K::kRadioButton, kLayout, "Off", "", false, true, R::kPixelFont},
    ControlDef{kIdPages, K::kDigitsEdit, kLayout, "Pages:", "0", false, true, R::kNone},
    ControlDef{kIdFallbackFaces, K::kEdit, kLayout, "Fallback faces:", "", false, true, R::kNone},
};

constexpr std::array kGroupBoxes = {
    GroupBoxDef{kFont, 6, 0, 282, 48},     GroupBoxDef{kExport, 6, 48, 282, 84},
    GroupBoxDef{kColor, 6, 132, 282, 54},  GroupBoxDef{kValues, 7, 187, 281, 76},
    GroupBoxDef{kImage, 6, 264, 282, 30},  GroupBoxDef{kPreview, 294, 0, 258, 186},
    GroupBoxDef{kLog, 294, 186, 258, 102}, GroupBoxDef{kActions, 6, 294, 546, 30},
    GroupBoxDef{kLayout, 6, 324, 546, 60}, GroupBoxDef{kOutput, 6, 384, 546, 40},
};

constexpr std::array<int, 4> kExportModeButtons = {kIdExportNormal, kIdExportAll, kIdExportUser,
                                                   kIdExportRange};
constexpr std::array<int, 5> kColorModeButtons = {kIdColorGradient, kIdColorRelief,
                                                  kIdColorImageOnly, kIdColorGradientOverImage,
                                                  kIdColorReliefOverImage};
constexpr std::array<int, 3> kZoomButtons = {kIdZoom1, kIdZoom2, kIdZoom4};
constexpr std::array<int, 3> kBoxDrawingButtons = {kIdBoxDrawingAuto, kIdBoxDrawingBuiltin,
                                                   kIdBoxDrawingFont};
constexpr std::array<int, 3> kPixelFontButtons = {kIdPixelFontAuto, kIdPixelFontOn,
                                                  kIdPixelFontOff};
constexpr std::array<int, 5> kOutputKindButtons = {kIdOutputColor, kIdOutputAlpha, kIdOutputGray,
                                                   kIdOutputMono, kIdOutputSdf};

}  // namespace

std::span<const ControlDef> ControlTable() {
  return kControls;
}

const ControlDef* FindControl(int id) {
  auto it = std::lower_bound(kControls.begin(), kControls.end(), id,
                             [](const ControlDef& c, int value) { return c.id < value; });
  return it != kControls.end() && it->id == id ? &*it : nullptr;
}

std::span<const GroupBoxDef> GroupBoxes() {
  return kGroupBoxes;
}

std::span<const int> RadioGroupMembers(RadioGroup group) {
  switch (group) {
    case RadioGroup::kExportMode:
      return kExportModeButtons;
    case RadioGroup::kColorMode:
      return kColorModeButtons;
    case RadioGroup::kZoom:
      return kZoomButtons;
    case RadioGroup::kOutputKind:
      return kOutputKindButtons;
    case RadioGroup::kBoxDrawing:
      return kBoxDrawingButtons;
    case RadioGroup::kPixelFont:
      return kPixelFontButtons;
    case RadioGroup::kNone:
      break;
  }
  return {};
}
