// A dialog host held in memory: one record per control of the control table, the
// font list as a sorted vector, prompts answered from scripted queues, and every
// message box recorded. The command line and the tests run the dialog on it.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "dialog/dialog.h"
#include "options/control_ids.h"

// The window's Preview area in pixels (246 x 114 dialog units): the size this host
// reports until a test sets another.
inline constexpr int kPreviewAreaWidthPx = 369;
inline constexpr int kPreviewAreaHeightPx = 185;

struct RecordedMessage {
  std::string text;
  std::string title;
  MessageIcon icon;
};

struct ControlRecord {
  std::string text;
  bool checked = false;
  bool enabled = true;
};

class HeadlessHost : public DialogHost {
 public:
  // Builds one record per control, at its start-up text, check and enabled state.
  HeadlessHost();

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

  void SetTitle(std::string_view title) override { title_ = title; }
  void EndDialog(int result) override { endResult_ = result; }
  void RestoreNormalSize() override { ++restoreCount_; }

  void MessageBox(std::string_view text, std::string_view title, MessageIcon icon) override;
  std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> AskFolder(std::string_view title) override;
  std::optional<Rgb> AskColor(Rgb initial, std::array<std::uint32_t, 16>& custom) override;

  void RepaintPreview() override { ++repaintCount_; }
  int PreviewAreaWidth() override { return previewWidth_; }
  int PreviewAreaHeight() override { return previewHeight_; }
  void StartPreviewTimer() override { timerRunning_ = true; }
  void StopPreviewTimer() override { timerRunning_ = false; }
  ScreenPoint CursorPos() override { return cursor_; }
  // The cursor relative to the Preview area's top-left corner on the screen.
  std::optional<ScreenPoint> PreviewAreaCursor() override {
    return ScreenPoint{cursor_.x - previewOrigin_.x, cursor_.y - previewOrigin_.y};
  }
  void CaptureMouse() override { captured_ = true; }
  void ReleaseMouse() override { captured_ = false; }
  void DispatchPendingMessages() override;
  void ShowStatus(std::string_view text) override { status_ = text; }
  void ScheduleRefreshPreview() override { ++refreshRequests_; }

  // A user's click on a button: a radio button checks itself and clears the others of
  // its group; a check box toggles; then the command (id, 0) goes to the dialog.
  void Click(int id);
  // A user's selection in the font list: selects index, then the command (1001, 1).
  void UserSelectFont(int index);

  // Scripted answers, consumed in order; an empty queue answers "cancelled".
  std::deque<std::optional<std::string>> saveFileAnswers;
  std::deque<std::optional<std::string>> openFileAnswers;
  std::deque<std::optional<std::string>> folderAnswers;
  std::deque<std::optional<Rgb>> colorAnswers;
  // What the prompts were asked, for the tests.
  std::vector<FileDialogRequest> fileRequests;
  std::vector<std::string> folderRequests;
  std::vector<Rgb> colorRequests;
  // Pending timer ticks delivered by DispatchPendingMessages.
  int pendingTicks = 0;
  // What PreviewAreaSeen answers: false for a run that never writes the Preview area.
  bool previewAreaSeen = true;
  bool PreviewAreaSeen() override { return previewAreaSeen; }
  // What MessagesNameFields answers: true to see the window's messages.
  bool messagesNameFields = false;
  bool MessagesNameFields() override { return messagesNameFields; }

  const std::vector<RecordedMessage>& messages() const { return messages_; }
  // The status line's last text, and how often a preview refresh was asked for.
  const std::string& status() const { return status_; }
  int refreshRequests() const { return refreshRequests_; }
  void ClearMessages() { messages_.clear(); }
  const std::string& title() const { return title_; }
  std::optional<int> endResult() const { return endResult_; }
  int repaintCount() const { return repaintCount_; }
  int restoreCount() const { return restoreCount_; }
  bool timerRunning() const { return timerRunning_; }
  bool mouseCaptured() const { return captured_; }
  void SetCursor(ScreenPoint p) { cursor_ = p; }
  void SetPreviewAreaOrigin(ScreenPoint origin) { previewOrigin_ = origin; }
  void SetPreviewAreaSize(int width, int height) {
    previewWidth_ = width;
    previewHeight_ = height;
  }

 private:
  ControlRecord* Find(int id);

  std::map<int, ControlRecord> controls_;
  std::vector<std::string> fontList_;
  int fontSelection_ = -1;
  std::vector<RecordedMessage> messages_;
  std::string title_;
  std::optional<int> endResult_;
  int repaintCount_ = 0;
  int restoreCount_ = 0;
  bool timerRunning_ = false;
  bool captured_ = false;
  ScreenPoint cursor_;
  ScreenPoint previewOrigin_;  // the Preview area's top-left corner, screen pixels
  int previewWidth_ = kPreviewAreaWidthPx;
  int previewHeight_ = kPreviewAreaHeightPx;
  std::string status_;
  int refreshRequests_ = 0;
};
