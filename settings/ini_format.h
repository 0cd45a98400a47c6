// The text of an INI file in code page 932: finding an entry, producing the
// text with one entry set, and the integer form of a value. Pure text work:
// no files, no failures.
//
// The rules of the format:
// - Lines end at CR LF, LF or a lone CR. Lines this module adds end with
//   CR LF; every other line keeps its bytes and its line end.
// - A line whose first character after blanks (space, tab) is "[" opens a
//   section; the name runs to the first "]", or to the end of the line.
// - Any other line holding a "=" is an entry: the key is the text before the
//   first "=", the value everything after it up to the line end, verbatim
//   (blanks and quotation marks included). Entries before the first section
//   and lines that are neither kind are kept and never read.
// - Section names and keys match without regard to the case of ASCII letters
//   and to blanks around them. Each double-byte character is one unit: it is
//   never folded and never split, so a second byte that equals "[", "]",
//   "=" or a letter (as in "ー", 0x81 0x5B) is never taken for one.
// - When a section or a key occurs more than once, the first occurrence is
//   the one read and written; the later ones are kept and ignored.
// - Setting an entry replaces the value of the existing entry in place. A new
//   key goes after the last non-blank line of its section; a new section
//   goes at the end of the text, after an empty line unless the text is
//   empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark::ini {

class IniDocument {
 public:
  // Parses `content` once; lookups afterwards do not scan the text.
  explicit IniDocument(std::string content);

  const std::string& Content() const { return content_; }

  // The whole value of the entry (of any length), or nothing when the
  // section or the key is missing.
  std::optional<std::string_view> Find(std::string_view section,
                                       std::string_view key) const;

  // The content with the entry set to `value`; this document is unchanged.
  // `value` must hold no CR or LF; a `section` must hold no "]" and a `key`
  // no "=", neither a line break, and a key must not begin with "[".
  std::string WithEntry(std::string_view section, std::string_view key,
                        std::string_view value) const;

 private:
  // One section line or entry line, found by the hash of its folded name.
  struct Slot {
    std::uint64_t hash;
    std::size_t line;     // offset of the line's first byte
    std::size_t section;  // offset of the section line it belongs to
  };

  std::optional<std::size_t> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindEntry(std::size_t section,
                                       std::string_view key) const;
  std::size_t InsertionPoint(std::size_t section) const;

  std::string content_;
  std::vector<Slot> sections_;  // sorted by hash, then by line
  std::vector<Slot> entries_;   // sorted by hash, then by line
};

// The integer form of a value: blanks (space, tab) first, an optional "+" or
// "-", then decimal digits, or hexadecimal digits after "$", "x", "X", "0x"
// or "0X", and nothing after them. Nothing when the text has another form or
// the number (sign included) lies outside the signed 32-bit range.
std::optional<std::int32_t> ParseInteger(std::string_view value);

}  // namespace quillmark::ini
