#include <gtest/gtest.h>

#include <cstdint>

#include "base/uHandles.h"
#include "startup/uLibrarySearch.h"
#include "startup/uMiscLoad.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

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

TEST(MiscLoad, TheRecordServesEveryUsedWord) {
  HMODULE handle = nullptr;
  ASSERT_TRUE(LoadMiscLibrary(handle, ProgramFolder()));
  const auto* words = reinterpret_cast<const std::uintptr_t*>(GetIMiscEntry());
  const int used[] = {4,  5,  6,  7,  8,  10, 14, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34,
                      35, 36, 37, 38, 39, 40, 41, 45, 46, 47, 48, 51, 52, 53, 54, 55, 56, 57, 58,
                      59, 60, 61, 64, 65, 66, 67, 68, 69, 71, 73, 74, 76, 78, 79, 81, 82, 90, 92};
  for (int word : used) EXPECT_NE(words[word], 0u) << "word " << word;
  char buffer[MISC_PATH_BUFFER] = {};
  int length = -1;
  EXPECT_TRUE(GetIMiscEntry()->PathWindows(buffer, sizeof buffer, &length));
  UnloadMiscLibrary(handle);
}

TEST(LibrarySearch, TheCurrentFolderIsLeftOutOfTheSearch) {
  TTempFolder current;
  const std::string planted = "qlm_planted.dll";
  ASSERT_TRUE(::CopyFileA((ProgramFolder() + MISC_LIBRARY_FILE).c_str(),
                          (current.Path() + planted).c_str(), FALSE));
  char before[MAX_PATH];
  ASSERT_NE(::GetCurrentDirectoryA(MAX_PATH, before), 0u);
  ASSERT_TRUE(::SetCurrentDirectoryA(current.Path().c_str()));
  const bool foundBefore = TModule(::LoadLibraryA(planted.c_str())).Valid();
  const bool restricted = RestrictLibrarySearch();
  const bool foundAfter = TModule(::LoadLibraryA(planted.c_str())).Valid();
  ::SetCurrentDirectoryA(before);
  EXPECT_TRUE(foundBefore) << "the search looks in the current folder at first";
  EXPECT_TRUE(restricted);
  EXPECT_FALSE(foundAfter);
}
