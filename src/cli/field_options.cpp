// Field options: each one acts on the dialog as a user would.
#include "cli/field_options.h"

#include <limits>
#include <map>
#include <vector>

#include "base/char_codes.h"
#include "dialog/control_table.h"
#include "dialog/dialog_fields.h"
#include "dialog/font_file.h"
#include "dialog/layout_fields.h"
#include "dialog/mode_buttons.h"
#include "layout/charmap.h"
#include "layout/grid.h"
#include "options/control_ids.h"
#include "options/option_table.h"
#include "settings/settings_file.h"
#include "text/case_fold.h"

namespace {

// The table's options in the order the help lists them.
constexpr std::string_view kHelpOrder[] = {
    "--font",        "--font-file",    "--height",   "--width",   "--tile-size", "--steps",
    "--from",        "--to",           "--chars",    "--texture", "--bold",      "--italic",
    "--underline",   "--center",       "--trim",     "--export",  "--color",     "--bg",
    "--top",         "--sub",          "--charmap",  "--grid",    "--pages",     "--cell",
    "--box-drawing", "--pixel-font",   "--fallback", "--output",  "--threshold", "--sdf-spread",
    "--descriptor",  "--font-file-out"};

// "R,G,B" with three integers; empty on success, else the reason.
std::string ParseRgb(const std::string& text, int out[3]) {
  std::size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    const std::size_t end = i < 2 ? text.find(',', start) : text.size();
    if (end == std::string::npos) return "expected three integers R,G,B";
    const std::string part = text.substr(start, end - start);
    std::size_t used = 0;
    try {
      out[i] = std::stoi(part, &used);
    } catch (const std::exception&) {
      used = 0;
    }
    if (part.empty() || used != part.size()) return "\"" + part + "\" is not an integer";
    start = end + 1;
  }
  return {};
}

std::string CheckRgb(const std::string& text) {
  int rgb[3];
  return ParseRgb(text, rgb);
}

std::string CheckGrid(const std::string& text) {
  return ParseGrid(text).message();
}

std::string CheckCell(const std::string& text) {
  return ParseCellSize(text).message();
}

// A value within an option's range: "\"0\" is not a threshold from 1 to 255".
std::string CheckInRange(const OptionDef& option, const std::string& text) {
  std::size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (text.empty() || used != text.size() || !InOptionRange(option, value)) {
    return "\"" + text + "\" is not a " + std::string(option.flag.substr(2)) + " from " +
           std::to_string(option.low) + " to " + std::to_string(option.high);
  }
  return {};
}

std::vector<std::string> ChoiceNames(const OptionDef& option) {
  std::vector<std::string> names;
  for (const OptionChoice& choice : option.choices) names.emplace_back(choice.name);
  return names;
}

CLI::Option* AddOption(CLI::App& command, const OptionDef& option) {
  const std::string flag(option.flag);
  const std::string help(option.help);
  const std::string valueName(option.valueName);
  switch (option.kind) {
    case OptionKind::kFlag:
      return command.add_flag(flag, help);
    case OptionKind::kChoice:
    case OptionKind::kFlagSet:
      return command.add_option(flag, help)
          ->check(CLI::IsMember(ChoiceNames(option)))
          ->type_name(valueName);
    case OptionKind::kRgb:
      return command.add_option(flag, help)->check(CheckRgb, valueName)->type_name(valueName);
    case OptionKind::kGrid:
      return command.add_option(flag, help)->check(CheckGrid, valueName)->type_name(valueName);
    case OptionKind::kCell:
      return command.add_option(flag, help)->check(CheckCell, valueName)->type_name(valueName);
    case OptionKind::kInt:
      // An option kept in the extension block holds only values in its range; the
      // others are typed into their fields as they are, and checked before a run.
      if (option.stored == StoredIn::kExtension) {
        return command.add_option(flag, help)
            ->check([&option](const std::string& text) { return CheckInRange(option, text); },
                    std::to_string(option.low) + ".." + std::to_string(option.high))
            ->type_name(valueName);
      }
      return command.add_option(flag, help)->type_name(valueName);
    default:
      return command.add_option(flag, help)->type_name(valueName);
  }
}

// Sets the option's controls to the command line's value, as a user would.
void ApplyOption(const OptionDef& option, const std::string& value, Dialog& dlg,
                 HeadlessHost& host) {
  switch (option.kind) {
    case OptionKind::kFlag:
      // A click that leaves the box checked.
      if (!IsChecked(dlg, option.control)) host.Click(option.control);
      break;
    case OptionKind::kChoice:
      host.Click(FindChoice(option, value)->control);
      break;
    case OptionKind::kFlagSet:
      if (const int id = FindChoice(option, value)->control; !IsChecked(dlg, id)) host.Click(id);
      break;
    case OptionKind::kRgb: {
      int rgb[3];
      ParseRgb(value, rgb);
      for (int i = 0; i < 3; ++i) SetInt(dlg, option.control + i, rgb[i]);
      break;
    }
    case OptionKind::kGrid: {
      const Result<Grid> parsed = ParseGrid(value);  // checked when the option was read
      WriteGridFields(dlg, parsed ? *parsed : Grid{});
      break;
    }
    case OptionKind::kCell: {
      const Result<CellSize> parsed = ParseCellSize(value);
      const CellSize cell = parsed ? *parsed : CellSize{};
      const bool square = IsSquareTileCell(cell);
      SetText(dlg, option.control, square ? "" : std::to_string(cell.widthPx));
      SetText(dlg, option.control + 1, square ? "" : std::to_string(cell.heightPx));
      break;
    }
    case OptionKind::kFaceList: {
      // Each value goes at the end of the list; "none" empties it.
      const std::string list = ReadText(dlg, option.control, std::numeric_limits<int>::max());
      if (SplitFaceList(value).empty()) {
        SetText(dlg, option.control, "");
      } else {
        SetText(dlg, option.control, SplitFaceList(list).empty() ? value : list + ", " + value);
      }
      break;
    }
    default:
      SetText(dlg, option.control, value);
      break;
  }
}

// A --fallback value: none, system, or the beginning of a font name.
bool KnownFallbackFace(Dialog& dlg, const std::string& value) {
  for (const std::string& entry : SplitFaceList(value)) {
    if (!EqualsIgnoringCase(entry, kSystemFaceWord) && FontListFindPrefix(dlg, entry) < 0) {
      return false;
    }
  }
  return true;
}

std::string CheckField(const std::string& text) {
  const std::size_t eq = text.find('=');
  if (eq == std::string::npos || eq == 0) return "expected ID=TEXT";
  std::size_t used = 0;
  int id = 0;
  try {
    id = std::stoi(text.substr(0, eq), &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != eq) return "\"" + text.substr(0, eq) + "\" is not a control identifier";
  const ControlDef* def = FindControl(id);
  if (!def) return "no control has the identifier " + std::to_string(id);
  switch (def->kind) {
    case ControlKind::kEdit:
    case ControlKind::kDigitsEdit:
    case ControlKind::kMultilineEdit:
    case ControlKind::kReadOnlyLog:
    case ControlKind::kLabel:
    case ControlKind::kCharMapList:
      return {};
    default:
      return "control " + std::to_string(id) + " holds no text";
  }
}

}  // namespace

FieldOptions AddFieldOptions(CLI::App& command) {
  FieldOptions fields;
  auto add = [&](CLI::Option* option) {
    option->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)->group("Fields");
    fields.options.push_back(option);
  };
  // No existence check: a file that cannot be opened gets the load's own message.
  add(command.add_option("--settings", "load a settings file, as \"Load settings ...\" does")
          ->type_name("FILE"));
  for (std::string_view flag : kHelpOrder) add(AddOption(command, *FindOptionByFlag(flag)));
  add(command.add_option("--field", "set the text of any text control verbatim")
          ->check(CheckField, "ID=TEXT")
          ->type_name("ID=TEXT"));
  return fields;
}

Status ApplyFieldOptions(const CLI::App& command, const FieldOptions& fields, Dialog& dlg,
                         HeadlessHost& host) {
  std::map<const CLI::Option*, std::size_t> seen;
  bool gridGiven = false;  // by --grid, a settings file or a --field of its own
  bool mapGiven = false;
  for (const CLI::Option* option : command.parse_order()) {
    if (std::find(fields.options.begin(), fields.options.end(), option) == fields.options.end()) {
      continue;
    }
    const std::string name = option->get_name();
    const std::size_t occurrence = seen[option]++;
    const auto& results = option->results();
    const std::string value = occurrence < results.size() ? results[occurrence] : std::string();

    if (name == "--settings") {
      if (!LoadSettingsFromFile(dlg, value)) return Failure({});
      gridGiven = true;
      continue;
    }
    if (name == "--field") {
      const std::size_t eq = value.find('=');
      const int id = std::stoi(value.substr(0, eq));
      gridGiven = gridGiven || id == kIdGridColumns || id == kIdGridRows;
      SetText(dlg, std::stoi(value.substr(0, eq)), value.substr(eq + 1));
      continue;
    }
    const OptionDef& def = *FindOptionByFlag(name);
    gridGiven = gridGiven || def.kind == OptionKind::kGrid;
    mapGiven = mapGiven || def.kind == OptionKind::kCharMap;
    if (def.kind == OptionKind::kFontFile) {
      if (OpenFontFile(dlg, value) != 0) return Failure({});
    } else if (def.kind == OptionKind::kFace) {
      if (FontListSelectPrefix(dlg, value) != 0) {
        return Failure("--font: no installed font begins with \"" + value + "\"");
      }
    } else if (def.kind == OptionKind::kFaceList && !KnownFallbackFace(dlg, value)) {
      return Failure("--fallback: no installed font begins with \"" + value + "\"");
    } else {
      ApplyOption(def, value, dlg, host);
    }
  }
  // Unicode ranges, a face's characters or a map file of more than 256 cells, with no grid
  // given, take the grid chosen from the map; smaller files keep 32x8 as they always have.
  if (mapGiven && !gridGiven) {
    const Result<CharMapChoice> map = ReadCharMapField(dlg);
    bool chosen = map && (map->kind == CharMapKind::kUnicode || map->kind == CharMapKind::kFont);
    if (map && map->kind == CharMapKind::kFile) {
      const Result<CharMap> loaded = LoadCharMap(*map);  // its faults are told by the run
      chosen = loaded && loaded->cells.size() > static_cast<std::size_t>(kCodes);
    }
    if (chosen) WriteGridFields(dlg, kAutoGrid);
  }
  return {};
}
