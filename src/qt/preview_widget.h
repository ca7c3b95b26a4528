// The Preview area (1009): a plain widget that paints through a callback, so the
// preview canvas can be shown without the widget knowing it, and reports the mouse:
// a left press always, moves and the release only while the program has captured
// the mouse for a drag.
#pragma once

#include <QWidget>
#include <functional>

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

 signals:
  void leftPressed();
  void capturedMouseMoved();
  void capturedLeftReleased();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Painter painter_;
  bool captured_ = false;
};
