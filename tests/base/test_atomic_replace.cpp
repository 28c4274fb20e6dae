#include <gtest/gtest.h>

#include <thread>

#include "base/uAtomicReplace.h"
#include "tests/support/uTestSupport.h"

using namespace qlm;

namespace {

TEST(AtomicReplace, WritesNewAndReplacesOldContent) {
  TTempFolder folder;
  const std::string path = folder.Path() + "settings.xml";
  ASSERT_TRUE(WriteFileAtomically(path, "first"));
  EXPECT_EQ(ReadFileBytes(path), "first");
  ASSERT_TRUE(WriteFileAtomically(path, "second, longer"));
  EXPECT_EQ(ReadFileBytes(path), "second, longer");
  ASSERT_TRUE(WriteFileAtomically(path, ""));
  EXPECT_EQ(ReadFileBytes(path), "");
  EXPECT_EQ(ListFiles(folder.Path(), "*"), (std::vector<std::string>{"settings.xml"}));
}

// The old file stays whole and nothing is left beside it, whichever step
// fails: the staged file cannot be made, or cannot be moved over the target.
TEST(AtomicReplace, AFailureKeepsTheOldFileAndLeavesNothingBehind) {
  TTempFolder folder;
  const std::string path = folder.Path() + "kept.txt";
  WriteFileBytes(path, "old");
  ASSERT_TRUE(::CreateDirectoryA(StagedName(path).c_str(), nullptr));
  EXPECT_FALSE(WriteFileAtomically(path, "new"));
  EXPECT_EQ(ReadFileBytes(path), "old");
  ASSERT_TRUE(::RemoveDirectoryA(StagedName(path).c_str()));

  const std::string folderTarget = folder.Path() + "dir";
  ASSERT_TRUE(::CreateDirectoryA(folderTarget.c_str(), nullptr));
  EXPECT_FALSE(WriteFileAtomically(folderTarget, "new"));
  EXPECT_TRUE(IsExistingFolder(folderTarget));
  EXPECT_FALSE(ReplaceFileWith(folder.Path() + "missing.txt", path));
  EXPECT_EQ(ReadFileBytes(path), "old");

  // A read-only target is never replaced, whatever the file system allows.
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(WriteFileAtomically(path, "new"));
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(ReadFileBytes(path), "old");
  EXPECT_EQ(ListFiles(folder.Path(), "*"), (std::vector<std::string>{"kept.txt"}));
}

TEST(AtomicReplace, ReplaceFileWithCopiesTheSource) {
  TTempFolder folder;
  const std::string target = folder.Path() + "lng.dll";
  WriteFileBytes(folder.Path() + "new.dll", "new");
  ASSERT_TRUE(ReplaceFileWith(folder.Path() + "new.dll", target));
  EXPECT_EQ(ReadFileBytes(target), "new");
  EXPECT_EQ(ListFiles(folder.Path(), "*"), (std::vector<std::string>{"lng.dll", "new.dll"}));
}

// A file held only for a moment (a scanner reading the new file) is
// replaced once it is free again.
TEST(AtomicReplace, AFileHeldForAMomentIsReplaced) {
  TTempFolder folder;
  const std::string target = folder.Path() + "lng.dll";
  WriteFileBytes(target, "old");
  WriteFileBytes(folder.Path() + "new.dll", "new");
  TFileHandle held(::CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                 nullptr));
  ASSERT_TRUE(held);
  std::thread release([&held] {
    ::Sleep(300);
    held.Reset();
  });
  const bool replaced = ReplaceFileWith(folder.Path() + "new.dll", target);
  release.join();
  EXPECT_TRUE(replaced);
  EXPECT_EQ(ReadFileBytes(target), "new");
  EXPECT_EQ(ListFiles(folder.Path(), "*"), (std::vector<std::string>{"lng.dll", "new.dll"}));
}

}  // namespace
