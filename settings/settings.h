// The settings file: the data table and the chart options carried from one
// run to the next in an INI file in code page 932 beside the executable.
//
// No user interface: the window applies a loaded record to its controls and
// fills a record from them for the save. Write failures are thrown as
// UserError; reading never fails.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "table/data_table.h"

namespace quillmark {

namespace ini {
class IniDocument;
}

// The settings file's path for a running executable: its full path with the
// extension (from the last "." after the last "/") replaced by ".INI", or
// ".INI" appended when there is none.
std::string SettingsPathFor(std::string_view executable_path);

// Section names and the keys of section "Setting", in code page 932. The keys
// that are control captions equal those captions.
namespace settings_keys {
const std::string& TableSection();    // "Table"
const std::string& SettingSection();  // "Setting"
const std::string& Material();   // "棒の素材となる文字（半角）："
const std::string& WriteNum();   // "数値も記入"
const std::string& WriteUnit();  // "単位も記入"
const std::string& AsHtml();     // "HTML形式でクリップボード出力"
const std::string& Unit();       // "Unit"
const std::string& AutoScale();  // "メーラーの折り返し幅に合わせる（自動）"
const std::string& Width();     // "幅（半角文字数）："
const std::string& FontSize();  // "FontSize"
const std::string& Scale();     // "Scale"
const std::string& FontName();  // "FontName"
}  // namespace settings_keys

// The settings file, read and written one entry at a time; one store object
// serves one load or one save. The format rules are those of
// settings/ini_format.h; values are read and written verbatim.
//
// Reading: the file is read and parsed at the first read or write, and the
// store keeps what it parsed. A missing or unreadable file reads as empty.
// A value is read up to its first 2047 bytes.
//
// Writing: each write puts the complete new file in place (written beside
// it, then renamed over it) before it returns, so no moment leaves a torn
// file; the file keeps its permission bits. A text is stored up to its first
// CR or LF, since a line break would split its entry line; so a multi-line
// text reads back as its first line. Releasing a store that wrote asks the
// system to put the file on disk. A process killed in the middle of a write
// may leave its new file behind as "<path>.<8 hex digits>.tmp"; the settings
// file itself is always whole.
class SettingsStore {
 public:
  static constexpr std::size_t kMaxValueBytes = 2047;

  explicit SettingsStore(std::string path);  // touches no file yet
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;
  ~SettingsStore();

  // The entry's value, or `fallback` when the section or key is missing. A
  // present entry with an empty value reads as the empty text.
  std::string ReadText(std::string_view section, std::string_view key,
                       std::string_view fallback) const;
  // The entry in the integer form of ini::ParseInteger (leading blanks, a
  // sign, decimal or hexadecimal, signed 32-bit), else `fallback`.
  int ReadInteger(std::string_view section, std::string_view key,
                  int fallback) const;
  // The entry read as an integer with the default 1 or 0; true unless 0.
  bool ReadBool(std::string_view section, std::string_view key,
                bool fallback) const;

  // Sets the entry, creating it, its section or the file as needed. Throws
  // UserError "%s に書き込めません" (%s: the full path) when the file is
  // read-only or unreadable, or its folder cannot be written; the file is
  // then unchanged. Keys and section names must be fit for an entry line
  // (see ini::IniDocument::WithEntry); all of this program's are.
  void WriteText(std::string_view section, std::string_view key,
                 std::string_view text);
  // Decimal, with "-" before a negative number.
  void WriteInteger(std::string_view section, std::string_view key, int value);
  // "1" or "0".
  void WriteBool(std::string_view section, std::string_view key, bool value);

  const std::string& Path() const { return path_; }

 private:
  const ini::IniDocument& Document() const;

  std::string path_;
  mutable std::unique_ptr<ini::IniDocument> document_;
  mutable bool file_unreadable_ = false;
  bool written_ = false;
};

// The option entries the window stores, as plain values.
struct SettingsRecord {
  std::string Material = "_";
  bool WriteNum = true;
  bool WriteUnit = false;
  bool AsHtml = false;
  std::string Unit = "%";
  bool AutoScale = true;
  int Width = 70;
  int FontSize = 10;        // points
  std::string Scale = "1";  // the whole text of the scale field
  // Family name, code page 932. After a load it may be empty (an entry
  // present but empty): the window then leaves the family unchanged.
  std::string FontName;
};

// Reads rows 1 to 50 into `table` (missing label: empty, missing value: "0")
// and the option entries into a record with the defaults of SettingsRecord.
// Material and unit are not read back: the record keeps "_" and "%". A
// missing FontName gives `current_font_name`; a present empty one stays
// empty. Never fails: an unusable file or entry gives the defaults.
SettingsRecord LoadSettings(const std::string& path, DataTable& table,
                            std::string_view current_font_name);

// Writes all 110 entries in the save's order: section "Table" with the label
// and value of rows 1 to 50, then section "Setting" with material, the three
// check boxes, unit, scale mode, width, font size, scale and font name. Stops
// at the first failing write (UserError); entries written before it stay in
// the file. Texts are stored up to their first line break, so a multi-line
// scale comes back as its first line.
void SaveSettings(const std::string& path, const DataTable& table,
                  const SettingsRecord& record);

}  // namespace quillmark
