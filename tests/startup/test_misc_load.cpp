#include <gtest/gtest.h>

#include "startup/uMiscLoad.h"
#include "tests/support/uTestSupport.h"

TEST(MiscLoad, LoadsTheLibraryOfAFolderAndUnloadsIt) {
  HMODULE handle = nullptr;
  std::string folder = ProgramFolder();
  folder.pop_back();  // the loader adds the missing delimiter
  ASSERT_TRUE(LoadMiscLibrary(handle, folder));
  ASSERT_NE(GetIMiscEntry, nullptr);
  const IMisc* record = GetIMiscEntry();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->Version, MISC_INTERFACE_VERSION);

  HMODULE loaded = handle;
  EXPECT_FALSE(LoadMiscLibrary(handle, folder)) << "a loaded handle is never replaced";
  EXPECT_EQ(handle, loaded);

  EXPECT_TRUE(UnloadMiscLibrary(handle));
  EXPECT_EQ(GetIMiscEntry, nullptr);
  EXPECT_EQ(handle, loaded) << "the variable keeps its value";
}

TEST(MiscLoad, FailuresAreReportedAsFalse) {
  HMODULE none = nullptr;
  EXPECT_FALSE(UnloadMiscLibrary(none));

  TTempFolder empty;
  HMODULE handle = nullptr;
  EXPECT_FALSE(LoadMiscLibrary(handle, empty.Path()));
  EXPECT_EQ(handle, nullptr);
}

TEST(MiscLoad, ALibraryWithoutTheExportLeavesTheEntryEmpty) {
  HMODULE handle = nullptr;
  ASSERT_TRUE(LoadMiscLibrary(handle, FixtureFolder("qlm_fixture_misc_noexport")));
  EXPECT_EQ(GetIMiscEntry, nullptr);
  EXPECT_TRUE(UnloadMiscLibrary(handle));
}

TEST(MiscLoad, UnservedSlotsAnswerFailure) {
  HMODULE handle = nullptr;
  ASSERT_TRUE(LoadMiscLibrary(handle, ProgramFolder()));
  const IMisc* misc = GetIMiscEntry();
  char buffer[MISC_PATH_BUFFER] = "unchanged";
  int length = -1;
  EXPECT_FALSE(misc->PathWindows(buffer, sizeof buffer, &length));
  EXPECT_FALSE(misc->RemoveFile(nullptr));
  EXPECT_EQ(misc->IsSubFolder("C:\\a", "C:\\a"), 255);
  EXPECT_EQ(misc->OpenProfiles(nullptr), 0u);
  UnloadMiscLibrary(handle);
}
