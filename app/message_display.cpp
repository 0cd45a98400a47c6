#include "app/message_display.h"

#include <QApplication>
#include <QMessageBox>
#include <string>

#include "text/cp932.h"

namespace quillmark {
namespace {

// Without a parent the box is centred on the screen and blocks every window.
void ShowBox(QMessageBox::Icon icon, std::string_view cp932_text) {
  QMessageBox box(icon, QApplication::applicationName(),
                  QString::fromStdString(Cp932ToUtf8(cp932_text)),
                  QMessageBox::Ok);
  box.exec();
}

}  // namespace

void MessageBoxDisplay::ShowError(std::string_view cp932_message) {
  ShowBox(QMessageBox::Critical, WithFullStop(cp932_message));
}

void MessageBoxDisplay::ShowNotice(std::string_view cp932_text) {
  ShowBox(QMessageBox::NoIcon, cp932_text);
}

}  // namespace quillmark
