#include "app/controls.h"

#include <QLineEdit>
#include <QTextDocument>
#include <QTextOption>
#include <limits>

namespace quillmark {

SpinEdit::SpinEdit(QWidget* parent) : QSpinBox(parent) {
  setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  setSingleStep(1);
}

int SpinEdit::Value() {
  bool is_integer = false;
  const int value = lineEdit()->text().toInt(&is_integer);
  if (is_integer) return value;
  setValue(0);
  lineEdit()->setText("0");
  return 0;
}

Memo::Memo(const QString& text, QWidget* parent)
    : QTextEdit(parent), text_(text) {
  setAcceptRichText(false);
  setTabChangesFocus(true);
  setLineWrapMode(QTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  document()->setDocumentMargin(0);
  document()->setDefaultTextOption(QTextOption(Qt::AlignRight));
  setPlainText(text);
  connect(this, &QTextEdit::textChanged, this, &Memo::NoteChange);
}

QString Memo::FirstLine() const {
  return toPlainText().section(QChar('\n'), 0, 0);
}

void Memo::NoteChange() {
  const QString text = toPlainText();
  if (text == text_) return;
  text_ = text;
  emit changed();
}

}  // namespace quillmark
