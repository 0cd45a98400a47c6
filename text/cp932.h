// Code page 932 (Shift-JIS) text helpers.
//
// Inside the core every text is a byte string in code page 932; this module
// measures such texts, steps through them by characters and converts them to
// and from UTF-8 at the edges of the program (widgets, clipboard, terminal).
// It never fails: malformed input is replaced, never dropped or trusted.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillmark {

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The width of a text in half-width columns: its length in bytes, so that a
// full-width character counts two.
constexpr std::size_t TextWidth(std::string_view cp932) { return cp932.size(); }

// The length in bytes (1 or 2) of the character that starts at `pos`, which
// must be below text.size(). A lead byte takes the byte after it along,
// whatever that byte is; a lead byte at the very end stands alone.
constexpr std::size_t CharLengthAt(std::string_view cp932, std::size_t pos) {
  return IsLeadByte(static_cast<unsigned char>(cp932[pos])) &&
                 pos + 1 < cp932.size()
             ? 2
             : 1;
}

// UTF-8 to code page 932. A character with no code page 932 form, and every
// byte that is not part of a well-formed UTF-8 sequence, becomes "?".
std::string Utf8ToCp932(std::string_view utf8);

// Code page 932 to UTF-8. A byte or byte pair that code page 932 does not
// define becomes "?"; a lead byte followed by a byte that cannot be a second
// byte (a line break, say) is replaced alone, so the byte after it survives.
std::string Cp932ToUtf8(std::string_view cp932);

// The text of an error message as the error display shows it: a full stop is
// appended unless the message is empty or its last character's code is at
// most that of "." (a space, "!", ")", "." itself).
std::string WithFullStop(std::string_view cp932_message);

}  // namespace quillmark
