// The main dialog as data: every control with its kind, caption, group, default
// and enabled state at start-up, and the group boxes with their layout.
//
// Both hosts build their controls from this table: the headless host keeps one
// record per entry, the window makes one widget per entry.
#pragma once

#include <span>
#include <string_view>

enum class ControlKind {
  kFontList,       // drop-down list, sorted, vertical scroll
  kEdit,           // single-line edit
  kDigitsEdit,     // single-line edit that refuses typed non-digits
  kMultilineEdit,  // multi-line edit with vertical scroll, wrapping
  kReadOnlyLog,    // multi-line, read-only edit with vertical scroll
  kCheckBox,       // auto check box
  kPushLikeCheck,  // auto check box drawn as a push button
  kRadioButton,    // auto radio button; see radioGroup
  kPushButton,
  kLabel,        // static text with an identifier
  kPreviewArea,  // owner-drawn static that reports clicks
  kCharMapList,  // drop-down list of the character maps and "From file ..."; its text,
                 // set like an edit's, is the chosen map's name or the file's path
};

enum class RadioGroup {
  kNone,
  kExportMode,
  kColorMode,
  kZoom,
  kOutputKind,
  kBoxDrawing,
  kPixelFont
};

struct ControlDef {
  int id;
  ControlKind kind;
  std::string_view group;        // caption of the group box holding the control
  std::string_view caption;      // button text, or the label beside a field ("" for none)
  std::string_view defaultText;  // start-up text of an edit or label
  bool checkedAtStart;
  bool enabledAtStart;
  RadioGroup radioGroup;
};

struct GroupBoxDef {
  std::string_view caption;
  int left, top, width, height;  // dialog units
};

// Every control with an identifier, in ascending identifier order.
std::span<const ControlDef> ControlTable();

// The record of id, or nullptr when id names no control.
const ControlDef* FindControl(int id);

// The group boxes in template order.
std::span<const GroupBoxDef> GroupBoxes();

// The buttons of a radio group, in the order the dialog lists them.
std::span<const int> RadioGroupMembers(RadioGroup group);

inline constexpr std::string_view kDialogTitle = "Glyphex v0.3a";
inline constexpr std::string_view kWelcomeText =
    "Glyphex v0.3a by Quenlor\r\n\r\nSelect the font and size\r\n(I recommend proportional "
    "Autosize),\r\nchoose the desired color mode and\r\nclick \"Save bitmap\" to export!";
inline constexpr int kDialogWidthDu = 556;   // template size in dialog units
inline constexpr int kDialogHeightDu = 428;  // "Layout" and "Output" below the template's 326
