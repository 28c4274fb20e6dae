#include <gtest/gtest.h>

#include <optional>

#include "base/uText.h"

using namespace qlm;

namespace {

TEST(Text, LowerCaseFoldsAsciiAndLatin1Capitals) {
  struct TCase {
    char From;
    char To;
  };
  const TCase cases[] = {
      {'A', 'a'}, {'Z', 'z'}, {'a', 'a'}, {'@', '@'}, {'[', '['},
      {'\xC0', '\xE0'},  // À
      {'\xC9', '\xE9'},  // É
      {'\xDE', '\xFE'},  // Þ
      {'\xD7', '\xD7'},  // the multiplication sign is no letter
      {'\xDF', '\xDF'},  // ß has no single-byte capital
      {'\xE9', '\xE9'},
      {'\xFF', '\xFF'},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(LowerChar(c.From), c.To) << static_cast<int>(static_cast<unsigned char>(c.From));
  }
  EXPECT_EQ(LowerText("C:\\\xC9T\xC9\\Temp"), "c:\\\xE9t\xE9\\temp");
}

TEST(Text, SameTextIgnoringCase) {
  EXPECT_TRUE(SameTextIgnoringCase("Profile0", "PROFILE0"));
  EXPECT_TRUE(SameTextIgnoringCase("\xC9t\xE9", "\xE9T\xC9"));
  EXPECT_TRUE(SameTextIgnoringCase("", ""));
  EXPECT_FALSE(SameTextIgnoringCase("path", "paths"));
  EXPECT_FALSE(SameTextIgnoringCase("\xD7", "\xF7"));
}

TEST(Text, SplitAtGivesOnePartMoreThanDelimiters) {
  using TParts = std::vector<std::string_view>;
  EXPECT_EQ(SplitAt("a|b|c", '|'), (TParts{"a", "b", "c"}));
  EXPECT_EQ(SplitAt("|a||", '|'), (TParts{"", "a", "", ""}));
  EXPECT_EQ(SplitAt("", '|'), (TParts{""}));
}

}  // namespace

TEST(Text, ParseDecimalTakesOnlyAWholeDecimalInteger) {
  struct Case {
    const char* text;
    std::optional<int> value;
  } cases[] = {{"0", 0},          {"12", 12},     {" 7 ", 7},        {"-3", -3},
               {"+5", 5},         {"", {}},       {"  ", {}},        {"12a", {}},
               {"1 2", {}},       {"0x10", {}},   {"$10", {}},       {"+-1", {}},
               {"+", {}},         {"2147483647", 2147483647},       {"2147483648", {}},
               {"-2147483648", -2147483647 - 1}, {"1e3", {}},       {"\xB3", {}}};
  for (const Case& c : cases) EXPECT_EQ(ParseDecimal(c.text), c.value) << '"' << c.text << '"';
}
