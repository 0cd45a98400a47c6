// The two kinds of message box the main window shows: the application's
// error display, for every exception that leaves a handler, and the plain
// notice of a failed paste. Both are modal, captioned with the application
// title, centred on the screen, with one OK button.
//
// Messages arrive in code page 932; the display converts them. It never
// decides what to show, only how.
#pragma once

#include <string_view>

namespace quillmark {

class MessageDisplay {
 public:
  virtual ~MessageDisplay() = default;

  // An error icon and the message with the full-stop rule (WithFullStop).
  virtual void ShowError(std::string_view cp932_message) = 0;
  // No icon; the text exactly as given.
  virtual void ShowNotice(std::string_view cp932_text) = 0;
};

// The real boxes, QMessageBox on the screen.
class MessageBoxDisplay final : public MessageDisplay {
 public:
  void ShowError(std::string_view cp932_message) override;
  void ShowNotice(std::string_view cp932_text) override;
};

}  // namespace quillmark
