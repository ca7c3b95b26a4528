// The main dialog's window.
#include "qt/main_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "options/control_ids.h"
#include "qt/charmap_list.h"
#include "qt/control_hints.h"
#include "qt/dialog_layout.h"
#include "qt/digits_line_edit.h"
#include "qt/file_drops.h"
#include "qt/plain_text_edit.h"
#include "qt/preview_widget.h"
#include "qt/recent_files_button.h"
#include "qt/window_shortcuts.h"

namespace {

const QSize kWindowSize(DuToPxX(kDialogWidthDu), DuToPxY(kDialogHeightDu));

// The template font is 8 points at 96 dpi: about 11 pixels, which is what the
// dialog-unit scale of the layout assumes.
constexpr int kFontPixelSize = 11;

constexpr int kFontListVisibleItems = 16;

// A classic group box: a thin frame whose top line runs through the middle of the
// caption, so the box's area is the one the layout gives it.
const char* const kGroupBoxStyle =
    "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 6px; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
    " left: 6px; padding: 0px 2px; }";

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/glyphex-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace

// The icons live in a static library, whose resources must be pulled in by name; the
// macro cannot be used inside a namespace.
static void InitResources() {
  Q_INIT_RESOURCE(glyphex);
}

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
  SetUpWindow();
  CreateGroupBoxes();
  CreateControls();
  CreateStaticTexts();
  CreateRecentFilesButton();
  SetTabOrder();
  ConnectSignals();
  MakeResizable();
  AddShortcuts(*this);
  AcceptFileDrops(*this);
}

// A window with its title, icon and the dialog font; MakeResizable sizes and places it.
void MainWindow::SetUpWindow() {
  InitResources();
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(QStringLiteral("Glyphex"));  // the initialization adds the version
  setWindowIcon(ProgramIcon());
  QFont dialogFont = font();
  dialogFont.setPixelSize(kFontPixelSize);
  setFont(dialogFont);
}

// Group boxes first, so that the controls created later lie above them.
void MainWindow::CreateGroupBoxes() {
  for (const GroupBoxDef& box : GroupBoxes()) {
    auto* groupBox = new QGroupBox(GroupCaptionWithMnemonic(box.caption), this);
    groupBox->installEventFilter(this);  // its mnemonic focuses its first control
    groupBox->setStyleSheet(kGroupBoxStyle);
    groupBox->setGeometry(DuToPx({box.left, box.top, box.width, box.height}));
  }
}

void MainWindow::CreateControls() {
  for (int group = 1; group < static_cast<int>(radioGroups_.size()); ++group) {
    radioGroups_[group] = new QButtonGroup(this);
    radioGroups_[group]->setExclusive(true);
  }
  for (const ControlDef& def : ControlTable()) {
    QWidget* widget = CreateControl(def);
    widget->setObjectName(QStringLiteral("control%1").arg(def.id));
    widget->setEnabled(def.enabledAtStart);
    widget->setToolTip(ControlToolTip(def.id));
    controls_[def.id] = widget;

    const ControlPlacement* place = FindPlacement(def.id);
    if (!place) continue;  // left at the origin, where the layout test finds it
    widget->setGeometry(DuToPx(place->rect));
    // An edit or list shows its caption as a label on its left; a mnemonic in the
    // caption moves the focus to the field.
    const bool captionInside =
        def.kind == ControlKind::kCheckBox || def.kind == ControlKind::kPushLikeCheck ||
        def.kind == ControlKind::kRadioButton || def.kind == ControlKind::kPushButton;
    if (!captionInside && !def.caption.empty()) {
      auto* label = new QLabel(FromView(def.caption), this);
      label->setBuddy(widget);
      label->setGeometry(DuToPx(place->caption));
      captions_[def.id] = label;
    }
  }
}

QWidget* MainWindow::CreateControl(const ControlDef& def) {
  const QString caption = FromView(def.caption);
  const QString text = FromView(def.defaultText);
  switch (def.kind) {
    case ControlKind::kFontList: {
      auto* list = new QComboBox(this);
      list->setEditable(false);
      list->setMaxVisibleItems(kFontListVisibleItems);
      return list;
    }
    case ControlKind::kEdit:
      return new QLineEdit(text, this);
    case ControlKind::kDigitsEdit:
      return new DigitsLineEdit(text, this);
    case ControlKind::kMultilineEdit:
    case ControlKind::kReadOnlyLog: {
      auto* edit = new PlainTextEdit(text, this);
      edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
      edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      edit->setTabChangesFocus(true);  // Tab leaves the field, as in any dialog
      if (def.kind == ControlKind::kReadOnlyLog) {
        // A caret shows where the focus is, and the report can be selected and copied.
        edit->setReadOnly(true);
        edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      }
      return edit;
    }
    case ControlKind::kCheckBox: {
      auto* box = new QCheckBox(caption, this);
      box->setChecked(def.checkedAtStart);
      return box;
    }
    case ControlKind::kPushLikeCheck: {
      auto* button = new QPushButton(caption, this);
      button->setCheckable(true);
      button->setChecked(def.checkedAtStart);
      button->setAutoDefault(false);
      return button;
    }
    case ControlKind::kRadioButton: {
      auto* button = new QRadioButton(caption, this);
      radioGroups_[static_cast<int>(def.radioGroup)]->addButton(button, def.id);
      button->setChecked(def.checkedAtStart);
      return button;
    }
    case ControlKind::kPushButton: {
      auto* button = new QPushButton(caption, this);
      button->setAutoDefault(false);
      button->installEventFilter(this);  // Return and Enter press it (eventFilter)
      return button;
    }
    case ControlKind::kLabel: {
      // Static texts wrap, as the characters label does when its mode lengthens it.
      auto* label = new QLabel(text, this);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case ControlKind::kPreviewArea:
      return new PreviewWidget(this);
    case ControlKind::kCharMapList: {
      auto* list = new CharMapList(this);
      list->SetName(text);
      return list;
    }
  }
  return new QWidget(this);
}

void MainWindow::CreateStaticTexts() {
  for (const StaticTextPlacement& placed : StaticTexts()) {
    auto* label = new QLabel(FromView(placed.text), this);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setGeometry(DuToPx(placed.rect));
  }
}

void MainWindow::CreateRecentFilesButton() {
  recentFiles_ = new RecentFilesButton(this);
  recentFiles_->setGeometry(DuToPx(kRecentFilesRect));
  recentFiles_->installEventFilter(this);  // Return opens its menu, as on other buttons
  connect(recentFiles_, &RecentFilesButton::fileChosen, this, &MainWindow::openFileRequested);
}

// Tab moves through the controls in layout order, box by box; "Recent files" follows
// "Open font file ...".
void MainWindow::SetTabOrder() {
  QWidget* previous = nullptr;
  for (const ControlPlacement& place : ControlPlacements()) {
    QWidget* widget = Control(place.id);
    if (!widget || widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous) setTabOrder(previous, widget);
    previous = widget;
  }
  setTabOrder(Control(kIdOpenFontFile), recentFiles_);
}

// Each widget's signal becomes the command its classic control would send: a user's
// selection in the list, a text change (also when the program sets the text), a click.
// The map list sends a text change for a map and a selection change for "From file ...".
void MainWindow::ConnectSignals() {
  for (const ControlDef& def : ControlTable()) {
    const int id = def.id;
    QWidget* widget = Control(id);
    switch (def.kind) {
      case ControlKind::kFontList:
        connect(FontList(), &QComboBox::activated, this,
                [this, id] { emit commandIssued(id, kNotifySelChange); });
        break;
      case ControlKind::kEdit:
      case ControlKind::kDigitsEdit:
        connect(static_cast<QLineEdit*>(widget), &QLineEdit::textChanged, this,
                [this, id] { emit commandIssued(id, kNotifyTextChange); });
        break;
      case ControlKind::kMultilineEdit:
      case ControlKind::kReadOnlyLog:
        connect(static_cast<QPlainTextEdit*>(widget), &QPlainTextEdit::textChanged, this,
                [this, id] { emit commandIssued(id, kNotifyTextChange); });
        break;
      case ControlKind::kRadioButton:
        connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
                [this, id] { OnRadioClicked(id); });
        break;
      case ControlKind::kCheckBox:
      case ControlKind::kPushLikeCheck:
      case ControlKind::kPushButton:
        connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
                [this, id] { emit commandIssued(id, kNotifyClicked); });
        break;
      case ControlKind::kPreviewArea:
        connect(Preview(), &PreviewWidget::leftPressed, this,
                [this, id] { emit commandIssued(id, kNotifyClicked); });
        break;
      case ControlKind::kCharMapList: {
        auto* list = static_cast<CharMapList*>(widget);
        connect(list, &CharMapList::nameChosen, this,
                [this, id] { emit commandIssued(id, kNotifyTextChange); });
        connect(list, &CharMapList::fileRequested, this,
                [this, id] { emit commandIssued(id, kNotifySelChange); });
        connect(list, &CharMapList::rangesRequested, this,
                [this] { emit commandIssued(kIdAskUnicodeRanges, kNotifyClicked); });
        break;
      }
      case ControlKind::kLabel:
        break;
    }
  }
}

// The first control of the box, in tab order, that can take the focus.
void MainWindow::FocusGroup(const QGroupBox& box) {
  const QString caption = box.title().remove(u'&');
  for (const ControlPlacement& place : ControlPlacements()) {
    const ControlDef* def = FindControl(place.id);
    QWidget* widget = Control(place.id);
    if (!def || !widget || FromView(def->group) != caption) continue;
    if (widget->isEnabled() && widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus)) {
      widget->setFocus(Qt::ShortcutFocusReason);
      return;
    }
  }
}

// A click checks its button and clears every other one of its group, however many
// the program had left checked.
void MainWindow::OnRadioClicked(int id) {
  const ControlDef* def = FindControl(id);
  for (int member : RadioGroupMembers(def->radioGroup)) SetRadioChecked(member, member == id);
  emit commandIssued(id, kNotifyClicked);
}

void MainWindow::SetRadioChecked(int id, bool checked) {
  auto* button = qobject_cast<QRadioButton*>(Control(id));
  if (!button) return;
  // An exclusive group refuses to uncheck its checked button and unchecks the
  // previous one on a check; neither may happen here.
  QButtonGroup* group = button->group();
  if (group) group->setExclusive(false);
  button->setChecked(checked);
  if (group) group->setExclusive(true);
}

QWidget* MainWindow::Control(int id) const {
  auto it = controls_.find(id);
  return it != controls_.end() ? it->second : nullptr;
}

QComboBox* MainWindow::FontList() const {
  return qobject_cast<QComboBox*>(Control(kIdFontList));
}

PreviewWidget* MainWindow::Preview() const {
  return qobject_cast<PreviewWidget*>(Control(kIdPreviewArea));
}

QButtonGroup* MainWindow::RadioButtons(RadioGroup group) const {
  return radioGroups_[static_cast<int>(group)];
}

QWidget* MainWindow::CaptionLabel(int id) const {
  auto it = captions_.find(id);
  return it != captions_.end() ? it->second : nullptr;
}

void MainWindow::EndDialog(int result) {
  endResult_ = result;
  hide();
  emit dialogEnded(result);
}

void MainWindow::RestoreNormalSize() {
  setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
  const QScreen* screen = this->screen();
  resize(OpeningSize(screen ? screen->availableGeometry().size() : QSize(kWindowSize)));
}

// Return or Enter on a focused push button presses it, as in a classic dialog; a
// QPushButton outside a QDialog only answers the space bar. The push-like check box
// is not a push button there and keeps to the space bar.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // The form's size decides where its widgets go.
  if (watched == form_ && event->type() == QEvent::Resize)
    growth_.Apply(form_->size(), kWindowSize);
  if (event->type() == QEvent::Shortcut) {
    if (auto* box = qobject_cast<QGroupBox*>(watched)) {
      FocusGroup(*box);
      return true;
    }
  }
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    auto* button = qobject_cast<QPushButton*>(watched);
    if (button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
      button->click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// The close box asks the dialog procedure; it ends the dialog itself.
void MainWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  emit closeRequested();
}
