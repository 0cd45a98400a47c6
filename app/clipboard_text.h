// The system clipboard as plain text in code page 932, the only form the
// window reads from it and puts on it.
#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// The clipboard's Unicode text in code page 932, "?" for each character that
// has no form there; the empty text when the clipboard holds no text.
std::string ReadClipboardText();

// Replaces whatever the clipboard holds by `cp932` as plain text only.
void WriteClipboardText(std::string_view cp932);

}  // namespace quillmark
