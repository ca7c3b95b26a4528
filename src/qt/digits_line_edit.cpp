// The digits-only line edit.
#include "qt/digits_line_edit.h"

#include <QKeyEvent>

void DigitsLineEdit::keyPressEvent(QKeyEvent* event) {
  // Editing keys carry no printable text, and shortcuts (Ctrl+V) are not typing.
  const bool shortcut =
      event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  for (QChar ch : event->text()) {
    if (!shortcut && ch.isPrint() && (ch < u'0' || ch > u'9')) {
      event->accept();  // swallowed: the dialog does not see it either
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}
