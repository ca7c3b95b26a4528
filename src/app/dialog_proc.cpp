// The dialog procedure and its command table.
#include "app/dialog_proc.h"

#include "app/autosize_command.h"
#include "app/dialog_init.h"
#include "app/export_commands.h"
#include "app/save_all.h"
#include "dialog/control_ids.h"

namespace {

// Routes a control's notification to its operation. Controls without an action do
// nothing; every command counts as handled.
void Command(Dialog& dlg, int id, int /*code*/) {
  switch (id) {
    case kIdExit:
      dlg.host.Send(DialogMessage::kClose);
      break;
    case kIdSaveBitmap:
      SaveBitmapCommand(dlg);
      break;
    case kIdImagePreview:
      ImagePreviewCommand(dlg);
      break;
    case kIdAutosizeProportional:
      AutosizeCommand(dlg, AutosizeMode::kProportional);
      break;
    case kIdAutosizeFull:
      AutosizeCommand(dlg, AutosizeMode::kFull);
      break;
    case kIdSaveAll:
      SaveAllFonts(dlg);
      break;
    default:
      break;
  }
}

}  // namespace

int DialogProc(Dialog& dlg, DialogMessage message, int id, int code) {
  switch (message) {
    case DialogMessage::kInit:
      InitializeDialog(dlg);
      return 1;
    case DialogMessage::kClose:
    case DialogMessage::kDestroy:
      dlg.host.StopPreviewTimer();
      dlg.host.EndDialog(0);
      return 1;
    case DialogMessage::kMaximize:
      dlg.host.RestoreNormalSize();
      return 1;
    case DialogMessage::kCommand:
      Command(dlg, id, code);
      return 1;
    case DialogMessage::kTimer:
    case DialogMessage::kMouseMove:
    case DialogMessage::kLButtonUp:
    case DialogMessage::kPaintPreview:
      return 1;
  }
  return 0;
}

void StartDialog(Dialog& dlg) {
  dlg.host.SetMessageSink([&dlg](DialogMessage message, int id, int code) {
    return DialogProc(dlg, message, id, code);
  });
  dlg.host.Send(DialogMessage::kInit);
}
