// What the window remembers from one run to the next, kept with QSettings under the
// organisation and application name "glyphex" ($XDG_CONFIG_HOME/glyphex/glyphex.conf,
// ~/.config/glyphex/glyphex.conf when XDG_CONFIG_HOME is unset): the window's place,
// the folders the file dialogs used last, the recent settings and font files, and the
// fields as they were at exit. Paths are kept as the file system's names.
#pragma once

#include <QStringList>

#include "dialog/dialog.h"

class QWidget;

inline constexpr int kMaxRecentFiles = 8;
inline constexpr int kMaxRecentFolders = 8;

// The recent files of a kind, the latest first.
QStringList RecentFiles(UsedFileKind kind);
// Puts path first in its list, once, and keeps the latest kMaxRecentFiles.
void AddRecentFile(UsedFileKind kind, const QString& path);
void ClearRecentFiles();

// The folders that the file and folder dialogs accepted, the latest first.
QStringList RecentFolders();
void AddRecentFolder(const QString& folder);

// Before the window is shown: its place and size from the last run, unless reset. After
// it is shown, the fields from the last run, unless reset; fields that no longer fit
// (a font that has gone) get the settings loader's messages.
void RestoreWindow(QWidget& window, bool reset);
void RestoreFields(Dialog& dlg, bool reset);

// At exit: the window's place and size, and the fields as a settings file holds them
// (EncodeSettings with its extension block), with the preview text beside them.
void RememberWindow(const QWidget& window);
void RememberFields(Dialog& dlg);
