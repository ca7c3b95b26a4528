// The window that grows and the preview that stays current, on the offscreen platform:
// the Preview area takes a larger window's room and a small one scrolls; a shown sheet
// follows the fields, quietly, and is marked stale when they cannot make one; the
// status line says what was saved; the arrow keys move a cursor cell.
#include <QFileInfo>
#include <QProgressDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <string>
#include <vector>

#include "app/dialog_proc.h"
#include "app/export_commands.h"
#include "dialog/dialog_fields.h"
#include "options/control_ids.h"
#include "preview/preview_state.h"
#include "qt/main_window.h"
#include "qt/preview_widget.h"
#include "qt/qt_dialog_host.h"

namespace {

// The program as its entry point builds it; message boxes are recorded and the save
// dialog answers from a queue.
struct Session {
  std::vector<std::string> messages;
  std::deque<std::string> saveAnswers;
  MainWindow window;
  QtDialogHost host{window, Prompts()};
  Dialog dlg{host};
  bool exposed = false;

  Session() {
    PreviewState& preview = Preview();
    preview.zoomFactor = 1;
    preview.panX = preview.panY = 0.0f;
    preview.keyCell = -1;
    StartDialog(dlg);
    for (int i = 0; i < host.ListCount(); ++i) {
      if (host.ListEntry(i) == "DejaVu Sans") host.ListSelect(i);
    }
    window.show();
    exposed = QTest::qWaitForWindowExposed(&window);
  }
  ~Session() { DeletePreviewCanvas(Preview()); }

  PromptProvider Prompts() {
    PromptProvider p;
    p.messageBox = [this](QWidget*, std::string_view text, std::string_view, MessageIcon) {
      messages.emplace_back(text);
    };
    p.askSaveFile = [this](QWidget*, const FileDialogRequest&) -> std::optional<std::string> {
      if (saveAnswers.empty()) return std::nullopt;
      std::string answer = saveAnswers.front();
      saveAnswers.pop_front();
      return answer;
    };
    return p;
  }

  void Click(int id) {
    QWidget* widget = window.Control(id);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
  }
  // Typing into a field, as a user does: all of it replaced.
  void Type(int id, const char* text) {
    QWidget* field = window.Control(id);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
  }
};

// The canvas as "Image preview" draws it for the fields as they are now.
std::vector<std::uint32_t> DrawnNow(Session& s) {
  const std::vector<std::uint32_t> shown = Preview().canvas.pixels;
  ImagePreviewCommand(s.dlg);
  std::vector<std::uint32_t> fresh = Preview().canvas.pixels;
  Preview().canvas.pixels = shown;
  return fresh;
}

}  // namespace

class LiveWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // The Preview area takes every pixel the window has beyond the template; a window
  // smaller than the template keeps the form whole behind scroll bars. The smallest
  // window fits 1280 x 800 at 150 % (853 x 533).
  void previewTakesTheRoomAndSmallWindowsScroll() {
    Session s;
    QVERIFY(s.exposed);
    QVERIFY(s.window.minimumSize().width() <= 853 && s.window.minimumSize().height() <= 533);
    const QSize sizes[] = {{1400, 1000}, {900, 700}, {834, 500}, s.window.minimumSize()};
    for (const QSize& size : sizes) {
      s.window.resize(size);
      QTest::qWait(10);
      const QString where = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
      QCOMPARE(s.window.size(), size);
      const QSize form = s.window.Form()->size();
      const QSize extra = (form - QSize(834, 696)).expandedTo(QSize(0, 0));
      QVERIFY2(form.width() >= 834 && form.height() >= 696, qPrintable(where));
      QCOMPARE(s.window.Preview()->size(), QSize(369, 185) + extra);
      QCOMPARE(s.host.PreviewAreaWidth(), 369 + extra.width());
      const bool scrolls = s.window.ScrollArea()->verticalScrollBar()->isVisible() ||
                           s.window.ScrollArea()->horizontalScrollBar()->isVisible();
      QVERIFY2(scrolls == (size.width() < 834 || size.height() < 696 + 20), qPrintable(where));
      // The log and the rows below move with the area: nothing overlaps.
      QVERIFY(s.window.Control(kIdLog)->geometry().top() > s.window.Preview()->geometry().bottom());
      QVERIFY(s.window.Control(kIdExit)->geometry().top() >
              s.window.Control(kIdLog)->geometry().bottom());
    }
  }

  // Once shown, the sheet follows a field within the refresh wait and draws the output
  // kind; fields that cannot make a sheet leave it marked stale, without a message box,
  // until they can again.
  void shownSheetFollowsTheFields() {
    Session s;
    QVERIFY(s.exposed);
    s.Click(kIdImagePreview);
    QVERIFY(Preview().sheet.shown);
    QVERIFY(!s.host.refreshPending());

    s.Type(kIdCharHeight, "14");
    QVERIFY(s.host.refreshPending());
    QTRY_VERIFY(!s.host.refreshPending());
    QVERIFY(Preview().canvas.pixels == DrawnNow(s));

    s.Click(kIdOutputMono);
    QTRY_VERIFY(!s.host.refreshPending());
    for (std::uint32_t pixel : Preview().canvas.pixels) {
      QVERIFY(pixel == 0 || pixel == 0xFFFFFFu);
    }

    const std::vector<std::uint32_t> before = Preview().canvas.pixels;
    s.Type(kIdTileSize, "0");
    QTRY_VERIFY(!Preview().sheet.staleReason.empty());
    QCOMPARE(Preview().sheet.staleReason,
             std::string("Wrong value for tile size, must be from 1 to 16!"));
    QVERIFY(Preview().canvas.pixels == before);
    QVERIFY(s.messages.empty());

    s.Type(kIdTileSize, "12");
    QTRY_VERIFY(Preview().sheet.staleReason.empty());
    QCOMPARE(Preview().sheet.cellPx.widthPx, 12);
    QVERIFY(s.messages.empty());

    // A face selected without a notification (a font file opened) is caught by the timer.
    const int other = s.host.ListSelection() + 1;
    s.host.ListSelect(other);
    QTRY_COMPARE(Preview().sheet.fontSelection, other);
    QTRY_VERIFY(!s.host.refreshPending());
    QVERIFY(Preview().canvas.pixels == DrawnNow(s));
  }

  // The status line names the file, its size and depth and the descriptors written
  // with it, and Autosize's choice.
  void statusLineSaysWhatWasDone() {
    Session s;
    QVERIFY(s.exposed);
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("sheet.png")).toStdString();
    s.Click(kIdOutputMono);
    s.Click(kIdDescriptorFnt);
    s.saveAnswers.push_back(path);
    s.Click(kIdSaveBitmap);
    QCOMPARE(s.window.status().toStdString(),
             "Saved " + path + " (256 \u00D7 64, 1-bit) and sheet.fnt");

    s.Click(kIdAutosizeProportional);
    QCOMPARE(s.window.status().toStdString(),
             "Autosize (proportional): Char height " + s.host.Text(kIdCharHeight));
  }

  // A run that takes its time shows a progress dialog whose Cancel stops it: nothing is
  // saved, no error box appears, the status line says so, and the dialog goes away. A
  // quick run shows none.
  void cancelStopsALongRun() {
    for (const bool slow : {false, true}) {
      Session s;
      QVERIFY(s.exposed);
      QTemporaryDir dir;
      const std::string path = dir.filePath(QStringLiteral("sheet.png")).toStdString();
      // "Slow": the dialog is due at once, as after half a second of a large sheet.
      if (slow) s.host.SetRunProgressTiming(0, 0);
      bool seen = false;
      QTimer poll;
      QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* progress = s.window.findChild<QProgressDialog*>();
            progress && progress->isVisible()) {
          seen = true;
          progress->cancel();
        }
      });
      poll.start(0);
      s.saveAnswers.push_back(path);
      s.Click(kIdSaveBitmap);
      poll.stop();
      QCOMPARE(seen, slow);
      QCOMPARE(QFileInfo::exists(QString::fromStdString(path)), !slow);
      QVERIFY(s.messages.empty());
      if (slow)
        QCOMPARE(s.window.status().toStdString(), std::string("Stopped: nothing was saved."));
      QVERIFY(!s.window.findChild<QProgressDialog*>());
    }
  }

  // With the focus on the Preview area the arrow keys move a cursor cell: the first key
  // takes the top-left cell, the view follows the cell past the area's edge, and the
  // cell line names it.
  void arrowKeysMoveACursorCell() {
    Session s;
    QVERIFY(s.exposed);
    s.host.SetText(kIdTileSize, "16");  // a 512-pixel-wide sheet in the 369-pixel area
    s.Click(kIdImagePreview);
    PreviewWidget* preview = s.window.Preview();
    preview->setFocus();
    QTest::keyClick(preview, Qt::Key_Right);
    QCOMPARE(Preview().keyCell, 0);
    for (int i = 0; i < 30; ++i) QTest::keyClick(preview, Qt::Key_Right);
    QTest::keyClick(preview, Qt::Key_Down);
    QTest::keyClick(preview, Qt::Key_Down);
    QCOMPARE(Preview().keyCell, 94);
    // Cell 30 ends at x 496: the view moved right until it showed the cell whole.
    QCOMPARE(Preview().panX, 496.0f - 369.0f);
    QCOMPARE(s.host.Text(kIdCellInfo), std::string("94  ^  U+005E"));
    QTest::keyClick(preview, Qt::Key_Right);
    QTest::keyClick(preview, Qt::Key_Right);
    QCOMPARE(Preview().keyCell, 95);  // the grid's last column holds it
  }
};

QTEST_MAIN(LiveWindowTest)
#include "live_window_test.moc"
