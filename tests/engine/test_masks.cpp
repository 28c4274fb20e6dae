#include <gtest/gtest.h>

#include "engine/uFolderRelation.h"
#include "engine/uMasks.h"

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
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(MatchesFileMask(c.Text, c.Mask), c.Matches) << c.Text << " ~ " << c.Mask;
  }
}

TEST(Masks, UnclosedSetRaises) {
  EXPECT_THROW(MatchesFileMask("abc", "a[bc"), EMaskError);
  EXPECT_THROW(MatchesFileMask("zzz", "a*[!"), EMaskError);  // even when the text fails first
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

TEST(FolderRelation, ComparesComponents) {
  struct TCase {
    const char* A;
    const char* B;
    int Relation;
  };
  const TCase cases[] = {
      {"", "", FOLDER_SAME},
      {"c:\\a", "", FOLDER_UNRELATED},
      {"", "c:\\a", FOLDER_UNRELATED},
      {"C:\\Temp\\", "c:/temp", FOLDER_SAME},
      {"c:\\temp\\\\x\\", "\\c:\\temp\\x", FOLDER_SAME},
      {"c:\\temp\\x\\", "c:\\temp\\", FOLDER_INSIDE},
      {"c:\\temp\\", "c:\\temp\\x\\", FOLDER_CONTAINS},
      {"c:\\temp\\x\\", "c:\\tmp\\", FOLDER_UNRELATED},
      {"c:\\tempx\\", "c:\\temp\\", FOLDER_UNRELATED},
      {"\\\\", "c:\\temp\\", FOLDER_UNDETERMINED},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(FolderRelation(c.A, c.B), c.Relation) << c.A << " vs " << c.B;
  }
}

}  // namespace
