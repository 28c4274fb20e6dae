#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/uStringList.h"

using namespace qlm;

namespace {

TEST(StringList, SplitAtDelimiterBlanksAndControls) {
  struct TCase {
    const char* Text;
    std::vector<std::string> Items;
  };
  const TCase cases[] = {
      {"*.tmp|*.bak", {"*.tmp", "*.bak"}},
      {"*.tmp *.bak\t*.old", {"*.tmp", "*.bak", "*.old"}},
      {"\"my file.txt\"|*.log", {"my file.txt", "*.log"}},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"||a||", {"a"}},
      {"", {}},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(SplitDelimited(c.Text, '|').Items, c.Items) << c.Text;
  }
}

TEST(StringList, DelimitedTextQuotesWhatWouldSplit) {
  TStringList list;
  list.Items = {"*.tmp", "my file.txt", "a|b", "say \"hi\"", "tab\there"};
  const std::string text = DelimitedText(list);
  EXPECT_EQ(text, "*.tmp|\"my file.txt\"|\"a|b\"|\"say \"\"hi\"\"\"|\"tab\there\"");
  EXPECT_EQ(SplitDelimited(text, '|').Items, list.Items);
  list.Delimiter = ',';
  list.Items = {"*recycled\\", "*system volume information\\"};
  EXPECT_EQ(DelimitedText(list), "*recycled\\,\"*system volume information\\\"");
}

}  // namespace
