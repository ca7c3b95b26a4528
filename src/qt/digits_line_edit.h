// A line edit that refuses typed characters other than the digits 0-9, like the
// classic number-only edit: only typing is filtered, so the program can still set
// any text ("-1") and typing goes on working after it has.
#pragma once

#include <QLineEdit>

class DigitsLineEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
