#include <gtest/gtest.h>

#include "engine/uCoreTypes.h"

using namespace qlm;

namespace {

TEST(CoreTypes, CategoryNamesAndGroups) {
  struct TCase {
    int Category;
    const char* Name;
    const char* Group;
  };
  const TCase cases[] = {
      {1, "Cookies", "Tracking Cookies"},
      {9, "Internet Explorer Updates Unistallation files",
       "Internet Explorer Updates Uninstallation files"},
      {12, "Outlook Sent Items", ""},
      {18, "IE's Address Bar History", "Internet Explorer Additional"},
      {21, "MRU History", "User Junk files"},
      {22, "User db Cache", "User db cache files"},
      {256, "Custom files", ""},
      {257, "Custom files", ""},
      {511, "Custom files", ""},
      {0, "Undefined files", ""},
      {23, "Undefined files", ""},
      {255, "Undefined files", ""},
      {512, "Undefined files", ""},
      {-1, "Undefined files", ""},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(CategoryName(c.Category), c.Name) << c.Category;
    EXPECT_EQ(CategoryGroup(c.Category), c.Group) << c.Category;
  }
}

TEST(CoreTypes, NewRecordsStartEmpty) {
  const TFileRec rec;
  EXPECT_FALSE(rec.Selected || rec.Locked || rec.RemoveEmptyFolder);
  EXPECT_EQ(rec.Count, 0);
  EXPECT_TRUE(rec.Owner().empty());
  EXPECT_EQ(rec.Owner().Str(), "");
  const TFolderItem item;
  EXPECT_FALSE(item.IncludeMasks || item.ExcludeMasks || item.FolderExclude);
}

TEST(CoreTypes, SharedTextIsSharedByCopies) {
  TFileRec a;
  a.SetOwner(TSharedText("c:\\temp\\"));
  TFileRec b = a;
  EXPECT_EQ(&a.Owner().Str(), &b.Owner().Str());
  EXPECT_EQ(b.Owner(), "c:\\temp\\");
}

TEST(CoreTypes, ATextSetOnOneRecordLeavesItsNeighboursAlone) {
  TFoundPlacePtr place = MakeFoundPlace("c:\\temp\\", TFoundTexts{TSharedText("c:\\temp\\")});
  TFileRec a(place, "a.tmp");
  const TFileRec b(place, "b.tmp");
  a.SetCaption("only a");
  EXPECT_EQ(a.Caption(), "only a");
  EXPECT_EQ(a.Path(), "c:\\temp\\a.tmp");
  a.SetPath("d:\\other\\x.tmp");
  EXPECT_EQ(a.Path(), "d:\\other\\x.tmp");
  EXPECT_EQ(a.Folder(), "d:\\other\\");
  EXPECT_EQ(a.Owner(), "c:\\temp\\");
  EXPECT_EQ(b.Path(), "c:\\temp\\b.tmp");
  EXPECT_TRUE(b.Caption().empty());
}

TEST(CoreTypes, RecordTimesKeepWholeSeconds) {
  struct TCase {
    TDateTime Given, Kept;
  } cases[] = {
      {0, 0},
      {40000.5, 40000.5},
      {40000.5 + 0.4 / 86400, 40000.5},
      {25569.0, 25569.0},                        // 1970-01-01, the first time kept
      {-109205.0, 25569.0},                      // 1601-01-01, a file time of 0
      {25569.0 + 4294967294.0 / 86400 + 1, 25569.0 + 4294967294.0 / 86400},  // after 2106
  };
  for (const TCase& c : cases) {
    TFileRec rec;
    rec.SetWritten(c.Given);
    EXPECT_NEAR(rec.Written(), c.Kept, 1e-9) << c.Given;
  }
}

}  // namespace
