// The "Recent files" button.
#include "qt/recent_files_button.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "options/control_ids.h"
#include "qt/control_hints.h"
#include "qt/window_memory.h"

RecentFilesButton::RecentFilesButton(QWidget* parent)
    : QPushButton(QStringLiteral("Recent files"), parent), menu_(new QMenu(this)) {
  setAutoDefault(false);
  setToolTip(RecentFilesToolTip());
  setMenu(menu_);
  connect(menu_, &QMenu::aboutToShow, this, &RecentFilesButton::FillMenu);
}

// Each entry shows the file's name with its folder, and a number key that counts on
// from one list to the next.
void RecentFilesButton::FillMenu() {
  menu_->clear();
  int number = 0;
  auto addList = [this, &number](const QString& heading, UsedFileKind kind, int commandId) {
    menu_->addSection(heading);
    int shown = 0;
    for (const QString& path : RecentFiles(kind)) {
      const QFileInfo file(path);
      if (!file.isFile()) continue;
      ++number;
      const QString key = number <= 9 ? QStringLiteral("&%1 ").arg(number) : QString();
      QString name = file.fileName() + QStringLiteral("  (") +
                     QDir::toNativeSeparators(file.absolutePath()) + QStringLiteral(")");
      name.replace(QStringLiteral("&"), QStringLiteral("&&"));  // an "&" of the name is no key
      QAction* action = menu_->addAction(key + name);
      connect(action, &QAction::triggered, this,
              [this, commandId, path] { emit fileChosen(commandId, path); });
      ++shown;
    }
    if (shown == 0) menu_->addAction(QStringLiteral("(none)"))->setEnabled(false);
  };
  addList(QStringLiteral("Settings files"), UsedFileKind::kSettings, kIdLoadSettings);
  addList(QStringLiteral("Font files"), UsedFileKind::kFontFile, kIdOpenFontFile);
  menu_->addSeparator();
  menu_->addAction(QStringLiteral("Clear the lists"), this, [] { ClearRecentFiles(); });
}
