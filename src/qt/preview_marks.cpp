// The marks over the Preview area.
#include "qt/preview_marks.h"

#include <QPainter>
#include <QPalette>

#include "preview/key_cursor.h"

void PaintPreviewMarks(QPainter& painter, const QRect& area, const PreviewState& preview,
                       bool focused) {
  painter.save();
  if (focused) {
    // The cursor cell in two colors, visible on any sheet, and the area's focus frame.
    if (const std::optional<AreaRect> cell =
            CellAreaRect(preview, area.width(), area.height(), preview.keyCell)) {
      const QRect r(area.left() + cell->left, area.top() + cell->top, cell->width, cell->height);
      painter.setPen(QPen(Qt::black, 1));
      painter.drawRect(r.adjusted(-1, -1, 0, 0));
      painter.setPen(QPen(Qt::yellow, 1));
      painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    painter.setPen(QPen(QPalette().color(QPalette::Highlight), 2));
    painter.drawRect(area.adjusted(1, 1, -1, -1));
  }
  if (preview.sheet.shown && !preview.sheet.staleReason.empty()) {
    // A band across the top that says the sheet is not what the fields make, and why.
    const QString text =
        QString::fromUtf8(kStaleMarkPrefix) + QString::fromStdString(preview.sheet.staleReason);
    const QRect band(area.left(), area.top(), area.width(), painter.fontMetrics().height() * 2 + 6);
    painter.fillRect(band, QColor(160, 0, 0, 215));
    painter.setPen(Qt::white);
    painter.drawText(band.adjusted(6, 3, -6, -3), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     text);
    // The sheet under it is dimmed, so that it is not taken for the current one.
    painter.fillRect(area.adjusted(0, band.height(), 0, 0), QColor(0, 0, 0, 90));
  }
  painter.restore();
}
