#include "text/cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace quillmark {
namespace {

TEST(TextWidth, CountsBytesSoFullWidthIsTwoColumns) {
  EXPECT_EQ(TextWidth(""), 0u);
  EXPECT_EQ(TextWidth("NY"), 2u);
  EXPECT_EQ(TextWidth(Utf8ToCp932("東京")), 4u);
  EXPECT_EQ(TextWidth(Utf8ToCp932("ｶﾅ")), 2u);  // half-width katakana: 1 byte
}

TEST(CharLengthAt, LeadBytesTakeTheNextByteAlong) {
  struct Case {
    std::string text;
    std::size_t pos;
    std::size_t length;
  } cases[] = {
      {"A", 0, 1},
      {"\x81\x40", 0, 2},    // ideographic space
      {"\x81\x5b", 0, 2},    // "ー": second byte is "["
      {"\x9f\x0a", 0, 2},    // a lead byte takes any byte, even LF
      {"\xe0\x40", 0, 2},
      {"\xfc\xfc", 0, 2},
      {"\xa0\x40", 0, 1},    // 0xA0-0xDF are single bytes
      {"\xdf\x40", 0, 1},
      {"\x80\x40", 0, 1},
      {"\xfd\x40", 0, 1},
      {"A\x81", 1, 1},       // a lead byte at the very end stands alone
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharLengthAt(c.text, c.pos), c.length) << testing::PrintToString(c.text);
  }
}

TEST(Utf8ToCp932, ConvertsJapaneseAndKeepsAscii) {
  EXPECT_EQ(Utf8ToCp932("A,10\r\n"), "A,10\r\n");
  EXPECT_EQ(Utf8ToCp932("　"), "\x81\x40");
  EXPECT_EQ(Utf8ToCp932("ラベル"), "\x83\x89\x83\x78\x83\x8b");
  EXPECT_EQ(Utf8ToCp932("ー"), "\x81\x5b");
  EXPECT_EQ(Utf8ToCp932(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Utf8ToCp932, ReplacesWhatHasNoFormAndKeepsTheRest) {
  struct Case {
    std::string utf8;
    std::string cp932;
  } cases[] = {
      {"x€y", "x?y"},                  // no form in code page 932
      {"x😀y", "x?y"},                 // four-byte character
      {"x\xff" "y", "x?y"},            // byte that never starts UTF-8
      {"x\xc3(y", "x?(y"},             // lead byte without continuation
      {"x\xe6\x9d", "x??"},            // truncated at the end
      {"x\xc0\xafy", "x??y"},          // overlong "/"
      {"x\xed\xa0\x80y", "x???y"},     // encoded surrogate
      {"\x80\x80\x80", "???"},         // stray continuation bytes
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << testing::PrintToString(c.utf8);
  }
}

TEST(Cp932ToUtf8, RoundTripsEveryText) {
  const std::string utf8 = "東京　都 ﾃｽﾄ ①Ⅱ㈱ 髙 \\~|";
  EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932(utf8)), utf8);
}

TEST(Cp932ToUtf8, ReplacesUndefinedBytesWithoutSwallowingTheNext) {
  struct Case {
    std::string cp932;
    std::string utf8;
  } cases[] = {
      {"a\x80" "b", "a?b"},
      {"a\xfd\xfe\xff", "a???"},
      {"a\x81", "a?"},              // lone lead byte at the end
      {"a\x81\nb", "a?\nb"},        // lead byte before a line break
      {"a\x85\x40z", "a?z"},        // unassigned double-byte code
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << testing::PrintToString(c.cp932);
  }
}

TEST(Conversion, LargeTextsGrowTheOutput) {
  const std::string cp932(300000, '\x82');  // 150,000 times full-width "b"
  const std::string kana = Utf8ToCp932("あ");
  std::string many;
  for (int i = 0; i < 100000; ++i) many += kana;
  EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(many)), many);
  EXPECT_EQ(Cp932ToUtf8(cp932).size(), 150000u * 3);
}

TEST(WithFullStop, AppendsAfterCharactersAboveThePeriod) {
  struct Case {
    std::string message;
    std::string shown;
  } cases[] = {
      {"", ""},
      {"abc", "abc."},
      {"abc1", "abc1."},
      {"done.", "done."},
      {"wow!", "wow!"},
      {"(x)", "(x)"},
      {"trailing ", "trailing "},
      {"a-", "a-"},    // "-" sorts just below "."
      {"a/", "a/."},
      {Utf8ToCp932("除算"), Utf8ToCp932("除算") + "."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WithFullStop(c.message), c.shown) << c.message;
  }
}

}  // namespace
}  // namespace quillmark
