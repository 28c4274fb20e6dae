#include <gtest/gtest.h>

#include "tests/misc/uMiscLibrary.h"

using namespace qlm;

namespace {

struct TRelationCase {
  const char* A;
  const char* B;
  int Expected;
};

}  // namespace

TEST(MiscFolderRelation, GivesTheFiveCodes) {
  const TRelationCase cases[] = {
      {"", "", 0},
      {"", "c:\\a", 2},
      {"c:\\a", "", 2},
      {"C:\\Windows", "c:\\windows\\", 0},
      {"c:/windows/temp", "C:\\WINDOWS\\Temp", 0},
      {"c:\\a\\\\b\\", "\\c:\\a\\b", 0},
      {"c:\\windows\\temp", "c:\\windows", -1},
      {"c:\\windows", "c:\\windows\\temp\\x", 1},
      {"c:\\windows", "c:\\win", 2},
      {"c:\\win\\temp", "c:\\windows", 2},
      {"c:\\a", "d:\\a", 2},
      {"C:\\\xC9T\xC9", "c:\\\xE9t\xE9\\", 0},  // Latin-1 capitals fold as in the program
      {"\\", "c:\\a", 255},
      {"\\\\", "\\", 255},
  };
  for (const TRelationCase& c : cases) {
    EXPECT_EQ(MiscLibrary().IsSubFolder(c.A, c.B), c.Expected) << c.A << " | " << c.B;
  }
}

TEST(MiscFolderRelation, NullTextIsUndetermined) {
  EXPECT_EQ(MiscLibrary().IsSubFolder(nullptr, "c:\\a"), 255);
  EXPECT_EQ(MiscLibrary().IsSubFolder("c:\\a", nullptr), 255);
}
