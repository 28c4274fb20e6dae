#include <gtest/gtest.h>

#include "tests/engine/uEngineTestSupport.h"

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
  EXPECT_FALSE(FileExists(r + "a.dat"));
  EXPECT_FALSE(FileExists(r + "ro.dat"));
  EXPECT_TRUE(FileExists(r + "b.dat"));
  EXPECT_TRUE(FileExists(r + "dir\\x"));
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
  EXPECT_TRUE(FileExists(path));
}

}  // namespace
