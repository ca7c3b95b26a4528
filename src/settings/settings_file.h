// Saving the dialog's font, export and color settings to a settings file and loading
// them back. The file's layout is described in settings_layout.h.
#pragma once

#include <string>
#include <string_view>

#include "dialog/dialog.h"

// "Save settings ...": asks for a file name and saves to it; a cancelled dialog does
// nothing.
void SaveSettings(Dialog& dlg);

// "Load settings ...": asks for a file name and loads it; a cancelled dialog does
// nothing.
void LoadSettings(Dialog& dlg);

// The settings file of the dialog's current fields: kSettingsFileSize bytes.
std::string EncodeSettings(Dialog& dlg);

// Loads a settings file's contents into the fields, in the file's order; a field that
// is not (wholly) in a short file stays as it was. Tells about a face that is not
// installed and about a file of an older version, then re-applies the enabling rules.
void LoadSettingsFromBytes(Dialog& dlg, std::string_view bytes);

// Saves the fields to path, replacing it only once the new file is complete. Returns
// 0 on success; 1 after showing "Could not write the specified file!".
int SaveSettingsToFile(Dialog& dlg, const std::string& path);

// Loads the file at path. Returns 0 on success; 1 after showing "Could not open the
// specified file!", with every field left as it was.
int LoadSettingsFromFile(Dialog& dlg, const std::string& path);
