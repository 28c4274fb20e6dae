#include <gtest/gtest.h>

#include "base/uPathText.h"

using namespace qlm;

namespace {

TEST(PathText, FolderAndName) {
  struct TCase {
    const char* Path;
    const char* Folder;
    const char* Name;
  };
  const TCase cases[] = {
      {"C:\\a\\f.txt", "C:\\a\\", "f.txt"},
      {"C:\\a\\", "C:\\a\\", ""},
      {"C:f.txt", "C:", "f.txt"},
      {"f.txt", "", "f.txt"},
      {"", "", ""},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(FolderOf(c.Path), c.Folder) << c.Path;
    EXPECT_EQ(NameOf(c.Path), c.Name) << c.Path;
  }
}

TEST(PathText, TrailingBackslash) {
  struct TCase {
    const char* Path;
    const char* With;
    const char* Without;
  };
  const TCase cases[] = {
      {"C:\\a", "C:\\a\\", "C:\\a"},
      {"C:\\a\\\\", "C:\\a\\\\", "C:\\a"},
      {"C:\\", "C:\\", "C:\\"},
      {"\\", "\\", "\\"},
      {"", "", ""},  // never the root of the current drive
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(WithBackslash(c.Path), c.With) << c.Path;
    EXPECT_EQ(WithoutTrailingBackslash(c.Path), c.Without) << c.Path;
  }
}

TEST(PathText, ShortPath) {
  struct Case {
    const char* path;
    const char* expected;
  } cases[] = {
      {"C:\\Data\\Projects\\Old\\report.txt", "Projects\\Old\\report.txt"},
      {"C:\\a\\b\\c\\f.ext", "b\\c\\f.ext"},
      {"C:\\Old\\report.txt", "\\Old\\report.txt"},
      {"C:\\report.txt", "\\\\report.txt"},
      {"report.txt", "\\\\report.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(ShortPath(c.path), c.expected) << c.path;
}

}  // namespace
