// The file format as the settings store reads and writes it, on real files.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

#include "settings/settings.h"
#include "settings/settings_test_support.h"
#include "text/cp932.h"

namespace quillmark {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

class SettingsFormat : public ::testing::Test {
 protected:
  // The store on a file that holds `content`.
  SettingsStore StoreWith(std::string_view content) {
    WriteFile(path_, content);
    return SettingsStore(path_);
  }
  // The file's content after one write into it.
  std::string AfterWrite(std::string_view content, std::string_view section,
                         std::string_view key, std::string_view text) {
    SettingsStore store = StoreWith(content);
    store.WriteText(section, key, text);
    return ReadFile(path_);
  }

  TempFolder folder_;
  std::string path_ = folder_.File("Quillmark.INI");
};

constexpr int kDefault = 12345;

TEST_F(SettingsFormat, ReadsIntegersInDecimalAndHexadecimalWithinInt32) {
  const struct {
    const char* text;
    int expected;
  } cases[] = {
      {"70", 70},
      {"  70", 70},
      {"\t 70", 70},
      {"+5", 5},
      {"-1", -1},
      {"007", 7},
      {"0", 0},
      {"0x46", 70},
      {"0X46", 70},
      {"$46", 70},
      {"x46", 70},
      {"X46", 70},
      {"$fF", 255},
      {"-$10", -16},
      {"+0x10", 16},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"$7FFFFFFF", INT_MAX},
      {"-$80000000", INT_MIN},
      {"2147483648", kDefault},
      {"-2147483649", kDefault},
      {"$80000000", kDefault},
      {"99999999999999999999", kDefault},
      {"", kDefault},
      {"abc", kDefault},
      {"70 ", kDefault},
      {"7a", kDefault},
      {"1e3", kDefault},
      {"1.5", kDefault},
      {"0x", kDefault},
      {"$", kDefault},
      {"+", kDefault},
      {"--1", kDefault},
      {"- 1", kDefault},
      {"0x1g", kDefault},
      {"$-1", kDefault},
      {"\"70\"", kDefault},
      {"\x82\x4f", kDefault},
  };
  for (const auto& c : cases) {
    const SettingsStore store =
        StoreWith(std::string("[Setting]\r\nWidth=") + c.text + "\r\n");
    EXPECT_EQ(store.ReadInteger("Setting", "Width", kDefault), c.expected)
        << "\"" << c.text << "\"";
  }
}

TEST_F(SettingsFormat, ReadsBooleansAsIntegersThatAreNotZero) {
  const struct {
    const char* text;
    bool fallback;
    bool expected;
  } cases[] = {
      {"1", false, true},     {"2", false, true}, {"-1", false, true},
      {"0x0", true, false},   {"0", true, false}, {"abc", true, true},
      {"abc", false, false},  {"", true, true},   {"", false, false},
      {"true", false, false},
  };
  for (const auto& c : cases) {
    const SettingsStore store =
        StoreWith(std::string("[Setting]\r\nFlag=") + c.text + "\r\n");
    EXPECT_EQ(store.ReadBool("Setting", "Flag", c.fallback), c.expected)
        << "\"" << c.text << "\" with default " << c.fallback;
  }
}

TEST_F(SettingsFormat, MissingEntriesGiveTheDefaultButEmptyOnesTheEmptyText) {
  const SettingsStore store = StoreWith("[Setting]\r\nScale=\r\nWidth=\r\n");
  EXPECT_EQ(store.ReadText("Setting", "Scale", "1"), "");
  EXPECT_EQ(store.ReadText("Setting", "Unit", "%"), "%");
  EXPECT_EQ(store.ReadText("Other", "Scale", "1"), "1");
  EXPECT_EQ(store.ReadInteger("Setting", "Width", 70), 70);
}

TEST_F(SettingsFormat, ReadsAValueUpToItsFirst2047Bytes) {
  const std::string exact(2047, 'e');
  const std::string longer = std::string(2046, 'l') + "\x82\xa0" + "tail";
  const SettingsStore store = StoreWith(
      "[T]\r\nexact=" + exact + "\r\nlonger=" + longer + "\r\nafter=ok\r\n");
  EXPECT_EQ(store.ReadText("T", "exact", ""), exact);
  // The cut falls inside a double-byte character and keeps its first byte.
  EXPECT_EQ(store.ReadText("T", "longer", ""), longer.substr(0, 2047));
  EXPECT_EQ(store.ReadText("T", "after", ""), "ok");
}

TEST_F(SettingsFormat, MatchesNamesWithoutCaseAndBlanksAroundThem) {
  const SettingsStore store =
      StoreWith("[ SETTING ]\r\n  fontSIZE\t=12\r\nUnit= % \r\n");
  EXPECT_EQ(store.ReadInteger("Setting", "FontSize", 10), 12);
  EXPECT_EQ(store.ReadText("setting", "UNIT", ""), " % ");  // value verbatim
}

TEST_F(SettingsFormat, TreatsEachDoubleByteCharacterAsOneUnit) {
  // "ア" is 0x83 0x41 and "ャ" 0x83 0x61: folding the second byte as a letter
  // would make them one key. The second byte of "ー" is "[", that of "‐"
  // (0x81 0x5D) is "]".
  const std::string a = "\x83\x41";
  const std::string ya = "\x83\x61";
  const std::string bar_key = Utf8ToCp932("メーラー");
  const std::string section =
      "a\x81\x5D"
      "b";
  const SettingsStore store =
      StoreWith("[" + section + "]\r\n" + a + "=big\r\n" + bar_key + "=0\r\n" +
                "\x81\x5B"
                "x=1\r\n");
  EXPECT_EQ(store.ReadText(section, a, ""), "big");
  EXPECT_EQ(store.ReadText(section, ya, "none"), "none");
  EXPECT_EQ(store.ReadBool(section, bar_key, true), false);
  EXPECT_EQ(store.ReadText(section,
                           "\x81\x5B"
                           "x",
                           ""),
            "1");
  EXPECT_EQ(store.ReadText("a\x81", a, "none"), "none");
}

TEST_F(SettingsFormat, TheFirstOfDuplicateSectionsAndKeysCounts) {
  const std::string file =
      "[Setting]\r\nFontSize=11\r\nFontSize=12\r\n"
      "[setting]\r\nFontSize=13\r\nScale=5\r\n";
  {
    const SettingsStore store = StoreWith(file);
    EXPECT_EQ(store.ReadInteger("Setting", "FontSize", 10), 11);
    EXPECT_EQ(store.ReadText("Setting", "Scale", "1"), "1");
  }
  SettingsStore store = StoreWith(file);
  store.WriteInteger("Setting", "FontSize", 14);
  store.WriteText("Setting", "Scale", "7");
  EXPECT_EQ(ReadFile(path_),
            "[Setting]\r\nFontSize=14\r\nFontSize=12\r\nScale=7\r\n"
            "[setting]\r\nFontSize=13\r\nScale=5\r\n");
  EXPECT_EQ(store.ReadText("Setting", "Scale", "1"), "7");
}

TEST_F(SettingsFormat, ReadsEveryKindOfLineEnd) {
  const SettingsStore store = StoreWith("[T]\na=1\r\nb=2\rc=3\n\r\nd=4");
  EXPECT_EQ(store.ReadText("T", "a", ""), "1");
  EXPECT_EQ(store.ReadText("T", "b", ""), "2");
  EXPECT_EQ(store.ReadText("T", "c", ""), "3");
  EXPECT_EQ(store.ReadText("T", "d", ""), "4");
}

TEST_F(SettingsFormat, IgnoresLinesWithoutEqualsSignAndEntriesBeforeSections) {
  const SettingsStore store = StoreWith(
      "FontSize=8\r\n[Setting]\r\nFontSize\r\nScale\r\n; note\r\n"
      "FontSize=12\r\n");
  EXPECT_EQ(store.ReadInteger("Setting", "FontSize", 10), 12);
  EXPECT_EQ(store.ReadText("Setting", "Scale", "1"), "1");
}

TEST_F(SettingsFormat, WritesReplaceInPlaceAndAddWhereTheyBelong) {
  const struct {
    const char* name;
    std::string before, section, key, text, after;
  } cases[] = {
      {"replaces the value, keeps the key's spelling and the LF",
       "[Setting]\nfontsize = 12\nScale=2\n", "Setting", "FontSize", "14",
       "[Setting]\nfontsize =14\nScale=2\n"},
      {"adds a key after the section's last line, before its blank lines",
       "[Setting]\nFontSize=12\n\n[Table]\n1,0=a\n", "Setting", "Unit", "%",
       "[Setting]\nFontSize=12\nUnit=%\r\n\n[Table]\n1,0=a\n"},
      {"ends an unfinished last line before adding", "[T]\r\na=1", "T", "b",
       "2", "[T]\r\na=1\r\nb=2\r\n"},
      {"adds a section at the end after an empty line", "[T]\r\na=1\r\n", "S",
       "k", "v", "[T]\r\na=1\r\n\r\n[S]\r\nk=v\r\n"},
      {"adds a section after an unfinished last line", "x=1", "S", "k", "v",
       "x=1\r\n\r\n[S]\r\nk=v\r\n"},
      {"creates the file's first section", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
      {"adds to an empty section that ends the file", "[S]", "S", "k", "v",
       "[S]\r\nk=v\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AfterWrite(c.before, c.section, c.key, c.text), c.after)
        << c.name;
  }
}

TEST_F(SettingsFormat, WritesIntegersInDecimalAndBooleansAsOneOrZero) {
  SettingsStore store(path_);
  store.WriteInteger("S", "a", -5);
  store.WriteInteger("S", "b", INT_MIN);
  store.WriteInteger("S", "c", 0);
  store.WriteBool("S", "d", true);
  store.WriteBool("S", "e", false);
  EXPECT_EQ(ReadFile(path_),
            "[S]\r\na=-5\r\nb=-2147483648\r\nc=0\r\nd=1\r\ne=0\r\n");
}

TEST_F(SettingsFormat, EveryTextWithoutLineBreakReadsBackByteForByte) {
  const std::string texts[] = {
      "",
      " lead",
      "trail ",
      "\"quoted\"",
      "'single'",
      "a=b=c",
      "=",
      "[x]",
      "[",
      "]",
      "; comment",
      "\t tab",
      "  ",
      "\x81\x5B",
      "\x81",
      std::string("nul\0byte", 8),
      Utf8ToCp932("全角　スペース"),
  };
  SettingsStore writer(path_);
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    writer.WriteText("Setting", "k" + std::to_string(i), texts[i]);
  }
  const SettingsStore reader(path_);
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    EXPECT_EQ(reader.ReadText("Setting", "k" + std::to_string(i), "?"),
              texts[i])
        << i;
  }
}

TEST_F(SettingsFormat, ATextWithALineBreakIsStoredUpToIt) {
  SettingsStore store(path_);
  store.WriteText("S", "crlf", "1.5\r\nsecond");
  store.WriteText("S", "lf", "2\nsecond");
  store.WriteText("S", "cr", "3\rsecond");
  store.WriteText("S", "first", "\r\nsecond");
  EXPECT_EQ(ReadFile(path_), "[S]\r\ncrlf=1.5\r\nlf=2\r\ncr=3\r\nfirst=\r\n");
  EXPECT_EQ(store.ReadText("S", "crlf", ""), "1.5");
}

TEST_F(SettingsFormat, EachWriteIsInTheFileWhenItReturns) {
  SettingsStore store(path_);
  store.WriteText("S", "a", "1");
  EXPECT_EQ(SettingsStore(path_).ReadText("S", "a", ""), "1");
  store.WriteText("S", "a", "2");
  EXPECT_EQ(SettingsStore(path_).ReadText("S", "a", ""), "2");
  EXPECT_EQ(store.ReadText("S", "a", ""), "2");
}

TEST_F(SettingsFormat, OddFilesReadAsDefaultsWhereUnusable) {
  std::mt19937 random(932);
  std::string garbage(1 << 16, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  const std::string huge_entry =
      "[Setting]\r\nScale=" + std::string(1 << 20, '9') + "\r\nFontSize=12\r\n";
  const struct {
    const char* name;
    std::string content;
  } cases[] = {
      {"empty", ""},
      {"binary garbage", garbage},
      {"lone lead byte at the end", "[Setting]\r\nFontName=\x82"},
      {"no line ends at all", std::string(100000, '[')},
      {"only line ends", std::string(100000, '\n')},
  };
  for (const auto& c : cases) {
    const SettingsStore store = StoreWith(c.content);
    EXPECT_EQ(store.ReadInteger("Setting", "FontSize", 10), 10) << c.name;
    EXPECT_EQ(store.ReadText("Setting", "Scale", "1"), "1") << c.name;
  }
  const SettingsStore lead = StoreWith("[Setting]\r\nFontName=\x82");
  EXPECT_EQ(lead.ReadText("Setting", "FontName", ""), "\x82");
  const SettingsStore huge = StoreWith(huge_entry);
  EXPECT_EQ(huge.ReadText("Setting", "Scale", ""), std::string(2047, '9'));
  EXPECT_EQ(huge.ReadInteger("Setting", "FontSize", 10), 12);
  EXPECT_EQ(SettingsStore(folder_.File("missing.INI"))
                .ReadInteger("Setting", "FontSize", 10),
            10);
  EXPECT_EQ(
      SettingsStore(folder_.Path()).ReadInteger("Setting", "FontSize", 10),
      10);  // a folder where the file should be
}

TEST_F(SettingsFormat, WritingIntoGarbageKeepsItAndReadsBack) {
  std::mt19937 random(4);
  std::string garbage(1 << 16, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  SettingsStore store = StoreWith(garbage);
  store.WriteText("Setting", "Scale", "2.5");
  store.WriteInteger("Table", "1,1", 42);
  const std::string after = ReadFile(path_);
  EXPECT_EQ(after.substr(0, garbage.size()), garbage);
  const SettingsStore reader(path_);
  EXPECT_EQ(reader.ReadText("Setting", "Scale", ""), "2.5");
  EXPECT_EQ(reader.ReadInteger("Table", "1,1", 0), 42);
}

TEST_F(SettingsFormat, A50MegabyteFileReadsAndTakesAWrite) {
  std::string content = "[Table]\r\n1,0=first\r\n[Filler]\r\n";
  const std::string line = "key-with-some-length=" + std::string(40, 'v');
  for (int i = 0; content.size() < (50u << 20); ++i) {
    content += line + std::to_string(i) + "\r\n";
  }
  content += "[Setting]\r\nFontSize=12\r\n";
  SettingsStore store = StoreWith(content);
  EXPECT_EQ(store.ReadText("Table", "1,0", ""), "first");
  EXPECT_EQ(store.ReadInteger("Setting", "FontSize", 10), 12);
  EXPECT_EQ(store.ReadText("Filler", "key-with-some-length", ""),
            std::string(40, 'v') + "0");
  store.WriteText("Table", "1,0", "1st");
  const std::string after = ReadFile(path_);
  EXPECT_EQ(after.size(), content.size() - 2);
  EXPECT_EQ(SettingsStore(path_).ReadText("Table", "1,0", ""), "1st");
}

TEST(SettingsPath, ReplacesTheExtensionOfTheExecutableWithIni) {
  const struct {
    const char* executable;
    const char* expected;
  } cases[] = {
      {"/opt/quillmark/quillmark", "/opt/quillmark/quillmark.INI"},
      {"/opt/quillmark/Quillmark.exe", "/opt/quillmark/Quillmark.INI"},
      {"/opt/q.d/quillmark", "/opt/q.d/quillmark.INI"},
      {"/a/b.tar.gz", "/a/b.tar.INI"},
      {"/a/name.", "/a/name.INI"},
      {"/a/.hidden", "/a/.INI"},
      {"quillmark", "quillmark.INI"},
      {"/usr/bin/設定.bin", "/usr/bin/設定.INI"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SettingsPathFor(c.executable), c.expected) << c.executable;
  }
}

}  // namespace
}  // namespace quillmark
