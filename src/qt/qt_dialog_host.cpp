// The dialog host over the Qt window.
#include "qt/qt_dialog_host.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <utility>

#include "dialog/control_table.h"
#include "options/control_ids.h"
#include "preview/canvas_view.h"
#include "qt/charmap_list.h"
#include "qt/digits_line_edit.h"
#include "qt/main_window.h"
#include "qt/preview_marks.h"
#include "qt/preview_widget.h"
#include "qt/window_memory.h"
#include "text/case_fold.h"
#include "text/control_escape.h"

namespace {

constexpr int kPreviewTimerMs = 100;

// How long the fields must be left alone before a shown sheet is drawn again: short
// enough that the preview follows typing within 150 ms with the drawing included.
constexpr int kRefreshWaitMs = 100;

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
  return text.toUtf8().toStdString();
}

// Multi-line edits hold "\r\n" line ends, as the classic control does; Qt's text
// document holds paragraphs.
QString ToDocumentText(std::string_view text) {
  QString document = FromView(text);
  document.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return document;
}

// The log as shown: its lines, with every other control character visible as \xNN,
// since its text comes from files and fonts.
QString VisibleLogText(std::string_view text) {
  std::string lines;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') lines += text[i];
  }
  return FromView(EscapeControls(lines));
}

std::string FromDocument(const QPlainTextEdit& edit) {
  // The raw text keeps non-breaking spaces, which are characters of the sheet.
  QString text = edit.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  return ToUtf8(text);
}

}  // namespace

QtDialogHost::QtDialogHost(MainWindow& window, PromptProvider prompts)
    : window_(window), prompts_(std::move(prompts)) {
  previewTimer_.setInterval(kPreviewTimerMs);
  QObject::connect(&previewTimer_, &QTimer::timeout, &previewTimer_,
                   [this] { Send(DialogMessage::kTimer); });
  QObject::connect(&window_, &MainWindow::commandIssued, &previewTimer_,
                   [this](int id, int code) { Notify(id, code); });
  QObject::connect(&window_, &MainWindow::closeRequested, &previewTimer_,
                   [this] { Send(DialogMessage::kClose); });
  refreshTimer_.setSingleShot(true);
  refreshTimer_.setInterval(kRefreshWaitMs);
  QObject::connect(&refreshTimer_, &QTimer::timeout, &previewTimer_,
                   [this] { Send(DialogMessage::kRefreshPreview); });
  QObject::connect(&window_, &MainWindow::openFileRequested, &previewTimer_,
                   [this](int commandId, const QString& path) {
                     OpenFileByCommand(commandId, QFile::encodeName(path).toStdString());
                   });
  PreviewWidget* preview = window_.Preview();
  QObject::connect(preview, &PreviewWidget::capturedMouseMoved, &previewTimer_,
                   [this] { Send(DialogMessage::kMouseMove); });
  QObject::connect(preview, &PreviewWidget::hovered, &previewTimer_,
                   [this] { Send(DialogMessage::kMouseMove); });
  QObject::connect(preview, &PreviewWidget::capturedLeftReleased, &previewTimer_,
                   [this] { Send(DialogMessage::kLButtonUp); });
  QObject::connect(preview, &PreviewWidget::arrowPressed, &previewTimer_, [this](PreviewKey key) {
    Send(DialogMessage::kPreviewKey, static_cast<int>(key));
  });
  QObject::connect(preview, &PreviewWidget::resized, &previewTimer_,
                   [this] { Send(DialogMessage::kPreviewResized); });
  // The area shows the canvas magnified and panned, as the dialog last left them.
  preview->SetPainter([this](QPainter& painter, const QRect& area) {
    Send(DialogMessage::kPaintPreview);
    RenderCanvasView(::Preview(), area.width(), area.height(), previewPixels_);
    const QImage image(reinterpret_cast<const uchar*>(previewPixels_.data()), area.width(),
                       area.height(), area.width() * 4, QImage::Format_RGB32);
    painter.drawImage(area.topLeft(), image);
    PaintPreviewMarks(painter, area, ::Preview(), window_.Preview()->hasFocus());
  });
}

std::string QtDialogHost::Text(int id) {
  const ControlDef* def = FindControl(id);
  QWidget* widget = window_.Control(id);
  if (!def || !widget) return {};
  switch (def->kind) {
    case ControlKind::kFontList:
      return ListEntry(ListSelection());
    case ControlKind::kEdit:
    case ControlKind::kDigitsEdit:
      return ToUtf8(static_cast<QLineEdit*>(widget)->text());
    case ControlKind::kMultilineEdit:
      return FromDocument(*static_cast<QPlainTextEdit*>(widget));
    case ControlKind::kReadOnlyLog: {
      auto it = logTexts_.find(id);
      return it != logTexts_.end() ? it->second : std::string();
    }
    case ControlKind::kCheckBox:
    case ControlKind::kPushLikeCheck:
    case ControlKind::kRadioButton:
    case ControlKind::kPushButton:
      return ToUtf8(static_cast<QAbstractButton*>(widget)->text());
    case ControlKind::kLabel:
      return ToUtf8(static_cast<QLabel*>(widget)->text());
    case ControlKind::kCharMapList:
      return ToUtf8(static_cast<CharMapList*>(widget)->name());
    case ControlKind::kPreviewArea:
      break;
  }
  return {};
}

void QtDialogHost::SetText(int id, std::string_view text) {
  const ControlDef* def = FindControl(id);
  QWidget* widget = window_.Control(id);
  if (!def || !widget) return;
  // An edit notifies exactly once per set, also when the text stays the same, as
  // the classic edit does; Qt's own signal is held back for that.
  switch (def->kind) {
    case ControlKind::kEdit:
    case ControlKind::kDigitsEdit: {
      auto* edit = static_cast<QLineEdit*>(widget);
      {
        const QSignalBlocker blocker(edit);
        if (def->kind == ControlKind::kDigitsEdit) {
          static_cast<DigitsLineEdit*>(edit)->SetProgramText(FromView(text));
        } else {
          edit->setText(FromView(text));
        }
      }
      Notify(id, kNotifyTextChange);
      break;
    }
    case ControlKind::kMultilineEdit:
    case ControlKind::kReadOnlyLog: {
      auto* edit = static_cast<QPlainTextEdit*>(widget);
      if (def->kind == ControlKind::kReadOnlyLog) logTexts_[id] = std::string(text);
      {
        const QSignalBlocker blocker(edit);
        edit->setPlainText(def->kind == ControlKind::kReadOnlyLog ? VisibleLogText(text)
                                                                  : ToDocumentText(text));
      }
      Notify(id, kNotifyTextChange);
      break;
    }
    case ControlKind::kCheckBox:
    case ControlKind::kPushLikeCheck:
    case ControlKind::kRadioButton:
    case ControlKind::kPushButton:
      static_cast<QAbstractButton*>(widget)->setText(FromView(text));
      break;
    case ControlKind::kLabel:
      static_cast<QLabel*>(widget)->setText(FromView(text));
      break;
    case ControlKind::kCharMapList:
      static_cast<CharMapList*>(widget)->SetName(FromView(text));
      Notify(id, kNotifyTextChange);
      break;
    case ControlKind::kFontList:
    case ControlKind::kPreviewArea:
      break;
  }
}

bool QtDialogHost::Checked(int id) {
  auto* button = qobject_cast<QAbstractButton*>(window_.Control(id));
  return button && button->isCheckable() && button->isChecked();
}

void QtDialogHost::SetChecked(int id, bool checked) {
  const ControlDef* def = FindControl(id);
  if (!def) return;
  if (def->kind == ControlKind::kRadioButton) {
    window_.SetRadioChecked(id, checked);
  } else if (auto* button = qobject_cast<QAbstractButton*>(window_.Control(id));
             button && button->isCheckable()) {
    button->setChecked(checked);  // toggled only; commands come from clicks
  }
}

bool QtDialogHost::Enabled(int id) {
  QWidget* widget = window_.Control(id);
  return widget && widget->isEnabledTo(&window_);
}

void QtDialogHost::SetEnabled(int id, bool enabled) {
  if (QWidget* widget = window_.Control(id)) widget->setEnabled(enabled);
}

int QtDialogHost::ListCount() {
  return window_.FontList()->count();
}

int QtDialogHost::ListSelection() {
  return window_.FontList()->currentIndex();
}

std::string QtDialogHost::ListEntry(int index) {
  QComboBox* list = window_.FontList();
  if (index < 0 || index >= list->count()) return {};
  return ToUtf8(list->itemText(index));
}

void QtDialogHost::ListSelect(int index) {
  QComboBox* list = window_.FontList();
  list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

// Inserted after every entry that does not sort after it, the order the font list
// and its prefix search share.
void QtDialogHost::ListAdd(std::string_view text) {
  QComboBox* list = window_.FontList();
  int at = list->count();
  for (int i = 0; i < list->count(); ++i) {
    if (CompareIgnoringCase(text, ListEntry(i)) < 0) {
      at = i;
      break;
    }
  }
  const bool hadSelection = list->currentIndex() >= 0;
  list->insertItem(at, FromView(text));
  // A combo box selects the first item put into it; the list keeps having none.
  if (!hadSelection) list->setCurrentIndex(-1);
}

void QtDialogHost::ListClear() {
  window_.FontList()->clear();
}

void QtDialogHost::SetTitle(std::string_view title) {
  window_.setWindowTitle(FromView(title));
}

void QtDialogHost::EndDialog(int result) {
  window_.EndDialog(result);
}

void QtDialogHost::RestoreNormalSize() {
  window_.RestoreNormalSize();
}

// While a batch shows its progress, a message box belongs to the progress dialog, so
// that the window system keeps it above that dialog rather than beneath it.
void QtDialogHost::MessageBox(std::string_view text, std::string_view title, MessageIcon icon) {
  QWidget* parent = &window_;
  if (progress_ && progress_->isVisible()) parent = progress_.get();
  // The text may quote paths and names from files: control characters show as \xNN.
  if (prompts_.messageBox) {
    prompts_.messageBox(parent, EscapeControls(text), EscapeControls(title), icon);
  }
}

std::optional<std::string> QtDialogHost::AskSaveFile(const FileDialogRequest& request) {
  return prompts_.askSaveFile ? prompts_.askSaveFile(&window_, request) : std::nullopt;
}

std::optional<std::string> QtDialogHost::AskOpenFile(const FileDialogRequest& request) {
  if (openFileAnswer_) return std::exchange(openFileAnswer_, std::nullopt);
  return prompts_.askOpenFile ? prompts_.askOpenFile(&window_, request) : std::nullopt;
}

std::optional<std::string> QtDialogHost::AskFolder(std::string_view title) {
  return prompts_.askFolder ? prompts_.askFolder(&window_, title) : std::nullopt;
}

std::optional<Rgb> QtDialogHost::AskColor(Rgb initial, std::array<std::uint32_t, 16>& custom) {
  return prompts_.askColor ? prompts_.askColor(&window_, initial, custom) : std::nullopt;
}

std::optional<std::string> QtDialogHost::AskText(std::string_view title, std::string_view label,
                                                 std::string_view initial) {
  return prompts_.askText ? prompts_.askText(&window_, title, label, initial) : std::nullopt;
}

void QtDialogHost::RepaintPreview() {
  window_.Preview()->repaint();
}

int QtDialogHost::PreviewAreaWidth() {
  return window_.Preview()->width();
}

int QtDialogHost::PreviewAreaHeight() {
  return window_.Preview()->height();
}

void QtDialogHost::StartPreviewTimer() {
  previewTimer_.start();
}

void QtDialogHost::StopPreviewTimer() {
  previewTimer_.stop();
}

ScreenPoint QtDialogHost::CursorPos() {
  const QPoint pos = QCursor::pos();
  return {pos.x(), pos.y()};
}

// The position of the widget's own last mouse event: the platform's cursor position is
// not kept by every platform (offscreen, remote sessions).
std::optional<ScreenPoint> QtDialogHost::PreviewAreaCursor() {
  const std::optional<QPoint> pos = window_.Preview()->cursor();
  if (!pos) return std::nullopt;
  return ScreenPoint{pos->x(), pos->y()};
}

void QtDialogHost::CaptureMouse() {
  window_.Preview()->Capture();
}

void QtDialogHost::ReleaseMouse() {
  window_.Preview()->Release();
}

// Only what belongs to the window itself (paints, timer ticks); clicks and keys wait,
// so a long operation is not re-entered by its own buttons.
void QtDialogHost::DispatchPendingMessages() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// A window-modal progress dialog: its own events (Cancel) are handled each time the
// value changes, while the window behind it takes no input. It is shown at once: left
// to its own timer, it would appear inside the first message box's event loop, on top
// of that box.
void QtDialogHost::BeginProgress(std::string_view title, int total) {
  progress_ =
      std::make_unique<QProgressDialog>(QString(), QStringLiteral("Cancel"), 0, total, &window_);
  progress_->setWindowTitle(FromView(title));
  progress_->setWindowModality(Qt::WindowModal);
  progress_->setAutoClose(false);
  progress_->setAutoReset(false);
  progress_->setMinimumDuration(0);
  progress_->show();
}

bool QtDialogHost::UpdateProgress(int done, std::string_view what) {
  if (!progress_) return true;
  progress_->setLabelText(FromView(what));
  progress_->setValue(done);
  return !progress_->wasCanceled();
}

void QtDialogHost::EndProgress() {
  progress_.reset();
}

// A run that takes more than half a second gets a window-modal progress dialog with
// Cancel; setting its value lets the window paint and the dialog take the click, while
// the window behind it takes no input. Within a batch, the batch's dialog is the one
// shown, and its Cancel stops the sheet being drawn too.
bool QtDialogHost::ReportProgress(int done, int total) {
  if (done <= 0) {
    runClock_.start();
    lastPumpMs_ = 0;
    return true;
  }
  if (done >= total) {
    runProgress_.reset();
    return true;
  }
  if (!runClock_.isValid()) runClock_.start();
  const qint64 elapsed = runClock_.elapsed();
  if (elapsed - lastPumpMs_ < runPumpEveryMs_) return true;
  lastPumpMs_ = elapsed;
  if (progress_) {
    QCoreApplication::processEvents();
    return !progress_->wasCanceled();
  }
  if (!runProgress_ && elapsed >= runShowAfterMs_) {
    runProgress_ = std::make_unique<QProgressDialog>(QStringLiteral("Drawing the sheet ..."),
                                                     QStringLiteral("Cancel"), 0, total, &window_);
    runProgress_->setWindowTitle(QStringLiteral("Glyphex"));
    runProgress_->setWindowModality(Qt::WindowModal);
    runProgress_->setAutoClose(false);
    runProgress_->setAutoReset(false);
    runProgress_->setMinimumDuration(0);
    runProgress_->show();
  }
  if (!runProgress_) return true;
  runProgress_->setValue(done);
  return !runProgress_->wasCanceled();
}

void QtDialogHost::ShowStatus(std::string_view text) {
  window_.SetStatus(FromView(text));
}

void QtDialogHost::ScheduleRefreshPreview() {
  refreshTimer_.start();
}

void QtDialogHost::OpenFileByCommand(int commandId, const std::string& path) {
  openFileAnswer_ = path;
  Notify(commandId, kNotifyClicked);
  openFileAnswer_.reset();  // a command that asked nothing leaves it unused
}

void QtDialogHost::FileUsed(UsedFileKind kind, std::string_view path) {
  AddRecentFile(kind,
                QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size()))));
}
