// The status line under the window's controls: one line saying what the last operation
// did. A text too long for the line is cut in the middle (a path keeps its file name),
// and the whole of it is the line's tooltip.
#pragma once

#include <QLabel>

class StatusLine : public QLabel {
  Q_OBJECT

 public:
  explicit StatusLine(QWidget* parent = nullptr);

  void SetStatus(const QString& text);
  const QString& status() const { return full_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Elide();

  QString full_;
};
