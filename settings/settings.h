// The settings file: the data table and the chart options carried from one
// run to the next in an INI file in code page 932 beside the executable.
//
// No user interface: the window applies a loaded record to its controls and
// fills a record from them for the save. Write failures are thrown as
// UserError; reading never fails.
#pragma once

#include <string>
#include <string_view>

#include "table/data_table.h"

namespace quillmark {

// The settings file's path for a running executable: its full path with the
// extension (from the last "." after the last "/") replaced by ".INI", or
// ".INI" appended when there is none.
std::string SettingsPathFor(std::string_view executable_path);

// Section names and the keys of section "Setting", in code page 932. The keys
// that are control captions equal those captions.
namespace settings_keys {
const std::string& TableSection();     // "Table"
const std::string& SettingSection();   // "Setting"
const std::string& Material();         // "棒の素材となる文字（半角）："
const std::string& WriteNum();         // "数値も記入"
const std::string& WriteUnit();        // "単位も記入"
const std::string& AsHtml();           // "HTML形式でクリップボード出力"
const std::string& Unit();             // "Unit"
const std::string& AutoScale();        // "メーラーの折り返し幅に合わせる（自動）"
const std::string& Width();            // "幅（半角文字数）："
const std::string& FontSize();         // "FontSize"
const std::string& Scale();            // "Scale"
const std::string& FontName();         // "FontName"
}  // namespace settings_keys

// The INI file, read and written one entry at a time. Each write puts the
// complete new file in place (written beside it, then renamed over it) before
// it returns, so no moment leaves a torn file.
class SettingsStore {
 public:
  explicit SettingsStore(std::string path);  // touches no file yet

  std::string ReadText(std::string_view section, std::string_view key,
                       std::string_view fallback) const;
  int ReadInteger(std::string_view section, std::string_view key,
                  int fallback) const;
  bool ReadBool(std::string_view section, std::string_view key,
                bool fallback) const;

  // Throw UserError "%s に書き込めません" (the full path) when the file is
  // read-only or the folder cannot be written.
  void WriteText(std::string_view section, std::string_view key,
                 std::string_view text);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
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
  int FontSize = 10;            // points
  std::string Scale = "1";      // the whole text of the scale field
  std::string FontName;         // family name, code page 932
};

// Reads rows 1 to 50 into `table` (missing label: empty, missing value: "0")
// and the option entries into a record. Material and unit are not read back:
// the record keeps their initial values. A missing FontName gives
// `current_font_name`. Never fails.
SettingsRecord LoadSettings(const std::string& path, DataTable& table,
                            std::string_view current_font_name);

// Writes all 110 entries in the save's order, stopping at the first failure
// (UserError); entries written before it stay in the file.
void SaveSettings(const std::string& path, const DataTable& table,
                  const SettingsRecord& record);

}  // namespace quillmark
