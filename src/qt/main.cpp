// glyphex: the window. Builds the main dialog's window, connects it to the dialog
// procedure and runs until the dialog ends; the dialog's result is the exit status.
#include <QApplication>

#include "app/dialog_proc.h"
#include "preview/preview_state.h"
#include "qt/main_window.h"
#include "qt/qt_dialog_host.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("glyphex"));
  QGuiApplication::setDesktopFileName(QStringLiteral("glyphex"));

  MainWindow window;
  // Queued, so that the loop is left after the closing command has returned.
  QObject::connect(
      &window, &MainWindow::dialogEnded, &app, [](int result) { QCoreApplication::exit(result); },
      Qt::QueuedConnection);
  QtDialogHost host(window);
  Dialog dlg{host};
  StartDialog(dlg);
  if (window.endResult()) return *window.endResult();  // ended while starting
  window.show();
  const int result = QApplication::exec();
  DeletePreviewCanvas(Preview());
  return result;
}
