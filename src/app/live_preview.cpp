// Keeping the image preview current.
#include "app/live_preview.h"

#include "app/export_commands.h"
#include "app/quiet_host.h"
#include "dialog/dialog_fields.h"
#include "options/control_ids.h"
#include "preview/canvas_view.h"
#include "preview/cell_grid.h"
#include "preview/preview_state.h"

namespace {

// What the stale mark says when the run said nothing itself.
constexpr char kStaleWithoutMessage[] = "The fields have changed since this sheet was drawn.";

// The sheet now shown was drawn from the fields as they are.
void NoteDrawn(Dialog& dlg) {
  if (Preview().sheet.shown) Preview().sheet.fontSelection = FontListSelection(dlg);
}

void MarkStale(Dialog& dlg, std::string reason) {
  PreviewState& preview = Preview();
  if (!preview.sheet.shown) return;
  preview.sheet.staleReason = reason.empty() ? kStaleWithoutMessage : std::move(reason);
  ShowCanvas(dlg);
}

}  // namespace

bool ChangesSheet(int id) {
  switch (id) {
    case kIdFontList:
    case kIdCharWidth:
    case kIdCharHeight:
    case kIdBold:
    case kIdItalic:
    case kIdUnderline:
    case kIdCenter:
    case kIdTrimOverflow:
    case kIdTileSize:
    case kIdExportNormal:
    case kIdExportAll:
    case kIdExportUser:
    case kIdExportRange:
    case kIdRangeFrom:
    case kIdRangeTo:
    case kIdCharacters:
    case kIdColorGradient:
    case kIdColorRelief:
    case kIdColorImageOnly:
    case kIdColorGradientOverImage:
    case kIdColorReliefOverImage:
    case kIdBgRed:
    case kIdBgGreen:
    case kIdBgBlue:
    case kIdTopRed:
    case kIdTopGreen:
    case kIdTopBlue:
    case kIdSubRed:
    case kIdSubGreen:
    case kIdSubBlue:
    case kIdColorSteps:
    case kIdTexturePath:
    case kIdCharMap:
    case kIdGridColumns:
    case kIdGridRows:
    case kIdCellWidth:
    case kIdCellHeight:
    case kIdOutputColor:
    case kIdOutputAlpha:
    case kIdOutputGray:
    case kIdOutputMono:
    case kIdMonoThreshold:
    case kIdOutputSdf:
    case kIdSdfSpread:
    case kIdBoxDrawingAuto:
    case kIdBoxDrawingBuiltin:
    case kIdBoxDrawingFont:
    case kIdPixelFontAuto:
    case kIdPixelFontOn:
    case kIdPixelFontOff:
    case kIdFallbackFaces:
      return true;
    default:
      return false;
  }
}

void NoteFieldChange(Dialog& dlg, int id) {
  if (Preview().sheet.shown && ChangesSheet(id)) dlg.host.ScheduleRefreshPreview();
}

void NoteFontSelection(Dialog& dlg) {
  ShownSheet& sheet = Preview().sheet;
  const int selection = FontListSelection(dlg);
  if (sheet.shown && sheet.fontSelection != selection) {
    // Noted at once, so that the ticks during the wait do not restart it.
    sheet.fontSelection = selection;
    dlg.host.ScheduleRefreshPreview();
  }
}

int RefreshImagePreview(Dialog& dlg) {
  if (!Preview().sheet.shown) return 1;
  QuietHost quiet(dlg.host);
  Dialog quietDlg{quiet};
  if (ImagePreviewCommand(quietDlg) != 0 || !Preview().sheet.shown) {
    MarkStale(dlg, quiet.messages().empty() ? std::string() : quiet.messages().back());
    return 1;
  }
  NoteDrawn(dlg);
  // A new sheet clears the cell's line; the cell that leads is named again. A warning
  // that did not stop the run goes to the status line instead of a box.
  ShowCursorCell(dlg);
  if (!quiet.messages().empty()) dlg.host.ShowStatus("Preview: " + quiet.messages().back());
  return 0;
}

int ImagePreviewButton(Dialog& dlg) {
  const int result = ImagePreviewCommand(dlg);
  if (result != 0) {
    MarkStale(dlg, std::string());
  } else {
    NoteDrawn(dlg);
  }
  return result;
}
