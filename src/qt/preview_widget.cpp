// The Preview area widget.
#include "qt/preview_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

PreviewWidget::PreviewWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the painter covers every pixel
  setMouseTracking(true);                 // moves arrive even when no button is held
  setFocusPolicy(Qt::StrongFocus);        // the arrow keys move through the sheet
}

void PreviewWidget::SetPainter(Painter painter) {
  painter_ = std::move(painter);
  update();
}

void PreviewWidget::Capture() {
  captured_ = true;
  grabMouse();
}

void PreviewWidget::Release() {
  if (!captured_) return;
  captured_ = false;
  releaseMouse();
}

void PreviewWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (painter_) {
    painter_(painter, rect());
  } else {
    painter.fillRect(rect(), Qt::black);
  }
}

void PreviewWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit leftPressed();
}

void PreviewWidget::mouseMoveEvent(QMouseEvent* event) {
  cursor_ = event->position().toPoint();
  if (!captured_) {
    emit hovered();
    return;
  }
  // A move without the left button means its release went elsewhere (another window
  // took the grab): end the drag instead of panning on with no button held.
  if (!(event->buttons() & Qt::LeftButton)) {
    emit capturedLeftReleased();
    return;
  }
  emit capturedMouseMoved();
}

bool PreviewWidget::event(QEvent* event) {
  // The window lost the focus mid-drag (a window switch): the release will not come.
  if (captured_ && event->type() == QEvent::WindowDeactivate) emit capturedLeftReleased();
  return QWidget::event(event);
}

void PreviewWidget::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (captured_) return;  // a drag goes on outside the area
  cursor_.reset();
  emit hovered();
}

void PreviewWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (captured_ && event->button() == Qt::LeftButton) emit capturedLeftReleased();
}

void PreviewWidget::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
      emit arrowPressed(PreviewKey::kLeft);
      return;
    case Qt::Key_Right:
      emit arrowPressed(PreviewKey::kRight);
      return;
    case Qt::Key_Up:
      emit arrowPressed(PreviewKey::kUp);
      return;
    case Qt::Key_Down:
      emit arrowPressed(PreviewKey::kDown);
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void PreviewWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  emit resized();
}

// The painter marks the focus, so a change of it repaints.
void PreviewWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void PreviewWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}
