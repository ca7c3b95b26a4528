// The main dialog's window: one widget per control of the control table, placed in
// its group box as the classic template lays it out, on a form that grows with the
// window (the Preview area takes the extra room) and scrolls where the window is
// smaller than the template, with a status line under it. The window only builds
// widgets, finds them by identifier and turns their signals into commands;
// QtDialogHost connects it to the dialog procedure.
#pragma once

#include <QWidget>
#include <array>
#include <map>
#include <optional>

#include "dialog/control_table.h"
#include "qt/window_growth.h"

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class PreviewWidget;
class QScrollArea;
class RecentFilesButton;
class StatusLine;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  // The widget of a control, or nullptr when id names none.
  QWidget* Control(int id) const;
  QComboBox* FontList() const;
  PreviewWidget* Preview() const;
  QButtonGroup* RadioButtons(RadioGroup group) const;
  RecentFilesButton* RecentFiles() const { return recentFiles_; }

  // The label shown left of a field (its caption), or nullptr when it has none.
  QWidget* CaptionLabel(int id) const;

  // Checks or clears one radio button without touching the rest of its group, so a
  // group can be left with none checked, as a program may do.
  void SetRadioChecked(int id, bool checked);

  // Ends the dialog: hides the window and tells whoever runs it (dialogEnded).
  void EndDialog(int result);
  std::optional<int> endResult() const { return endResult_; }

  // Undoes a maximize (or full screen) and returns to the size the window opens at.
  void RestoreNormalSize();

  // The status line under the controls.
  void SetStatus(const QString& text);
  QString status() const;

  // The form that holds the controls, and the scroll area around it.
  QWidget* Form() const { return form_; }
  QScrollArea* ScrollArea() const { return scroll_; }

  // The smallest window and the size it opens at on a screen of available size
  // (logical pixels): the template with the status line, as far as the screen holds it.
  static QSize MinimumWindowSize();
  QSize OpeningSize(QSize available) const;

 signals:
  void commandIssued(int id, int code);  // a control's notification
  void closeRequested();                 // the close box
  void dialogEnded(int result);          // the program ends with result
  // A file to open by a command that asks for one (kIdLoadSettings, kIdOpenFontFile):
  // from the recent files, or dropped on the window.
  void openFileRequested(int commandId, const QString& path);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetUpWindow();
  void CreateGroupBoxes();
  void CreateControls();
  void CreateStaticTexts();
  void CreateRecentFilesButton();
  void SetTabOrder();
  void ConnectSignals();
  void MakeResizable();  // main_window_frame.cpp

  QWidget* CreateControl(const ControlDef& def);
  void OnRadioClicked(int id);
  void FocusGroup(const QGroupBox& box);

  std::map<int, QWidget*> controls_;
  std::map<int, QWidget*> captions_;
  std::array<QButtonGroup*, 7> radioGroups_{};  // by RadioGroup; kNone unused
  RecentFilesButton* recentFiles_ = nullptr;
  std::optional<int> endResult_;
  QWidget* form_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  StatusLine* statusLine_ = nullptr;
  FormGrowth growth_;
};
