#include "settings/ini_format.h"

#include <algorithm>
#include <limits>

#include "text/cp932.h"

namespace quillmark::ini {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kNone = std::string_view::npos;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

struct Line {
  std::string_view text;  // without its line end
  std::size_t next;       // the offset after its line end
};

// The line starting at `begin`. CR and LF never occur as the second byte of
// a double-byte character, so bytes are enough here.
Line LineAt(std::string_view content, std::size_t begin) {
  std::size_t end = begin;
  while (end < content.size() && content[end] != '\r' && content[end] != '\n') {
    ++end;
  }
  std::size_t next = end;
  if (next < content.size() && content[next] == '\r') ++next;
  if (next < content.size() && content[next] == '\n') ++next;
  return {content.substr(begin, end - begin), next};
}

// The offset of the first character `wanted` at or after `from`, stepping
// by whole characters, or kNone.
std::size_t FindChar(std::string_view text, char wanted, std::size_t from) {
  for (std::size_t p = from; p < text.size(); p += CharLengthAt(text, p)) {
    if (text[p] == wanted) return p;
  }
  return kNone;
}

std::size_t SkipBlanks(std::string_view text) {
  std::size_t p = 0;
  while (p < text.size() && IsBlank(text[p])) ++p;
  return p;
}

bool IsBlankLine(std::string_view line) {
  return SkipBlanks(line) == line.size();
}

// The raw name of a section line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::size_t open = SkipBlanks(line);
  if (open == line.size() || line[open] != '[') return std::nullopt;
  const std::size_t close = FindChar(line, ']', open + 1);
  return line.substr(open + 1, close == kNone ? kNone : close - open - 1);
}

// The offset of the "=" of an entry line, or kNone.
std::size_t EqualsSign(std::string_view line) {
  return SectionName(line) ? kNone : FindChar(line, '=', 0);
}

// A name without the blanks around it. A blank is a single-byte character,
// so the trailing ones are found by stepping through the characters.
std::string_view Trimmed(std::string_view name) {
  name.remove_prefix(SkipBlanks(name));
  std::size_t end = 0;
  for (std::size_t p = 0; p < name.size(); p += CharLengthAt(name, p)) {
    if (!IsBlank(name[p])) end = p + CharLengthAt(name, p);
  }
  return name.substr(0, end);
}

// Calls `emit` with each byte of the name's matching form: trimmed, with
// single-byte capitals made small and double-byte characters untouched.
template <typename Emit>
void ForEachFoldedByte(std::string_view name, Emit emit) {
  const std::string_view text = Trimmed(name);
  for (std::size_t p = 0; p < text.size();) {
    const std::size_t length = CharLengthAt(text, p);
    if (length == 1) {
      const char c = text[p];
      emit(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    } else {
      emit(text[p]);
      emit(text[p + 1]);
    }
    p += length;
  }
}

std::string Folded(std::string_view name) {
  std::string folded;
  ForEachFoldedByte(name, [&](char c) { folded.push_back(c); });
  return folded;
}

bool SameName(std::string_view a, std::string_view b) {
  return Folded(a) == Folded(b);
}

std::uint64_t NameHash(std::string_view name) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  ForEachFoldedByte(name, [&](char c) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  });
  return hash;
}

std::uint64_t EntryHash(std::string_view key, std::size_t section) {
  return NameHash(key) ^ (section * 0x9E3779B97F4A7C15ull);
}

std::string_view KeyOf(std::string_view line) {
  return line.substr(0, EqualsSign(line));
}

}  // namespace

IniDocument::IniDocument(std::string content) : content_(std::move(content)) {
  std::size_t section = kNone;
  for (std::size_t p = 0; p < content_.size();) {
    const auto [line, next] = LineAt(content_, p);
    if (const auto name = SectionName(line)) {
      section = p;
      sections_.push_back({NameHash(*name), p, p});
    } else if (section != kNone) {
      const std::size_t equals = FindChar(line, '=', 0);
      if (equals != kNone) {
        entries_.push_back(
            {EntryHash(line.substr(0, equals), section), p, section});
      }
    }
    p = next;
  }
  // The slots were found in line order; a stable sort keeps it among equal
  // hashes, so the first match is the first occurrence.
  const auto by_hash = [](const Slot& a, const Slot& b) {
    return a.hash < b.hash;
  };
  std::stable_sort(sections_.begin(), sections_.end(), by_hash);
  std::stable_sort(entries_.begin(), entries_.end(), by_hash);
}

namespace {

// The earliest slot with `hash` for which `matches` holds.
template <typename Slots, typename Matches>
std::optional<std::size_t> FirstMatch(const Slots& slots, std::uint64_t hash,
                                      Matches matches) {
  auto it = std::lower_bound(
      slots.begin(), slots.end(), hash,
      [](const auto& slot, std::uint64_t h) { return slot.hash < h; });
  for (; it != slots.end() && it->hash == hash; ++it) {
    if (matches(*it)) return it->line;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::size_t> IniDocument::FindSection(
    std::string_view section) const {
  return FirstMatch(sections_, NameHash(section), [&](const Slot& slot) {
    return SameName(*SectionName(LineAt(content_, slot.line).text), section);
  });
}

std::optional<std::size_t> IniDocument::FindEntry(std::size_t section,
                                                  std::string_view key) const {
  return FirstMatch(entries_, EntryHash(key, section), [&](const Slot& slot) {
    return slot.section == section &&
           SameName(KeyOf(LineAt(content_, slot.line).text), key);
  });
}

std::optional<std::string_view> IniDocument::Find(std::string_view section,
                                                  std::string_view key) const {
  const auto section_line = FindSection(section);
  if (!section_line) return std::nullopt;
  const auto entry_line = FindEntry(*section_line, key);
  if (!entry_line) return std::nullopt;
  const std::string_view line = LineAt(content_, *entry_line).text;
  return line.substr(EqualsSign(line) + 1);
}

std::size_t IniDocument::InsertionPoint(std::size_t section) const {
  std::size_t insert_at = LineAt(content_, section).next;
  for (std::size_t p = insert_at; p < content_.size();) {
    const auto [line, next] = LineAt(content_, p);
    if (SectionName(line)) break;
    if (!IsBlankLine(line)) insert_at = next;
    p = next;
  }
  return insert_at;
}

std::string IniDocument::WithEntry(std::string_view section,
                                   std::string_view key,
                                   std::string_view value) const {
  std::string result = content_;
  const auto section_line = FindSection(section);
  const auto entry_line =
      section_line ? FindEntry(*section_line, key) : std::nullopt;
  if (entry_line) {
    const std::string_view line = LineAt(content_, *entry_line).text;
    const std::size_t value_at = *entry_line + EqualsSign(line) + 1;
    result.replace(value_at, line.size() - (value_at - *entry_line), value);
    return result;
  }
  const std::size_t insert_at =
      section_line ? InsertionPoint(*section_line) : content_.size();
  const bool line_open = insert_at > 0 && content_[insert_at - 1] != '\n' &&
                         content_[insert_at - 1] != '\r';
  std::string added;
  if (line_open) added += kLineEnd;
  if (!section_line) {
    if (!content_.empty()) added += kLineEnd;
    added.append("[").append(section).append("]").append(kLineEnd);
  }
  added.append(key).append("=").append(value).append(kLineEnd);
  result.insert(insert_at, added);
  return result;
}

std::optional<std::int32_t> ParseInteger(std::string_view value) {
  std::size_t p = SkipBlanks(value);
  bool negative = false;
  if (p < value.size() && (value[p] == '+' || value[p] == '-')) {
    negative = value[p] == '-';
    ++p;
  }
  std::string_view digits = value.substr(p);
  int base = 10;
  for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
    if (digits.starts_with(prefix)) {
      digits.remove_prefix(prefix.size());
      base = 16;
      break;
    }
  }
  if (digits.empty()) return std::nullopt;
  const std::int64_t limit =
      std::int64_t{std::numeric_limits<std::int32_t>::max()} + negative;
  std::int64_t magnitude = 0;
  for (const char c : digits) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace quillmark::ini
