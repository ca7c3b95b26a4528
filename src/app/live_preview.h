// The image preview kept current: once a sheet is shown, a change to any field it
// depends on redraws it when the fields have settled (the host's short wait), without
// message boxes; while the fields cannot make a sheet, the preview keeps the last one
// and is marked stale with the reason.
#pragma once

#include "dialog/dialog.h"

// Whether a notification of control id can change the sheet the preview shows: the
// font, layout, export, color and output fields (not the preview's own controls, the
// log, the descriptors or the buttons, whose commands set fields and notify of those).
bool ChangesSheet(int id);

// A control's notification: with a sheet shown and id one it depends on, asks the host
// for a refresh (ScheduleRefreshPreview).
void NoteFieldChange(Dialog& dlg, int id);

// A tick of the preview timer: a face selected without a notification (a font file
// opened, settings loaded) asks for a refresh as a changed field does.
void NoteFontSelection(Dialog& dlg);

// The host's refresh: with a sheet still shown, validates and draws it again as "Image
// preview" does, but quietly (a warning that did not stop it goes to the status line).
// When that fails the sheet stays, marked stale with the last message held back. Returns 0 when a
// current sheet is shown.
int RefreshImagePreview(Dialog& dlg);

// "Image preview": ImagePreviewCommand, and when it fails with a sheet still shown, that
// sheet is marked stale (its messages have been shown).
int ImagePreviewButton(Dialog& dlg);
