#include <gtest/gtest.h>

#include "base/uMasks.h"

using namespace qlm;

namespace {

TEST(Masks, MatchesWholeTextCaseIgnored) {
  struct TCase {
    const char* Text;
    const char* Mask;
    bool Matches;
  };
  const TCase cases[] = {
      {"report.tmp", "*.tmp", true},
      {"REPORT.TMP", "*.tmp", true},
      {"report.tmp.txt", "*.tmp", false},
      {"readme", "*.*", false},  // the dot stands for itself
      {"readme.", "*.*", true},
      {"", "*", true},
      {"abc", "*", true},
      {"abc", "a?c", true},
      {"ac", "a?c", false},
      {"abcd", "a?c", false},
      {"a.b.c", "*.c", true},
      {"aXbXc", "a*b*c", true},
      {"aXbX", "a*b*c", false},
      {"x1.log", "x[0-9].log", true},
      {"xa.log", "x[0-9].log", false},
      {"xa.log", "x[!0-9].log", true},
      {"x1.log", "x[!0-9].log", false},
      {"B.txt", "[abc].txt", true},
      {"d.txt", "[abc].txt", false},
      {"-.txt", "[a-].txt", true},
      {"\xC9t\xC9.doc", "\xE9t\xE9.doc", true},  // Latin-1 capitals fold too
      {"$NtUninstallKB123$", "$NtUninstall*", true},
      {"$MSI12Uninstall", "$MSI??Uninstall*", true},
      {"c:\\temp\\recycler\\", "*recycler\\", true},
      // A "]" first in a set is one of its characters.
      {"].txt", "[]a].txt", true},
      {"a.txt", "[]a].txt", true},
      {"b.txt", "[]a].txt", false},
      {"b.txt", "[!]a].txt", true},
      {"].txt", "[!]].txt", false},
      // Ranges compare the bytes unsigned, so they reach past 0x7F.
      {"\xE9.txt", "[a-\xFF].txt", true},
      {"\xE9.txt", "[\xE0-\xEF].txt", true},
      {"z.txt", "[\xE0-\xEF].txt", false},
      {"\xC9.txt", "[\xE0-\xEF].txt", true},  // folded first, then compared
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(MatchesFileMask(c.Text, c.Mask), c.Matches) << c.Text << " ~ " << c.Mask;
    EXPECT_EQ(MatchesMask(c.Text, c.Mask), c.Matches) << c.Text << " ~ " << c.Mask;
  }
}

TEST(Masks, UnclosedSetRaisesOrFails) {
  for (const char* mask : {"a[bc", "a*[!", "[]", "[!]"}) {
    EXPECT_THROW(MatchesFileMask("zzz", mask), EMaskError) << mask;  // even when the text fails first
    EXPECT_FALSE(MatchesMask("abc", mask)) << mask;
    EXPECT_FALSE(MatchesMask("a[bc", mask)) << mask;
  }
}

TEST(Masks, MaskCharacters) {
  EXPECT_TRUE(HasMaskCharacters("*.example"));
  EXPECT_TRUE(HasMaskCharacters("ad?.example"));
  EXPECT_TRUE(HasMaskCharacters("ad[0-9].example"));
  EXPECT_FALSE(HasMaskCharacters("ads.example"));
}

TEST(Masks, AnyMaskTriesEntriesInOrder) {
  EXPECT_FALSE(MatchesAnyMask("a.tmp", nullptr));
  TStringList list = SplitDelimited("*.bak|*.tmp", '|');
  EXPECT_TRUE(MatchesAnyMask("a.tmp", &list));
  EXPECT_FALSE(MatchesAnyMask("a.log", &list));
  list.Items = {"*.tmp", "[x"};  // a later broken mask is not reached
  EXPECT_TRUE(MatchesAnyMask("a.tmp", &list));
  EXPECT_THROW(MatchesAnyMask("a.log", &list), EMaskError);
}

}  // namespace
