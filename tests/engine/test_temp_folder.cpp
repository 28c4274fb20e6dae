#include <gtest/gtest.h>

#include "tests/engine/uEngineTestSupport.h"

namespace {

// The test folders themselves: a name the code page cannot hold and a
// junction to an outside folder are removed, the outside folder's files kept.
TEST(TestSupport, TempFolderRemovesUnreadableNamesAndNeverFollowsAJunction) {
  TTempFolder outside;
  MakeTree(outside.Path(), {"keep"});
  std::string path;
  bool junction = false;
  {
    TTempFolder folder;
    path = folder.Path();
    const std::wstring wide(path.begin(), path.end());
    TFileHandle file(::CreateFileW((wide + L"\u4e2d\u6587.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file.Valid());
    junction = MakeJunction(path + "link", outside.Path());
  }
  EXPECT_FALSE(IsExistingFolder(path));
  EXPECT_TRUE(IsExistingFile(outside.Path() + "keep"));
  if (!junction) GTEST_SKIP() << "this system makes no junctions; the name case passed";
}

}  // namespace
