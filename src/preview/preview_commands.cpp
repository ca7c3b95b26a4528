// The preview's start, redraws, timer and buttons.
#include "preview/preview_commands.h"

#include "dialog/dialog_fields.h"
#include "options/control_ids.h"
#include "preview/canvas_view.h"
#include "preview/pan_drag.h"
#include "preview/sample_text.h"

void StartPreview(Dialog& dlg, PreviewState& preview) {
  // A host that never shows the Preview area gets no canvas until something is drawn
  // into it (which makes it on demand), so a short run does not pay for its pixels.
  if (dlg.host.PreviewAreaSeen()) CreatePreviewCanvas(preview);
  DrawSampleText(dlg, preview);
  ShowCanvas(dlg);
  dlg.host.StartPreviewTimer();
  preview.lastFontSelection = FontListSelection(dlg);
}

void RedrawFontPreview(Dialog& dlg, PreviewState& preview) {
  // Text changes arrive while the dialog sets its defaults, before the canvas exists.
  if (!preview.canvas.created || !IsChecked(dlg, kIdFontPreview)) return;
  DrawSampleText(dlg, preview);
  ShowCanvas(dlg);
}

void PreviewTimerTick(Dialog& dlg, PreviewState& preview) {
  const int selection = FontListSelection(dlg);
  if (selection == -1 || selection == preview.lastFontSelection) return;
  if (!IsChecked(dlg, kIdFontPreview)) return;
  preview.lastFontSelection = selection;
  RedrawFontPreview(dlg, preview);
}

void FontPreviewCommand(Dialog& dlg, PreviewState& preview) {
  if (!IsChecked(dlg, kIdFontPreview)) return;
  if (IsChecked(dlg, kIdZoom1)) {
    preview.panX = 0.0f;
    preview.panY = 0.0f;
  }
  RedrawFontPreview(dlg, preview);
}

void ZoomCommand(Dialog& dlg, PreviewState& preview) {
  if (IsChecked(dlg, kIdZoom2)) {
    preview.zoomFactor = 2;
  } else if (IsChecked(dlg, kIdZoom4)) {
    preview.zoomFactor = 4;
  } else {
    preview.zoomFactor = 1;
    if (IsChecked(dlg, kIdFontPreview)) {
      preview.panX = 0.0f;
      preview.panY = 0.0f;
    }
  }
  ClampPan(dlg, preview);
  ShowCanvas(dlg);
}

void PreviewGridCommand(Dialog& dlg, PreviewState& preview) {
  preview.showGrid = IsChecked(dlg, kIdPreviewGrid);
  ShowCanvas(dlg);
}
