// Two option controls of the main window whose behaviour Qt's widgets do not
// give as they are: the unbounded integer spin box `seWidth` and the
// multi-line scale field `Memo1`.
#pragma once

#include <QSpinBox>
#include <QString>
#include <QTextEdit>

namespace quillmark {

// An integer spin box without lower or upper bound, stepped by 1.
class SpinEdit : public QSpinBox {
 public:
  explicit SpinEdit(QWidget* parent = nullptr);

  // The integer its text shows. A text that is no integer (empty, a lone
  // sign) reads as 0, and the text is reset to "0".
  int Value();
};

// A plain multi-line edit with right-aligned text whose `changed` signal
// fires only when its text really changes, by the user or the program.
class Memo : public QTextEdit {
  Q_OBJECT

 public:
  explicit Memo(const QString& text, QWidget* parent = nullptr);

  // The text up to its first line break.
  QString FirstLine() const;

 signals:
  void changed();

 private:
  void NoteChange();

  QString text_;
};

}  // namespace quillmark
