#include <gtest/gtest.h>

#include "base/uFileSystem.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

TEST(FileSystem, ExistenceTests) {
  TTempFolder folder;
  const std::string r = folder.Path();
  WriteFileBytes(r + "f.txt", "");
  struct TCase {
    std::string Path;
    bool Exists, File, Folder, Gone;
  };
  const TCase cases[] = {
      {r + "f.txt", true, true, false, false},
      {r, true, false, true, false},
      {r + "none.txt", false, false, false, true},
      {r + "none\\f.txt", false, false, false, true},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(PathExists(c.Path), c.Exists) << c.Path;
    EXPECT_EQ(IsExistingFile(c.Path), c.File) << c.Path;
    EXPECT_EQ(IsExistingFolder(c.Path), c.Folder) << c.Path;
    EXPECT_EQ(PathGone(c.Path), c.Gone) << c.Path;
    EXPECT_FALSE(IsReparsePoint(c.Path)) << c.Path;
  }
}

}  // namespace
