// A host that runs an operation on another host's controls without a word: its message
// boxes are kept, not shown, and every prompt answers "cancelled". The live preview
// redraws through it, so typing into a field never raises a box.
#pragma once

#include <string>
#include <vector>

#include "dialog/dialog_host.h"

class QuietHost final : public DialogHost {
 public:
  explicit QuietHost(DialogHost& inner) : inner_(inner) {}

  // The texts of the message boxes held back, in order.
  const std::vector<std::string>& messages() const { return messages_; }

  std::string Text(int id) override { return inner_.Text(id); }
  void SetText(int id, std::string_view text) override { inner_.SetText(id, text); }
  bool Checked(int id) override { return inner_.Checked(id); }
  void SetChecked(int id, bool checked) override { inner_.SetChecked(id, checked); }
  bool Enabled(int id) override { return inner_.Enabled(id); }
  void SetEnabled(int id, bool enabled) override { inner_.SetEnabled(id, enabled); }
  int ListCount() override { return inner_.ListCount(); }
  int ListSelection() override { return inner_.ListSelection(); }
  std::string ListEntry(int index) override { return inner_.ListEntry(index); }
  void ListSelect(int index) override { inner_.ListSelect(index); }
  void ListAdd(std::string_view text) override { inner_.ListAdd(text); }
  void ListClear() override { inner_.ListClear(); }
  void SetTitle(std::string_view title) override { inner_.SetTitle(title); }
  void EndDialog(int result) override { inner_.EndDialog(result); }
  void RestoreNormalSize() override { inner_.RestoreNormalSize(); }

  // A long redraw still shows its progress, and can be stopped.
  bool ReportProgress(int done, int total) override { return inner_.ReportProgress(done, total); }

  void MessageBox(std::string_view text, std::string_view, MessageIcon) override {
    messages_.emplace_back(text);
  }
  std::optional<std::string> AskSaveFile(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> AskOpenFile(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> AskFolder(std::string_view) override { return {}; }
  std::optional<Rgb> AskColor(Rgb, std::array<std::uint32_t, 16>&) override { return {}; }

  void RepaintPreview() override { inner_.RepaintPreview(); }
  int PreviewAreaWidth() override { return inner_.PreviewAreaWidth(); }
  int PreviewAreaHeight() override { return inner_.PreviewAreaHeight(); }
  void StartPreviewTimer() override { inner_.StartPreviewTimer(); }
  void StopPreviewTimer() override { inner_.StopPreviewTimer(); }
  ScreenPoint CursorPos() override { return inner_.CursorPos(); }
  std::optional<ScreenPoint> PreviewAreaCursor() override { return inner_.PreviewAreaCursor(); }
  void CaptureMouse() override { inner_.CaptureMouse(); }
  void ReleaseMouse() override { inner_.ReleaseMouse(); }
  void DispatchPendingMessages() override { inner_.DispatchPendingMessages(); }
  bool PreviewAreaSeen() override { return inner_.PreviewAreaSeen(); }

 private:
  DialogHost& inner_;
  std::vector<std::string> messages_;
};
