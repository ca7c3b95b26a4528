// The Preview area widget.
#include "qt/preview_widget.h"

#include <QMouseEvent>
#include <QPainter>

PreviewWidget::PreviewWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the painter covers every pixel
}

void PreviewWidget::SetPainter(Painter painter) {
  painter_ = std::move(painter);
  update();
}

void PreviewWidget::Capture() {
  captured_ = true;
  setMouseTracking(true);  // moves arrive even when no button is held
  grabMouse();
}

void PreviewWidget::Release() {
  if (!captured_) return;
  captured_ = false;
  setMouseTracking(false);
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

void PreviewWidget::mouseMoveEvent(QMouseEvent*) {
  if (captured_) emit capturedMouseMoved();
}

void PreviewWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (captured_ && event->button() == Qt::LeftButton) emit capturedLeftReleased();
}
