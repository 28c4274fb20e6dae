#include <gtest/gtest.h>

#include <map>

#include "base/uDirEnum.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

std::map<std::string, TDirEntry> Listing(const std::string& folder,
                                         const std::string& pattern = "*") {
  std::map<std::string, TDirEntry> entries;
  TDirEnum listing(folder, pattern);
  TDirEntry entry;
  while (listing.Next(entry)) entries[entry.Name] = entry;
  return entries;
}

TEST(DirEnum, YieldsEntriesWithTheirAttributesButNoDots) {
  TTempFolder folder;
  const std::string r = folder.Path();
  WriteFileBytes(r + "five.txt", "12345");
  WriteFileBytes(r + "ro.dat", "");
  ::SetFileAttributesA((r + "ro.dat").c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(::CreateDirectoryA((r + "sub").c_str(), nullptr));
  WriteFileBytes(r + "sub\\inner.txt", "x");

  const std::map<std::string, TDirEntry> entries = Listing(r);
  ASSERT_EQ(entries.size(), 3u);
  const TDirEntry& file = entries.at("five.txt");
  EXPECT_EQ(file.Size, 5);
  EXPECT_FALSE(file.IsFolder());
  EXPECT_FALSE(file.IsReparsePoint());
  EXPECT_TRUE(file.NameReadable());
  EXPECT_NE(file.Written.dwLowDateTime | file.Written.dwHighDateTime, 0u);
  EXPECT_TRUE(entries.at("ro.dat").Attributes & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(entries.at("sub").IsFolder());  // listed, never entered
  ::SetFileAttributesA((r + "ro.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(DirEnum, PatternEmptyAndMissingFolders) {
  TTempFolder folder;
  const std::string r = folder.Path();
  WriteFileBytes(r + "a.log", "");
  WriteFileBytes(r + "b.txt", "");
  EXPECT_EQ(Listing(r, "*.log").size(), 1u);
  EXPECT_TRUE(Listing(r, "*.none").empty());
  EXPECT_TRUE(Listing(r + "missing\\").empty());
  // An empty folder text never lists the current folder.
  const std::string current = r;
  ASSERT_TRUE(::SetCurrentDirectoryA(current.c_str()));
  EXPECT_TRUE(Listing("").empty());
  ::SetCurrentDirectoryA(TestFolder().c_str());
}

}  // namespace
