// Pasted text of any bytes: the paste either fills the table or fails with
// its message; it never reads past the text or writes beyond row 50.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "table/clipboard_import.h"
#include "text/user_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  quillmark::DataTable table;
  try {
    quillmark::FillTableFromText(table, text);
  } catch (const quillmark::UserError&) {
  }
  for (std::string_view line : quillmark::SplitLines(text)) {
    quillmark::SplitFields(line);
  }
  return 0;
}
