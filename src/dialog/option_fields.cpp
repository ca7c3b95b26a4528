// Reading the option table's controls.
#include "dialog/option_fields.h"

#include <limits>
#include <optional>

#include "dialog/dialog_fields.h"
#include "dialog/font_fields.h"
#include "dialog/layout_fields.h"
#include "text/case_fold.h"
#include "text/text_font.h"

namespace {

constexpr int kWholeText = std::numeric_limits<int>::max();

// A color value: a whole number from 0 to 255, white space around it allowed. It is
// not read like atoi, which would take "abc" for a valid 0.
std::optional<int> ColorValue(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
  return ParseCount(text);
}

// Each entry of a face list: "system", or the whole name of the first font list entry
// that begins with it (as --font selects one). Checked, an entry that no font name
// begins with refuses the fields; unchecked, it is left out.
Status ReadFaceList(Dialog& dlg, const OptionDef& option, bool checked, OptionValue& value) {
  for (const std::string& entry : SplitFaceList(ReadText(dlg, option.control, kWholeText))) {
    if (EqualsIgnoringCase(entry, kSystemFaceWord)) {
      value.faces.push_back({.system = true});
      continue;
    }
    const int index = FontListFindPrefix(dlg, entry);
    if (index >= 0) {
      value.faces.push_back({.face = FontListEntry(dlg, index)});
    } else if (checked) {
      return Failure("Wrong fallback face \"" + entry + "\": no font name begins with it!");
    }
  }
  return {};
}

// Reads one option into value; a failure only when checked and the fields are refused.
Status ReadOption(Dialog& dlg, const OptionDef& option, bool checked, OptionValue& value) {
  switch (option.kind) {
    case OptionKind::kFace:
      value.font = ReadFontRequest(dlg);
      return {};
    case OptionKind::kFontFile:
      return {};
    case OptionKind::kFaceList:
      return ReadFaceList(dlg, option, checked, value);
    case OptionKind::kText:
      value.text = ReadText(dlg, option.control, kWholeText);
      return {};
    case OptionKind::kFlag:
      value.number = IsChecked(dlg, option.control) ? 1 : 0;
      return {};
    case OptionKind::kChoice:
      value.number = ReadChoiceValue(dlg, option);
      return {};
    case OptionKind::kFlagSet:
      value.number = ReadFlagSetBits(dlg, option);
      return {};
    case OptionKind::kInt:
      value.number = ReadInt(dlg, option.control);
      if (InOptionRange(option, value.number)) return {};
      if (checked) return Failure(std::string(option.message));
      if (option.outOfRangeIsDefault) value.number = ParseLikeAtoi(option.defaultValue);
      return {};
    case OptionKind::kRgb: {
      int* channels[] = {&value.rgb.red, &value.rgb.green, &value.rgb.blue};
      for (int i = 0; i < 3; ++i) {
        if (!checked) {
          *channels[i] = ReadInt(dlg, option.control + i);
          continue;
        }
        const std::optional<int> number = ColorValue(ReadText(dlg, option.control + i));
        if (!number || !InOptionRange(option, *number)) {
          return Failure(ChannelMessage(option, i));
        }
        *channels[i] = *number;
      }
      return {};
    }
    case OptionKind::kCell: {
      const Result<CellSize> cell = ReadCellFields(dlg);
      if (cell) value.cell = *cell;
      return checked ? cell.status() : Status{};
    }
    case OptionKind::kGrid: {
      const Result<Grid> grid = ReadGridFields(dlg);
      if (grid) value.grid = *grid;
      return checked ? grid.status() : Status{};
    }
    case OptionKind::kCharMap: {
      const Result<CharMapChoice> choice = ReadCharMapField(dlg);
      if (!choice) {
        value.map = BuiltInCharMap(CharMapKind::kCp1252);
        return checked ? choice.status() : Status{};
      }
      Result<CharMap> map = LoadCharMap(*choice);
      if (!map) return checked ? map.status() : Status{};  // unchecked: a map of no cells
      value.map = std::move(*map);
      return {};
    }
  }
  return {};
}

// The map of the selected face's characters, once the face is read.
Status LoadFontCharMap(bool checked, SheetOptions& options) {
  if (!options.font) {
    options.charMap.cells.clear();
    return checked ? Failure("Choose a font for the map of its characters.") : Status{};
  }
  Result<CharMap> map = FontCharMap(MappedChars(*options.font));
  if (!map) return checked ? map.status() : Status{};
  options.charMap = std::move(*map);
  return {};
}

// The grid chosen for the loaded map when it was left out; checked, the pages allowed
// must hold the map's cells, and a repeated character is told.
Status SettleGrid(Dialog& dlg, bool checked, SheetOptions& options) {
  const bool given = !IsAutoGrid(options.grid);
  options.grid = ChooseGrid(options.grid, options.charMap);
  if (!checked) return {};
  const int cells = static_cast<int>(options.charMap.cells.size());
  if (Status fits = CheckPagesHoldMap(options.grid, options.maxPages, cells); !fits) {
    // Maps whose grid can be chosen say how, when the chosen one would hold them.
    const Grid chosen = ChooseGrid(kAutoGrid, options.charMap);
    const bool classic = chosen.columns == Grid{}.columns && chosen.rows == Grid{}.rows;
    if (given && !classic && PageCount(chosen, cells) == 1) {
      fits.message += dlg.host.MessagesNameFields()
                          ? " Empty Columns and Rows to have the grid chosen from the map."
                          : " Use --grid auto to have it chosen from the map.";
    }
    return fits;
  }
  // A repeated character is allowed, but a descriptor can name only one of its cells.
  if (const std::string warning = RepeatedCharsWarning(options.charMap); !warning.empty()) {
    dlg.host.MessageBox(warning, "Warning", MessageIcon::kWarning);
  }
  return {};
}

}  // namespace

Result<SheetOptions> ReadOptions(Dialog& dlg, OptionCheck check) {
  SheetOptions options;
  bool mapChecked = false;
  for (const OptionDef& option : OptionTable()) {
    const bool checked = (check == OptionCheck::kRun || option.checkedForAutosize) &&
                         (!option.applies || option.applies(options));
    OptionValue value;
    if (Status status = ReadOption(dlg, option, checked, value); !status) return status;
    if (option.fill) option.fill(options, value);
    // The map settles the grid at once, unless it waits for the face, read later.
    if (option.kind == OptionKind::kCharMap) {
      mapChecked = checked;
      if (options.charMap.kind != CharMapKind::kFont) {
        if (Status settled = SettleGrid(dlg, checked, options); !settled) return settled;
      }
    }
    if (checked && option.consistent && !option.consistent(options)) {
      return Failure(std::string(option.message));
    }
  }
  if (options.charMap.kind == CharMapKind::kFont) {
    if (Status loaded = LoadFontCharMap(mapChecked, options); !loaded) return loaded;
    if (Status settled = SettleGrid(dlg, mapChecked, options); !settled) return settled;
  }
  return options;
}

int ReadChoiceValue(Dialog& dlg, const OptionDef& option) {
  for (int value : option.readOrder) {
    const OptionChoice* choice = FindChoiceOfValue(option, value);
    if (choice && IsChecked(dlg, choice->control)) return value;
  }
  return option.noneChecked;
}

void CheckChoiceValue(Dialog& dlg, const OptionDef& option, int value) {
  for (const OptionChoice& choice : option.choices) {
    SetChecked(dlg, choice.control, false);
  }
  if (const OptionChoice* choice = FindChoiceOfValue(option, value)) {
    SetChecked(dlg, choice->control, true);
  }
}

int ReadFlagSetBits(Dialog& dlg, const OptionDef& option) {
  int bits = 0;
  for (const OptionChoice& choice : option.choices) {
    if (IsChecked(dlg, choice.control)) bits |= choice.value;
  }
  return bits;
}

void CheckFlagSetBits(Dialog& dlg, const OptionDef& option, int bits) {
  for (const OptionChoice& choice : option.choices) {
    SetChecked(dlg, choice.control, (bits & choice.value) != 0);
  }
}
