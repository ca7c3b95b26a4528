// The Preview area (1009): a plain widget that paints through a callback, so the
// preview canvas can be shown without the widget knowing it, and reports the mouse:
// a left press always, moves over the area and its leaving as hovering, and moves and
// the release while the program has captured the mouse for a drag. It takes the focus
// (Tab or a click) and reports the arrow keys then, and its new size.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "dialog/dialog_host.h"

class QPainter;

class PreviewWidget : public QWidget {
  Q_OBJECT

 public:
  // Paints the whole widget; the default fills it black.
  using Painter = std::function<void(QPainter&, const QRect&)>;

  explicit PreviewWidget(QWidget* parent = nullptr);

  void SetPainter(Painter painter);

  // Mouse capture for a drag: every mouse event goes to this widget until released.
  void Capture();
  void Release();
  bool captured() const { return captured_; }

  // Where the cursor was last seen, in widget pixels; none once it has left.
  std::optional<QPoint> cursor() const { return cursor_; }

 signals:
  void leftPressed();
  void hovered();  // the cursor moved over the area, or left it, with no capture
  void capturedMouseMoved();
  void capturedLeftReleased();
  void arrowPressed(PreviewKey key);
  void resized();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  Painter painter_;
  bool captured_ = false;
  std::optional<QPoint> cursor_;
};
