#include <gtest/gtest.h>

#include "tests/engine/uEngineTestSupport.h"

using namespace qlm;

namespace {

long RunDeleteBin(const std::string& arguments) {
  TProgramRun run(ProgramFolder() + "delete.bin", arguments);
  EXPECT_TRUE(run.Started());
  return run.WaitForExit(5000);
}

TEST(DeleteBin, RemovesOnlyTheOneNamedFile) {
  TTempFolder folder;
  const std::string r = folder.Path();
  MakeTree(r, {"a.dat", "b.dat", "ro.dat", "dir\\", "dir\\x"});
  ::SetFileAttributesA((r + "ro.dat").c_str(), FILE_ATTRIBUTE_READONLY);
  struct TCase {
    std::string Arguments;
    long Exit;
  };
  const TCase cases[] = {
      {"\"" + r + "a.dat\"", 1},
      {"\"" + r + "ro.dat\"", 1},
      {"\"" + r + "missing.dat\"", 1},
      {"\"" + r + "dir\"", 0},
      {"\"" + r + "*.dat\"", 0},
      {r + "b.dat", 0},
      {"\"b.dat\"", 0},
      {"\"" + r + "b.dat\" \"" + r + "b.dat\"", 0},
      {"", 0},
  };
  for (const TCase& c : cases) EXPECT_EQ(RunDeleteBin(c.Arguments), c.Exit) << c.Arguments;
  EXPECT_FALSE(IsExistingFile(r + "a.dat"));
  EXPECT_FALSE(IsExistingFile(r + "ro.dat"));
  EXPECT_TRUE(IsExistingFile(r + "b.dat"));
  EXPECT_TRUE(IsExistingFile(r + "dir\\x"));
}

// A path that names the file only by way of "..", "/"-separated relative
// parts or a drive root is refused, and the file it reaches stays.
TEST(DeleteBin, RefusesDotsRelativePathsAndRoots) {
  TTempFolder folder;
  const std::string r = folder.Path();
  MakeTree(r, {"kept.dat", "sub\\"});
  const std::string drive = r.substr(0, 3);
  const std::string relative = r.substr(3);
  std::string slashed = relative;
  for (char& c : slashed) c = c == '\\' ? '/' : c;
  const std::string arguments[] = {
      "\"" + r + "sub\\..\\kept.dat\"",
      "\"" + r + ".\\kept.dat\"",
      "\"" + r + "sub/../kept.dat\"",
      "\"" + slashed + "kept.dat\"",
      "\"" + relative + "kept.dat\"",
      "\"" + drive + "\"",
      "\"" + drive.substr(0, 2) + "\"",
  };
  // delete.bin starts in this folder: a relative path would reach the file.
  ASSERT_TRUE(::SetCurrentDirectoryA(drive.c_str()));
  for (const std::string& a : arguments) EXPECT_EQ(RunDeleteBin(a), 0) << a;
  ::SetCurrentDirectoryA(TestFolder().c_str());
  EXPECT_TRUE(IsExistingFile(r + "kept.dat"));
}

TEST(DeleteBin, AHeldFileIsNotRemovedNowAndTheRunStaysShort) {
  TTempFolder folder;
  const std::string path = folder.Path() + "index.dat";
  MakeTree(folder.Path(), {"index.dat"});
  TFileHandle hold(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(hold.Valid());
  const DWORD start = ::GetTickCount();
  const long code = RunDeleteBin("\"" + path + "\"");
  EXPECT_LT(::GetTickCount() - start, 2500u);
  EXPECT_NE(code, 1);
  EXPECT_NE(code, -1);
  EXPECT_TRUE(IsExistingFile(path));
}

}  // namespace
