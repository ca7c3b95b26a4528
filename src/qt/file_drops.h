// Files dropped on the window: a settings file (".ini") is loaded as "Load settings
// ..." loads the file it is given, any other file is opened as "Open font file ..."
// opens it (a file that is no font gets that command's message). The window's edits
// would take a dropped file's name as text; the drop is caught before they see it.
#pragma once

#include <QString>

class MainWindow;

// Makes the window and every widget in it take file drops; each dropped file becomes
// window.openFileRequested(CommandForDroppedFile(path), path), in the order dropped.
void AcceptFileDrops(MainWindow& window);

// kIdLoadSettings for a settings file, kIdOpenFontFile for any other.
int CommandForDroppedFile(const QString& path);
