#include <gtest/gtest.h>

#include <string>

#include "tests/support/uTestSupport.h"
#include "tests/update/uUpdateTestSupport.h"
#include "update/uInstall.h"

using namespace qlm;

namespace {

// A program folder and a download folder holding the published archive of
// a row.
struct TInstallFixture {
  TTempFolder Program;
  TTempFolder Downloads;

  void Publish(const std::string& archive) {
    CopySigned(SitePublishedFolder(), archive, Downloads.Path());
  }
  int Install(std::int64_t id, TCompression& compression, TInstallState& state) {
    return InstallEntry(PublishedEntry(SitePublishedFolder(), id), Downloads.Path(),
                        Program.Path(), compression, state);
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
  EXPECT_EQ(f.Install(11, compression, state),
            UPDATE_IMAGE_DONE);
  EXPECT_EQ(f.Install(2, compression, state),
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
  EXPECT_EQ(f.Install(1, compression, state),
            UPDATE_IMAGE_RESTART);
  EXPECT_TRUE(state.NeedRestart);
  EXPECT_FALSE(state.InstallFailed);
  EXPECT_EQ(ReadFileBytes(f.Program.Path() + "quillmere.exe"), "running program");
  EXPECT_EQ(ListFiles(f.Downloads.Path(), "*"),
            (std::vector<std::string>{"quillmere.exe", "quillmere_exe.zip",
                                      "quillmere_exe.zip.sig"}));
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
    EXPECT_EQ(f.Install(7, compression, state),
              UPDATE_IMAGE_FAILED);
  }
  EXPECT_TRUE(state.InstallFailed);
  EXPECT_EQ(ReadFileBytes(installed), "[1.0.0]\r\nold\r\n");
  EXPECT_EQ(ListFiles(f.Program.Path() + "defines\\", "*"), std::vector<std::string>{"cookies.def"});
  EXPECT_EQ(ListFiles(f.Downloads.Path(), "*"),
            (std::vector<std::string>{"cookies.def", "cookies_def.zip", "cookies_def.zip.sig"}));

  // Once the file is free, the same files install.
  TInstallState again;
  EXPECT_EQ(InstallFile(7, f.Downloads.Path(), f.Program.Path(), again), UPDATE_IMAGE_DONE);
  EXPECT_FALSE(again.InstallFailed);
  EXPECT_EQ(ReadFileBytes(installed), ReadFileBytes(SiteSourceFolder() + "defines\\cookies.def"));
}

TEST(Install, MissingArchiveFails) {
  TInstallFixture f;
  TCompression compression;
  TInstallState state;
  TUpdateRecordEx entry;
  entry.FileId = 15;
  EXPECT_EQ(InstallEntry(entry, f.Downloads.Path(), f.Program.Path(), compression, state),
            UPDATE_IMAGE_FAILED);
  EXPECT_TRUE(state.InstallFailed);
  EXPECT_TRUE(ListFiles(f.Program.Path(), "*").empty());
}

// A validly signed archive of another size or version than the list's entry
// offers (an older release replayed under a newer entry) is unpacked, then
// refused and removed; the archive may be installed under its own entry.
TEST(Install, RefusesAFileOtherThanTheEntryOffers) {
  const TUpdateRecordEx offered = PublishedEntry(SitePublishedFolder(), 11);
  const struct {
    const char* Case;
    std::int64_t SizeChange;
    std::int64_t ValueChange;
    bool Refused;
  } cases[] = {
      {"as offered", 0, 0, false},
      {"one byte longer", 1, 0, true},
      {"a newer version", 0, 1, true},
      {"an older version", 0, -1, true},
  };
  for (const auto& c : cases) {
    TInstallFixture f;
    f.Publish("english_lng.zip");
    TUpdateRecordEx entry = offered;
    entry.Size += c.SizeChange;
    entry.Stamp.Value += c.ValueChange;
    TCompression compression;
    TInstallState state;
    EXPECT_EQ(InstallEntry(entry, f.Downloads.Path(), f.Program.Path(), compression, state),
              c.Refused ? UPDATE_IMAGE_FAILED : UPDATE_IMAGE_DONE)
        << c.Case;
    EXPECT_EQ(state.InstallFailed, c.Refused) << c.Case;
    EXPECT_EQ(FolderSnapshot(f.Program.Path()).empty(), c.Refused) << c.Case;
    EXPECT_FALSE(IsExistingFile(f.Downloads.Path() + "english.lng")) << c.Case;
  }
}
