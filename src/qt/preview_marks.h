// What the Preview area shows over the canvas: a frame while it has the focus, the
// keyboard's cursor cell, and the stale mark of a sheet the fields no longer make.
#pragma once

#include <QRect>

#include "preview/preview_state.h"

class QPainter;

// The stale mark's first words, before the reason.
inline constexpr char kStaleMarkPrefix[] = "Not current: ";

// Paints the marks over area, which shows preview's canvas.
void PaintPreviewMarks(QPainter& painter, const QRect& area, const PreviewState& preview,
                       bool focused);
