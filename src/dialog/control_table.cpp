// The main dialog's controls and group boxes.
#include "dialog/control_table.h"

#include <algorithm>
#include <array>

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

// Ascending by identifier; FindControl relies on it.
constexpr std::array kControls = {
    ControlSpec{1001, K::kFontList, kFont, "Font name:", "", false, true, R::kNone},
    ControlSpec{1002, K::kDigitsEdit, kFont, "Char width:", "", false, true, R::kNone},
    ControlSpec{1003, K::kDigitsEdit, kFont, "Char height:", "20", false, true, R::kNone},
    ControlSpec{1004, K::kCheckBox, kFont, "Bold", "", false, true, R::kNone},
    ControlSpec{1005, K::kCheckBox, kFont, "Italic", "", false, true, R::kNone},
    ControlSpec{1006, K::kCheckBox, kFont, "Underline", "", false, true, R::kNone},
    ControlSpec{1007, K::kCheckBox, kFont, "Automatic size overflow correction", "", false, true,
                R::kNone},
    ControlSpec{1009, K::kPreviewArea, kPreview, "", "", false, true, R::kNone},
    ControlSpec{1010, K::kPushButton, kActions, "Save bitmap", "", false, true, R::kNone},
    ControlSpec{1011, K::kPushButton, kActions, "Autosize (proportional)", "", false, true,
                R::kNone},
    ControlSpec{1012, K::kRadioButton, kExport, "Export normal chars (chars no. 32 - 127)", "",
                true, true, R::kExportMode},
    ControlSpec{1013, K::kRadioButton, kExport, "Export only user-defined chars", "", false, true,
                R::kExportMode},
    ControlSpec{1014, K::kMultilineEdit, kExport, "", "", false, true, R::kNone},
    ControlSpec{1015, K::kEdit, kPreview, "Te&xt:", "The quick brown fox jumps over the lazy dog",
                false, true, R::kNone},
    ControlSpec{1016, K::kPushButton, kActions, "Exit", "", false, true, R::kNone},
    ControlSpec{1017, K::kRadioButton, kExport, "Export all > 32 (new are e.g. \xC3\xA4, \xC3\xB6, \xC3\x9F)",
                "", false, true, R::kExportMode},
    ControlSpec{1018, K::kPushButton, kActions, "Autosize (full)", "", false, true, R::kNone},
    ControlSpec{1019, K::kEdit, kValues, "Bg color (0-255):", "255", false, true, R::kNone},
    ControlSpec{1020, K::kEdit, kValues, "", "0", false, true, R::kNone},
    ControlSpec{1021, K::kEdit, kValues, "", "255", false, true, R::kNone},
    ControlSpec{1022, K::kReadOnlyLog, kLog, "", "", false, true, R::kNone},
    ControlSpec{1023, K::kPushButton, kActions, "Save settings ...", "", false, true, R::kNone},
    ControlSpec{1024, K::kRadioButton, kColor, "Color Gradient / Single color", "", true, true,
                R::kColorMode},
    ControlSpec{1025, K::kRadioButton, kColor, "Only Image", "", false, true, R::kColorMode},
    ControlSpec{1026, K::kRadioButton, kColor, "3D Appearance", "", false, true, R::kColorMode},
    ControlSpec{1027, K::kEdit, kImage, "Path:", "", false, false, R::kNone},
    ControlSpec{1028, K::kPushButton, kImage, "Browse ...", "", false, false, R::kNone},
    ControlSpec{1029, K::kPushButton, kActions, "Save all", "", false, true, R::kNone},
    ControlSpec{1030, K::kLabel, kValues, "", "Top color (0-255):", false, true, R::kNone},
    ControlSpec{1031, K::kEdit, kValues, "", "255", false, true, R::kNone},
    ControlSpec{1032, K::kEdit, kValues, "", "255", false, true, R::kNone},
    ControlSpec{1033, K::kEdit, kValues, "", "255", false, true, R::kNone},
    ControlSpec{1034, K::kEdit, kValues, "", "255", false, true, R::kNone},
    ControlSpec{1035, K::kEdit, kValues, "", "255", false, true, R::kNone},
    ControlSpec{1036, K::kEdit, kValues, "", "255", false, true, R::kNone},
    ControlSpec{1037, K::kDigitsEdit, kValues, "Color steps (1 to tile_height):", "8", false, true,
                R::kNone},
    ControlSpec{1038, K::kLabel, kValues, "", "Sub color (0-255):", false, true, R::kNone},
    ControlSpec{1039, K::kPushButton, kActions, "Load settings ...", "", false, true, R::kNone},
    ControlSpec{1040, K::kPushButton, kValues, "Choose ...", "", false, true, R::kNone},
    ControlSpec{1041, K::kPushButton, kValues, "Choose ...", "", false, true, R::kNone},
    ControlSpec{1042, K::kPushButton, kValues, "Choose ...", "", false, true, R::kNone},
    ControlSpec{1043, K::kRadioButton, kColor, "Color Gradient over image", "", false, true,
                R::kColorMode},
    ControlSpec{1044, K::kRadioButton, kColor, "3D Appearance over image", "", false, true,
                R::kColorMode},
    ControlSpec{1045, K::kPushLikeCheck, kPreview, "Font Preview", "", true, true, R::kNone},
    ControlSpec{1046, K::kPushButton, kPreview, "Image preview (once)", "", false, true, R::kNone},
    ControlSpec{1048, K::kRadioButton, kPreview, "Original", "", true, true, R::kZoom},
    ControlSpec{1049, K::kRadioButton, kPreview, "2x Zoom", "", false, true, R::kZoom},
    ControlSpec{1050, K::kRadioButton, kPreview, "4x Zoom", "", false, true, R::kZoom},
    ControlSpec{1051, K::kEdit, kExport, "Tile size (1 - 16):", "8", false, true, R::kNone},
    ControlSpec{1052, K::kLabel, kExport, "", "Exclude the following chars:", false, true,
                R::kNone},
    ControlSpec{1053, K::kCheckBox, kFont, "Center letters horizontally", "", false, true,
                R::kNone},
    ControlSpec{1054, K::kRadioButton, kExport, "Export from char no.", "", false, true,
                R::kExportMode},
    ControlSpec{1055, K::kEdit, kExport, "", "0", false, false, R::kNone},
    ControlSpec{1056, K::kEdit, kExport, "to", "255", false, false, R::kNone},
};

constexpr std::array kGroupBoxes = {
    GroupBoxSpec{kFont, 6, 0, 282, 48},     GroupBoxSpec{kExport, 6, 48, 282, 84},
    GroupBoxSpec{kColor, 6, 132, 282, 54},  GroupBoxSpec{kValues, 7, 187, 281, 76},
    GroupBoxSpec{kImage, 6, 264, 282, 30},  GroupBoxSpec{kPreview, 294, 0, 258, 186},
    GroupBoxSpec{kLog, 294, 186, 258, 102}, GroupBoxSpec{kActions, 6, 294, 546, 30},
};

constexpr std::array kExportModeButtons = {1012, 1017, 1013, 1054};
constexpr std::array kColorModeButtons = {1024, 1026, 1025, 1043, 1044};
constexpr std::array kZoomButtons = {1048, 1049, 1050};

}  // namespace

std::span<const ControlSpec> ControlTable() { return kControls; }

const ControlSpec* FindControl(int id) {
  auto it = std::lower_bound(kControls.begin(), kControls.end(), id,
                             [](const ControlSpec& c, int value) { return c.id < value; });
  return it != kControls.end() && it->id == id ? &*it : nullptr;
}

std::span<const GroupBoxSpec> GroupBoxes() { return kGroupBoxes; }

std::span<const int> RadioGroupMembers(RadioGroup group) {
  switch (group) {
    case RadioGroup::kExportMode: return kExportModeButtons;
    case RadioGroup::kColorMode: return kColorModeButtons;
    case RadioGroup::kZoom: return kZoomButtons;
    case RadioGroup::kNone: break;
  }
  return {};
}
