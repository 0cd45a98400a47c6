#include "table/clipboard_import.h"

#include <cstddef>
#include <optional>

#include "text/cp932.h"
#include "text/user_error.h"

namespace quillmark {
namespace {

// Hands out the lines of a text one at a time, without collecting them.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}

  std::optional<std::string_view> Next() {
    if (pos_ >= text_.size()) return std::nullopt;
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != '\r' && text_[pos_] != '\n') {
      ++pos_;
    }
    const std::string_view line = text_.substr(start, pos_ - start);
    if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    return line;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

bool IsBlank(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x01 && byte <= 0x20;
}

// A field as it stands in the line: for a quoted field the part between the
// quotes, with its doubled quotes not yet reduced.
struct RawField {
  std::string_view text;
  bool has_quote_pairs = false;
};

std::string Decode(const RawField& field) {
  if (!field.has_quote_pairs) return std::string(field.text);
  std::string decoded;
  decoded.reserve(field.text.size());
  for (std::size_t pos = 0; pos < field.text.size();) {
    const std::size_t length = CharLengthAt(field.text, pos);
    decoded.append(field.text, pos, length);
    // Inside the field every quote is the first of a pair.
    pos += field.text[pos] == '"' ? 2 : length;
  }
  return decoded;
}

// Hands out the fields of one line one at a time, so that a caller who needs
// only the first two never reads or copies the rest. Every position it stops
// at is the start of a character, so a second byte is never taken for a
// comma, a quote or a blank.
class FieldReader {
 public:
  explicit FieldReader(std::string_view line) : line_(line) { SkipBlanks(); }

  std::optional<RawField> Next() {
    if (empty_last_field_pending_) {
      empty_last_field_pending_ = false;
      return RawField{};
    }
    if (AtEnd()) return std::nullopt;
    const RawField field = line_[pos_] == '"' ? ReadQuoted() : ReadPlain();
    SkipBlanks();
    if (!AtEnd() && line_[pos_] == ',') {
      empty_last_field_pending_ = pos_ + 1 == line_.size();
      ++pos_;
      SkipBlanks();
    }
    return field;
  }

 private:
  bool AtEnd() const { return pos_ >= line_.size(); }

  void SkipBlanks() {
    while (!AtEnd() && IsBlank(line_[pos_])) ++pos_;
  }

  RawField ReadPlain() {
    const std::size_t start = pos_;
    while (!AtEnd() && !IsBlank(line_[pos_]) && line_[pos_] != ',') {
      pos_ += CharLengthAt(line_, pos_);
    }
    return RawField{line_.substr(start, pos_ - start)};
  }

  // Up to the first quote that does not start a pair; an unclosed field runs
  // to the end of the line.
  RawField ReadQuoted() {
    const std::size_t start = ++pos_;
    RawField field;
    while (!AtEnd()) {
      if (line_[pos_] != '"') {
        pos_ += CharLengthAt(line_, pos_);
      } else if (pos_ + 1 < line_.size() && line_[pos_ + 1] == '"') {
        field.has_quote_pairs = true;
        pos_ += 2;
      } else {
        field.text = line_.substr(start, pos_ - start);
        ++pos_;
        return field;
      }
    }
    field.text = line_.substr(start);
    return field;
  }

  std::string_view line_;
  std::size_t pos_ = 0;
  bool empty_last_field_pending_ = false;
};

}  // namespace

const std::string& PasteFailureMessage() {
  static const std::string message = Utf8ToCp932(
      "有効な表データをクリップボードにコピーしてから貼り付けてください。");
  return message;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  LineReader reader(text);
  while (const auto line = reader.Next()) lines.push_back(*line);
  return lines;
}

std::vector<std::string> SplitFields(std::string_view line) {
  std::vector<std::string> fields;
  FieldReader reader(line);
  while (const auto field = reader.Next()) fields.push_back(Decode(*field));
  return fields;
}

void FillTableFromText(DataTable& table, std::string_view pasted) {
  table.ClearDataRows();
  const std::string_view text = pasted.substr(0, pasted.find('\0'));
  LineReader lines(text);
  // Counted in std::size_t: a text may hold more lines than an int counts.
  std::size_t row = 0;
  while (const auto line = lines.Next()) {
    ++row;
    // Rows beyond the table are only checked, never copied.
    auto write = [&](int column, const RawField& field) {
      if (row <= static_cast<std::size_t>(DataTable::kLastRow)) {
        table.TableCell(column, static_cast<int>(row), Decode(field));
      }
    };
    FieldReader fields(*line);
    const auto label = fields.Next();
    if (!label) throw UserError(PasteFailureMessage());
    write(0, *label);
    const auto value = fields.Next();
    if (!value) throw UserError(PasteFailureMessage());
    write(1, *value);
  }
}

}  // namespace quillmark
