#include "settings/settings.h"

#include <string>

#include "text/cp932.h"

namespace quillmark {

std::string SettingsPathFor(std::string_view executable_path) {
  const std::size_t name_at = executable_path.rfind('/') + 1;  // npos + 1 is 0
  const std::size_t dot = executable_path.rfind('.');
  const bool has_extension = dot != std::string_view::npos && dot >= name_at;
  return std::string(executable_path.substr(
             0, has_extension ? dot : std::string_view::npos)) +
         ".INI";
}

// The keys are converted once, on first use; a function-local constant keeps
// them free of start-up order.
namespace settings_keys {
// clang-format off
const std::string& TableSection() { static const std::string k = "Table"; return k; }
const std::string& SettingSection() { static const std::string k = "Setting"; return k; }
const std::string& Material() { static const std::string k = Utf8ToCp932("棒の素材となる文字（半角）："); return k; }
const std::string& WriteNum() { static const std::string k = Utf8ToCp932("数値も記入"); return k; }
const std::string& WriteUnit() { static const std::string k = Utf8ToCp932("単位も記入"); return k; }
const std::string& AsHtml() { static const std::string k = Utf8ToCp932("HTML形式でクリップボード出力"); return k; }
const std::string& Unit() { static const std::string k = "Unit"; return k; }
const std::string& AutoScale() { static const std::string k = Utf8ToCp932("メーラーの折り返し幅に合わせる（自動）"); return k; }
const std::string& Width() { static const std::string k = Utf8ToCp932("幅（半角文字数）："); return k; }
const std::string& FontSize() { static const std::string k = "FontSize"; return k; }
const std::string& Scale() { static const std::string k = "Scale"; return k; }
const std::string& FontName() { static const std::string k = "FontName"; return k; }
// clang-format on
}  // namespace settings_keys

namespace {

std::string LabelKey(int row) { return std::to_string(row) + ",0"; }
std::string ValueKey(int row) { return std::to_string(row) + ",1"; }

}  // namespace

SettingsRecord LoadSettings(const std::string& path, DataTable& table,
                            std::string_view current_font_name) {
  namespace k = settings_keys;
  const SettingsStore store(path);
  for (int row = 1; row <= DataTable::kLastRow; ++row) {
    table.TableCell(0, row,
                    store.ReadText(k::TableSection(), LabelKey(row), ""));
    table.TableCell(1, row,
                    store.ReadText(k::TableSection(), ValueKey(row), "0"));
  }
  const std::string& s = k::SettingSection();
  SettingsRecord record;
  record.WriteNum = store.ReadBool(s, k::WriteNum(), record.WriteNum);
  record.WriteUnit = store.ReadBool(s, k::WriteUnit(), record.WriteUnit);
  record.AsHtml = store.ReadBool(s, k::AsHtml(), record.AsHtml);
  record.AutoScale = store.ReadBool(s, k::AutoScale(), record.AutoScale);
  record.Width = store.ReadInteger(s, k::Width(), record.Width);
  record.Scale = store.ReadText(s, k::Scale(), record.Scale);
  record.FontSize = store.ReadInteger(s, k::FontSize(), record.FontSize);
  record.FontName = store.ReadText(s, k::FontName(), current_font_name);
  return record;
}

void SaveSettings(const std::string& path, const DataTable& table,
                  const SettingsRecord& record) {
  namespace k = settings_keys;
  SettingsStore store(path);
  for (int row = 1; row <= DataTable::kLastRow; ++row) {
    store.WriteText(k::TableSection(), LabelKey(row), table.TableCell(0, row));
    store.WriteText(k::TableSection(), ValueKey(row), table.TableCell(1, row));
  }
  const std::string& s = k::SettingSection();
  store.WriteText(s, k::Material(), record.Material);
  store.WriteBool(s, k::WriteNum(), record.WriteNum);
  store.WriteBool(s, k::WriteUnit(), record.WriteUnit);
  store.WriteBool(s, k::AsHtml(), record.AsHtml);
  store.WriteText(s, k::Unit(), record.Unit);
  store.WriteBool(s, k::AutoScale(), record.AutoScale);
  store.WriteInteger(s, k::Width(), record.Width);
  store.WriteInteger(s, k::FontSize(), record.FontSize);
  store.WriteText(s, k::Scale(), record.Scale);
  store.WriteText(s, k::FontName(), record.FontName);
}

}  // namespace quillmark
