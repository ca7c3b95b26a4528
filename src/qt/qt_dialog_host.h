// DialogHost over the Qt window: controls are the window's widgets found by
// identifier, prompts go through a swappable PromptProvider, and the window's
// signals (commands, close box, the preview's mouse, keys and size, the 100 ms timer,
// the refresh wait) reach the dialog procedure through the host's message sink.
#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QTimer>
#include <map>
#include <memory>
#include <vector>

#include "dialog/dialog_host.h"
#include "qt/prompts.h"

class MainWindow;

class QtDialogHost final : public DialogHost {
 public:
  explicit QtDialogHost(MainWindow& window, PromptProvider prompts = QtPrompts());

  void SetPrompts(PromptProvider prompts) { prompts_ = std::move(prompts); }
  MainWindow& window() { return window_; }
  bool previewTimerRunning() const { return previewTimer_.isActive(); }

  // Runs the command commandId (kIdLoadSettings, kIdOpenFontFile) as if its file dialog
  // had been answered with path: a recent file or a dropped one takes the command's
  // own path, messages and memory.
  void OpenFileByCommand(int commandId, const std::string& path);

  std::string Text(int id) override;
  void SetText(int id, std::string_view text) override;
  bool Checked(int id) override;
  void SetChecked(int id, bool checked) override;
  bool Enabled(int id) override;
  void SetEnabled(int id, bool enabled) override;

  int ListCount() override;
  int ListSelection() override;
  std::string ListEntry(int index) override;
  void ListSelect(int index) override;
  void ListAdd(std::string_view text) override;
  void ListClear() override;

  void SetTitle(std::string_view title) override;
  void EndDialog(int result) override;
  void RestoreNormalSize() override;

  void MessageBox(std::string_view text, std::string_view title, MessageIcon icon) override;
  std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> AskFolder(std::string_view title) override;
  std::optional<Rgb> AskColor(Rgb initial, std::array<std::uint32_t, 16>& custom) override;
  std::optional<std::string> AskText(std::string_view title, std::string_view label,
                                     std::string_view initial) override;

  void RepaintPreview() override;
  int PreviewAreaWidth() override;
  int PreviewAreaHeight() override;
  void StartPreviewTimer() override;
  void StopPreviewTimer() override;
  ScreenPoint CursorPos() override;
  std::optional<ScreenPoint> PreviewAreaCursor() override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  void DispatchPendingMessages() override;
  void BeginProgress(std::string_view title, int total) override;
  bool UpdateProgress(int done, std::string_view what) override;
  void EndProgress() override;
  bool ReportProgress(int done, int total) override;
  // When a run's progress dialog appears and how often the run lets the window paint
  // and take Cancel; tests shorten them.
  void SetRunProgressTiming(int showAfterMs, int pumpEveryMs) {
    runShowAfterMs_ = showAfterMs;
    runPumpEveryMs_ = pumpEveryMs;
  }
  void ShowStatus(std::string_view text) override;
  void ScheduleRefreshPreview() override;

  bool refreshPending() const { return refreshTimer_.isActive(); }

  bool MessagesNameFields() override { return true; }
  void FileUsed(UsedFileKind kind, std::string_view path) override;

 private:
  MainWindow& window_;
  PromptProvider prompts_;
  QTimer previewTimer_;  // also the context of the window's connections
  QTimer refreshTimer_;  // one shot: the fields have settled after a change
  // The log's texts as set, with their "\r\n" line ends; the widget shows "\n".
  std::map<int, std::string> logTexts_;
  std::unique_ptr<QProgressDialog> progress_;  // while a batch runs
  // A single run's progress: its dialog, shown once the run has taken runShowAfterMs_,
  // and the clock since the run began.
  std::unique_ptr<QProgressDialog> runProgress_;
  QElapsedTimer runClock_;
  qint64 lastPumpMs_ = 0;
  int runShowAfterMs_ = 500;
  int runPumpEveryMs_ = 50;
  std::vector<std::uint32_t> previewPixels_;   // the Preview area's last painting
  std::optional<std::string> openFileAnswer_;  // while OpenFileByCommand runs
};
