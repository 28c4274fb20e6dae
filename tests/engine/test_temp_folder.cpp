#include <gtest/gtest.h>

#include "tests/engine/uEngineTestSupport.h"

using namespace qlm;

namespace {

// The test folders themselves: a name the code page cannot hold goes, and a
// junction to an outside folder goes without anything behind it; Wine's
// stand-in, a host link, stays, as no Windows call removes it.
TEST(TestSupport, TempFolderRemovesUnreadableNamesAndNeverFollowsAJunction) {
  const TLinkTree tree("tempfolder", {"tree\\link"});
  TTempFolder scratch;
  const std::string path = (tree.Made() ? tree.Root() : scratch.Path()) + "tree\\";
  if (tree.Made()) {
    MakeTree(tree.Outside(), {"keep", "empty\\"});
  } else {
    ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr));
  }
  {
    TTempFolder folder(TTempFolder::TTakeOver{}, path);
    const std::wstring wide(path.begin(), path.end());
    TFileHandle file(::CreateFileW((wide + L"\u4e2d\u6587.txt").c_str(), GENERIC_WRITE, 0,
                                   nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file.Valid());
  }
  EXPECT_TRUE(ListFiles(path, "*").empty());
  if (!tree.Made()) {
    EXPECT_FALSE(IsExistingFolder(path));
    GTEST_SKIP() << "this system makes no junctions and no link was prepared; "
                    "the name case passed";
  }
  EXPECT_TRUE(IsExistingFile(tree.Outside() + "keep"));
  EXPECT_TRUE(IsExistingFolder(tree.Outside() + "empty"));
  if (tree.Junctions()) {
    EXPECT_FALSE(IsExistingFolder(path));
  } else {
    EXPECT_TRUE(IsLinkOnDisk(path + "link"));
  }
}

}  // namespace
