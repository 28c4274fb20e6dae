#include <gtest/gtest.h>

#include <cmath>

#include "base/uDateTime.h"
#include "base/uText.h"
#include "engine/uProgressQueue.h"
#include "startup/uMiscLoad.h"
#include "tests/engine/uEngineTestSupport.h"

using namespace qlm;

namespace {

double Now() {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  return FileTimeToDateTime((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) |
                            now.dwLowDateTime);
}

// A scan of one literal folder needs no special folder and no folder
// relation from the library, only its file times, which may answer failure.
TEST(RealMisc, ScanOfALiteralFolderThroughTheBuiltLibrary) {
  TScanFixture fixture;
  TRealMisc real;
  ASSERT_TRUE(real.Bound());
  ASSERT_EQ(::Misc->Version, MISC_INTERFACE_VERSION);
  MakeTree(fixture.Root(), {"t\\", "t\\a.tmp=4", "t\\b.txt", "t\\sub\\", "t\\sub\\c.tmp=6"});
  const std::string r = LowerText(fixture.Root());
  TCore core;
  fixture.Scan(core, [&](TScanContext& c) {
    c.Folders().push_back(MakeItem(r + "t\\", "*.tmp", true, OBJTYPE_CUSTOM));
  });
  ASSERT_EQ(FoundList.Window().size(), 2u);
  std::int64_t size = 0;
  for (const auto& rec : FoundList.Window()) {
    size += rec->Size;
    EXPECT_TRUE(rec->Written() == 0 || std::fabs(rec->Written() - Now()) < 1.0) << rec->Written();
  }
  EXPECT_EQ(size, 10);
  EXPECT_EQ(fixture.Recorder.Count(WM_CORE_CURR_PATH), 2u);
  EXPECT_EQ(fixture.Recorder.Count(WM_CORE_UPDATE_SCAN), 2u);
  EXPECT_FALSE(fixture.Recorder.Messages.back().Item.Failed);
}

// The clean of a fixture tree through the built library, recycling
// included: files go to the Recycle Bin, an update folder goes as a tree
// with its subfolders, and a path the library's rules refuse stays.
TEST(RealMisc, CleanOfAFixtureTreeThroughTheBuiltLibrary) {
  TScanFixture fixture;
  TRealMisc real;
  ASSERT_TRUE(real.Bound());
  const std::string r = fixture.Root();
  MakeTree(r, {"t\\", "t\\a.tmp=4", "t\\sub\\", "t\\sub\\b.tmp=6", "KBQ7\\", "KBQ7\\x\\",
               "KBQ7\\x\\y=3"});
  const auto add = [](int category, const std::string& path, std::int64_t size) {
    auto rec = std::make_unique<TFileRec>();
    rec->Selected = true;
    rec->Category = category;
    rec->SetPath(path);
    rec->Size = size;
    rec->Count = 1;
    FoundList.Window().push_back(std::move(rec));
  };
  add(OBJTYPE_CUSTOM, r + "t\\sub\\..\\a.tmp", 4);
  add(OBJTYPE_CUSTOM, r + "t\\a.tmp", 4);
  add(OBJTYPE_CUSTOM, r + "t\\sub\\b.tmp", 6);
  add(OBJTYPE_ORPHAN_UPDATES, r + "KBQ7", 3);
  TOptions options;
  options.MoveRemInRB = true;
  TCore core;
  fixture.CleanWith(core, options);
  EXPECT_FALSE(IsExistingFile(r + "t\\a.tmp"));
  EXPECT_FALSE(IsExistingFile(r + "t\\sub\\b.tmp"));
  EXPECT_FALSE(IsExistingFolder(r + "KBQ7"));
  EXPECT_TRUE(IsExistingFolder(r + "t\\sub"));
  std::int64_t size = 0;
  for (const TRecordedMessage& m : fixture.Recorder.Messages) {
    if (m.Message == WM_CORE_UPDATE_CLEAN) size += m.Item.Size;
  }
  EXPECT_EQ(size, 13);
  EXPECT_EQ(fixture.Recorder.Count(WM_CORE_UPDATE_CLEAN), 3u);
  EXPECT_FALSE(FoundList.Window()[1] || FoundList.Window()[2] || FoundList.Window()[3]);
  EXPECT_TRUE(FoundList.Window()[0]) << "a path with a \"..\" component is never acted on";
  EXPECT_FALSE(fixture.Recorder.Messages.back().Item.Failed);
}

// Whatever the shell makes of a file held open without sharing, the clean
// posts for exactly the files that went and keeps exactly those that stayed.
TEST(RealMisc, ARecycleBatchWithALockedFileThroughTheBuiltLibrary) {
  TScanFixture fixture;
  TRealMisc real;
  ASSERT_TRUE(real.Bound());
  const std::string r = fixture.Root();
  MakeTree(r, {"t\\", "t\\a.tmp=1", "t\\b.tmp=2", "t\\c.tmp=3"});
  for (const char* name : {"a.tmp", "b.tmp", "c.tmp"}) {
    auto rec = std::make_unique<TFileRec>();
    rec->Selected = true;
    rec->Category = OBJTYPE_CUSTOM;
    rec->SetPath(r + "t\\" + name);
    rec->Count = 1;
    FoundList.Window().push_back(std::move(rec));
  }
  TOptions options;
  options.MoveRemInRB = true;
  TCore core;
  {
    TFileHandle lock(::CreateFileA((r + "t\\b.tmp").c_str(), GENERIC_READ, 0, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock.Valid());
    fixture.CleanWith(core, options);
  }
  EXPECT_FALSE(IsExistingFile(r + "t\\a.tmp"));
  EXPECT_FALSE(IsExistingFile(r + "t\\c.tmp"));
  std::size_t gone = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    const std::string path = r + "t\\" + "abc"[i] + ".tmp";
    EXPECT_EQ(FoundList.Window()[i] == nullptr, !IsExistingFile(path)) << path;
    gone += !IsExistingFile(path);
  }
  EXPECT_EQ(fixture.Recorder.Count(WM_CORE_UPDATE_CLEAN), gone);
}

}  // namespace
