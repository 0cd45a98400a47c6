// The one error type of the core: a failure whose message is meant for the
// user. The message is code page 932 text; whoever shows it converts it.
#pragma once

#include <stdexcept>
#include <string>

namespace quillmark {

class UserError : public std::runtime_error {
 public:
  explicit UserError(const std::string& cp932_message)
      : std::runtime_error(cp932_message) {}
};

}  // namespace quillmark
