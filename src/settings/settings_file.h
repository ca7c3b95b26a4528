// Saving the dialog's font, export and color settings to a settings file and loading
// them back. The file's layout is described in settings_layout.h.
#pragma once

#include <string>
#include <string_view>

#include "base/status.h"
#include "dialog/dialog.h"
#include "settings/settings_extension.h"

// "Save settings ...": asks for a file name and saves to it, telling the host of a
// file saved (FileUsed); a cancelled dialog does nothing.
void SaveSettings(Dialog& dlg);

// "Load settings ...": asks for a file name and loads it, telling the host of a file
// loaded (FileUsed); a cancelled dialog does nothing.
void LoadSettings(Dialog& dlg);

// The settings file of the dialog's current fields: kSettingsFileSize bytes.
std::string EncodeSettings(Dialog& dlg);

// Loads a settings file's contents into the fields, in the file's order; a field that
// is not (wholly) in a short file stays as it was. Tells about a face that is not
// installed and about a file of an older version, then re-applies the enabling rules.
void LoadSettingsFromBytes(Dialog& dlg, std::string_view bytes);

// The settings file of the fields followed by extension's block (nothing more when
// every extension value is its default).
std::string EncodeSettings(Dialog& dlg, const SettingsExtension& extension);

// Loads the fixed layout as LoadSettingsFromBytes above, then sets extension from the
// bytes after it: its defaults when there is no block, and when a block is there but
// damaged, after showing kSettingsExtensionWarning (title "Warning", warning icon).
void LoadSettingsFromBytes(Dialog& dlg, std::string_view bytes, SettingsExtension& extension);

// The records of the options kept in the extension block (character map, grid, cell
// size, output kind, threshold, descriptors, and the font file opened in this session
// that holds the selected typeface), none for an option at its default; a field that
// cannot be read as a value is stored as its default.
SettingsExtension ReadSettingsExtension(Dialog& dlg);

// Sets every option kept in the extension block to its record's value, or its default
// when extension has no record of it; the threshold's enabling rule follows.
void ApplySettingsExtension(Dialog& dlg, const SettingsExtension& extension);

// Saves the fields to path, with the layout fields in the extension block, replacing
// it only once the new file is complete. Fails after showing "Could not write the
// specified file!" (the failure's message).
Status SaveSettingsToFile(Dialog& dlg, const std::string& path);
// The same with extension's block after the fields.
Status SaveSettingsToFile(Dialog& dlg, const std::string& path, const SettingsExtension& extension);

// Loads the file at path, the extension block's values into the layout fields (their
// defaults when the file has no block, or a damaged one after its warning). Fails after
// showing "Could not open the specified file!", with every field left as it was.
Status LoadSettingsFromFile(Dialog& dlg, const std::string& path);
// The same, setting extension from the file's extension block; extension is left as it
// was when the file cannot be read. A font file that the block names is opened first
// (OpenFontFile), so that the stored face name can select its typeface.
Status LoadSettingsFromFile(Dialog& dlg, const std::string& path, SettingsExtension& extension);

// Loads settings bytes held in memory (EncodeSettings with an extension block) as
// LoadSettingsFromFile loads a file's: the font file the block names is opened first,
// then the fields and the extension's values are set.
void LoadSettingsFromMemory(Dialog& dlg, std::string_view bytes);
