// "Recent files": a button beside "Open font file ..." whose menu lists the settings
// files loaded or saved and the font files opened lately (window_memory.h), the latest
// first, with a number key each; files that are no longer there are left out. Choosing
// one asks for it to be opened by the command that first used it.
#pragma once

#include <QPushButton>

class QMenu;

class RecentFilesButton : public QPushButton {
  Q_OBJECT

 public:
  explicit RecentFilesButton(QWidget* parent);

  // Fills the menu from the memory; done each time the menu opens.
  void FillMenu();
  QMenu* Menu() const { return menu_; }

 signals:
  // kIdLoadSettings or kIdOpenFontFile, and the file.
  void fileChosen(int commandId, const QString& path);

 private:
  QMenu* menu_;
};
