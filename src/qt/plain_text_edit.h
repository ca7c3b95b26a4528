// The multi-line edits of the window (the characters box and the log): a
// QPlainTextEdit that takes only text from the clipboard and from drops. Qt 6.4's own
// insertion reads the first of the data's formats without checking that there is one,
// so a paste from an empty clipboard ended the program; here data without text
// inserts nothing, and text is inserted as plain text.
#pragma once

#include <QPlainTextEdit>

class PlainTextEdit : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
};
