#include "export/export.h"

#include <gtest/gtest.h>

#include <string>

#include "text/cp932.h"

namespace quillmark {
namespace {

TEST(ReplaceSpacePairs, TurnsEachPairIntoASpaceAndAnEntity) {
  const std::string ideographic_space = Utf8ToCp932("　");
  const struct {
    std::string text;
    std::string html;
  } cases[] = {
      {"", ""},
      {"a b", "a b"},
      {"a  b", "a &nbspb"},
      {"a   b", "a &nbsp b"},
      {"a    b", "a &nbsp &nbspb"},
      {"a     b", "a &nbsp &nbsp b"},
      {"A|  \r\nB|", "A| &nbsp\r\nB|"},
      {"  ", " &nbsp"},
      {" ", " "},
      {"a &nbsp", "a &nbsp"},  // what is written is never scanned again
      {"&<> \"'", "&<> \"'"},
      {ideographic_space + ideographic_space, ideographic_space + ideographic_space},
      {"\t\t", "\t\t"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReplaceSpacePairs(c.text), c.html) << testing::PrintToString(c.text);
  }
}

}  // namespace
}  // namespace quillmark
