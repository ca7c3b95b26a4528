// The window's keyboard shortcuts: each one clicks a control, as the mouse would, and
// does nothing while that control is disabled.
//   Ctrl+S Save bitmap, Ctrl+Shift+S Save settings, Ctrl+O Load settings,
//   Ctrl+Shift+O Open font file, Ctrl+Q Exit, Ctrl+1 / Ctrl+2 / Ctrl+4 the zoom.
#pragma once

class MainWindow;

void AddShortcuts(MainWindow& window);
