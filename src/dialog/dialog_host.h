// What the dialog needs from a window system: its controls by identifier, the
// prompts (message boxes, file, folder and color choosers) and the few window
// services of the preview (repaint, timer, cursor and mouse capture, message
// dispatch). The headless host keeps everything in memory; the Qt host maps it onto
// widgets.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/message_sink.h"

struct FileFilter {
  std::string name;     // "PNG - Portable Network Graphics"
  std::string pattern;  // "*.png"
};

struct FileDialogRequest {
  std::string title;
  std::vector<FileFilter> filters;  // the first one preselected
  std::string defaultExtension;     // ".bmp": appended to a name typed without one
  bool confirmOverwrite = false;
};

struct Rgb {
  int red = 0, green = 0, blue = 0;  // 0..255
};

// The files a window lists as recently used.
enum class UsedFileKind { kSettings, kFontFile };

struct ScreenPoint {
  int x = 0, y = 0;
};

// The messages a host delivers to the dialog procedure.
enum class DialogMessage {
  kInit,            // the dialog is being set up
  kClose,           // the close box, or "Exit"
  kDestroy,         // the window is going away
  kMaximize,        // a request to maximize: the dialog stays at its normal size
  kCommand,         // a control's notification: id and code
  kTimer,           // a tick of the 100 ms preview timer
  kMouseMove,       // the cursor moved over the Preview area or left it (anywhere if captured)
  kLButtonUp,       // the left button went up over the dialog (or anywhere while captured)
  kPaintPreview,    // the Preview area must be painted
  kRefreshPreview,  // the fields settled after a change while a sheet is shown
  kPreviewResized,  // the Preview area has a new size
  kPreviewKey,      // an arrow key on the focused Preview area: id is a PreviewKey
};

// The arrow keys the Preview area takes, as kPreviewKey's id.
enum class PreviewKey { kLeft, kRight, kUp, kDown };

// A host is the message sink of the operations it runs: a message is a message box.
class DialogHost : public MessageSink {
 public:
  void Show(std::string_view text, std::string_view title, MessageIcon icon) final {
    MessageBox(text, title, icon);
  }

  // Controls. Texts are UTF-8; a control the host does not know reads as empty and
  // ignores writes.
  virtual std::string Text(int id) = 0;
  virtual void SetText(int id, std::string_view text) = 0;  // edits notify a text change
  virtual bool Checked(int id) = 0;
  virtual void SetChecked(int id, bool checked) = 0;  // no notification, no group effect
  virtual bool Enabled(int id) = 0;
  virtual void SetEnabled(int id, bool enabled) = 0;

  // The font list (1001). Adding keeps the list sorted ignoring case.
  virtual int ListCount() = 0;
  virtual int ListSelection() = 0;  // -1 for none
  virtual std::string ListEntry(int index) = 0;
  virtual void ListSelect(int index) = 0;  // no notification; out of range clears it
  virtual void ListAdd(std::string_view text) = 0;
  virtual void ListClear() = 0;

  // The window.
  virtual void SetTitle(std::string_view title) = 0;
  virtual void EndDialog(int result) = 0;
  virtual void RestoreNormalSize() = 0;

  // Prompts, all modal to the dialog.
  virtual void MessageBox(std::string_view text, std::string_view title, MessageIcon icon) = 0;
  virtual std::optional<std::string> AskSaveFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> AskOpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> AskFolder(std::string_view title) = 0;
  // custom holds the 16 custom colors as 0x00BBGGRR; the chooser may change them.
  virtual std::optional<Rgb> AskColor(Rgb initial, std::array<std::uint32_t, 16>& custom) = 0;
  // A line of text, starting from initial; none when cancelled (and where no one can be
  // asked).
  virtual std::optional<std::string> AskText(std::string_view /*title*/, std::string_view /*label*/,
                                             std::string_view /*initial*/) {
    return std::nullopt;
  }

  // The preview's window services.
  virtual void RepaintPreview() = 0;   // show the canvas in the Preview area now
  virtual int PreviewAreaWidth() = 0;  // client size of the Preview area, px
  virtual int PreviewAreaHeight() = 0;
  virtual void StartPreviewTimer() = 0;  // 100 ms ticks reach the dialog procedure
  virtual void StopPreviewTimer() = 0;
  virtual ScreenPoint CursorPos() = 0;
  // The cursor in Preview area pixels (it may lie outside the area while the mouse is
  // captured); none when the cursor has left the area.
  virtual std::optional<ScreenPoint> PreviewAreaCursor() = 0;
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouse() = 0;
  virtual void DispatchPendingMessages() = 0;  // the dialog window's own, not its children's

  // Progress of a long batch. A window shows it with a Cancel button; Update returns
  // false once the user has asked to stop. Hosts without a display show nothing.
  virtual void BeginProgress(std::string_view /*title*/, int /*total*/) {}
  virtual bool UpdateProgress(int /*done*/, std::string_view /*what*/) { return true; }
  virtual void EndProgress() {}

  // A line under the Preview area saying what the last operation did ("Saved ...").
  // Hosts without one keep nothing.
  virtual void ShowStatus(std::string_view /*text*/) {}

  // A field that the shown sheet depends on changed: the host sends kRefreshPreview once
  // the fields have been left alone for a moment (each call restarts the wait). Hosts
  // that never show the Preview area do nothing.
  virtual void ScheduleRefreshPreview() {}

  // Whether the Preview area can ever be seen. A host whose run never shows or writes it
  // answers false: the canvas is then made only when something is drawn into it, and the
  // font sample, which nothing else uses, is not drawn.
  virtual bool PreviewAreaSeen() { return true; }

  // Whether a message about a field names it as the window shows it ("Cell height must
  // be 1 to 64 pixels.") rather than in the command line's syntax ("The cell size
  // \"8x\" is not width x height ...").
  virtual bool MessagesNameFields() { return false; }

  // A settings file that a user's command loaded or saved, or a font file it opened: a
  // window keeps them in its recent files. Hosts without such a list ignore it.
  virtual void FileUsed(UsedFileKind /*kind*/, std::string_view /*path*/) {}

  // Where the host sends the dialog's messages: (message, control id, notification
  // code); the result is the dialog procedure's.
  using Receiver = std::function<int(DialogMessage, int, int)>;
  void SetMessageSink(Receiver sink) { sink_ = std::move(sink); }

  // Delivers a message to the dialog procedure; 0 when none is connected.
  int Send(DialogMessage message, int id = 0, int code = 0) {
    return sink_ ? sink_(message, id, code) : 0;
  }

 protected:
  void Notify(int id, int code) { Send(DialogMessage::kCommand, id, code); }

 private:
  Receiver sink_;
};
