#include "table/grid_headers.h"

#include "text/cp932.h"

namespace quillmark {
namespace {

// n = width x 0.2 - offset truncated toward zero is (width - 5 x offset) / 5
// in integer division, which truncates toward zero too; the two never part,
// since width x 0.2 never falls short of the exact fifth.
int LeadingSpaces(int width, int offset) {
  const int n = (width - 5 * offset) / 5;
  return n >= 2 ? n / 2 : 0;
}

const std::string& LabelCaption() {
  static const std::string caption = Utf8ToCp932("ラベル");
  return caption;
}

const std::string& ValueCaption() {
  static const std::string caption = Utf8ToCp932("数値");
  return caption;
}

}  // namespace

const std::string& InitialLabelHeader() {
  static const std::string text = Utf8ToCp932("\u3000    \u3000  \u3000ラベル");
  return text;
}

const std::string& InitialValueHeader() {
  static const std::string text = Utf8ToCp932("\u3000    \u3000数値");
  return text;
}

std::string CentredLabelHeader(int width) {
  return std::string(LeadingSpaces(width, 3), ' ') + LabelCaption();
}

std::string CentredValueHeader(int width) {
  return std::string(LeadingSpaces(width, 2), ' ') + ValueCaption();
}

}  // namespace quillmark
