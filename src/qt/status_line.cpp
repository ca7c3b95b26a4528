// The status line.
#include "qt/status_line.h"

#include <QResizeEvent>

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
  setObjectName(QStringLiteral("statusLine"));
  setTextFormat(Qt::PlainText);
  setTextInteractionFlags(Qt::TextSelectableByMouse);
  setMinimumWidth(0);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  setContentsMargins(6, 2, 6, 3);
  setFrameShape(QFrame::NoFrame);
}

void StatusLine::SetStatus(const QString& text) {
  full_ = text;
  setToolTip(text);
  Elide();
}

void StatusLine::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Elide();
}

void StatusLine::Elide() {
  setText(fontMetrics().elidedText(full_, Qt::ElideMiddle, contentsRect().width()));
}
