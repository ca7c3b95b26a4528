// The window's keyboard and mouse habits on the offscreen platform: pastes that carry
// no text, the map list's file entry, shortcuts, mnemonics, tooltips, dropped and
// recent files, and the memory that brings the last run's fields back.
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "dialog/control_table.h"
#include "dialog/dialog_fields.h"
#include "qt/charmap_list.h"
#include "qt/recent_files_button.h"
#include "qt/window_memory.h"
#include "scripted_session.h"
#include "settings/settings_file.h"
#include "text/font_list.h"

namespace {

QString WidgetText(QWidget* widget) {
  if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text();
  return static_cast<QPlainTextEdit*>(widget)->toPlainText();
}

void Drop(QWidget* target, const QString& file) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(file)});
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(target, &enter);
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(target, &drop);
}

}  // namespace

class WindowHabitsTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    ClearRecentFiles();
    ForgetAddedFontFiles();
  }

  // Ctrl+V and Shift+Insert into every editable control: data without text inserts
  // nothing (an empty format list ended the program inside Qt 6.4), text goes in as
  // typed text would, and the digits-only fields refuse a pasted non-digit.
  void pasteTakesOnlyWhatTypingWould() {
    Session s;
    s.Show();
    // A row's clipboard holds an image when image is set, else its text (if any).
    const struct {
      const char* what;
      bool image;
      const char* clip;
      QString text, digits;  // what a plain field and a digits-only field then hold
    } rows[] = {
        {"empty", false, nullptr, "", ""},
        {"image only", true, nullptr, "", ""},
        {"letters", false, "4a2", "4a2", ""},
        {"digits", false, "42", "42", "42"},
    };
    for (const auto& row : rows) {
      for (const ControlDef& def : ControlTable()) {
        const bool digits = def.kind == ControlKind::kDigitsEdit;
        const bool log = def.kind == ControlKind::kReadOnlyLog;
        if (!digits && !log && def.kind != ControlKind::kEdit &&
            def.kind != ControlKind::kMultilineEdit) {
          continue;
        }
        QWidget* widget = s.window.Control(def.id);
        widget->setEnabled(true);
        for (QKeyCombination paste : {Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert}) {
          const QString what = QStringLiteral("%1 into %2").arg(row.what).arg(def.id);
          s.host.SetText(def.id, "");
          auto* data = new QMimeData;
          if (row.image) data->setImageData(QImage(4, 4, QImage::Format_RGB32));
          if (row.clip) data->setText(QString::fromLatin1(row.clip));
          QGuiApplication::clipboard()->setMimeData(data);
          widget->setFocus();
          QTest::keyClick(widget, paste.key(), paste.keyboardModifiers());
          const QString expected = log ? QString() : digits ? row.digits : row.text;
          QVERIFY2(WidgetText(widget) == expected, qPrintable(what));
        }
      }
    }
  }

  // Arrow keys pass over "Unicode ranges ..." and "From file ..." without asking; Return
  // or Space on them asks, and ranges or a file that cannot be a map are told at once
  // and change nothing.
  void mapListAsksForAFileOnlyWhenItIsChosen() {
    Session s;
    s.Show();
    auto* list = qobject_cast<CharMapList*>(s.window.Control(kIdCharMap));
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("map.txt"));
    QFile file(good);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("a b c\n") == 6);
    file.close();
    const std::string missing = dir.filePath(QStringLiteral("missing.txt")).toStdString();

    list->setFocus();
    for (int i = 0; i < list->count(); ++i) QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentIndex(), list->count() - 1);
    QVERIFY(s.prompts.openRequests.empty());
    QVERIFY(s.prompts.textRequests.empty());
    QCOMPARE(s.host.Text(kIdCharMap), std::string("font"));  // the last map passed over

    s.prompts.openAnswers.push_back(missing);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(s.prompts.openRequests.size(), size_t{1});
    QCOMPARE(s.prompts.messages.size(), size_t{1});
    QVERIFY(s.prompts.messages[0].text.find(missing) != std::string::npos);
    QCOMPARE(s.host.Text(kIdCharMap), std::string("font"));
    QCOMPARE(list->currentText(), QStringLiteral("Every character of the font"));

    for (int i = 0; i < 2; ++i) QTest::keyClick(list, Qt::Key_Down);
    s.prompts.openAnswers.push_back(good.toStdString());
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(s.prompts.openRequests.size(), size_t{2});
    QCOMPARE(s.host.Text(kIdCharMap), good.toStdString());

    // Up from the file to the ranges: asked with an example, then with the ranges in use.
    QTest::keyClick(list, Qt::Key_Up);
    QVERIFY(s.prompts.textRequests.empty());
    s.prompts.textAnswers.push_back("U+0041..U+0043");
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(s.prompts.textRequests, std::vector<std::string>{"U+0020..U+007E"});
    QCOMPARE(s.host.Text(kIdCharMap), std::string("unicode:U+0041..U+0043"));
    QCOMPARE(list->currentText(), QStringLiteral("Unicode U+0041..U+0043"));
    s.prompts.textAnswers.push_back("U+0043..U+0041");
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(s.prompts.textRequests.back(), std::string("U+0041..U+0043"));
    QCOMPARE(s.prompts.messages.size(), size_t{2});
    QVERIFY(s.prompts.messages[1].text.find("runs backwards") != std::string::npos);
    QCOMPARE(s.host.Text(kIdCharMap), std::string("unicode:U+0041..U+0043"));
  }

  // Each shortcut clicks its control, and none clicks a disabled one.
  void shortcutsClickTheirControls() {
    Session s;
    s.Show();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    std::vector<int> clicked;
    QObject::connect(&s.window, &MainWindow::commandIssued, [&clicked](int id, int code) {
      if (code == kNotifyClicked) clicked.push_back(id);
    });
    const struct {
      const char* keys;
      int id;
    } rows[] = {
        {"Ctrl+S", kIdSaveBitmap},   {"Ctrl+Shift+S", kIdSaveSettings},
        {"Ctrl+O", kIdLoadSettings}, {"Ctrl+Shift+O", kIdOpenFontFile},
        {"Ctrl+4", kIdZoom4},        {"Ctrl+2", kIdZoom2},
        {"Ctrl+1", kIdZoom1},        {"Ctrl+Q", kIdExit},  // last: it ends the dialog
    };
    s.host.SetEnabled(kIdSaveBitmap, false);
    QTest::keySequence(&s.window, QKeySequence(QStringLiteral("Ctrl+S")));
    QVERIFY(clicked.empty());
    s.host.SetEnabled(kIdSaveBitmap, true);
    for (const auto& row : rows) {
      clicked.clear();
      QTest::keySequence(&s.window, QKeySequence(QString::fromLatin1(row.keys)));
      QCOMPARE(clicked, std::vector<int>{row.id});
    }
    QVERIFY(s.window.endResult());
  }

  // Alt and a group caption's letter focus the group's first control that can take
  // the focus; the log takes it with a caret that selects.
  void groupMnemonicsFocusTheirFirstControl() {
    Session s;
    s.Show();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    const struct {
      Qt::Key key;
      int id;
    } rows[] = {
        {Qt::Key_N, kIdFontList},    {Qt::Key_E, kIdTileSize}, {Qt::Key_C, kIdColorGradient},
        {Qt::Key_V, kIdBgRed},       {Qt::Key_A, kIdExit},     {Qt::Key_Y, kIdCharMap},
        {Qt::Key_O, kIdOutputColor}, {Qt::Key_L, kIdLog},
    };
    for (const auto& row : rows) {
      QTest::keyClick(&s.window, row.key, Qt::AltModifier);
      QCOMPARE(QApplication::focusWidget(), s.window.Control(row.id));
    }
    auto* log = static_cast<QPlainTextEdit*>(s.window.Control(kIdLog));
    QVERIFY(log->hasFocus());
    s.host.SetText(kIdLog, "Too wide characters:\r\n[none]");
    QTest::keyClick(log, Qt::Key_End, Qt::ShiftModifier);
    QVERIFY(log->textCursor().hasSelection());
  }

  void everyControlHasAOneSentenceToolTip() {
    MainWindow window;
    std::vector<QWidget*> widgets{window.RecentFiles()};
    for (const ControlDef& def : ControlTable()) widgets.push_back(window.Control(def.id));
    for (QWidget* widget : widgets) {
      const QString tip = widget->toolTip();
      QVERIFY2(!tip.isEmpty() && tip.endsWith(u'.') && !tip.contains(QStringLiteral(". ")) &&
                   tip.size() <= 70,
               qPrintable(widget->objectName() + ": " + tip));
    }
  }

  // A dropped settings file loads and a dropped font file opens, as their commands do
  // with a file chosen, even over an edit; both join the recent files, which open them
  // again without asking.
  void droppedAndRecentFilesOpenByTheirCommands() {
    Session s;
    s.Show();
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("twelve.ini"));
    s.host.SetText(kIdTileSize, "12");
    QVERIFY(SaveSettingsToFile(s.dlg, settings.toStdString()).ok);
    s.host.SetText(kIdTileSize, "8");
    const QString font = dir.filePath(QStringLiteral("Mine.ttf"));
    QVERIFY(QFile::copy(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf"), font));

    auto* characters = static_cast<QPlainTextEdit*>(s.window.Control(kIdCharacters));
    Drop(characters->viewport(), settings);
    QCOMPARE(s.host.Text(kIdTileSize), std::string("12"));
    QVERIFY(characters->toPlainText().isEmpty());
    Drop(s.window.Control(kIdLog), font);
    QCOMPARE(s.host.Text(kIdFontList), std::string("DejaVu Serif"));
    QVERIFY(s.prompts.openRequests.empty());
    QCOMPARE(RecentFiles(UsedFileKind::kSettings), QStringList{settings});
    QCOMPARE(RecentFiles(UsedFileKind::kFontFile), QStringList{font});

    s.host.SetText(kIdTileSize, "8");
    RecentFilesButton* recent = s.window.RecentFiles();
    recent->FillMenu();
    const QList<QAction*> actions = recent->Menu()->actions();
    auto entry = std::find_if(actions.begin(), actions.end(), [](QAction* action) {
      return action->text().startsWith(QStringLiteral("&1 twelve.ini"));
    });
    QVERIFY(entry != actions.end());
    (*entry)->trigger();
    QCOMPARE(s.host.Text(kIdTileSize), std::string("12"));
    QVERIFY(s.prompts.openRequests.empty());

    for (int i = 0; i < kMaxRecentFiles + 2; ++i) {
      AddRecentFile(UsedFileKind::kSettings, QStringLiteral("/f%1.ini").arg(i));
    }
    const QStringList kept = RecentFiles(UsedFileKind::kSettings);
    QCOMPARE(kept.size(), kMaxRecentFiles);
    QCOMPARE(kept.first(), QStringLiteral("/f%1.ini").arg(kMaxRecentFiles + 1));
  }

  // The fields and the window's place at exit come back at the next start, but not
  // with --reset.
  void fieldsAndPlaceComeBackUnlessReset() {
    {
      Session s;
      s.host.SetText(kIdTileSize, "12");
      s.host.SetText(kIdPreviewText, "Hello");
      s.host.SetText(kIdCharMap, "cp437");
      s.host.SetText(kIdTopGreen, "7");
      s.window.move(40, 30);
      RememberWindow(s.window);
      RememberFields(s.dlg);
    }
    for (bool reset : {false, true}) {
      Session s;
      RestoreWindow(s.window, reset);
      RestoreFields(s.dlg, reset);
      QCOMPARE(s.host.Text(kIdTileSize), std::string(reset ? "8" : "12"));
      QCOMPARE(s.host.Text(kIdPreviewText),
               std::string(reset ? "The quick brown fox jumps over the lazy dog" : "Hello"));
      QCOMPARE(s.host.Text(kIdCharMap), std::string(reset ? "cp1252" : "cp437"));
      QCOMPARE(s.host.Text(kIdTopGreen), std::string(reset ? "255" : "7"));
      QCOMPARE(s.window.pos() == QPoint(40, 30), !reset);
    }
  }
};

QTEST_MAIN(WindowHabitsTest)
#include "window_habits_test.moc"
