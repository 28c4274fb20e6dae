#include <gtest/gtest.h>

#include "base/uText.h"
#include "tests/engine/uEngineTestSupport.h"

using namespace qlm;

namespace {

struct TItemSpec {
  const char* Folder;  // below the fixture root
  bool SubFolders;
  bool Nested;
};

struct TRootsCase {
  const char* Name;
  std::vector<TItemSpec> Items;
  std::vector<std::string> Roots;  // below the fixture root
  std::vector<bool> NestedAfter;
};

TEST(Roots, ReduceFoldersToRootsThatDoNotContainOneAnother) {
  const TRootsCase cases[] = {
      {"same folder twice", {{"a\\", false, true}, {"a\\", true, true}}, {"a\\"}, {false, true}},
      {"nested recursive item", {{"a\\", true, true}, {"a\\b\\", true, false}}, {"a\\"},
       {false, true}},
      {"recursive item replaces the root it contains in place",
       {{"a\\b\\", true, true}, {"c\\", true, true}, {"a\\", true, true}},
       {"a\\", "c\\"},
       {false, false, true}},
      {"non-recursive item inside a root is marked nested",
       {{"a\\", false, true}, {"a\\b\\", false, false}}, {"a\\"}, {false, true}},
      {"missing folder never becomes a root",
       {{"a\\", true, true}, {"missing\\", false, true}}, {"a\\"}, {false, false}},
      {"root pruned inside a later non-recursive root is marked nested",
       {{"a\\b\\", true, false}, {"a\\", false, false}, {"c\\", false, false}},
       {"a\\", "c\\"},
       {true, false, false}},
      {"unrelated folders keep their order", {{"c\\", false, true}, {"a\\", false, true}},
       {"c\\", "a\\"}, {false, false}},
  };
  for (const TRootsCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TScanFixture fixture;
    MakeTree(fixture.Root(), {"a\\", "a\\b\\", "c\\"});
    TCore core;
    core.SetInit(fixture.Init());
    for (const TItemSpec& spec : c.Items) {
      core.ScanContext().Folders().push_back(MakeItem(fixture.Root() + spec.Folder, "*", spec.SubFolders,
                                        OBJTYPE_WIN_TEMP, spec.Nested));
    }
    ASSERT_TRUE(core.CompileRoots());
    std::vector<std::string> expected;
    for (const std::string& root : c.Roots) expected.push_back(LowerText(fixture.Root() + root));
    EXPECT_EQ(core.Roots(), expected);
    for (std::size_t i = 0; i < c.NestedAfter.size(); ++i) {
      EXPECT_EQ(core.Folders()[i]->Nested, c.NestedAfter[i]) << "item " << i;
    }
  }
}

TEST(Roots, RootsAreLoggedNumberedFromZero) {
  TScanFixture fixture;
  MakeTree(fixture.Root(), {"a\\", "c\\"});
  TCore core;
  core.SetInit(fixture.Init());
  core.ScanContext().Folders().push_back(MakeItem(fixture.Root() + "a\\", "*", true, OBJTYPE_WIN_TEMP));
  core.ScanContext().Folders().push_back(nullptr);
  core.ScanContext().Folders().push_back(MakeItem(fixture.Root() + "c\\", "*", true, OBJTYPE_WIN_TEMP));
  ASSERT_TRUE(core.CompileRoots());
  const std::string root = LowerText(fixture.Root());
  const std::vector<TLogLine> expected = {
      {LVL_DEBUG, "Roots list:"},
      {LVL_DEBUG, "Count:2"},
      {LVL_DEBUG, "Root0000: " + root + "a\\"},
      {LVL_DEBUG, "Root0001: " + root + "c\\"},
  };
  EXPECT_EQ(fixture.Entries(), expected);
}

}  // namespace
