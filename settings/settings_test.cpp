// Loading and saving the table and the options, on real files.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings/settings_test_support.h"
#include "text/cp932.h"

namespace quillmark {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

const std::string kCurrentFont = Utf8ToCp932("ＭＳ ゴシック");

class Settings : public ::testing::Test {
 protected:
  SettingsRecord Load() { return LoadSettings(path_, loaded_, kCurrentFont); }
  // Loads a file written in UTF-8 for readability, stored as code page 932.
  SettingsRecord LoadFrom(std::string_view utf8) {
    WriteFile(path_, Utf8ToCp932(utf8));
    return Load();
  }

  TempFolder folder_;
  std::string path_ = folder_.File("Quillmark.INI");
  DataTable loaded_;
};

void ExpectDefaults(const SettingsRecord& record) {
  EXPECT_EQ(record.Material, "_");
  EXPECT_TRUE(record.WriteNum);
  EXPECT_FALSE(record.WriteUnit);
  EXPECT_FALSE(record.AsHtml);
  EXPECT_EQ(record.Unit, "%");
  EXPECT_TRUE(record.AutoScale);
  EXPECT_EQ(record.Width, 70);
  EXPECT_EQ(record.FontSize, 10);
  EXPECT_EQ(record.Scale, "1");
  EXPECT_EQ(record.FontName, kCurrentFont);
}

TEST_F(Settings, WithoutAFileLoadsTheDefaultsAndCreatesNone) {
  ExpectDefaults(Load());
  for (int row = 1; row <= DataTable::kLastRow; ++row) {
    EXPECT_EQ(loaded_.TableCell(0, row), "") << row;
    EXPECT_EQ(loaded_.TableCell(1, row), "0") << row;
  }
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(Settings, UnusableFilesLoadTheDefaults) {
  WriteFile(path_, std::string("\0\xff\x81[\r=\n", 7));
  ExpectDefaults(Load());
  ExpectDefaults(LoadFrom("[Setting]\r\nFontSize\r\nScale\r\n"));
}

TEST_F(Settings, SavedTableAndOptionsComeBackExceptMaterialAndUnit) {
  DataTable table;
  for (int row = 1; row <= DataTable::kLastRow; ++row) {
    table.TableCell(0, row, Utf8ToCp932("行 ") + std::to_string(row));
    table.TableCell(1, row, "-" + std::to_string(row) + ".25");
  }
  const SettingsRecord saved = {
      "*",   false, true, true,  Utf8ToCp932("円"),
      false, 0,     14,   "2.5", Utf8ToCp932("ＭＳ 明朝")};
  SaveSettings(path_, table, saved);

  const SettingsRecord loaded = Load();
  for (int row = 1; row <= DataTable::kLastRow; ++row) {
    EXPECT_EQ(loaded_.TableCell(0, row), table.TableCell(0, row)) << row;
    EXPECT_EQ(loaded_.TableCell(1, row), table.TableCell(1, row)) << row;
  }
  EXPECT_EQ(loaded.Material, "_");
  EXPECT_EQ(loaded.Unit, "%");
  EXPECT_EQ(loaded.WriteNum, saved.WriteNum);
  EXPECT_EQ(loaded.WriteUnit, saved.WriteUnit);
  EXPECT_EQ(loaded.AsHtml, saved.AsHtml);
  EXPECT_EQ(loaded.AutoScale, saved.AutoScale);
  EXPECT_EQ(loaded.Width, saved.Width);
  EXPECT_EQ(loaded.FontSize, saved.FontSize);
  EXPECT_EQ(loaded.Scale, saved.Scale);
  EXPECT_EQ(loaded.FontName, saved.FontName);

  const SettingsStore store(path_);
  EXPECT_EQ(store.ReadText("Setting", settings_keys::Material(), ""), "*");
  EXPECT_EQ(store.ReadText("Setting", "Unit", ""), Utf8ToCp932("円"));
}

TEST_F(Settings, EmptyEntriesLoadAsEmptyTextsButDefaultNumbers) {
  const SettingsRecord record = LoadFrom(
      "[Table]\r\n1,0=\r\n1,1=\r\n[Setting]\r\nScale=\r\nFontName=\r\n"
      "FontSize=\r\n幅（半角文字数）：=\r\n数値も記入=\r\n");
  EXPECT_EQ(loaded_.TableCell(0, 1), "");
  EXPECT_EQ(loaded_.TableCell(1, 1), "");  // present, so not "0"
  EXPECT_EQ(loaded_.TableCell(1, 2), "0");
  EXPECT_EQ(record.Scale, "");
  EXPECT_EQ(record.FontName, "");  // the window keeps its family
  EXPECT_EQ(record.FontSize, 10);
  EXPECT_EQ(record.Width, 70);
  EXPECT_TRUE(record.WriteNum);
}

TEST_F(Settings, LoadsTheValueFormsOfAHandWrittenFile) {
  const SettingsRecord record = LoadFrom(
      "[setting]\r\n"
      "数値も記入=abc\r\n"
      "単位も記入=2\r\n"
      "HTML形式でクリップボード出力=-1\r\n"
      "メーラーの折り返し幅に合わせる（自動）=0\r\n"
      "幅（半角文字数）：=0x46\r\n"
      "fontsize=  $C\r\n"
      "棒の素材となる文字（半角）：=#\r\n"
      "Unit=kg\r\n"
      "[TABLE]\r\n50,0=last\r\n50,1=9.5\r\n");
  EXPECT_TRUE(record.WriteNum);
  EXPECT_TRUE(record.WriteUnit);
  EXPECT_TRUE(record.AsHtml);
  EXPECT_FALSE(record.AutoScale);
  EXPECT_EQ(record.Width, 70);
  EXPECT_EQ(record.FontSize, 12);
  EXPECT_EQ(record.Material, "_");
  EXPECT_EQ(record.Unit, "%");
  EXPECT_EQ(loaded_.TableCell(0, 50), "last");
  EXPECT_EQ(loaded_.TableCell(1, 50), "9.5");
}

TEST_F(Settings, AMultiLineScaleComesBackAsItsFirstLine) {
  SettingsRecord record;
  record.Scale = "2.5\r\n3";
  SaveSettings(path_, DataTable{}, record);
  EXPECT_EQ(Load().Scale, "2.5");
}

TEST_F(Settings, AFreshFileHoldsTableThenSettingInTheSaveOrder) {
  DataTable table;
  table.ClearDataRows();
  table.TableCell(0, 1, Utf8ToCp932("りんご"));
  table.TableCell(1, 1, "120");
  table.TableCell(0, 50, "last");
  table.TableCell(1, 50, "-3.5");
  SettingsRecord record;
  record.FontName = kCurrentFont;
  SaveSettings(path_, table, record);
  EXPECT_EQ(ReadFile(path_),
            ReadFile(QUILLMARK_SETTINGS_TESTDATA "/fresh_save.INI"));
}

TEST_F(Settings, ASaveIntoAnExistingFileKeepsWhatItDoesNotOwn) {
  WriteFile(path_,
            "; hand-written\r\n[Setting]\r\nfontsize=9\r\nColour=red\r\n\r\n"
            "[Window]\r\nLeft=10\r\n");
  SaveSettings(path_, DataTable{}, SettingsRecord{});
  const std::string after = ReadFile(path_);
  EXPECT_TRUE(after.starts_with(
      "; hand-written\r\n[Setting]\r\nfontsize=10\r\nColour=red\r\n"))
      << after;
  EXPECT_NE(
      after.find("FontName=\r\n\r\n[Window]\r\nLeft=10\r\n\r\n[Table]\r\n1,0="),
      std::string::npos)
      << after;
}

}  // namespace
}  // namespace quillmark
