// The settings file: the dialogs, the writer and the loader.
#include "settings/settings_file.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <tuple>
#include <vector>

#include "dialog/dialog_fields.h"
#include "dialog/enabling_rules.h"
#include "dialog/font_file.h"
#include "dialog/layout_fields.h"
#include "dialog/mode_buttons.h"
#include "dialog/option_fields.h"
#include "fileio/read_regular_file.h"
#include "fileio/replace_file.h"
#include "options/control_ids.h"
#include "settings/settings_fields.h"
#include "settings/settings_layout.h"

namespace {

FileDialogRequest SettingsFileRequest(const char* title, bool confirmOverwrite) {
  FileDialogRequest request;
  request.title = title;
  request.filters = {{"INI - Glyphex settings", "*.ini"}, {"All Files", "*.*"}};
  request.defaultExtension = ".ini";
  request.confirmOverwrite = confirmOverwrite;
  return request;
}

// Selects the first installed face whose name begins with the stored one; the
// selection stays when none does.
void SelectStoredFace(Dialog& dlg, const std::string& name) {
  if (FontListSelectPrefix(dlg, name) == 0) return;
  const std::string text =
      "You don't have the font " + name + " intalled, which is specified in the settings file!";
  dlg.host.MessageBox(text, "Error", MessageIcon::kWarning);
}

// Files written before version 0.3 stop after the color mode: they have neither tile
// size nor centering nor range, and their characters text meant something else.
void ApplyOldVersionDefaults(Dialog& dlg) {
  dlg.host.MessageBox(
      "This settings file is from a version before 0.3!\n"
      "Tile size defaults to 8 and horizontal centering to false.\n"
      "CAUTION: The field which is now \"Exclude characters\" if export is set to all or normal "
      "was \"Export characters\" in these versions and was filled with almost everything by "
      "default!",
      "Warning", MessageIcon::kWarning);
  SetText(dlg, kIdTileSize, "8");
  SetChecked(dlg, kIdCenter, false);
}

// The classic options in the order of their offsets; the table keeps them contiguous.
std::vector<const OptionDef*> ClassicOptions() {
  std::vector<const OptionDef*> options;
  for (const OptionDef& option : OptionTable()) {
    if (option.stored == StoredIn::kClassic) options.push_back(&option);
  }
  std::sort(options.begin(), options.end(),
            [](const OptionDef* a, const OptionDef* b) { return a->offset < b->offset; });
  return options;
}

void WriteClassicOption(SettingsWriter& out, Dialog& dlg, const OptionDef& option) {
  switch (option.kind) {
    case OptionKind::kFace:
    case OptionKind::kText:
      WriteTextField(out, dlg, option.control, option.width, option.charset);
      break;
    case OptionKind::kFlag:
      WriteFlagByte(out, dlg, option.control);
      break;
    case OptionKind::kInt:
      WriteIntField(out, dlg, option.control);
      break;
    case OptionKind::kRgb:
      for (int i = 0; i < 3; ++i) WriteIntField(out, dlg, option.control + i);
      break;
    case OptionKind::kChoice: {
      // No checked button is written as the last choice's code.
      const OptionChoice* choice = FindChoiceOfValue(option, ReadChoiceValue(dlg, option));
      WriteCodeByte(out,
                    static_cast<std::uint8_t>(choice ? choice->code : option.choices.back().code));
      break;
    }
    default:
      break;
  }
}

// A code no choice has means the group's fallback: the value of no checked button, or
// the last choice.
int ChoiceValueOfCode(const OptionDef& option, int code) {
  for (const OptionChoice& choice : option.choices) {
    if (choice.code == code) return choice.value;
  }
  return option.noneChecked >= 0 ? option.noneChecked : option.choices.back().value;
}

void ReadClassicOption(SettingsReader& in, Dialog& dlg, const OptionDef& option) {
  switch (option.kind) {
    case OptionKind::kFace: {
      // A file that ends before the name's first byte leaves the selection alone.
      std::string face;
      if (ReadStoredText(in, option.width, option.charset, face)) SelectStoredFace(dlg, face);
      break;
    }
    case OptionKind::kText:
      ReadTextField(in, dlg, option.control, option.width, option.charset);
      break;
    case OptionKind::kFlag:
      ReadFlagByte(in, dlg, option.control);
      break;
    case OptionKind::kInt:
      ReadIntField(in, dlg, option.control);
      break;
    case OptionKind::kRgb:
      for (int i = 0; i < 3; ++i) ReadIntField(in, dlg, option.control + i);
      break;
    case OptionKind::kChoice: {
      // A group is cleared and set only when its code is in the file, so that a file
      // ending before it never leaves a group with no button checked.
      std::uint8_t code = 0;
      if (ReadCodeByte(in, code)) CheckChoiceValue(dlg, option, ChoiceValueOfCode(option, code));
      break;
    }
    default:
      break;
  }
}

std::string PairPayload(int first, int second) {
  std::string payload;
  for (int value : {first, second}) {
    payload += static_cast<char>(value & 0xFF);
    payload += static_cast<char>((value >> 8) & 0xFF);
  }
  return payload;
}

std::pair<int, int> PairOfPayload(std::string_view payload) {
  const auto u16 = [&](std::size_t at) {
    return static_cast<int>(static_cast<unsigned char>(payload[at]) |
                            static_cast<unsigned char>(payload[at + 1]) << 8);
  };
  return {u16(0), u16(2)};
}

// The records of one extension option's value, none at its default. Fields that cannot
// be read as a value are stored as their default: validation refuses them before any
// run, and the stored file stays loadable.
void AddRecords(Dialog& dlg, const OptionDef& option, SettingsExtension& out) {
  const int tag = option.offset;
  switch (option.kind) {
    case OptionKind::kCharMap: {
      const Result<CharMapChoice> map = ReadCharMapField(dlg);
      if (!map) break;
      if (map->kind != CharMapKind::kCp1252) {
        out[tag] = std::string(1, static_cast<char>(map->kind));
      }
      if (!map->path.empty()) out[option.width] = map->path;
      break;
    }
    case OptionKind::kGrid: {
      const Result<Grid> grid = ReadGridFields(dlg);
      if (!grid) break;
      const Grid defaults = *ParseGrid(option.defaultValue);
      // A grid left out is stored as 0 x 0.
      if (grid->columns != defaults.columns || grid->rows != defaults.rows) {
        out[tag] = PairPayload(grid->columns, grid->rows);
      }
      break;
    }
    case OptionKind::kCell: {
      const Result<CellSize> cell = ReadCellFields(dlg);
      if (cell && !IsSquareTileCell(*cell)) out[tag] = PairPayload(cell->widthPx, cell->heightPx);
      break;
    }
    case OptionKind::kChoice: {
      const OptionChoice* choice = FindChoiceOfValue(option, ReadChoiceValue(dlg, option));
      if (!choice || choice->name == option.defaultValue) break;
      out[ChoiceTag(option, *choice)] = std::string(1, static_cast<char>(choice->code));
      // A choice of its own tag leaves older readers the choice they know.
      if (choice->tag != 0) out[tag] = std::string(1, static_cast<char>(choice->olderCode));
      break;
    }
    case OptionKind::kInt: {
      int value = ReadInt(dlg, option.control);
      if (!InOptionRange(option, value)) value = ParseLikeAtoi(option.defaultValue);
      if (value != ParseLikeAtoi(option.defaultValue))
        out[tag] = std::string(1, static_cast<char>(value));
      break;
    }
    case OptionKind::kFlagSet: {
      // Each checked choice's bit in its record's byte.
      const int bits = ReadFlagSetBits(dlg, option);
      for (const OptionChoice& choice : option.choices) {
        if ((bits & choice.value) == 0) continue;
        std::string& byte = out[ChoiceTag(option, choice)];
        if (byte.empty()) byte.push_back('\0');
        byte[0] = static_cast<char>(static_cast<unsigned char>(byte[0]) | choice.code);
      }
      break;
    }
    case OptionKind::kFontFile:
      if (std::string path = SelectedFontFile(dlg); !path.empty()) out[tag] = std::move(path);
      break;
    case OptionKind::kFaceList: {
      std::string list;
      for (const std::string& entry :
           SplitFaceList(ReadText(dlg, option.control, std::numeric_limits<int>::max()))) {
        list += (list.empty() ? "" : ", ") + entry;
      }
      if (!list.empty()) out[tag] = std::move(list);
      break;
    }
    default:
      break;
  }
}

// Sets one extension option's controls to its record's value, or its default.
void ApplyRecords(Dialog& dlg, const OptionDef& option, const SettingsExtension& records) {
  const auto record = records.find(option.offset);
  const bool stored = record != records.end();
  switch (option.kind) {
    case OptionKind::kCharMap: {
      const int kind = stored ? static_cast<unsigned char>(record->second[0]) : 0;
      const auto path = records.find(option.width);
      // A file's path and the ranges of a Unicode map are kept in the path record.
      const std::string text = path != records.end() ? path->second : std::string();
      SetText(dlg, option.control,
              CharMapName({.kind = static_cast<CharMapKind>(kind), .path = text}));
      break;
    }
    case OptionKind::kGrid: {
      Grid grid = *ParseGrid(option.defaultValue);
      if (stored) std::tie(grid.columns, grid.rows) = PairOfPayload(record->second);
      WriteGridFields(dlg, grid);
      break;
    }
    case OptionKind::kCell: {
      const auto [width, height] = stored ? PairOfPayload(record->second) : std::pair{0, 0};
      const bool square = width == 0 && height == 0;
      SetText(dlg, option.control, square ? "" : std::to_string(width));
      SetText(dlg, option.control + 1, square ? "" : std::to_string(height));
      break;
    }
    case OptionKind::kChoice: {
      int value = stored ? ChoiceValueOfCode(option, static_cast<unsigned char>(record->second[0]))
                         : FindChoice(option, option.defaultValue)->value;
      // A newer choice's own record outweighs what the option's record tells older readers.
      for (const OptionChoice& choice : option.choices) {
        const auto own = choice.tag != 0 ? records.find(choice.tag) : records.end();
        if (own != records.end() && static_cast<unsigned char>(own->second[0]) == choice.code) {
          value = choice.value;
        }
      }
      CheckChoiceValue(dlg, option, value);
      break;
    }
    case OptionKind::kInt:
      SetInt(dlg, option.control,
             stored ? static_cast<unsigned char>(record->second[0])
                    : ParseLikeAtoi(option.defaultValue));
      break;
    case OptionKind::kFlagSet: {
      int bits = 0;
      for (const OptionChoice& choice : option.choices) {
        const auto byte = records.find(ChoiceTag(option, choice));
        if (byte != records.end() && (static_cast<unsigned char>(byte->second[0]) & choice.code)) {
          bits |= choice.value;
        }
      }
      CheckFlagSetBits(dlg, option, bits);
      break;
    }
    case OptionKind::kFaceList:
      SetText(dlg, option.control, stored ? record->second : std::string());
      break;
    default:
      break;  // the font file is opened before the face is selected
  }
}

// Opens the font file that the extension block of bytes names, before the stored face
// name is selected, so that the name can select one of the file's typefaces. A
// damaged block is reported when the whole file is loaded; here it opens nothing.
void OpenStoredFontFile(Dialog& dlg, std::string_view bytes) {
  if (bytes.size() <= kSettingsFileSize) return;
  SettingsExtension extension;
  std::string warning;
  if (!DecodeSettingsExtension(bytes.substr(kSettingsFileSize), extension, warning)) return;
  for (const auto& [tag, payload] : extension) {
    const OptionDef* option = FindOptionByTag(tag);
    if (option && option->kind == OptionKind::kFontFile) OpenFontFile(dlg, payload);
  }
}

}  // namespace

SettingsExtension ReadSettingsExtension(Dialog& dlg) {
  SettingsExtension extension;
  for (const OptionDef& option : OptionTable()) {
    if (option.stored == StoredIn::kExtension) AddRecords(dlg, option, extension);
  }
  return extension;
}

void ApplySettingsExtension(Dialog& dlg, const SettingsExtension& extension) {
  for (const OptionDef& option : OptionTable()) {
    if (option.stored == StoredIn::kExtension) ApplyRecords(dlg, option, extension);
  }
  ApplyOutputKindRule(dlg);
}

std::string EncodeSettings(Dialog& dlg) {
  SettingsWriter out;
  for (const OptionDef* option : ClassicOptions()) WriteClassicOption(out, dlg, *option);
  return std::move(out.bytes);
}

void LoadSettingsFromBytes(Dialog& dlg, std::string_view bytes) {
  SettingsReader in{bytes};
  for (const OptionDef* option : ClassicOptions()) {
    // A file that ended before the range is an older version's (or a cut one): it has
    // neither tile size nor centering nor range.
    if (option->offset == kRangeFromOffset && in.reachedEnd) {
      ApplyOldVersionDefaults(dlg);
      break;
    }
    ReadClassicOption(in, dlg, *option);
  }
  // The controls follow the loaded modes.
  ApplyColorModeRule(dlg);
  ApplyExportModeRule(dlg);
}

std::string EncodeSettings(Dialog& dlg, const SettingsExtension& extension) {
  return EncodeSettings(dlg) + EncodeSettingsExtension(extension);
}

void LoadSettingsFromBytes(Dialog& dlg, std::string_view bytes, SettingsExtension& extension) {
  LoadSettingsFromBytes(dlg, bytes.substr(0, kSettingsFileSize));
  const std::string_view rest =
      bytes.size() > kSettingsFileSize ? bytes.substr(kSettingsFileSize) : std::string_view();
  std::string warning;
  if (!DecodeSettingsExtension(rest, extension, warning)) {
    dlg.host.MessageBox(warning, "Warning", MessageIcon::kWarning);
  }
}

Status SaveSettingsToFile(Dialog& dlg, const std::string& path) {
  return SaveSettingsToFile(dlg, path, ReadSettingsExtension(dlg));
}

Status SaveSettingsToFile(Dialog& dlg, const std::string& path,
                          const SettingsExtension& extension) {
  if (WriteFileReplacing(path, EncodeSettings(dlg, extension))) return {};
  constexpr char kMessage[] = "Could not write the specified file!";
  dlg.host.MessageBox(kMessage, "Error", MessageIcon::kQuestion);
  return Failure(kMessage);
}

Status LoadSettingsFromFile(Dialog& dlg, const std::string& path) {
  SettingsExtension extension;
  if (Status status = LoadSettingsFromFile(dlg, path, extension); !status) return status;
  ApplySettingsExtension(dlg, extension);
  return {};
}

Status LoadSettingsFromFile(Dialog& dlg, const std::string& path, SettingsExtension& extension) {
  // The whole file is read before any field changes, so that a file that cannot be
  // read (a folder, a FIFO, say) changes nothing. One byte more than the largest
  // extension block is read, so that a longer one is seen as damaged, not cut short.
  const Result<FileRead> file =
      ReadRegularFile(path.c_str(), kSettingsFileSize + kMaxSettingsExtensionSize + 1);
  if (!file) {
    constexpr char kMessage[] = "Could not open the specified file!";
    dlg.host.MessageBox(kMessage, "Error", MessageIcon::kQuestion);
    return Failure(kMessage);
  }
  OpenStoredFontFile(dlg, file->bytes);
  LoadSettingsFromBytes(dlg, file->bytes, extension);
  return {};
}

void LoadSettingsFromMemory(Dialog& dlg, std::string_view bytes) {
  SettingsExtension extension;
  OpenStoredFontFile(dlg, bytes);
  LoadSettingsFromBytes(dlg, bytes, extension);
  ApplySettingsExtension(dlg, extension);
}

void SaveSettings(Dialog& dlg) {
  const auto path = dlg.host.AskSaveFile(SettingsFileRequest("Save settings", true));
  if (!path || path->empty()) return;
  if (!SaveSettingsToFile(dlg, *path)) return;
  dlg.host.FileUsed(UsedFileKind::kSettings, *path);
  dlg.host.ShowStatus("Saved the settings to " + *path);
}

void LoadSettings(Dialog& dlg) {
  const auto path = dlg.host.AskOpenFile(SettingsFileRequest("Load settings", false));
  if (!path || path->empty()) return;
  if (LoadSettingsFromFile(dlg, *path)) dlg.host.FileUsed(UsedFileKind::kSettings, *path);
}
