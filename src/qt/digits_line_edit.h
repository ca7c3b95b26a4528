// A line edit that refuses characters other than the digits 0-9 from the user, typed,
// pasted or dropped, like the classic number-only edit. The program can still set any
// text ("-1"), and the user can go on editing it: only an edit that brings in a
// non-digit that the program's text did not hold is refused.
#pragma once

#include <QLineEdit>

class DigitsLineEdit : public QLineEdit {
 public:
  DigitsLineEdit(const QString& text, QWidget* parent);

  // Sets the text as the program does: it may hold anything.
  void SetProgramText(const QString& text);

 private:
  QString allowed_;  // the non-digits of the program's last text, in order
};
