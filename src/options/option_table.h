// Every option of a sheet run, declared once.
//
// A row says everything the program needs to know about one option: the control that
// holds it in the dialog, the command-line flag and its value names, where a settings
// file keeps it, its default, how its text is checked (range and message) and which
// member of SheetOptions it fills. The command line, the settings file's reader and
// writer and the reading of the dialog's fields all walk this table; none of them
// names a flag, a value name, a range or a record tag of its own.
//
// The rows are in the order the fields are checked before a run: the first row whose
// check fails gives the run's message.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "layout/charmap.h"
#include "layout/grid.h"
#include "options/sheet_options.h"

enum class OptionKind {
  kFace,      // the font list's selection (its face name); fills the font request
  kFontFile,  // a font file that is not installed, whose typefaces join the font list
  kText,      // a text field, kept as typed
  kInt,       // an integer field, read like atoi
  kRgb,       // three integer fields (red, green, blue), each a whole number 0..255
  kFlag,      // a check box
  kChoice,    // a radio group: one of choices
  kFlagSet,   // check boxes named by choices, any number of them
  kCharMap,   // the character map field: a built-in map's name or a map file's path
  kGrid,      // columns and rows fields, "CxR" on the command line
  kCell,      // cell width and height fields, "WxH"; both empty for square cells
  kFaceList,  // a text field of faces in order, separated by commas; repeatable on the
              // command line, each value added at the end ("none" empties the list)
};

// Where a settings file keeps an option: in the fixed 1219-byte layout at a byte
// offset, or as a record of the extension block that follows it.
enum class StoredIn { kNowhere, kClassic, kExtension };

// How a stored text is encoded: character codes in Windows-1252, names and paths in
// UTF-8 (a stored name that is not UTF-8 is taken as Windows-1252 when loaded).
enum class StoredCharset { kUtf8, kWindows1252 };

// One value of a kChoice or kFlagSet option.
//
// A choice added after its option's record was first written goes under a record of
// its own (tag): older readers refuse a known record holding a code they do not know,
// which would cost the whole extension block, but skip a tag they do not know. A
// kChoice's record then also holds olderCode under the option's own tag, the choice an
// older reader takes instead.
struct OptionChoice {
  std::string_view name;  // the command line's value name
  int control;            // its radio button or check box
  int value;              // the enum value it stands for; a bit for a kFlagSet
  int code;               // its byte in the settings file (classic layout or record); a
                          // kFlagSet's bit within its record
  int tag = 0;            // the extension record holding code; 0: the option's own
  int olderCode = -1;     // a kChoice with its own tag: the code under the option's tag
};

struct OptionDef {
  OptionKind kind;
  int control;  // the first of its controls: red of three, columns, cell width

  // The command line: "--height", none when empty.
  std::string_view flag;
  std::string_view valueName;  // "TEXT", "R,G,B"; empty for a flag
  std::string_view help;

  // The settings file: a byte offset of the fixed layout (and a text's field width),
  // or a record tag (and, for the character map, the tag of the map file's path).
  StoredIn stored = StoredIn::kNowhere;
  int offset = 0;  // kClassic: byte offset; kExtension: record tag
  int width = 0;   // kClassic text: field width; kCharMap: the path record's tag
  StoredCharset charset = StoredCharset::kUtf8;

  // As the command line writes it: "32x8", "cp1252", "1", "" for none.
  std::string_view defaultValue;
  std::span<const OptionChoice> choices;
  // kChoice: the values whose buttons decide, in the order a reader tries them when
  // several are checked, and the value when none of them is (-1: no value).
  std::span<const int> readOrder;
  int noneChecked = -1;

  // The check before a run: low..high (a range only when low <= high), with message; a
  // kRgb message has "{}" where the channel's name goes. When applies is set, the
  // option is read and checked only when it says so for what the rows before filled.
  int low = 1;
  int high = 0;
  std::string_view message;
  bool (*applies)(const SheetOptions&) = nullptr;
  bool checkedForAutosize = false;  // Autosize checks it too (the cell it sizes for)
  // A check across options, made once the option is filled; fails with message.
  bool (*consistent)(const SheetOptions&) = nullptr;
  // Read without its check, a value out of range is the default rather than itself.
  bool outOfRangeIsDefault = false;

  // Fills the option's member; nothing for options that only the dialog uses.
  void (*fill)(SheetOptions&, const struct OptionValue&) = nullptr;
};

// The extension record that holds a choice of option.
inline int ChoiceTag(const OptionDef& option, const OptionChoice& choice) {
  return choice.tag != 0 ? choice.tag : option.offset;
}

// A checked option's value, in the member its kind uses.
struct OptionValue {
  int number = 0;  // kInt, kChoice's value, kFlagSet's bits, kFlag's 0/1
  ColorTriple rgb;
  std::string text;  // kText, kFontFile
  Grid grid;
  CellSize cell;
  CharMap map;
  std::optional<FontRequest> font;  // kFace: the request the font fields describe
  std::vector<FallbackFace> faces;  // kFaceList: each entry, its name as the font list has it
};

// The word of a kFaceList for no face, and the one for fontconfig's choice.
inline constexpr std::string_view kNoFaceWord = "none";
inline constexpr std::string_view kSystemFaceWord = "system";

// The entries of a kFaceList's text: separated by commas, white space around each one
// trimmed, empty ones and "none" (any case) left out.
std::vector<std::string> SplitFaceList(std::string_view text);

// Every option, in the order they are checked.
std::span<const OptionDef> OptionTable();

// The option of flag ("--grid"), or nullptr.
const OptionDef* FindOptionByFlag(std::string_view flag);
// The option a control belongs to (any of its controls, or a choice's button), or nullptr.
const OptionDef* FindOptionByControl(int control);
// The option kept in the extension block under tag (its own, its path's or one of its
// choices'), or nullptr.
const OptionDef* FindOptionByTag(int tag);

// The choice of an option named name, or nullptr.
const OptionChoice* FindChoice(const OptionDef& option, std::string_view name);
// The choice of an option whose value is value, or nullptr.
const OptionChoice* FindChoiceOfValue(const OptionDef& option, int value);

// The range's message of a kRgb option for one channel (0 red, 1 green, 2 blue).
std::string ChannelMessage(const OptionDef& option, int channel);

// True when value lies in the option's range (every value when it has none).
bool InOptionRange(const OptionDef& option, int value);
