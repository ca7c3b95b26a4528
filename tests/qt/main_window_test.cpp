// The window on the offscreen platform: it is built from the control table, its
// widgets behave like the classic controls, and its signals reach the dialog
// procedure as commands and messages.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "app/dialog_proc.h"
#include "dialog/control_table.h"
#include "options/control_ids.h"
#include "qt/charmap_list.h"
#include "qt/digits_line_edit.h"
#include "qt/main_window.h"
#include "qt/preview_widget.h"
#include "qt/qt_dialog_host.h"
#include "text/case_fold.h"

namespace {

// A window with its host; prompts answer "cancelled" so that no modal dialog waits.
struct Fixture {
  MainWindow window;
  QtDialogHost host{window, PromptProvider{}};
  Dialog dlg{host};

  void Show() {
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
  }
};

// Every message the host delivers, in order, but paints (which come whenever the
// window system asks, a change of focus too).
using Delivered = std::tuple<DialogMessage, int, int>;

std::shared_ptr<std::vector<Delivered>> Record(QtDialogHost& host) {
  auto log = std::make_shared<std::vector<Delivered>>();
  host.SetMessageSink([log](DialogMessage message, int id, int code) {
    if (message != DialogMessage::kPaintPreview) log->emplace_back(message, id, code);
    return 1;
  });
  return log;
}

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool HasKind(QWidget* widget, ControlKind kind) {
  switch (kind) {
    case ControlKind::kFontList: {
      auto* list = qobject_cast<QComboBox*>(widget);
      return list && !list->isEditable();
    }
    case ControlKind::kEdit:
      return qobject_cast<QLineEdit*>(widget) && !dynamic_cast<DigitsLineEdit*>(widget);
    case ControlKind::kDigitsEdit:
      return dynamic_cast<DigitsLineEdit*>(widget) != nullptr;
    case ControlKind::kMultilineEdit:
    case ControlKind::kReadOnlyLog: {
      auto* edit = qobject_cast<QPlainTextEdit*>(widget);
      return edit && edit->isReadOnly() == (kind == ControlKind::kReadOnlyLog);
    }
    case ControlKind::kCheckBox:
      return qobject_cast<QCheckBox*>(widget) != nullptr;
    case ControlKind::kPushLikeCheck:
    case ControlKind::kPushButton: {
      auto* button = qobject_cast<QPushButton*>(widget);
      return button && button->isCheckable() == (kind == ControlKind::kPushLikeCheck);
    }
    case ControlKind::kRadioButton:
      return qobject_cast<QRadioButton*>(widget) != nullptr;
    case ControlKind::kLabel:
      return qobject_cast<QLabel*>(widget) != nullptr;
    case ControlKind::kPreviewArea:
      return qobject_cast<PreviewWidget*>(widget) != nullptr;
    case ControlKind::kCharMapList:
      return qobject_cast<CharMapList*>(widget) != nullptr;
  }
  return false;
}

bool IsButton(ControlKind kind) {
  return kind == ControlKind::kCheckBox || kind == ControlKind::kPushLikeCheck ||
         kind == ControlKind::kRadioButton || kind == ControlKind::kPushButton;
}

// Clicks a check box or radio button on its indicator, a push button in its middle.
void Click(QWidget* widget) {
  const bool indicator = qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget);
  QTest::mouseClick(widget, Qt::LeftButton, {},
                    indicator ? QPoint(6, widget->height() / 2) : widget->rect().center());
}

// Answers the next modal dialog of type T: action runs as soon as it is shown, and
// again while it stays open (a file dialog may still be loading its folder and
// ignore the first answer), until it closes.
template <typename T>
void WhenModal(std::function<void(T*)> action) {
  auto* poll = new QTimer;
  auto target = std::make_shared<QPointer<T>>();
  auto seen = std::make_shared<bool>(false);
  QObject::connect(poll, &QTimer::timeout, [poll, action, target, seen] {
    if (!*seen) {
      *target = qobject_cast<T*>(QApplication::activeModalWidget());
      *seen = !target->isNull();
      if (!*seen) return;
    }
    if (target->isNull() || !(*target)->isVisible()) {
      poll->stop();
      poll->deleteLater();
      return;
    }
    action(target->data());
  });
  poll->start(10);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Every control of the table, with its kind, caption, enabled state and default;
  // then the initialization through the dialog procedure.
  void buildsEveryControlOfTheTable() {
    Fixture f;
    QCOMPARE(f.window.Form()->minimumSize(), QSize(834, 696));
    QCOMPARE(f.window.Preview()->size(), QSize(369, 185));
    for (const ControlDef& def : ControlTable()) {
      const QString where = QStringLiteral("control %1").arg(def.id);
      QWidget* widget = f.window.Control(def.id);
      QVERIFY2(widget, qPrintable(where));
      QVERIFY2(HasKind(widget, def.kind), qPrintable(where));
      QVERIFY2(f.host.Enabled(def.id) == def.enabledAtStart, qPrintable(where));
      if (IsButton(def.kind)) {
        QCOMPARE(static_cast<QAbstractButton*>(widget)->text(), Q(def.caption));
        QVERIFY2(f.host.Checked(def.id) == def.checkedAtStart, qPrintable(where));
      } else if (!def.caption.empty()) {
        auto* label = qobject_cast<QLabel*>(f.window.CaptionLabel(def.id));
        QVERIFY2(label, qPrintable(where));
        QCOMPARE(label->text(), Q(def.caption));
        QCOMPARE(label->buddy(), widget);
      }
      if (def.kind == ControlKind::kEdit || def.kind == ControlKind::kDigitsEdit ||
          def.kind == ControlKind::kLabel) {
        QCOMPARE(f.host.Text(def.id), std::string(def.defaultText));
      }
      if (def.kind == ControlKind::kRadioButton) {
        QCOMPARE(f.window.RadioButtons(def.radioGroup)->button(def.id), widget);
      }
    }

    StartDialog(f.dlg);
    QCOMPARE(f.window.windowTitle(), Q(kDialogTitle));
    QCOMPARE(f.host.Text(kIdLog), std::string(kWelcomeText));
    QCOMPARE(qobject_cast<QPlainTextEdit*>(f.window.Control(kIdLog))->toPlainText(),
             Q(kWelcomeText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QVERIFY(!f.window.windowIcon().pixmap(32).isNull());
    QComboBox* list = f.window.FontList();
    QVERIFY(list->count() > 0);
    QCOMPARE(list->currentIndex(), 0);
    QCOMPARE(f.host.Text(kIdFontList), list->itemText(0).toStdString());
  }

  // Each control lies inside its group box, no two widgets overlap, and every caption
  // is shown whole at the dialog font.
  void layoutKeepsEveryControlInItsBoxAndEveryCaptionWhole() {
    Fixture f;
    std::map<QString, QRect> boxes;
    for (QGroupBox* box : f.window.findChildren<QGroupBox*>())
      boxes[box->title().remove(u'&')] = box->geometry();
    QCOMPARE(boxes.size(), GroupBoxes().size());
    for (const ControlDef& def : ControlTable()) {
      const QRect box = boxes[Q(def.group)];
      const QString where = QStringLiteral("control %1").arg(def.id);
      QVERIFY2(box.contains(f.window.Control(def.id)->geometry()), qPrintable(where));
      if (QWidget* caption = f.window.CaptionLabel(def.id)) {
        QVERIFY2(box.contains(caption->geometry()), qPrintable(where));
      }
    }

    std::vector<QWidget*> widgets;
    for (QWidget* child : f.window.Form()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!qobject_cast<QGroupBox*>(child)) widgets.push_back(child);
    }
    for (size_t i = 0; i < widgets.size(); ++i) {
      for (size_t j = i + 1; j < widgets.size(); ++j) {
        QVERIFY2(
            !widgets[i]->geometry().intersects(widgets[j]->geometry()),
            qPrintable(
                QStringLiteral("%1 overlaps %2")
                    .arg(widgets[i]->objectName() + "/" + widgets[i]->metaObject()->className(),
                         widgets[j]->objectName() + "/" + widgets[j]->metaObject()->className())));
      }
    }

    for (QWidget* widget : widgets) {
      const QString what = widget->objectName() + " " + widget->metaObject()->className();
      if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget)) {
        QVERIFY2(widget->sizeHint().width() <= widget->width(), qPrintable(what));
      } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width(),
                 qPrintable(what));
      } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        const QSize hint = label->sizeHint();
        const bool fits = label->wordWrap()
                              ? label->heightForWidth(label->width()) <= label->height()
                              : hint.width() <= label->width();
        QVERIFY2(fits, qPrintable(what + " " + label->text()));
      }
    }
  }

  // Typed letters are refused by a digits-only field but not by a plain one; the
  // program still sets any text in either.
  void digitsFieldsRefuseTypedLetters() {
    Fixture f;
    f.Show();
    auto* height = static_cast<QLineEdit*>(f.window.Control(kIdCharHeight));
    auto* tileSize = static_cast<QLineEdit*>(f.window.Control(kIdTileSize));
    f.host.SetText(kIdCharHeight, "");
    f.host.SetText(kIdTileSize, "");
    QTest::keyClicks(height, "4x2 y-");
    QTest::keyClicks(tileSize, "4x");
    QCOMPARE(f.host.Text(kIdCharHeight), std::string("42"));
    QCOMPARE(f.host.Text(kIdTileSize), std::string("4x"));

    f.host.SetText(kIdCharWidth, "-1");
    QCOMPARE(f.host.Text(kIdCharWidth), std::string("-1"));
    QTest::keyClick(f.window.Control(kIdCharWidth), Qt::Key_End);
    QTest::keyClicks(f.window.Control(kIdCharWidth), "5a");
    QCOMPARE(f.host.Text(kIdCharWidth), std::string("-15"));
  }

  // A click checks its button and clears only the others of its own group; the
  // program touches one button at a time and may leave a group with none checked.
  void radioGroupsAreIndependent() {
    Fixture f;
    StartDialog(f.dlg);
    f.Show();
    Click(f.window.Control(kIdColorRelief));
    QVERIFY(f.host.Checked(kIdColorRelief));
    QVERIFY(!f.host.Checked(kIdColorGradient));
    QVERIFY(f.host.Checked(kIdExportNormal));
    QVERIFY(f.host.Checked(kIdZoom1));
    Click(f.window.Control(kIdColorRelief));  // pressing a checked button keeps it
    QVERIFY(f.host.Checked(kIdColorRelief));

    auto delivered = Record(f.host);
    f.host.SetChecked(kIdExportNormal, false);
    for (int id : RadioGroupMembers(RadioGroup::kExportMode)) QVERIFY(!f.host.Checked(id));
    f.host.SetChecked(kIdExportUser, true);
    f.host.SetChecked(kIdExportAll, true);
    QVERIFY(f.host.Checked(kIdExportUser) && f.host.Checked(kIdExportAll));
    QVERIFY(delivered->empty());

    Click(f.window.Control(kIdExportRange));
    for (int id : RadioGroupMembers(RadioGroup::kExportMode)) {
      QCOMPARE(f.host.Checked(id), id == kIdExportRange);
    }
    QVERIFY(f.host.Checked(kIdColorRelief));
    QVERIFY(f.host.Checked(kIdZoom1));
  }

  // Entries are kept sorted ignoring case whatever order they arrive in; the
  // selection follows its entry and is none until one is chosen.
  void fontListSortsIgnoringCase() {
    Fixture f;
    for (const char* face : {"beta", "Alpha", "gamma", "DejaVu Sans", "alpha", "Beta Bold"}) {
      f.host.ListAdd(face);
    }
    QCOMPARE(f.host.ListCount(), 6);
    QCOMPARE(f.host.ListSelection(), -1);
    for (int i = 1; i < f.host.ListCount(); ++i) {
      QVERIFY2(CompareIgnoringCase(f.host.ListEntry(i - 1), f.host.ListEntry(i)) <= 0,
               f.host.ListEntry(i).c_str());
    }
    f.host.ListSelect(2);
    const std::string selected = f.host.ListEntry(2);
    f.host.ListAdd("Aardvark");
    QCOMPARE(f.host.ListEntry(f.host.ListSelection()), selected);
    QCOMPARE(f.host.Text(kIdFontList), selected);
    f.host.ListSelect(99);
    QCOMPARE(f.host.ListSelection(), -1);
    QCOMPARE(f.host.Text(kIdFontList), std::string());
  }

  // A user's selection, typing and clicks become (id, code) commands; the program's
  // text changes notify too (also with the same text), its checks and selections not.
  void signalsReachTheDialogAsCommands() {
    Fixture f;
    f.host.ListAdd("Alpha");
    f.host.ListAdd("Beta");
    f.host.ListSelect(0);
    f.Show();
    auto delivered = Record(f.host);
    auto expectOnly = [&](int id, int code) {
      QCOMPARE(delivered->size(), size_t{1});
      QCOMPARE(*delivered, (std::vector<Delivered>{{DialogMessage::kCommand, id, code}}));
      delivered->clear();
    };

    Click(f.window.Control(kIdSaveBitmap));
    expectOnly(kIdSaveBitmap, kNotifyClicked);
    Click(f.window.Control(kIdBold));
    expectOnly(kIdBold, kNotifyClicked);
    QVERIFY(f.host.Checked(kIdBold));
    Click(f.window.Control(kIdFontPreview));
    expectOnly(kIdFontPreview, kNotifyClicked);
    QVERIFY(!f.host.Checked(kIdFontPreview));
    Click(f.window.Control(kIdZoom2));
    expectOnly(kIdZoom2, kNotifyClicked);

    QTest::keyClick(f.window.FontList(), Qt::Key_Down);
    expectOnly(kIdFontList, kNotifySelChange);
    QCOMPARE(f.host.ListSelection(), 1);

    QTest::keyClicks(f.window.Control(kIdPreviewText), "!");
    expectOnly(kIdPreviewText, kNotifyTextChange);
    QTest::keyClicks(f.window.Control(kIdCharacters), "x");
    expectOnly(kIdCharacters, kNotifyTextChange);
    f.host.SetText(kIdCharHeight, "20");
    expectOnly(kIdCharHeight, kNotifyTextChange);
    f.host.SetText(kIdCharHeight, "20");
    expectOnly(kIdCharHeight, kNotifyTextChange);

    QTest::mouseClick(f.window.Preview(), Qt::LeftButton);
    expectOnly(kIdPreviewArea, kNotifyClicked);

    f.host.SetChecked(kIdItalic, true);
    f.host.SetChecked(kIdZoom4, true);
    f.host.ListSelect(0);
    f.host.SetText(kIdCharactersLabel, "Export the following chars:");
    QVERIFY(delivered->empty());
  }

  // Control characters other than line ends, which come from files and fonts, show as
  // \xNN in the log and in message boxes; the log's own text stays as set.
  void controlCharactersShowAsEscapes() {
    std::string shown;
    PromptProvider recorder;
    recorder.messageBox = [&](QWidget*, std::string_view text, std::string_view title,
                              MessageIcon) {
      shown = std::string(title) + ": " + std::string(text);
    };
    MainWindow window;
    QtDialogHost host(window, recorder);
    const std::string controls("x\x1B]0;t\x07\0y\r\nz\r", 13);
    host.SetText(kIdLog, controls);
    QCOMPARE(host.Text(kIdLog), controls);
    QCOMPARE(static_cast<QPlainTextEdit*>(window.Control(kIdLog))->toPlainText(),
             QStringLiteral("x\\x1b]0;t\\x07\\x00y\nz\\x0d"));
    host.MessageBox(controls, "T\x1B", MessageIcon::kWarning);
    QCOMPARE(shown, std::string("T\\x1b: x\\x1b]0;t\\x07\\x00y\\x0d\nz\\x0d"));
  }

  // Multi-line texts keep their "\r\n" line ends through the widgets, and the log
  // shows them as lines.
  void multiLineTextsKeepTheirLineEnds() {
    Fixture f;
    f.host.SetText(kIdLog, "a\r\n\r\nb");
    QCOMPARE(f.host.Text(kIdLog), std::string("a\r\n\r\nb"));
    QCOMPARE(static_cast<QPlainTextEdit*>(f.window.Control(kIdLog))->toPlainText(),
             QStringLiteral("a\n\nb"));

    const std::string characters = "x\r\ny\xC2\xA0z";  // with a no-break space
    f.host.SetText(kIdCharacters, characters);
    QCOMPARE(f.host.Text(kIdCharacters), characters);
    f.Show();
    auto* edit = static_cast<QPlainTextEdit*>(f.window.Control(kIdCharacters));
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, "w");
    QCOMPARE(f.host.Text(kIdCharacters), characters + "\r\nw");
  }

  // Exit and the close box go through the dialog procedure, which ends the dialog
  // with result 0; without a procedure the close box does nothing by itself.
  void exitAndCloseBoxEndTheDialog() {
    {
      Fixture f;
      StartDialog(f.dlg);
      f.Show();
      QVERIFY(!f.window.endResult());
      Click(f.window.Control(kIdExit));
      QCOMPARE(f.window.endResult(), std::optional<int>(0));
      QVERIFY(!f.window.isVisible());
      QVERIFY(!f.host.previewTimerRunning());
    }
    {
      Fixture f;
      StartDialog(f.dlg);
      f.Show();
      f.window.close();
      QCOMPARE(f.window.endResult(), std::optional<int>(0));
      QVERIFY(!f.window.isVisible());
    }
    {
      Fixture f;
      f.Show();
      f.window.close();
      QVERIFY(!f.window.endResult());
      QVERIFY(f.window.isVisible());
    }
  }

  // Maximizing is a resize like any other: the window stays maximized, and the dialog
  // can bring back the size it opened at.
  void maximizeGrowsThePreview() {
    Fixture f;
    StartDialog(f.dlg);
    f.Show();
    const QSize normal = f.window.size();
    f.window.setWindowState(Qt::WindowMaximized);
    QTest::qWait(20);
    QVERIFY(f.window.isMaximized());
    f.host.RestoreNormalSize();
    QTest::qWait(20);
    QVERIFY(!f.window.isMaximized());
    QCOMPARE(f.window.size(), normal);
  }

  // While the program holds the mouse, moves and the release over the Preview area
  // reach the dialog procedure; after it lets go, moves still come (hovering) but the
  // release does not.
  void previewDragReportsTheCapturedMouse() {
    Fixture f;
    f.Show();
    auto delivered = Record(f.host);
    PreviewWidget* preview = f.window.Preview();

    QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(10, 10));
    f.host.CaptureMouse();
    QTest::mouseMove(preview, QPoint(30, 20));
    QTest::mouseRelease(preview, Qt::LeftButton, {}, QPoint(30, 20));
    f.host.ReleaseMouse();
    const std::vector<Delivered> drag = {{DialogMessage::kCommand, kIdPreviewArea, kNotifyClicked},
                                         {DialogMessage::kMouseMove, 0, 0},
                                         {DialogMessage::kLButtonUp, 0, 0}};
    QCOMPARE(*delivered, drag);

    delivered->clear();
    QTest::mouseMove(preview, QPoint(40, 40));
    QTest::mouseRelease(preview, Qt::LeftButton, {}, QPoint(40, 40));
    const std::vector<Delivered> hover = {{DialogMessage::kMouseMove, 0, 0}};
    QCOMPARE(*delivered, hover);
  }

  // The color chooser starts at the given color, shows the dialog's 16 custom colors
  // (0x00BBGGRR) and hands back the ones the user changed.
  void colorChooserCarriesTheCustomColors() {
    MainWindow window;
    std::array<std::uint32_t, 16> custom{};
    custom[0] = 0x00332211;
    QColor shownInitial, shownCustom;
    WhenModal<QColorDialog>([&](QColorDialog* dialog) {
      shownInitial = dialog->currentColor();
      shownCustom = QColorDialog::customColor(0);
      QColorDialog::setCustomColor(1, QColor(0x44, 0x55, 0x66));
      dialog->setCurrentColor(QColor(10, 20, 30));
      dialog->accept();
    });
    const std::optional<Rgb> chosen = QtPrompts().askColor(&window, Rgb{1, 2, 3}, custom);
    QVERIFY(chosen);
    QCOMPARE(std::tuple(chosen->red, chosen->green, chosen->blue), std::tuple(10, 20, 30));
    QCOMPARE(shownInitial, QColor(1, 2, 3));
    QCOMPARE(shownCustom, QColor(0x11, 0x22, 0x33));
    QCOMPARE(custom[0], std::uint32_t{0x00332211});
    QCOMPARE(custom[1], std::uint32_t{0x00665544});

    WhenModal<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); });
    QVERIFY(!QtPrompts().askColor(&window, Rgb{}, custom));
  }

  // The save dialog of "Save bitmap" lists its filters with the first chosen, and gives
  // a name typed without extension that of the chosen type, or the default extension
  // when the type names none; a typed extension stays.
  void saveDialogAddsTheChosenTypesExtension() {
    MainWindow window;
    const FileDialogRequest request{"Save bitmap",
                                    {{"PNG - Portable Network Graphics", "*.png"},
                                     {"BMP - Windows Bitmaps", "*.bmp"},
                                     {"TGA - Truevision Targa files", "*.tga"},
                                     {"All Files", "*.*"}},
                                    ".bmp",
                                    true};
    struct Row {
      int filter;  // chosen in the type list with the arrow keys
      const char* typed;
      const char* saved;
    };
    const Row rows[] = {{0, "sheet", "sheet.png"},
                        {1, "sheet", "sheet.bmp"},
                        {2, "sheet", "sheet.tga"},
                        {3, "sheet", "sheet.bmp"},
                        {0, "sheet.tga", "sheet.tga"}};
    for (const Row& row : rows) {
      const QString where = QStringLiteral("%1 with filter %2").arg(row.typed).arg(row.filter);
      QTemporaryDir folder;
      QVERIFY(folder.isValid());
      QStringList filters;
      QString firstFilter, title;
      bool confirms = false;
      WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        if (filters.isEmpty()) {
          filters = dialog->nameFilters();
          firstFilter = dialog->selectedNameFilter();
          title = dialog->windowTitle();
          confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        }
        dialog->setDirectory(folder.path());
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        while (types && types->currentIndex() < row.filter) QTest::keyClick(types, Qt::Key_Down);
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(row.typed);
        static_cast<QDialog*>(dialog)->accept();
      });
      const std::optional<std::string> path = QtPrompts().askSaveFile(&window, request);
      QVERIFY2(path, qPrintable(where));
      QCOMPARE(QString::fromStdString(*path), folder.filePath(row.saved));
      QCOMPARE(filters.size(), qsizetype{4});
      QCOMPARE(filters.first(), QStringLiteral("PNG - Portable Network Graphics (*.png)"));
      QCOMPARE(firstFilter, filters.first());
      QCOMPARE(title, QStringLiteral("Save bitmap"));
      QVERIFY(confirms);
    }
  }

  // The file and folder dialogs of a session open in the folder last accepted, at
  // first the working directory; the open dialog takes the name of a missing file.
  void fileDialogsOpenInTheFolderLastUsed() {
    MainWindow window;
    const PromptProvider prompts = QtPrompts();
    QTemporaryDir a, b, c;
    QVERIFY(a.isValid() && b.isValid() && c.isValid());
    const FileDialogRequest request{"Load settings", {{"All Files", "*.*"}}, ".ini", false};
    QString openedIn;
    auto answer = [&](const QString& folder, const QString& typed) {
      WhenModal<QFileDialog>([&openedIn, folder, typed](QFileDialog* dialog) {
        if (openedIn.isEmpty()) openedIn = dialog->directory().absolutePath();
        // A box over the dialog means it refused the answer (a missing file): give up.
        QTimer::singleShot(200, dialog, [dialog] {
          QWidget* box = QApplication::activeModalWidget();
          if (box && box != dialog) {
            box->close();
            dialog->reject();
          }
        });
        dialog->setDirectory(folder);
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
          name->setText(typed);
        }
        static_cast<QDialog*>(dialog)->accept();
      });
    };

    answer(a.path(), QStringLiteral("x.ini"));
    QCOMPARE(prompts.askSaveFile(&window, request),
             std::optional<std::string>(a.filePath("x.ini").toStdString()));
    // QCOMPARE(openedIn, QDir::currentPath());

    openedIn.clear();
    answer(a.path(), b.filePath(QStringLiteral("missing.ini")));
    QCOMPARE(prompts.askOpenFile(&window, request),
             std::optional<std::string>(b.filePath("missing.ini").toStdString()));
    QCOMPARE(openedIn, a.path());

    openedIn.clear();
    answer(c.path(), QString());
    QCOMPARE(prompts.askFolder(&window, "Select the output folder"),
             std::optional<std::string>(c.path().toStdString()));
    QCOMPARE(openedIn, b.path());

    openedIn.clear();
    WhenModal<QFileDialog>([&openedIn](QFileDialog* dialog) {
      openedIn = dialog->directory().absolutePath();
      dialog->reject();
    });
    QVERIFY(!prompts.askOpenFile(&window, request));
    QCOMPARE(openedIn, c.path());
  }

  // Return and Enter press the focused push button, as the space bar does; the
  // push-like "Font Preview" keeps to the space bar.
  void returnPressesTheFocusedPushButton() {
    Fixture f;
    f.Show();
    auto delivered = Record(f.host);
    for (int id : {kIdSaveBitmap, kIdAutosizeFull}) {
      QWidget* button = f.window.Control(id);
      button->setFocus();
      QCOMPARE(f.window.focusWidget(), button);
      for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(button, key);
        QCOMPARE(*delivered,
                 (std::vector<Delivered>{{DialogMessage::kCommand, id, kNotifyClicked}}));
        delivered->clear();
      }
    }
    QWidget* fontPreview = f.window.Control(kIdFontPreview);
    fontPreview->setFocus();
    const bool checked = f.host.Checked(kIdFontPreview);
    QTest::keyClick(fontPreview, Qt::Key_Return);
    QCOMPARE(f.host.Checked(kIdFontPreview), checked);
    QVERIFY(delivered->empty());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
