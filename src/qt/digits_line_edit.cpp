// The digits-only line edit.
#include "qt/digits_line_edit.h"

#include <QValidator>

namespace {

QString NonDigits(const QString& text) {
  QString result;
  for (QChar ch : text) {
    if (ch < u'0' || ch > u'9') result += ch;
  }
  return result;
}

// Every user edit passes through the validator, whatever brought the text in; an
// edit it calls invalid is undone. Valid: the text's non-digits are some of the
// program's, in their order (so deleting one is fine, adding one is not).
// It reads the edit's own list of allowed non-digits: it is the edit's child, so it
// never outlives that list in use.
class DigitsValidator : public QValidator {
 public:
  DigitsValidator(const QString& allowed, QObject* parent)
      : QValidator(parent), allowed_(allowed) {}

  State validate(QString& input, int& /*pos*/) const override {
    qsizetype next = 0;
    for (QChar ch : NonDigits(input)) {
      next = allowed_.indexOf(ch, next);
      if (next < 0) return Invalid;
      ++next;
    }
    return Acceptable;
  }

 private:
  const QString& allowed_;
};

}  // namespace

DigitsLineEdit::DigitsLineEdit(const QString& text, QWidget* parent) : QLineEdit(parent) {
  setValidator(new DigitsValidator(allowed_, this));
  SetProgramText(text);
}

void DigitsLineEdit::SetProgramText(const QString& text) {
  allowed_ = NonDigits(text);
  setText(text);
}
