#include "app/clipboard_text.h"

#include <QClipboard>
#include <QGuiApplication>

#include "text/cp932.h"

namespace quillmark {

std::string ReadClipboardText() {
  return Utf8ToCp932(QGuiApplication::clipboard()->text().toStdString());
}

void WriteClipboardText(std::string_view cp932) {
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(Cp932ToUtf8(cp932)));
}

}  // namespace quillmark
