#include "export/export.h"

namespace quillmark {

std::string ReplaceSpacePairs(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() + cp932.size() / 2);
  for (std::size_t pos = 0; pos < cp932.size(); ++pos) {
    if (cp932[pos] == ' ' && pos + 1 < cp932.size() && cp932[pos + 1] == ' ') {
      out += " &nbsp";
      ++pos;
    } else {
      out += cp932[pos];
    }
  }
  return out;
}

}  // namespace quillmark
