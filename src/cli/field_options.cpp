// Field options: each one acts on the dialog as a user would.
#include "cli/field_options.h"

#include <map>

#include "dialog/control_ids.h"
#include "dialog/control_table.h"
#include "dialog/dialog_fields.h"
#include "dialog/font_file.h"
#include "dialog/mode_buttons.h"
#include "layout/grid.h"
#include "settings/settings_file.h"

namespace {

// An option that acts on one control (or, for colors, the first of three).
struct FieldOption {
  const char* name;
  int id;
  const char* help;
};

constexpr FieldOption kTextOptions[] = {
    {"--height", kIdCharHeight, "Char height, as typed"},
    {"--width", kIdCharWidth, "Char width, as typed"},
    {"--tile-size", kIdTileSize, "Tile size (1 - 16), as typed"},
    {"--steps", kIdColorSteps, "Color steps, as typed"},
    {"--from", kIdRangeFrom, "first code of the range export, as typed"},
    {"--to", kIdRangeTo, "last code of the range export, as typed"},
    {"--chars", kIdCharacters, "the characters text (excluded, included or exported ones)"},
    {"--texture", kIdTexturePath, "path of the texture image of the image color modes"},
};

constexpr FieldOption kCheckOptions[] = {
    {"--bold", kIdBold, "check Bold"},
    {"--italic", kIdItalic, "check Italic"},
    {"--underline", kIdUnderline, "check Underline"},
    {"--center", kIdCenter, "check \"Center letters horizontally\""},
    {"--trim", kIdTrimOverflow, "check \"Automatic size overflow correction\""},
};

const std::map<std::string, ExportMode> kExportModes = {{"normal", ExportMode::kNormal},
                                                        {"all", ExportMode::kAll},
                                                        {"user", ExportMode::kUserDefined},
                                                        {"range", ExportMode::kRange}};
const std::map<std::string, OutputKind> kOutputKinds = {{"color", OutputKind::kColor},
                                                        {"alpha", OutputKind::kAlpha},
                                                        {"gray", OutputKind::kGray},
                                                        {"mono", OutputKind::kMono}};
const std::map<std::string, ColorMode> kColorModes = {
    {"gradient", ColorMode::kGradient},
    {"relief", ColorMode::kRelief},
    {"image", ColorMode::kImageOnly},
    {"gradient-image", ColorMode::kGradientOverImage},
    {"relief-image", ColorMode::kReliefOverImage}};

constexpr FieldOption kColorOptions[] = {
    {"--bg", kIdBgRed, "background color R,G,B"},
    {"--top", kIdTopRed, "top color R,G,B"},
    {"--sub", kIdSubRed, "sub color R,G,B"},
};

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

std::string CheckThreshold(const std::string& text) {
  std::size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (text.empty() || used != text.size() || value < kMinMonoThreshold ||
      value > kMaxMonoThreshold) {
    return "\"" + text + "\" is not a threshold from 1 to 255";
  }
  return {};
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
  add(command
          .add_option("--font",
                      "select the first font whose name begins with NAME, ignoring "
                      "case")
          ->type_name("NAME"));
  add(command
          .add_option("--font-file",
                      "add every typeface of a font file that is not installed to the font "
                      "list for this run and select the file's first; options act in the order "
                      "given, so a later --font can pick another of its typefaces")
          ->type_name("PATH"));
  for (const FieldOption& o : kTextOptions)
    add(command.add_option(o.name, o.help)->type_name("TEXT"));
  for (const FieldOption& o : kCheckOptions) add(command.add_flag(o.name, o.help));
  add(command.add_option("--export", "export mode (a click on its radio button)")
          ->check(CLI::IsMember({"normal", "all", "user", "range"}))
          ->type_name("MODE"));
  add(command.add_option("--color", "color mode (a click on its radio button)")
          ->check(CLI::IsMember({"gradient", "relief", "image", "gradient-image", "relief-image"}))
          ->type_name("MODE"));
  for (const FieldOption& o : kColorOptions) {
    add(command.add_option(o.name, o.help)->check(CheckRgb, "R,G,B")->type_name("R,G,B"));
  }
  add(command
          .add_option("--charmap",
                      "character map of the cells: cp1252 (the default), cp437, tcod, or a map "
                      "file of whitespace-separated characters or U+XXXX tokens")
          ->type_name("MAP"));
  add(command.add_option("--grid", "columns x rows of cells, 1 to 256 each (default 32x8)")
          ->check(CheckGrid, "CxR")
          ->type_name("CxR"));
  add(command
          .add_option("--cell",
                      "cell width x height in pixels, 1 to 64 each; \"\" for square cells of "
                      "the tile size (the default)")
          ->check(CheckCell, "WxH")
          ->type_name("WxH"));
  add(command
          .add_option("--output",
                      "what the sheet file holds: color (the default), alpha (the colors with "
                      "straight alpha from the coverage), gray (the coverage) or mono (1 bit)")
          ->check(CLI::IsMember({"color", "alpha", "gray", "mono"}))
          ->type_name("KIND"));
  add(command
          .add_option("--threshold",
                      "the mono output sets pixels whose coverage is at least N, 1 to 255 "
                      "(default 1: every lit pixel); kept with the other outputs")
          ->check(CheckThreshold, "1..255")
          ->type_name("N"));
  add(command
          .add_option("--descriptor",
                      "write a descriptor beside the saved sheet, with its base name: fnt "
                      "(text bitmap-font descriptor), json, or c (a C header of 1-bit cells); "
                      "repeatable")
          ->check(CLI::IsMember({"fnt", "json", "c"}))
          ->type_name("KIND"));
  add(command.add_option("--field", "set the text of any text control verbatim")
          ->check(CheckField, "ID=TEXT")
          ->type_name("ID=TEXT"));
  return fields;
}

FieldOutcome ApplyFieldOptions(const CLI::App& command, const FieldOptions& fields, Dialog& dlg,
                               HeadlessHost& host) {
  std::map<const CLI::Option*, std::size_t> seen;
  for (const CLI::Option* option : command.parse_order()) {
    if (std::find(fields.options.begin(), fields.options.end(), option) == fields.options.end()) {
      continue;
    }
    const std::string name = option->get_name();
    const std::size_t occurrence = seen[option]++;
    const auto& results = option->results();
    const std::string value = occurrence < results.size() ? results[occurrence] : std::string();

    if (name == "--settings") {
      if (LoadSettingsFromFile(dlg, value) != 0) return {{}, true};
      continue;
    }
    if (name == "--font-file") {
      if (OpenFontFile(dlg, value) != 0) return {{}, true};
      continue;
    }
    if (name == "--font") {
      if (FontListSelectPrefix(dlg, value) != 0) {
        return {"--font: no installed font begins with \"" + value + "\"", false};
      }
      continue;
    }
    bool handled = false;
    for (const FieldOption& o : kTextOptions) {
      if (name == o.name) {
        SetText(dlg, o.id, value);
        handled = true;
      }
    }
    for (const FieldOption& o : kCheckOptions) {
      if (name == o.name) {
        // A click that leaves the box checked.
        if (!IsChecked(dlg, o.id)) host.Click(o.id);
        handled = true;
      }
    }
    for (const FieldOption& o : kColorOptions) {
      if (name == o.name) {
        int rgb[3];
        ParseRgb(value, rgb);
        for (int i = 0; i < 3; ++i) SetInt(dlg, o.id + i, rgb[i]);
        handled = true;
      }
    }
    if (handled) continue;
    if (name == "--export") {
      host.Click(ExportModeButton(kExportModes.at(value)));
    } else if (name == "--color") {
      host.Click(ColorModeButton(kColorModes.at(value)));
    } else if (name == "--output") {
      host.Click(OutputKindButton(kOutputKinds.at(value)));
    } else if (name == "--threshold") {
      SetText(dlg, kIdMonoThreshold, value);
    } else if (name == "--charmap") {
      SetText(dlg, kIdCharMap, value);
    } else if (name == "--grid") {
      const Result<Grid> parsed = ParseGrid(value);  // checked when the option was read
      const Grid grid = parsed ? *parsed : Grid{};
      SetInt(dlg, kIdGridColumns, grid.columns);
      SetInt(dlg, kIdGridRows, grid.rows);
    } else if (name == "--cell") {
      const Result<CellSize> parsed = ParseCellSize(value);
      const CellSize cell = parsed ? *parsed : CellSize{};
      const bool square = IsSquareTileCell(cell);
      SetText(dlg, kIdCellWidth, square ? "" : std::to_string(cell.widthPx));
      SetText(dlg, kIdCellHeight, square ? "" : std::to_string(cell.heightPx));
    } else if (name == "--descriptor") {
      const int id = value == "fnt"    ? kIdDescriptorFnt
                     : value == "json" ? kIdDescriptorJson
                                       : kIdDescriptorC;
      if (!IsChecked(dlg, id)) host.Click(id);
    } else if (name == "--field") {
      const std::size_t eq = value.find('=');
      SetText(dlg, std::stoi(value.substr(0, eq)), value.substr(eq + 1));
    }
  }
  return {};
}
