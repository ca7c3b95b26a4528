// The dialog procedure and its command table.
#include "app/dialog_proc.h"

#include "app/autosize_command.h"
#include "app/chooser_commands.h"
#include "app/dialog_init.h"
#include "app/export_commands.h"
#include "app/live_preview.h"
#include "app/save_all.h"
#include "dialog/enabling_rules.h"
#include "options/control_ids.h"
#include "preview/cell_grid.h"
#include "preview/key_cursor.h"
#include "preview/pan_drag.h"
#include "preview/preview_commands.h"
#include "settings/settings_file.h"

namespace {

// Routes a control's notification to its operation. Controls without an action do
// nothing; every command counts as handled.
void Command(Dialog& dlg, int id, int code) {
  switch (id) {
    case kIdFontList:
      if (code == kNotifySelChange) RedrawFontPreview(dlg);
      break;
    case kIdCharWidth:
    case kIdCharHeight:
    case kIdPreviewText:
      if (code == kNotifyTextChange) RedrawFontPreview(dlg);
      break;
    case kIdBold:
    case kIdItalic:
    case kIdUnderline:
      RedrawFontPreview(dlg);
      break;
    case kIdPreviewArea:
      PreviewPress(dlg);
      break;
    case kIdSaveBitmap:
      SaveBitmapCommand(dlg);
      break;
    case kIdExportNormal:
    case kIdExportAll:
    case kIdExportUser:
    case kIdExportRange:
      ApplyExportModeRule(dlg);
      break;
    case kIdColorGradient:
    case kIdColorImageOnly:
    case kIdColorRelief:
    case kIdColorGradientOverImage:
    case kIdColorReliefOverImage:
      ApplyColorModeRule(dlg);
      break;
    case kIdOutputColor:
    case kIdOutputAlpha:
    case kIdOutputGray:
    case kIdOutputMono:
    case kIdOutputSdf:
    case kIdDescriptorC:
    case kIdFontFileBdf:
    case kIdFontFilePsf:
    case kIdFontFileOtb:
      ApplyOutputKindRule(dlg);
      break;
    case kIdExit:
      dlg.host.Send(DialogMessage::kClose);
      break;
    case kIdBrowseTexture:
      BrowseTextureCommand(dlg);
      break;
    case kIdCharMap:
      // The list sets a built-in map's name itself (a text change); a selection change
      // is "From file ...".
      if (code == kNotifySelChange) BrowseCharMapCommand(dlg);
      break;
    case kIdAskUnicodeRanges:
      AskUnicodeRangesCommand(dlg);
      break;
    case kIdChooseBg:
      ChooseColorCommand(dlg, kIdBgRed);
      break;
    case kIdChooseTop:
      ChooseColorCommand(dlg, kIdTopRed);
      break;
    case kIdChooseSub:
      ChooseColorCommand(dlg, kIdSubRed);
      break;
    case kIdFontPreview:
      FontPreviewCommand(dlg);
      break;
    case kIdImagePreview:
      ImagePreviewButton(dlg);
      break;
    case kIdZoom1:
    case kIdZoom2:
    case kIdZoom4:
      ZoomCommand(dlg);
      break;
    case kIdPreviewGrid:
      PreviewGridCommand(dlg);
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
    case kIdSaveSettings:
      SaveSettings(dlg);
      break;
    case kIdLoadSettings:
      LoadSettings(dlg);
      break;
    case kIdOpenFontFile:
      OpenFontFileCommand(dlg);
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
      StartPreview(dlg);
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
      NoteFieldChange(dlg, id);
      return 1;
    case DialogMessage::kTimer:
      PreviewTimerTick(dlg);
      NoteFontSelection(dlg);
      return 1;
    case DialogMessage::kMouseMove:
      PreviewMouseMove(dlg);
      ShowHoveredCell(dlg);
      return 1;
    case DialogMessage::kLButtonUp:
      PreviewButtonUp(dlg);
      return 1;
    case DialogMessage::kPaintPreview:
      // The host paints the canvas itself (RenderCanvasView); nothing to draw here.
      return 1;
    case DialogMessage::kRefreshPreview:
      RefreshImagePreview(dlg);
      return 1;
    case DialogMessage::kPreviewResized:
      // The view, its pan limits and the cell line follow the area; a sample is centered
      // in it again.
      ClampPan(dlg);
      if (!Preview().sheet.shown) RedrawFontPreview(dlg);
      ShowCursorCell(dlg);
      return 1;
    case DialogMessage::kPreviewKey:
      PreviewKeyPress(dlg, static_cast<PreviewKey>(id));
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
