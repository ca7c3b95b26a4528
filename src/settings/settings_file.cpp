// The settings file: the dialogs, the writer and the loader.
#include "settings/settings_file.h"

#include <cstdio>
#include <memory>

#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"
#include "dialog/enabling_rules.h"
#include "dialog/font_file.h"
#include "dialog/layout_fields.h"
#include "dialog/mode_buttons.h"
#include "fileio/read_regular_file.h"
#include "fileio/replace_file.h"
#include "settings/settings_fields.h"
#include "settings/settings_layout.h"

namespace {

// The integer fields from Char width to Color steps, in the file's order.
constexpr int kIntFields[] = {kIdCharWidth, kIdCharHeight, kIdBgRed,    kIdBgGreen,
                              kIdBgBlue,    kIdTopRed,     kIdTopGreen, kIdTopBlue,
                              kIdSubRed,    kIdSubGreen,   kIdSubBlue,  kIdColorSteps};
constexpr int kFlagFields[] = {kIdBold, kIdItalic, kIdUnderline, kIdTrimOverflow};

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

SettingsExtension::CharMap StoredCharMap(CharMapKind kind) {
  switch (kind) {
    case CharMapKind::kCp437:
      return SettingsExtension::CharMap::kCp437;
    case CharMapKind::kTcod:
      return SettingsExtension::CharMap::kTcod;
    case CharMapKind::kFile:
      return SettingsExtension::CharMap::kUserFile;
    case CharMapKind::kCp1252:
      break;
  }
  return SettingsExtension::CharMap::kCp1252;
}

std::string CharMapName(SettingsExtension::CharMap map, const std::string& path) {
  switch (map) {
    case SettingsExtension::CharMap::kCp437:
      return "cp437";
    case SettingsExtension::CharMap::kTcod:
      return "tcod";
    case SettingsExtension::CharMap::kUserFile:
      return path;
    case SettingsExtension::CharMap::kCp1252:
      break;
  }
  return "cp1252";
}

// Opens the font file that the extension block of bytes names, before the stored face
// name is selected, so that the name can select one of the file's typefaces. A
// damaged block is reported when the whole file is loaded; here it opens nothing.
void OpenStoredFontFile(Dialog& dlg, std::string_view bytes) {
  if (bytes.size() <= kSettingsFileSize) return;
  SettingsExtension extension;
  std::string warning;
  if (!DecodeSettingsExtension(bytes.substr(kSettingsFileSize), extension, warning)) return;
  if (!extension.fontFilePath.empty()) OpenFontFile(dlg, extension.fontFilePath);
}

}  // namespace

// The stored output kind is the kind's own value.
static_assert(
    static_cast<int>(SettingsExtension::Output::kAlpha) == static_cast<int>(OutputKind::kAlpha) &&
    static_cast<int>(SettingsExtension::Output::kGray) == static_cast<int>(OutputKind::kGray) &&
    static_cast<int>(SettingsExtension::Output::kMono) == static_cast<int>(OutputKind::kMono));

SettingsExtension ReadSettingsExtension(Dialog& dlg) {
  // Fields that cannot be read as a value are stored as their default: validation
  // refuses them before any run, and the stored file stays loadable.
  SettingsExtension extension;
  CharMapChoice map;
  if (ReadCharMapField(dlg, map).empty()) {
    extension.charMap = StoredCharMap(map.kind);
    extension.charMapPath = map.path;
  }
  Grid grid;
  if (ReadGridFields(dlg, grid).empty()) {
    extension.gridColumns = grid.columns;
    extension.gridRows = grid.rows;
  }
  CellSize cell;
  if (ReadCellFields(dlg, cell).empty()) {
    extension.cellWidth = cell.widthPx;
    extension.cellHeight = cell.heightPx;
  }
  extension.output = static_cast<SettingsExtension::Output>(ReadOutputKind(dlg));
  extension.monoThreshold = ReadMonoThreshold(dlg);
  extension.descriptorFnt = IsChecked(dlg, kIdDescriptorFnt);
  extension.descriptorJson = IsChecked(dlg, kIdDescriptorJson);
  extension.descriptorC = IsChecked(dlg, kIdDescriptorC);
  extension.fontFilePath = SelectedFontFile(dlg);
  return extension;
}

void ApplySettingsExtension(Dialog& dlg, const SettingsExtension& extension) {
  SetText(dlg, kIdCharMap, CharMapName(extension.charMap, extension.charMapPath));
  SetInt(dlg, kIdGridColumns, extension.gridColumns);
  SetInt(dlg, kIdGridRows, extension.gridRows);
  const bool square = extension.cellWidth == 0 && extension.cellHeight == 0;
  SetText(dlg, kIdCellWidth, square ? "" : std::to_string(extension.cellWidth));
  SetText(dlg, kIdCellHeight, square ? "" : std::to_string(extension.cellHeight));
  CheckOutputKind(dlg, static_cast<OutputKind>(extension.output));
  SetInt(dlg, kIdMonoThreshold, extension.monoThreshold);
  ApplyOutputKindRule(dlg);
  SetChecked(dlg, kIdDescriptorFnt, extension.descriptorFnt);
  SetChecked(dlg, kIdDescriptorJson, extension.descriptorJson);
  SetChecked(dlg, kIdDescriptorC, extension.descriptorC);
}

std::string EncodeSettings(Dialog& dlg) {
  SettingsWriter out;
  WriteTextField(out, dlg, kIdFontList, kFaceNameFieldWidth, StoredCharset::kUtf8);
  WriteTextField(out, dlg, kIdCharacters, kTextFieldWidth, StoredCharset::kWindows1252);
  WriteTextField(out, dlg, kIdTexturePath, kTextFieldWidth, StoredCharset::kUtf8);
  for (int id : kFlagFields) WriteFlagByte(out, dlg, id);
  for (int id : kIntFields) WriteIntField(out, dlg, id);
  WriteCodeByte(out, ExportModeCode(dlg));
  WriteCodeByte(out, ColorModeCode(dlg));
  WriteIntField(out, dlg, kIdTileSize);
  WriteFlagByte(out, dlg, kIdCenter);
  WriteIntField(out, dlg, kIdRangeFrom);
  WriteIntField(out, dlg, kIdRangeTo);
  return std::move(out.bytes);
}

void LoadSettingsFromBytes(Dialog& dlg, std::string_view bytes) {
  SettingsReader in{bytes};

  // The face: a file that ends before its first byte leaves the selection alone.
  std::string face;
  if (ReadStoredText(in, kFaceNameFieldWidth, StoredCharset::kUtf8, face) == kOk) {
    SelectStoredFace(dlg, face);
  }

  // Texts, flags and integers.
  ReadTextField(in, dlg, kIdCharacters, kTextFieldWidth, StoredCharset::kWindows1252);
  ReadTextField(in, dlg, kIdTexturePath, kTextFieldWidth, StoredCharset::kUtf8);
  for (int id : kFlagFields) ReadFlagByte(in, dlg, id);
  for (int id : kIntFields) ReadIntField(in, dlg, id);

  // The modes. A group is cleared and set only when its code is in the file, so
  // that a file ending before it never leaves a group with no button checked.
  std::uint8_t code = 0;
  if (ReadCodeByte(in, code) == kOk) CheckExportModeOfCode(dlg, code);
  if (ReadCodeByte(in, code) == kOk) CheckColorModeOfCode(dlg, code);

  // Tile size and centering, then the range; a file that ended before the end of
  // the centering byte is an older version's (or a cut one).
  ReadIntField(in, dlg, kIdTileSize);
  ReadFlagByte(in, dlg, kIdCenter);
  if (in.reachedEnd) {
    ApplyOldVersionDefaults(dlg);
  } else {
    ReadIntField(in, dlg, kIdRangeFrom);
    ReadIntField(in, dlg, kIdRangeTo);
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

int SaveSettingsToFile(Dialog& dlg, const std::string& path) {
  return SaveSettingsToFile(dlg, path, ReadSettingsExtension(dlg));
}

int SaveSettingsToFile(Dialog& dlg, const std::string& path, const SettingsExtension& extension) {
  if (WriteFileReplacing(path, EncodeSettings(dlg, extension))) return 0;
  dlg.host.MessageBox("Could not write the specified file!", "Error", MessageIcon::kQuestion);
  return 1;
}

int LoadSettingsFromFile(Dialog& dlg, const std::string& path) {
  SettingsExtension extension;
  if (LoadSettingsFromFile(dlg, path, extension) != 0) return 1;
  ApplySettingsExtension(dlg, extension);
  return 0;
}

int LoadSettingsFromFile(Dialog& dlg, const std::string& path, SettingsExtension& extension) {
  // The whole file is read before any field changes, so that a file that cannot be
  // read (a folder, a FIFO, say) changes nothing. One byte more than the largest
  // extension block is read, so that a longer one is seen as damaged, not cut short.
  const Result<FileRead> file =
      ReadRegularFile(path.c_str(), kSettingsFileSize + kMaxSettingsExtensionSize + 1);
  if (!file) {
    dlg.host.MessageBox("Could not open the specified file!", "Error", MessageIcon::kQuestion);
    return 1;
  }
  OpenStoredFontFile(dlg, file->bytes);
  LoadSettingsFromBytes(dlg, file->bytes, extension);
  return 0;
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
  if (SaveSettingsToFile(dlg, *path) != 0) return;
  dlg.host.FileUsed(UsedFileKind::kSettings, *path);
  dlg.host.ShowStatus("Saved the settings to " + *path);
}

void LoadSettings(Dialog& dlg) {
  const auto path = dlg.host.AskOpenFile(SettingsFileRequest("Load settings", false));
  if (!path || path->empty()) return;
  if (LoadSettingsFromFile(dlg, *path) == 0) dlg.host.FileUsed(UsedFileKind::kSettings, *path);
}
