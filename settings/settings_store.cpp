#include <string>

#include "settings/file_replace.h"
#include "settings/ini_format.h"
#include "settings/settings.h"
#include "text/cp932.h"
#include "text/user_error.h"

namespace quillmark {

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)) {}

SettingsStore::~SettingsStore() {
  if (written_) SyncToDisk(path_);
}

const ini::IniDocument& SettingsStore::Document() const {
  if (!document_) {
    FileContent file = ReadWholeFile(path_);
    file_unreadable_ = file.state == FileContent::State::kUnreadable;
    document_ = std::make_unique<ini::IniDocument>(std::move(file.bytes));
  }
  return *document_;
}

std::string SettingsStore::ReadText(std::string_view section,
                                    std::string_view key,
                                    std::string_view fallback) const {
  const auto value = Document().Find(section, key);
  return std::string(value ? value->substr(0, kMaxValueBytes) : fallback);
}

int SettingsStore::ReadInteger(std::string_view section, std::string_view key,
                               int fallback) const {
  const auto value = Document().Find(section, key);
  if (!value) return fallback;
  return ini::ParseInteger(value->substr(0, kMaxValueBytes)).value_or(fallback);
}

bool SettingsStore::ReadBool(std::string_view section, std::string_view key,
                             bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void SettingsStore::WriteText(std::string_view section, std::string_view key,
                              std::string_view text) {
  static const std::string kCannotWrite = Utf8ToCp932(" に書き込めません");
  const ini::IniDocument& document = Document();
  std::string content = document.WithEntry(
      section, key, text.substr(0, text.find_first_of("\r\n")));
  if (file_unreadable_ || !ReplaceFileContent(path_, content)) {
    throw UserError(Utf8ToCp932(path_) + kCannotWrite);
  }
  written_ = true;
  document_ = std::make_unique<ini::IniDocument>(std::move(content));
}

void SettingsStore::WriteInteger(std::string_view section, std::string_view key,
                                 int value) {
  WriteText(section, key, std::to_string(value));
}

void SettingsStore::WriteBool(std::string_view section, std::string_view key,
                              bool value) {
  WriteText(section, key, value ? "1" : "0");
}

}  // namespace quillmark
