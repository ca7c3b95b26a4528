// The multi-line edit that takes only text.
#include "qt/plain_text_edit.h"

#include <QMimeData>

namespace {

bool HoldsText(const QMimeData* source) {
  return source && source->hasText() && !source->text().isEmpty();
}

}  // namespace

bool PlainTextEdit::canInsertFromMimeData(const QMimeData* source) const {
  return !isReadOnly() && HoldsText(source);
}

// Never handed to Qt's insertion, which is where an empty format list fails.
void PlainTextEdit::insertFromMimeData(const QMimeData* source) {
  if (isReadOnly() || !HoldsText(source)) return;
  QTextCursor cursor = textCursor();
  cursor.insertText(source->text());
  setTextCursor(cursor);
  ensureCursorVisible();
}
