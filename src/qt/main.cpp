// glyphex: the window. Builds the main dialog's window, connects it to the dialog
// procedure and runs until the dialog ends; the dialog's result is the exit status.
// The window's place and the fields of the last run come back unless --reset is given,
// and are kept again at exit (window_memory.h).
#include <QApplication>
#include <QCommandLineParser>

#include "app/dialog_proc.h"
#include "preview/preview_state.h"
#include "qt/main_window.h"
#include "qt/qt_dialog_host.h"
#include "qt/window_memory.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("glyphex"));
  QGuiApplication::setDesktopFileName(QStringLiteral("glyphex"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Turns a font into a bitmap font sheet."));
  parser.addHelpOption();
  const QCommandLineOption reset(
      QStringLiteral("reset"),
      QStringLiteral("Start from the default fields and window place, not the last run's."));
  parser.addOption(reset);
  parser.process(app);  // prints and exits on --help or an unknown option
  const bool fromDefaults = parser.isSet(reset);

  MainWindow window;
  // Queued, so that the loop is left after the closing command has returned.
  QObject::connect(
      &window, &MainWindow::dialogEnded, &app, [](int result) { QCoreApplication::exit(result); },
      Qt::QueuedConnection);
  QtDialogHost host(window);
  Dialog dlg{host};
  StartDialog(dlg);
  if (window.endResult()) return *window.endResult();  // ended while starting
  RestoreWindow(window, fromDefaults);
  window.show();
  RestoreFields(dlg, fromDefaults);
  const int result = QApplication::exec();
  RememberWindow(window);
  RememberFields(dlg);
  DeletePreviewCanvas(Preview());
  return result;
}
