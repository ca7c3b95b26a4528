// "Save all" in the window on the offscreen platform, with the real message boxes: the
// progress dialog is up before the first face, and no message box of the batch ends
// up beneath it.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <string>
#include <vector>

#include "app/dialog_proc.h"
#include "app/save_all.h"
#include "preview/preview_state.h"
#include "qt/main_window.h"
#include "qt/qt_dialog_host.h"

namespace {

// A message box as it stood when it appeared: whether the progress dialog was
// visible, and whether the box was the active modal window and, with the progress
// dialog up, that dialog's child.
struct SeenBox {
  std::string text;
  bool progressShown, onTop;
};

}  // namespace

class SaveAllWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void messageBoxesStandAboveTheProgressDialog() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A folder where the face's sheet goes makes its save fail.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("DejaVu Sans.png")));

    PromptProvider prompts = QtPrompts();
    const std::string folder = dir.path().toStdString();
    prompts.askFolder = [folder](QWidget*, std::string_view) {
      return std::optional<std::string>(folder);
    };
    MainWindow window;
    QtDialogHost host(window, prompts);
    Dialog dlg{host};
    StartDialog(dlg);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    host.ListClear();
    host.ListAdd("DejaVu Sans");
    host.ListSelect(0);

    // Notes how each message box stands while it runs its loop, then closes it.
    std::vector<SeenBox> seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (!box || !box->isVisible()) continue;
        auto* progress = window.findChild<QProgressDialog*>();
        const bool shown = progress && progress->isVisible();
        const bool child = shown && box->parentWidget() == progress &&
                           box->windowHandle()->transientParent() == progress->windowHandle();
        seen.push_back({box->text().toStdString(), shown,
                        QApplication::activeModalWidget() == box && (!shown || child)});
        box->done(QMessageBox::Ok);
      }
    });
    poll.start(10);
    QCOMPARE(SaveAllFonts(dlg), 1);
    poll.stop();

    QCOMPARE(seen.size(), size_t{3});
    const char* texts[] = {"Could not save the output bitmap!",
                           "Could not save the sheet of \"DejaVu Sans\"!",
                           "Save all has finished!"};
    for (std::size_t i = 0; i < seen.size(); ++i) {
      QCOMPARE(seen[i].text, std::string(texts[i]));
      QCOMPARE(seen[i].progressShown, i < 2);  // the batch's boxes, not the final one
      QVERIFY2(seen[i].onTop, texts[i]);
    }
    QVERIFY(!window.findChild<QProgressDialog*>());
    DeletePreviewCanvas(Preview());
  }
};

QTEST_MAIN(SaveAllWindowTest)
#include "save_all_window_test.moc"
