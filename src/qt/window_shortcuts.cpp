// The window's keyboard shortcuts.
#include "qt/window_shortcuts.h"

#include <QAbstractButton>
#include <QAction>
#include <array>

#include "options/control_ids.h"
#include "qt/main_window.h"

namespace {

struct Shortcut {
  const char* keys;
  int id;
};

constexpr std::array kShortcuts = {
    Shortcut{"Ctrl+S", kIdSaveBitmap},   Shortcut{"Ctrl+Shift+S", kIdSaveSettings},
    Shortcut{"Ctrl+O", kIdLoadSettings}, Shortcut{"Ctrl+Shift+O", kIdOpenFontFile},
    Shortcut{"Ctrl+Q", kIdExit},         Shortcut{"Ctrl+1", kIdZoom1},
    Shortcut{"Ctrl+2", kIdZoom2},        Shortcut{"Ctrl+4", kIdZoom4},
};

}  // namespace

void AddShortcuts(MainWindow& window) {
  for (const Shortcut& shortcut : kShortcuts) {
    auto* action = new QAction(&window);
    action->setShortcut(QKeySequence(QString::fromLatin1(shortcut.keys)));
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    const int id = shortcut.id;
    QObject::connect(action, &QAction::triggered, &window, [&window, id] {
      auto* button = qobject_cast<QAbstractButton*>(window.Control(id));
      if (button && button->isEnabled()) button->click();
    });
  }
}
