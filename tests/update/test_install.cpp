#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "tests/support/uTestSupport.h"
#include "tests/update/uUpdateTestSupport.h"
#include "update/uInstall.h"

namespace {

// A program folder and a download folder holding the published archive of
// a row.
struct TInstallFixture {
  TTempFolder Program;
  TTempFolder Downloads;

  void Publish(const std::string& archive) {
    WriteFileBytes(Downloads.Path() + archive, ReadFileBytes(SitePublishedFolder() + archive));
  }
};

}  // namespace

TEST(Install, UnpacksAndCopiesIntoTheRowFolder) {
  TInstallFixture f;
  f.Publish("english_lng.zip");
  f.Publish("delete_bin.zip");
  TCompression compression;
  TInstallState state;
  // The languages folder is missing and made again.
  EXPECT_EQ(InstallEntry(11, f.Downloads.Path(), f.Program.Path(), compression, state),
            UPDATE_IMAGE_DONE);
  EXPECT_EQ(InstallEntry(2, f.Downloads.Path(), f.Program.Path(), compression, state),
            UPDATE_IMAGE_DONE);
  EXPECT_FALSE(state.InstallFailed);
  EXPECT_FALSE(state.NeedRestart);
  EXPECT_EQ(ReadFileBytes(f.Program.Path() + "languages\\english.lng"),
            ReadFileBytes(SiteSourceFolder() + "languages\\english.lng"));
  EXPECT_EQ(ReadFileBytes(f.Program.Path() + "delete.bin"),
            ReadFileBytes(SiteSourceFolder() + "delete.bin"));
  EXPECT_TRUE(ListFiles(f.Downloads.Path(), "*").empty());
}

TEST(Install, ProgramFilesWaitForARestart) {
  TInstallFixture f;
  f.Publish("quillmere_exe.zip");
  WriteFileBytes(f.Program.Path() + "quillmere.exe", "running program");
  TCompression compression;
  TInstallState state;
  EXPECT_EQ(InstallEntry(1, f.Downloads.Path(), f.Program.Path(), compression, state),
            UPDATE_IMAGE_RESTART);
  EXPECT_TRUE(state.NeedRestart);
  EXPECT_FALSE(state.InstallFailed);
  EXPECT_EQ(ReadFileBytes(f.Program.Path() + "quillmere.exe"), "running program");
  EXPECT_EQ(ListFiles(f.Downloads.Path(), "*"),
            (std::vector<std::string>{"quillmere.exe", "quillmere_exe.zip"}));
}

// The installed file is held open without sharing: the copy fails, the old
// file stays whole and both downloaded files stay for a later try.
TEST(Install, FailedCopyKeepsTheOldFile) {
  TInstallFixture f;
  ::CreateDirectoryA((f.Program.Path() + "defines").c_str(), nullptr);
  const std::string installed = f.Program.Path() + "defines\\cookies.def";
  WriteFileBytes(installed, "[1.0.0]\r\nold\r\n");
  f.Publish("cookies_def.zip");
  TCompression compression;
  TInstallState state;
  {
    TFileHandle held(::CreateFileA(installed.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                   nullptr));
    ASSERT_TRUE(held);
    EXPECT_EQ(InstallEntry(7, f.Downloads.Path(), f.Program.Path(), compression, state),
              UPDATE_IMAGE_FAILED);
  }
  EXPECT_TRUE(state.InstallFailed);
  EXPECT_EQ(ReadFileBytes(installed), "[1.0.0]\r\nold\r\n");
  EXPECT_EQ(ListFiles(f.Program.Path() + "defines\\", "*"), std::vector<std::string>{"cookies.def"});
  EXPECT_EQ(ListFiles(f.Downloads.Path(), "*"),
            (std::vector<std::string>{"cookies.def", "cookies_def.zip"}));

  // Once the file is free, the same files install.
  TInstallState again;
  EXPECT_EQ(InstallFile(7, f.Downloads.Path(), f.Program.Path(), again), UPDATE_IMAGE_DONE);
  EXPECT_FALSE(again.InstallFailed);
  EXPECT_EQ(ReadFileBytes(installed), ReadFileBytes(SiteSourceFolder() + "defines\\cookies.def"));
}

// A file held only for a moment (a scanner reading the new file) is
// replaced once it is free again.
TEST(Install, AFileHeldForAMomentIsReplaced) {
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

TEST(Install, MissingArchiveFails) {
  TInstallFixture f;
  TCompression compression;
  TInstallState state;
  EXPECT_EQ(InstallEntry(15, f.Downloads.Path(), f.Program.Path(), compression, state),
            UPDATE_IMAGE_FAILED);
  EXPECT_TRUE(state.InstallFailed);
  EXPECT_TRUE(ListFiles(f.Program.Path(), "*").empty());
}
